#pragma once

#include "AAX_IACFPropertyMap.h"
#include "StandInObject.h"

#include <map>
#include <string>
#include <vector>

class StandInHost;

// The host's property map in all three versions.
class StandInPropertyMap : public AAX_IACFPropertyMap_V3, public StandInObject
{
public:
    // What a map holds; descriptors keep a copy of each map handed to them.
    struct Contents
    {
        std::map<int32_t, int32_t> values;
        std::map<int32_t, const void*> pointers;
        std::map<int32_t, std::string> texts;   // the texts behind pointer properties 39 to 42
        std::map<int32_t, std::vector<AAX_SPlugInIdentifierTriad>> idArrays;

        bool Has (int32_t id) const { return values.count (id) != 0; }
    };

    StandInPropertyMap (StandInHost& host, Contents contents = {});

    const Contents& Held() const { return mContents; }

    // The contents of a map the library handed over (empty for null or a foreign object).
    static Contents ContentsOf (IACFUnknown* inProperties);

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

    AAX_CBoolean GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue) const override;
    AAX_Result AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue) override;
    AAX_Result RemoveProperty (AAX_EProperty inProperty) override;
    AAX_Result AddPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad* inPluginIDs, uint32_t inNumPluginIDs) override;
    AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad** outPluginIDs, uint32_t* outNumPluginIDs) const override;
    AAX_CBoolean GetPointerProperty (AAX_EProperty inProperty, const void** outValue) const override;
    AAX_Result AddPointerProperty (AAX_EProperty inProperty, const void* inValue) override;

private:
    StandInHost& mHost;
    Contents mContents;
};
