#include "StandInEffectDescriptor.h"
#include "StandInComponentDescriptor.h"
#include "StandInHost.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

StandInEffectDescriptor::StandInEffectDescriptor (StandInHost& host)
    : StandInObject ("effect descriptor"), mHost (host)
{
}

ACFRESULT StandInEffectDescriptor::QueryInterface (const acfIID& iid, void** ppOut)
{
    const bool known = iid == IID_IACFUnknown || iid == IID_IAAXEffectDescriptorV1 || iid == IID_IAAXEffectDescriptorV2;
    return Answer (mHost.Offers (iid), known ? static_cast<AAX_IACFEffectDescriptor_V2*> (this) : nullptr, ppOut);
}

acfUInt32 StandInEffectDescriptor::AddRef() { return CountAddRef(); }
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
    return Keep ("AddName", mNames, Text (inPlugInName));
}

AAX_Result StandInEffectDescriptor::AddCategory (uint32_t inCategory)
{
    return Keep ("AddCategory", mCategories, inCategory);
}

AAX_Result StandInEffectDescriptor::AddCategoryBypassParameter (uint32_t inCategory, AAX_CParamID inParamID)
{
    return Keep ("AddCategoryBypassParameter", mLog, "category bypass " + std::to_string (inCategory) + " " + Text (inParamID));
}

AAX_Result StandInEffectDescriptor::AddProcPtr (void* inProcPtr, AAX_CProcPtrID inProcID)
{
    return Keep ("AddProcPtr", mProcPtrs, ProcPtr { inProcPtr, inProcID });
}

AAX_Result StandInEffectDescriptor::SetProperties (IACFUnknown* inProperties)
{
    return Keep ("SetProperties", mPropertySets, StandInPropertyMap::ContentsOf (inProperties));
}

AAX_Result StandInEffectDescriptor::AddResourceInfo (AAX_EResourceType inResourceType, const char* inInfo)
{
    return Keep ("AddResourceInfo", mLog, "resource " + std::to_string (inResourceType) + " " + Text (inInfo));
}

AAX_Result StandInEffectDescriptor::AddMeterDescription (AAX_CTypeID inMeterID, const char* inMeterName, IACFUnknown* inProperties)
{
    return Keep ("AddMeterDescription", mMeters, Meter { inMeterID, Text (inMeterName), StandInPropertyMap::ContentsOf (inProperties) });
}

AAX_Result StandInEffectDescriptor::AddControlMIDINode (AAX_CTypeID inNodeID, AAX_EMIDINodeType inNodeType, const char* inNodeName, uint32_t inChannelMask)
{
    return Keep ("AddControlMIDINode", mLog, "control midi node " + std::to_string (inNodeID) + " " + std::to_string (inNodeType) + " " + Text (inNodeName) + " " + std::to_string (inChannelMask));
}
