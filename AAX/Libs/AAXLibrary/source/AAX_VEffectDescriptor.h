#pragma once

#include "AAX_CHostReference.h"
#include "AAX_IACFEffectDescriptor.h"
#include "AAX_IEffectDescriptor.h"

#include <memory>
#include <vector>

class AAX_VComponentDescriptor;
class AAX_VPropertyMap;

// Any thread: takes no lock and allocates; lives within one registration, never shared.
// Wraps a host effect descriptor; owns the component descriptors and maps made through it.
class AAX_VEffectDescriptor : public AAX_IEffectDescriptor
{
public:
    // Creates the host's descriptor through its factory; throws ACF_E_POINTER when the
    // factory query succeeds without an object.
    explicit AAX_VEffectDescriptor (IACFUnknown* inHostUnknown);
    ~AAX_VEffectDescriptor() override;

    AAX_VEffectDescriptor (const AAX_VEffectDescriptor&) = delete;
    AAX_VEffectDescriptor& operator= (const AAX_VEffectDescriptor&) = delete;

    AAX_IComponentDescriptor* NewComponentDescriptor() override;
    AAX_Result AddComponent (AAX_IComponentDescriptor* inComponentDescriptor) override;
    AAX_Result AddName (const char* inPlugInName) override;
    AAX_Result AddCategory (uint32_t inCategory) override;
    AAX_Result AddCategoryBypassParameter (uint32_t inCategory, AAX_CParamID inParamID) override;
    AAX_Result AddProcPtr (void* inProcPtr, AAX_CProcPtrID inProcID) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result SetProperties (AAX_IPropertyMap* inProperties) override;
    AAX_Result AddResourceInfo (AAX_EResourceType inResourceType, const char* inInfo) override;
    AAX_Result AddMeterDescription (AAX_CTypeID inMeterID, const char* inMeterName, AAX_IPropertyMap* inProperties) override;
    AAX_Result AddControlMIDINode (AAX_CTypeID inNodeID, AAX_EMIDINodeType inNodeType, const char inNodeName[], uint32_t inChannelMask) override;

    // The host interface handed to the collection's AddEffect.
    IACFUnknown* GetIUnknown() const { return mIACFEffectDescriptor.Get(); }

private:
    AAX_CHostReference<IACFUnknown> mHostUnknown;
    AAX_CHostReference<AAX_IACFEffectDescriptor> mIACFEffectDescriptor;
    AAX_CHostReference<AAX_IACFEffectDescriptor_V2> mIACFEffectDescriptorV2;
    std::vector<std::unique_ptr<AAX_VComponentDescriptor>> mComponentDescriptors;
    std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
