#pragma once

#include "AAX.h"
#include "IACFUnknown.h"

class AAX_IString;

// The host's page table in its two versions: pages of parameter slots for a control
// surface, and (second version) shortened parameter names for its displays.

class AAX_IACFPageTable : public IACFUnknown
{
public:
    virtual AAX_Result Clear() = 0;                                                                                     // 4th
    virtual AAX_Result Empty (AAX_CBoolean* outEmpty) const = 0;                                                        // 5th
    virtual AAX_Result GetNumPages (int32_t* outNumPages) const = 0;                                                    // 6th
    virtual AAX_Result InsertPage (int32_t inPage) = 0;                                                                 // 7th
    virtual AAX_Result RemovePage (int32_t inPage) = 0;                                                                 // 8th
    virtual AAX_Result GetNumMappedParameterIDs (int32_t inPage, int32_t* outNumParameterIDs) const = 0;                // 9th
    virtual AAX_Result ClearMappedParameter (int32_t inPage, int32_t inIndex) = 0;                                      // 10th
    virtual AAX_Result GetMappedParameterID (int32_t inPage, int32_t inIndex, AAX_IString* outParameterID) const = 0;   // 11th
    virtual AAX_Result MapParameterID (AAX_CParamID inParameterID, int32_t inPage, int32_t inIndex) = 0;                // 12th
};

class AAX_IACFPageTable_V2 : public AAX_IACFPageTable
{
public:
    virtual AAX_Result GetNumParametersWithNameVariations (int32_t* outNumParameters) const = 0;                                                             // 13th
    virtual AAX_Result GetNameVariationParameterIDAtIndex (int32_t inIndex, AAX_IString* outParameterID) const = 0;                                          // 14th
    virtual AAX_Result GetNumNameVariationsForParameter (AAX_CParamID inParameterID, int32_t* outNumVariations) const = 0;                                   // 15th
    virtual AAX_Result GetParameterNameVariationAtIndex (AAX_CParamID inParameterID, int32_t inIndex, AAX_IString* outName, int32_t* outLength) const = 0;   // 16th
    virtual AAX_Result GetParameterNameVariationOfLength (AAX_CParamID inParameterID, int32_t inLength, AAX_IString* outName) const = 0;                     // 17th
    virtual AAX_Result ClearParameterNameVariations() = 0;                                                                                                   // 18th
    virtual AAX_Result ClearNameVariationsForParameter (AAX_CParamID inParameterID) = 0;                                                                     // 19th
    virtual AAX_Result SetParameterNameVariation (AAX_CParamID inParameterID, const char* inName, int32_t inLength) = 0;                                     // 20th
};
