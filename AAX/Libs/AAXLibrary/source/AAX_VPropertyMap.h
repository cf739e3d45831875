#pragma once

#include "AAX_CHostReference.h"
#include "AAX_IACFDescriptionHost.h"
#include "AAX_IACFPropertyMap.h"
#include "AAX_IPropertyMap.h"

#include <map>
#include <string>

// Any thread: takes no lock and allocates; lives within one registration, never shared.
// Wraps a host property map. Hosts without the third version cannot take pointer
// properties; for them the map keeps the procedure properties (36 to 42) itself, for
// the component descriptor to register one by one.
class AAX_VPropertyMap : public AAX_IPropertyMap
{
public:
    // Over the host object: creates a new host map through the host's factory.
    static AAX_VPropertyMap* Create (IACFUnknown* inHostUnknown);
    // Over a map the host already made.
    static AAX_VPropertyMap* Acquire (IACFUnknown* inPropertyMapUnknown);

    ~AAX_VPropertyMap() override;

    AAX_VPropertyMap (const AAX_VPropertyMap&) = delete;
    AAX_VPropertyMap& operator= (const AAX_VPropertyMap&) = delete;

    AAX_CBoolean GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue) const override;
    AAX_CBoolean GetPointerProperty (AAX_EProperty inProperty, const void** outValue) const override;
    AAX_Result AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue) override;
    AAX_Result AddPointerProperty (AAX_EProperty inProperty, const void* inValue) override;
    AAX_Result AddPointerProperty (AAX_EProperty inProperty, const char* inValue) override;
    AAX_Result RemoveProperty (AAX_EProperty inProperty) override;
    AAX_Result AddPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad* inPluginIDs, uint32_t inNumPluginIDs) override;
    AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad** outPluginIDs, uint32_t* outNumPluginIDs) const override;
    IACFUnknown* GetIUnknown() const override;

private:
    AAX_VPropertyMap();

    void QueryVersions (IACFUnknown* inObject);
    AAX_Result StorePointer (AAX_EProperty inProperty, const void* inValue);

    AAX_CHostReference<AAX_IACFPropertyMap> mIACFPropertyMap;
    AAX_CHostReference<AAX_IACFPropertyMap_V2> mIACFPropertyMapV2;
    AAX_CHostReference<AAX_IACFPropertyMap_V3> mIACFPropertyMapV3;
    AAX_CHostReference<AAX_IACFDescriptionHost> mIACFDescriptionHost;
    std::map<AAX_EProperty, const void*> mLocalPointerProperties;
    // Copies of texts stored locally, so a stored text outlives the caller's.
    std::map<AAX_EProperty, std::string> mLocalTexts;
};
