#pragma once

#include "AAX_IACFPageTable.h"
#include "StandInObject.h"

#include <map>
#include <string>
#include <vector>

class StandInHost;

// A host page table in both versions: pages of parameter slots, and shortened names per
// parameter and length.
class StandInPageTable : public AAX_IACFPageTable_V2, public StandInObject
{
public:
    explicit StandInPageTable (StandInHost& host);

    // How the host's page-table service filled it.
    std::string filledBy;

    const std::vector<std::map<int32_t, std::string>>& Pages() const { return mPages; }

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

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

private:
    bool ValidPage (int32_t inPage) const { return inPage >= 0 && static_cast<size_t> (inPage) < mPages.size(); }

    StandInHost& mHost;
    std::vector<std::map<int32_t, std::string>> mPages;
    std::map<std::string, std::map<int32_t, std::string>> mNameVariations;
};
