#include "StandInEffectDescriptor.h"
#include "StandInComponentDescriptor.h"
#include "StandInHost.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

namespace
{
    std::string text (const char* s) { return s != nullptr ? s : "(null)"; }
}

StandInEffectDescriptor::StandInEffectDescriptor (StandInHost& host)
    : StandInObject ("effect descriptor"), mHost (host)
{
}

ACFRESULT StandInEffectDescriptor::QueryInterface (const acfIID& iid, void** ppOut)
{
    const bool known = iid == IID_IACFUnknown || iid == IID_IAAXEffectDescriptorV1 || iid == IID_IAAXEffectDescriptorV2;
    return Answer (mHost.Offers (iid), known ? static_cast<AAX_IACFEffectDescriptor_V2*> (this) : nullptr, ppOut);
}

acfUInt32 StandInEffectDescriptor::AddRef()  { return CountAddRef(); }
acfUInt32 StandInEffectDescriptor::Release() { return CountRelease(); }

AAX_Result StandInEffectDescriptor::AddComponent (IACFUnknown* inComponentDescriptor)
{
    NoteCall ("AddComponent");
    auto* descriptor = dynamic_cast<StandInComponentDescriptor*> (inComponentDescriptor);

    if (descriptor == nullptr)
        return AAX_ERROR_NULL_COMPONENT;

    mComponents.push_back (descriptor);
    return AAX_SUCCESS;
}

AAX_Result StandInEffectDescriptor::AddName (const char* inPlugInName)
{
    NoteCall ("AddName");
    mNames.push_back (text (inPlugInName));
    return AAX_SUCCESS;
}

AAX_Result StandInEffectDescriptor::AddCategory (uint32_t inCategory)
{
    NoteCall ("AddCategory");
    mCategories.push_back (inCategory);
    return AAX_SUCCESS;
}

AAX_Result StandInEffectDescriptor::AddCategoryBypassParameter (uint32_t inCategory, AAX_CParamID inParamID)
{
    NoteCall ("AddCategoryBypassParameter");
    mLog.push_back ("category bypass " + std::to_string (inCategory) + " " + text (inParamID));
    return AAX_SUCCESS;
}

AAX_Result StandInEffectDescriptor::AddProcPtr (void* inProcPtr, AAX_CProcPtrID inProcID)
{
    NoteCall ("AddProcPtr");
    mProcPtrs.push_back ({ inProcPtr, inProcID });
    return AAX_SUCCESS;
}

AAX_Result StandInEffectDescriptor::SetProperties (IACFUnknown* inProperties)
{
    NoteCall ("SetProperties");
    mPropertySets.push_back (StandInPropertyMap::ContentsOf (inProperties));
    return AAX_SUCCESS;
}

AAX_Result StandInEffectDescriptor::AddResourceInfo (AAX_EResourceType inResourceType, const char* inInfo)
{
    NoteCall ("AddResourceInfo");
    mLog.push_back ("resource " + std::to_string (inResourceType) + " " + text (inInfo));
    return AAX_SUCCESS;
}

AAX_Result StandInEffectDescriptor::AddMeterDescription (AAX_CTypeID inMeterID, const char* inMeterName, IACFUnknown* inProperties)
{
    NoteCall ("AddMeterDescription");
    mMeters.push_back ({ inMeterID, text (inMeterName), StandInPropertyMap::ContentsOf (inProperties) });
    return AAX_SUCCESS;
}

AAX_Result StandInEffectDescriptor::AddControlMIDINode (AAX_CTypeID inNodeID, AAX_EMIDINodeType inNodeType, const char* inNodeName, uint32_t inChannelMask)
{
    NoteCall ("AddControlMIDINode");
    mLog.push_back ("control midi node " + std::to_string (inNodeID) + " " + std::to_string (inNodeType) + " "
                    + text (inNodeName) + " " + std::to_string (inChannelMask));
    return AAX_SUCCESS;
}
