#pragma once

#include "AAX.h"
#include "IACFUnknown.h"

// The host's page-table service in its two versions. Each operation fills the given
// page-table object (created by the library through the host's factory) with a copy of
// a table the host knows.

class AAX_IACFPageTableController : public IACFUnknown
{
public:
    virtual AAX_Result CopyTableForEffect (AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID, AAX_CPropertyValue inPlugInID,
                                           uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* ioPageTable) const = 0;   // 4th
    virtual AAX_Result CopyTableOfLayoutForEffect (const char* inEffectID, const char* inLayoutName,
                                                   uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* ioPageTable) const = 0;   // 5th
};

class AAX_IACFPageTableController_V2 : public AAX_IACFPageTableController
{
public:
    virtual AAX_Result CopyTableForEffectFromFile (const char* inPageTableFilePath, int32_t inFilePathEncoding,
                                                   AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID, AAX_CPropertyValue inPlugInID,
                                                   uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* ioPageTable) const = 0;   // 6th
    virtual AAX_Result CopyTableOfLayoutFromFile (const char* inPageTableFilePath, int32_t inFilePathEncoding, const char* inLayoutName,
                                                  uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* ioPageTable) const = 0;   // 7th
};
