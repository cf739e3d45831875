#include "AAX_VEffectDescriptor.h"
#include "AAX_Errors.h"
#include "AAX_HostObjects.h"
#include "AAX_UIDs.h"
#include "AAX_VComponentDescriptor.h"
#include "AAX_VPropertyMap.h"

namespace
{
    IACFUnknown* unknownOf (const AAX_IPropertyMap* inProperties)
    {
        return inProperties != nullptr ? inProperties->GetIUnknown() : nullptr;
    }
}

AAX_VEffectDescriptor::AAX_VEffectDescriptor (IACFUnknown* inHostUnknown)
{
    mHostUnknown.Share (inHostUnknown);
    mIACFEffectDescriptor.Reset (static_cast<AAX_IACFEffectDescriptor*> (
        AAX_CreateHostComponent (inHostUnknown, CLSID_AAXEffectDescriptor, IID_IAAXEffectDescriptorV1)));
    mIACFEffectDescriptorV2.Reset (static_cast<AAX_IACFEffectDescriptor_V2*> (
        AAX_QueryHostInterface (mIACFEffectDescriptor.Get(), IID_IAAXEffectDescriptorV2)));
}

AAX_VEffectDescriptor::~AAX_VEffectDescriptor()
{
    mComponentDescriptors.clear();
    mPropertyMaps.clear();
    mIACFEffectDescriptorV2.Reset();
    mIACFEffectDescriptor.Reset();
    mHostUnknown.Reset();
}

AAX_IComponentDescriptor* AAX_VEffectDescriptor::NewComponentDescriptor()
{
    mComponentDescriptors.push_back (std::make_unique<AAX_VComponentDescriptor> (mHostUnknown.Get()));
    return mComponentDescriptors.back().get();
}

AAX_Result AAX_VEffectDescriptor::AddComponent (AAX_IComponentDescriptor* inComponentDescriptor)
{
    if (! mIACFEffectDescriptor)
        return AAX_ERROR_NULL_OBJECT;

    // Only descriptors made by the library carry a host object.
    const auto* descriptor = dynamic_cast<const AAX_VComponentDescriptor*> (inComponentDescriptor);
    return mIACFEffectDescriptor->AddComponent (descriptor != nullptr ? descriptor->GetIUnknown() : nullptr);
}

AAX_Result AAX_VEffectDescriptor::AddName (const char* inPlugInName)
{
    return mIACFEffectDescriptor ? mIACFEffectDescriptor->AddName (inPlugInName) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddCategory (uint32_t inCategory)
{
    return mIACFEffectDescriptor ? mIACFEffectDescriptor->AddCategory (inCategory) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddCategoryBypassParameter (uint32_t inCategory, AAX_CParamID inParamID)
{
    return mIACFEffectDescriptor ? mIACFEffectDescriptor->AddCategoryBypassParameter (inCategory, inParamID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddProcPtr (void* inProcPtr, AAX_CProcPtrID inProcID)
{
    return mIACFEffectDescriptor ? mIACFEffectDescriptor->AddProcPtr (inProcPtr, inProcID) : AAX_ERROR_NULL_OBJECT;
}

AAX_IPropertyMap* AAX_VEffectDescriptor::NewPropertyMap()
{
    mPropertyMaps.emplace_back (AAX_VPropertyMap::Create (mHostUnknown.Get()));
    return mPropertyMaps.back().get();
}

AAX_Result AAX_VEffectDescriptor::SetProperties (AAX_IPropertyMap* inProperties)
{
    return mIACFEffectDescriptor ? mIACFEffectDescriptor->SetProperties (unknownOf (inProperties)) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddResourceInfo (AAX_EResourceType inResourceType, const char* inInfo)
{
    return mIACFEffectDescriptor ? mIACFEffectDescriptor->AddResourceInfo (inResourceType, inInfo) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddMeterDescription (AAX_CTypeID inMeterID, const char* inMeterName, AAX_IPropertyMap* inProperties)
{
    if (! mIACFEffectDescriptor)
        return AAX_ERROR_NULL_OBJECT;

    IACFUnknown* const properties = unknownOf (inProperties);

    // Reading the map calls the host, which must not take the descriptor away meanwhile.
    if (! mIACFEffectDescriptor)
        throw ACF_E_POINTER;

    return mIACFEffectDescriptor->AddMeterDescription (inMeterID, inMeterName, properties);
}

AAX_Result AAX_VEffectDescriptor::AddControlMIDINode (AAX_CTypeID inNodeID, AAX_EMIDINodeType inNodeType, const char inNodeName[], uint32_t inChannelMask)
{
    return mIACFEffectDescriptorV2 ? mIACFEffectDescriptorV2->AddControlMIDINode (inNodeID, inNodeType, inNodeName, inChannelMask)
                                   : AAX_ERROR_UNIMPLEMENTED;
}
