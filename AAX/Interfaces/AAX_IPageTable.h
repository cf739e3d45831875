#pragma once

#include "AAX.h"

class AAX_IString;

// One page table: the layout of the effect's parameters on a control surface.
class AAX_IPageTable
{
public:
    virtual ~AAX_IPageTable() = default;

    virtual AAX_Result Clear() = 0;
    virtual AAX_Result Empty (AAX_CBoolean* outEmpty) const = 0;
    virtual AAX_Result GetNumPages (int32_t* outNumPages) const = 0;
    virtual AAX_Result InsertPage (int32_t inPage) = 0;
    virtual AAX_Result RemovePage (int32_t inPage) = 0;
    virtual AAX_Result GetNumMappedParameterIDs (int32_t inPage, int32_t* outNumParameterIDs) const = 0;
    virtual AAX_Result ClearMappedParameter (int32_t inPage, int32_t inIndex) = 0;
    virtual AAX_Result GetMappedParameterID (int32_t inPage, int32_t inIndex, AAX_IString* outParameterID) const = 0;
    virtual AAX_Result MapParameterID (AAX_CParamID inParameterID, int32_t inPage, int32_t inIndex) = 0;

    virtual AAX_Result GetNumParametersWithNameVariations (int32_t* outNumParameters) const = 0;
    virtual AAX_Result GetNameVariationParameterIDAtIndex (int32_t inIndex, AAX_IString* outParameterID) const = 0;
    virtual AAX_Result GetNumNameVariationsForParameter (AAX_CParamID inParameterID, int32_t* outNumVariations) const = 0;
    virtual AAX_Result GetParameterNameVariationAtIndex (AAX_CParamID inParameterID, int32_t inIndex, AAX_IString* outName, int32_t* outLength) const = 0;
    virtual AAX_Result GetParameterNameVariationOfLength (AAX_CParamID inParameterID, int32_t inLength, AAX_IString* outName) const = 0;
    virtual AAX_Result ClearParameterNameVariations() = 0;
    virtual AAX_Result ClearNameVariationsForParameter (AAX_CParamID inParameterID) = 0;
    virtual AAX_Result SetParameterNameVariation (AAX_CParamID inParameterID, const char* inName, int32_t inLength) = 0;
};
