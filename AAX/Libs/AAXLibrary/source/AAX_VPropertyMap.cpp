#include "AAX_VPropertyMap.h"
#include "AAX_Errors.h"
#include "AAX_HostObjects.h"
#include "AAX_UIDs.h"

#include <memory>

namespace
{
    bool isLocalPointerProperty (AAX_EProperty inProperty)
    {
        return inProperty >= AAX_eProperty_NativeProcessProc && inProperty <= AAX_eProperty_TIBackgroundProc;
    }

    // Channel formats that need a host able to say whether it supports them.
    bool needsDescriptionHost (AAX_EProperty inProperty, AAX_CPropertyValue inValue)
    {
        if (inProperty != AAX_eProperty_InputStemFormat && inProperty != AAX_eProperty_OutputStemFormat)
            return false;

        const auto value = static_cast<uint32_t> (inValue);
        return value >= 0xD0000u && value != 0xFFFF0000u && value != 0xFF9C0000u;
    }
}

AAX_VPropertyMap::AAX_VPropertyMap() = default;

AAX_VPropertyMap::~AAX_VPropertyMap()
{
    mLocalPointerProperties.clear();
    mLocalTexts.clear();
    mIACFDescriptionHost.Reset();
    mIACFPropertyMapV3.Reset();
    mIACFPropertyMapV2.Reset();
    mIACFPropertyMap.Reset();
}

AAX_VPropertyMap* AAX_VPropertyMap::Create (IACFUnknown* inHostUnknown)
{
    std::unique_ptr<AAX_VPropertyMap> map (new AAX_VPropertyMap());
    AAX_CHostReference<IACFComponentFactory> factory;
    factory.Reset (AAX_AcquireComponentFactory (inHostUnknown));

    if (factory)
    {
        map->mIACFPropertyMap.Reset (static_cast<AAX_IACFPropertyMap*> (
            AAX_CreateHostComponent (factory.Get(), CLSID_AAXPropertyMap, IID_IAAXPropertyMapV1)));
        map->mIACFPropertyMapV2.Reset (static_cast<AAX_IACFPropertyMap_V2*> (AAX_QueryHostInterface (map->mIACFPropertyMap.Get(), IID_IAAXPropertyMapV2)));
        map->mIACFPropertyMapV3.Reset (static_cast<AAX_IACFPropertyMap_V3*> (AAX_QueryHostInterface (map->mIACFPropertyMap.Get(), IID_IAAXPropertyMapV3)));
    }

    // The first object that knows the description host answers.
    IACFUnknown* const candidates[] = { inHostUnknown, factory.Get(), map->mIACFPropertyMapV2.Get(),
                                        map->mIACFPropertyMapV3.Get(), map->mIACFPropertyMap.Get() };

    for (IACFUnknown* candidate : candidates)
    {
        if (map->mIACFDescriptionHost)
            break;

        map->mIACFDescriptionHost.Reset (static_cast<AAX_IACFDescriptionHost*> (AAX_QueryHostInterface (candidate, IID_IAAXDescriptionHostV1)));
    }

    return map.release();
}

AAX_VPropertyMap* AAX_VPropertyMap::Acquire (IACFUnknown* inPropertyMapUnknown)
{
    std::unique_ptr<AAX_VPropertyMap> map (new AAX_VPropertyMap());
    map->QueryVersions (inPropertyMapUnknown);
    map->mIACFDescriptionHost.Reset (static_cast<AAX_IACFDescriptionHost*> (AAX_QueryHostInterface (inPropertyMapUnknown, IID_IAAXDescriptionHostV1)));
    return map.release();
}

void AAX_VPropertyMap::QueryVersions (IACFUnknown* inObject)
{
    mIACFPropertyMap.Reset (static_cast<AAX_IACFPropertyMap*> (AAX_QueryHostInterface (inObject, IID_IAAXPropertyMapV1)));
    mIACFPropertyMapV2.Reset (static_cast<AAX_IACFPropertyMap_V2*> (AAX_QueryHostInterface (inObject, IID_IAAXPropertyMapV2)));
    mIACFPropertyMapV3.Reset (static_cast<AAX_IACFPropertyMap_V3*> (AAX_QueryHostInterface (inObject, IID_IAAXPropertyMapV3)));
}

AAX_CBoolean AAX_VPropertyMap::GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue) const
{
    return mIACFPropertyMap ? mIACFPropertyMap->GetProperty (inProperty, outValue) : 0;
}

AAX_CBoolean AAX_VPropertyMap::GetPointerProperty (AAX_EProperty inProperty, const void** outValue) const
{
    if (mIACFPropertyMapV3)
        return mIACFPropertyMapV3->GetPointerProperty (inProperty, outValue);

    if (outValue == nullptr)
        return 0;

    const auto found = mLocalPointerProperties.find (inProperty);

    if (found == mLocalPointerProperties.end())
        return 0;

    *outValue = found->second;
    return 1;
}

AAX_Result AAX_VPropertyMap::AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue)
{
    if (needsDescriptionHost (inProperty, inValue) && ! mIACFDescriptionHost)
        return AAX_ERROR_PROPERTY_UNDEFINED;

    return mIACFPropertyMap ? mIACFPropertyMap->AddProperty (inProperty, inValue) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VPropertyMap::AddPointerProperty (AAX_EProperty inProperty, const void* inValue)
{
    if (mIACFPropertyMapV3)
        return mIACFPropertyMapV3->AddPointerProperty (inProperty, inValue);

    mLocalTexts.erase (inProperty);
    return StorePointer (inProperty, inValue);
}

AAX_Result AAX_VPropertyMap::AddPointerProperty (AAX_EProperty inProperty, const char* inValue)
{
    // The host copies what it is given during the call; the local store keeps a copy.
    if (mIACFPropertyMapV3 || inValue == nullptr || ! isLocalPointerProperty (inProperty))
        return AddPointerProperty (inProperty, static_cast<const void*> (inValue));

    auto& copy = mLocalTexts[inProperty];
    copy = inValue;
    return StorePointer (inProperty, copy.c_str());
}

AAX_Result AAX_VPropertyMap::StorePointer (AAX_EProperty inProperty, const void* inValue)
{
    if (! isLocalPointerProperty (inProperty))
        return AAX_ERROR_UNIMPLEMENTED;

    mLocalPointerProperties[inProperty] = inValue;
    return AAX_SUCCESS;
}

AAX_Result AAX_VPropertyMap::RemoveProperty (AAX_EProperty inProperty)
{
    return mIACFPropertyMap ? mIACFPropertyMap->RemoveProperty (inProperty) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VPropertyMap::AddPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad* inPluginIDs, uint32_t inNumPluginIDs)
{
    return mIACFPropertyMapV2 ? mIACFPropertyMapV2->AddPropertyWithIDArray (inProperty, inPluginIDs, inNumPluginIDs) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_CBoolean AAX_VPropertyMap::GetPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad** outPluginIDs, uint32_t* outNumPluginIDs) const
{
    return mIACFPropertyMapV2 ? mIACFPropertyMapV2->GetPropertyWithIDArray (inProperty, outPluginIDs, outNumPluginIDs) : 0;
}

IACFUnknown* AAX_VPropertyMap::GetIUnknown() const
{
    if (mIACFPropertyMapV3)
        return mIACFPropertyMapV3.Get();

    if (mIACFPropertyMapV2)
        return mIACFPropertyMapV2.Get();

    return mIACFPropertyMap.Get();
}
