#include "AAX_VCollection.h"
#include "AAX_Errors.h"
#include "AAX_HostObjects.h"
#include "AAX_UIDs.h"
#include "AAX_VEffectDescriptor.h"
#include "AAX_VPropertyMap.h"

AAX_VCollection::AAX_VCollection (IACFUnknown* inHostUnknown)
    : mDescriptionHost (inHostUnknown)
{
    mHostUnknown.Share (inHostUnknown);
    mIACFCollection.Reset (static_cast<AAX_IACFCollection*> (AAX_CreateHostComponent (inHostUnknown, CLSID_AAXCollection, IID_IAAXCollectionV1)));
}

AAX_VCollection::~AAX_VCollection()
{
    mEffectDescriptors.clear();
    mPropertyMaps.clear();
}

AAX_IEffectDescriptor* AAX_VCollection::NewDescriptor()
{
    mEffectDescriptors.push_back (std::make_unique<AAX_VEffectDescriptor> (mHostUnknown.Get()));
    return mEffectDescriptors.back().get();
}

AAX_Result AAX_VCollection::AddEffect (const char* inEffectID, AAX_IEffectDescriptor* inEffectDescriptor)
{
    // Only descriptors made by the library carry a host object.
    const auto* descriptor = dynamic_cast<const AAX_VEffectDescriptor*> (inEffectDescriptor);

    if (descriptor == nullptr || ! mIACFCollection)
        return AAX_ERROR_NULL_OBJECT;

    return mIACFCollection->AddEffect (inEffectID, descriptor->GetIUnknown());
}

AAX_Result AAX_VCollection::SetManufacturerName (const char* inPackageName)
{
    return mIACFCollection ? mIACFCollection->SetManufacturerName (inPackageName) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VCollection::AddPackageName (const char* inPackageName)
{
    return mIACFCollection ? mIACFCollection->AddPackageName (inPackageName) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VCollection::SetPackageVersion (uint32_t inVersion)
{
    return mIACFCollection ? mIACFCollection->SetPackageVersion (inVersion) : AAX_ERROR_NULL_OBJECT;
}

AAX_IPropertyMap* AAX_VCollection::NewPropertyMap()
{
    mPropertyMaps.emplace_back (AAX_VPropertyMap::Create (mHostUnknown.Get()));
    return mPropertyMaps.back().get();
}

AAX_Result AAX_VCollection::SetProperties (AAX_IPropertyMap* inProperties)
{
    if (! mIACFCollection)
        return AAX_ERROR_NULL_OBJECT;

    return mIACFCollection->SetProperties (inProperties != nullptr ? inProperties->GetIUnknown() : nullptr);
}

AAX_IDescriptionHost* AAX_VCollection::DescriptionHost()
{
    return mDescriptionHost.Supported() ? &mDescriptionHost : nullptr;
}

const AAX_IDescriptionHost* AAX_VCollection::DescriptionHost() const
{
    return mDescriptionHost.Supported() ? &mDescriptionHost : nullptr;
}

IACFDefinition* AAX_VCollection::HostDefinition() const
{
    return mDescriptionHost.HostDefinition();
}
