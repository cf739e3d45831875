#pragma once

#include "AAX_CHostReference.h"
#include "AAX_IACFCollection.h"
#include "AAX_ICollection.h"
#include "AAX_VDescriptionHost.h"

#include <memory>
#include <vector>

class AAX_VEffectDescriptor;
class AAX_VPropertyMap;

// Any thread: takes no lock and allocates; lives within one registration, never shared.
// Wraps the host's collection for one registration; owns every descriptor and map made
// through it.
class AAX_VCollection : public AAX_ICollection
{
public:
    // Creates the host's collection through its factory; throws ACF_E_POINTER when the
    // factory query succeeds without an object.
    explicit AAX_VCollection (IACFUnknown* inHostUnknown);
    ~AAX_VCollection() override;

    AAX_VCollection (const AAX_VCollection&) = delete;
    AAX_VCollection& operator= (const AAX_VCollection&) = delete;

    AAX_IEffectDescriptor* NewDescriptor() override;
    AAX_Result AddEffect (const char* inEffectID, AAX_IEffectDescriptor* inEffectDescriptor) override;
    AAX_Result SetManufacturerName (const char* inPackageName) override;
    AAX_Result AddPackageName (const char* inPackageName) override;
    AAX_Result SetPackageVersion (uint32_t inVersion) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result SetProperties (AAX_IPropertyMap* inProperties) override;
    AAX_IDescriptionHost* DescriptionHost() override;
    const AAX_IDescriptionHost* DescriptionHost() const override;
    IACFDefinition* HostDefinition() const override;

    // The host's collection, asked for the finished plug-in definition; null when the
    // host could not make one.
    AAX_IACFCollection* GetIUnknown() const { return mIACFCollection.Get(); }

private:
    AAX_CHostReference<IACFUnknown> mHostUnknown;
    AAX_CHostReference<AAX_IACFCollection> mIACFCollection;
    AAX_VDescriptionHost mDescriptionHost;
    std::vector<std::unique_ptr<AAX_VEffectDescriptor>> mEffectDescriptors;
    std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
