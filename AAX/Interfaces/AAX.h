#pragma once

// Basic types of the AAX interface library.

#include <cstdint>

typedef int32_t     AAX_Result;
typedef const char* AAX_CParamID;
typedef uint32_t    AAX_CTypeID;
typedef uint8_t     AAX_CBoolean;
typedef int32_t     AAX_CFieldIndex;

// A host chunk record: the header fields, in the machine's byte order, then the data
// area, fSize bytes long.
struct AAX_SPlugInChunk
{
    int32_t     fSize;
    int32_t     fVersion;
    uint32_t    fHostField1;   // the three host fields are neither written nor read by the library
    uint32_t    fHostField2;
    uint32_t    fHostField3;
    AAX_CTypeID fChunkID;
    char        fName[32];
    char        fData[1];
};
