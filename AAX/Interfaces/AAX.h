#pragma once

// Basic types of the AAX interface library.

#include <cstddef>
#include <cstdint>

typedef int32_t AAX_Result;
typedef const char* AAX_CParamID;
typedef uint32_t AAX_CTypeID;
typedef uint8_t AAX_CBoolean;
typedef int32_t AAX_CFieldIndex;
typedef int32_t AAX_CPropertyValue;
typedef float AAX_CSampleRate;
typedef uint32_t AAX_CProcPtrID;
typedef int64_t AAX_CTimeOfDay;

// Calling convention of the procedures the host calls directly; the platform's default.
#ifndef AAX_CALLBACK
#define AAX_CALLBACK
#endif

// Position of a member in a process context, counted in pointer-sized fields.
#define AAX_FIELD_INDEX(aContextType, aMember) \
    ((AAX_CFieldIndex) (offsetof (aContextType, aMember) / sizeof (void*)))

// Identifiers of the factory procedures an effect description registers.
const AAX_CProcPtrID kAAX_ProcPtrID_Create_EffectParameters = 0;
const AAX_CProcPtrID kAAX_ProcPtrID_Create_EffectGUI = 1;

// A view size or position: the vertical value first, then the horizontal one.
struct AAX_Point
{
    float vert;
    float horz;
};

// Manufacturer, product and plug-in identifiers of one effect type.
struct AAX_SPlugInIdentifierTriad
{
    AAX_CTypeID mManufacturerID;
    AAX_CTypeID mProductID;
    AAX_CTypeID mPlugInID;
};

// A host chunk record: the header fields, in the machine's byte order, then the data
// area, fSize bytes long.
struct AAX_SPlugInChunk
{
    int32_t fSize;
    int32_t fVersion;
    uint32_t fHostField1;   // the three host fields are neither written nor read by the library
    uint32_t fHostField2;
    uint32_t fHostField3;
    AAX_CTypeID fChunkID;
    char fName[32];
    char fData[1];
};
