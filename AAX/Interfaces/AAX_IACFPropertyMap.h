#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "IACFUnknown.h"

// The host's property map in its three versions; each carries the operations of the
// one before. Only the third takes pointer-valued properties.

class AAX_IACFPropertyMap : public IACFUnknown
{
public:
    virtual AAX_CBoolean GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue) const = 0;   // 4th
    virtual AAX_Result AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue) = 0;             // 5th
    virtual AAX_Result RemoveProperty (AAX_EProperty inProperty) = 0;                                      // 6th
};

class AAX_IACFPropertyMap_V2 : public AAX_IACFPropertyMap
{
public:
    virtual AAX_Result AddPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad* inPluginIDs, uint32_t inNumPluginIDs) = 0;               // 7th
    virtual AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad** outPluginIDs, uint32_t* outNumPluginIDs) const = 0;   // 8th
};

class AAX_IACFPropertyMap_V3 : public AAX_IACFPropertyMap_V2
{
public:
    virtual AAX_CBoolean GetPointerProperty (AAX_EProperty inProperty, const void** outValue) const = 0;   // 9th
    virtual AAX_Result AddPointerProperty (AAX_EProperty inProperty, const void* inValue) = 0;             // 10th
};
