#pragma once

#include "AAX_CHostReference.h"
#include "AAX_IACFPageTable.h"
#include "AAX_IPageTable.h"

// Every operation: any thread; takes no lock, allocates nothing and calls the host's object synchronously.
// Wraps a host page table; every operation answers -20009 without its version.
class AAX_VPageTable : public AAX_IPageTable
{
public:
    explicit AAX_VPageTable (IACFUnknown* pUnknown);
    ~AAX_VPageTable() override;

    AAX_VPageTable (const AAX_VPageTable&) = delete;
    AAX_VPageTable& operator= (const AAX_VPageTable&) = delete;

    AAX_Result Clear() override;
    AAX_Result Empty (AAX_CBoolean* outEmpty) const override;
    AAX_Result GetNumPages (int32_t* outNumPages) const override;
    AAX_Result InsertPage (int32_t inPage) override;
    AAX_Result RemovePage (int32_t inPage) override;
    AAX_Result GetNumMappedParameterIDs (int32_t inPage, int32_t* outNumParameterIDs) const override;
    AAX_Result ClearMappedParameter (int32_t inPage, int32_t inIndex) override;
    AAX_Result GetMappedParameterID (int32_t inPage, int32_t inIndex, AAX_IString* outParameterID) const override;
    AAX_Result MapParameterID (AAX_CParamID inParameterID, int32_t inPage, int32_t inIndex) override;

    AAX_Result GetNumParametersWithNameVariations (int32_t* outNumParameters) const override;
    AAX_Result GetNameVariationParameterIDAtIndex (int32_t inIndex, AAX_IString* outParameterID) const override;
    AAX_Result GetNumNameVariationsForParameter (AAX_CParamID inParameterID, int32_t* outNumVariations) const override;
    AAX_Result GetParameterNameVariationAtIndex (AAX_CParamID inParameterID, int32_t inIndex, AAX_IString* outName, int32_t* outLength) const override;
    AAX_Result GetParameterNameVariationOfLength (AAX_CParamID inParameterID, int32_t inLength, AAX_IString* outName) const override;
    AAX_Result ClearParameterNameVariations() override;
    AAX_Result ClearNameVariationsForParameter (AAX_CParamID inParameterID) override;
    AAX_Result SetParameterNameVariation (AAX_CParamID inParameterID, const char* inName, int32_t inLength) override;

    // Whether the host offers the first version; an effect without it has no table to fill.
    bool HasInterface() const { return static_cast<bool> (mIACFPageTable); }

private:
    AAX_CHostReference<AAX_IACFPageTable> mIACFPageTable;
    AAX_CHostReference<AAX_IACFPageTable_V2> mIACFPageTableV2;
};
