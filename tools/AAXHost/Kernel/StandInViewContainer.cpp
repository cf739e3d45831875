#include "StandInViewContainer.h"
#include "StandInHost.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

StandInViewContainer::StandInViewContainer (StandInHost& host)
    : StandInObject ("view container"), mHost (host)
{
}

ACFRESULT StandInViewContainer::QueryInterface (const acfIID& iid, void** ppOut)
{
    const bool known = iid == IID_IACFUnknown || iid == IID_IAAXViewContainerV1 || iid == IID_IAAXViewContainerV2;
    return Answer (mHost.Offers (iid), known ? static_cast<AAX_IACFViewContainer_V2*> (this) : nullptr, ppOut);
}

acfUInt32 StandInViewContainer::AddRef() { return CountAddRef(); }
acfUInt32 StandInViewContainer::Release() { return CountRelease(); }

int32_t StandInViewContainer::GetType()
{
    NoteCall ("GetType");
    return type;
}
void* StandInViewContainer::GetPtr()
{
    NoteCall ("GetPtr");
    return view;
}

AAX_Result StandInViewContainer::GetModifiers (uint32_t* outModifiers)
{
    NoteCall ("GetModifiers");

    if (outModifiers == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *outModifiers = modifiers;
    return AAX_SUCCESS;
}

AAX_Result StandInViewContainer::SetViewSize (AAX_Point* inSize)
{
    NoteCall ("SetViewSize");

    if (inSize == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    mSizeRequests.push_back (*inSize);
    return refuseSizes ? AAX_ERROR_INVALID_VIEW_SIZE : AAX_SUCCESS;
}

AAX_Result StandInViewContainer::Mouse (const char* operation, const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers)
{
    std::string line = operation;

    for (uint32_t i = 0; inParamIDs != nullptr && i < inNumOfParams; ++i)
        line += " " + Text (inParamIDs[i]);

    return Keep (operation, mMouseEvents, line + " " + std::to_string (inModifiers));
}

AAX_Result StandInViewContainer::HandleParameterMouseDown (AAX_CParamID inParamID, uint32_t inModifiers) { return Mouse ("down", &inParamID, 1, inModifiers); }
AAX_Result StandInViewContainer::HandleParameterMouseDrag (AAX_CParamID inParamID, uint32_t inModifiers) { return Mouse ("drag", &inParamID, 1, inModifiers); }
AAX_Result StandInViewContainer::HandleParameterMouseUp (AAX_CParamID inParamID, uint32_t inModifiers) { return Mouse ("up", &inParamID, 1, inModifiers); }

AAX_Result StandInViewContainer::HandleMultipleParametersMouseDown (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers)
{
    return Mouse ("multiple down", inParamIDs, inNumOfParams, inModifiers);
}

AAX_Result StandInViewContainer::HandleMultipleParametersMouseDrag (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers)
{
    return Mouse ("multiple drag", inParamIDs, inNumOfParams, inModifiers);
}

AAX_Result StandInViewContainer::HandleMultipleParametersMouseUp (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers)
{
    return Mouse ("multiple up", inParamIDs, inNumOfParams, inModifiers);
}
