#include "AAX_VViewContainer.h"
#include "AAX_Enums.h"
#include "AAX_Errors.h"
#include "AAX_HostObjects.h"
#include "AAX_UIDs.h"

AAX_VViewContainer::AAX_VViewContainer (IACFUnknown* pUnknown)
{
    mIACFViewContainer.Reset (static_cast<AAX_IACFViewContainer*> (AAX_QueryHostInterface (pUnknown, IID_IAAXViewContainerV1)));
    mIACFViewContainerV2.Reset (static_cast<AAX_IACFViewContainer_V2*> (AAX_QueryHostInterface (pUnknown, IID_IAAXViewContainerV2)));
}

// Releases what the queries added, so the host's window object is not kept alive.
AAX_VViewContainer::~AAX_VViewContainer()
{
    mIACFViewContainerV2.Reset();
    mIACFViewContainer.Reset();
}

int32_t AAX_VViewContainer::GetType()
{
    return mIACFViewContainer ? mIACFViewContainer->GetType() : AAX_eViewContainer_Type_NULL;
}

void* AAX_VViewContainer::GetPtr()
{
    return mIACFViewContainer ? mIACFViewContainer->GetPtr() : nullptr;
}

AAX_Result AAX_VViewContainer::GetModifiers (uint32_t* outModifiers)
{
    return mIACFViewContainer ? mIACFViewContainer->GetModifiers (outModifiers) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::SetViewSize (AAX_Point& inSize)
{
    return mIACFViewContainer ? mIACFViewContainer->SetViewSize (&inSize) : AAX_SUCCESS;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDown (AAX_CParamID inParamID, uint32_t inModifiers)
{
    return mIACFViewContainer ? mIACFViewContainer->HandleParameterMouseDown (inParamID, inModifiers) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDrag (AAX_CParamID inParamID, uint32_t inModifiers)
{
    return mIACFViewContainer ? mIACFViewContainer->HandleParameterMouseDrag (inParamID, inModifiers) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseUp (AAX_CParamID inParamID, uint32_t inModifiers)
{
    return mIACFViewContainer ? mIACFViewContainer->HandleParameterMouseUp (inParamID, inModifiers) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDown (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers)
{
    return mIACFViewContainerV2 ? mIACFViewContainerV2->HandleMultipleParametersMouseDown (inParamIDs, inNumOfParams, inModifiers) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDrag (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers)
{
    return mIACFViewContainerV2 ? mIACFViewContainerV2->HandleMultipleParametersMouseDrag (inParamIDs, inNumOfParams, inModifiers) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseUp (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers)
{
    return mIACFViewContainerV2 ? mIACFViewContainerV2->HandleMultipleParametersMouseUp (inParamIDs, inNumOfParams, inModifiers) : AAX_ERROR_UNIMPLEMENTED;
}
