#include "StandInPageTable.h"
#include "StandInHost.h"

#include "AAX_Errors.h"
#include "AAX_IString.h"
#include "AAX_UIDs.h"

#include <iterator>

namespace
{
    std::string text (const char* s) { return s != nullptr ? s : ""; }
}

StandInPageTable::StandInPageTable (StandInHost& host)
    : StandInObject ("page table"), mHost (host)
{
}

ACFRESULT StandInPageTable::QueryInterface (const acfIID& iid, void** ppOut)
{
    const bool known = iid == IID_IACFUnknown || iid == IID_IAAXPageTableV1 || iid == IID_IAAXPageTableV2;
    return Answer (mHost.Offers (iid), known ? static_cast<AAX_IACFPageTable_V2*> (this) : nullptr, ppOut);
}

acfUInt32 StandInPageTable::AddRef() { return CountAddRef(); }
acfUInt32 StandInPageTable::Release() { return CountRelease(); }

AAX_Result StandInPageTable::Clear()
{
    NoteCall ("Clear");
    mPages.clear();
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::Empty (AAX_CBoolean* outEmpty) const
{
    if (outEmpty == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *outEmpty = mPages.empty() ? 1 : 0;
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::GetNumPages (int32_t* outNumPages) const
{
    if (outNumPages == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *outNumPages = static_cast<int32_t> (mPages.size());
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::InsertPage (int32_t inPage)
{
    NoteCall ("InsertPage");

    if (inPage < 0 || static_cast<size_t> (inPage) > mPages.size())
        return AAX_ERROR_INVALID_ARGUMENT;

    mPages.insert (mPages.begin() + inPage, std::map<int32_t, std::string>());
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::RemovePage (int32_t inPage)
{
    NoteCall ("RemovePage");

    if (! ValidPage (inPage))
        return AAX_ERROR_INVALID_ARGUMENT;

    mPages.erase (mPages.begin() + inPage);
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::GetNumMappedParameterIDs (int32_t inPage, int32_t* outNumParameterIDs) const
{
    if (! ValidPage (inPage) || outNumParameterIDs == nullptr)
        return AAX_ERROR_INVALID_ARGUMENT;

    *outNumParameterIDs = static_cast<int32_t> (mPages[static_cast<size_t> (inPage)].size());
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::ClearMappedParameter (int32_t inPage, int32_t inIndex)
{
    NoteCall ("ClearMappedParameter");

    if (! ValidPage (inPage))
        return AAX_ERROR_INVALID_ARGUMENT;

    mPages[static_cast<size_t> (inPage)].erase (inIndex);
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::GetMappedParameterID (int32_t inPage, int32_t inIndex, AAX_IString* outParameterID) const
{
    if (! ValidPage (inPage) || outParameterID == nullptr)
        return AAX_ERROR_INVALID_ARGUMENT;

    const auto& page = mPages[static_cast<size_t> (inPage)];
    const auto found = page.find (inIndex);

    if (found == page.end())
        return AAX_ERROR_INVALID_ARGUMENT;

    outParameterID->Set (found->second.c_str());
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::MapParameterID (AAX_CParamID inParameterID, int32_t inPage, int32_t inIndex)
{
    NoteCall ("MapParameterID");

    if (! ValidPage (inPage))
        return AAX_ERROR_INVALID_ARGUMENT;

    mPages[static_cast<size_t> (inPage)][inIndex] = text (inParameterID);
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::GetNumParametersWithNameVariations (int32_t* outNumParameters) const
{
    if (outNumParameters == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *outNumParameters = static_cast<int32_t> (mNameVariations.size());
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::GetNameVariationParameterIDAtIndex (int32_t inIndex, AAX_IString* outParameterID) const
{
    if (inIndex < 0 || static_cast<size_t> (inIndex) >= mNameVariations.size() || outParameterID == nullptr)
        return AAX_ERROR_INVALID_ARGUMENT;

    outParameterID->Set (std::next (mNameVariations.begin(), inIndex)->first.c_str());
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::GetNumNameVariationsForParameter (AAX_CParamID inParameterID, int32_t* outNumVariations) const
{
    if (outNumVariations == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    const auto found = mNameVariations.find (text (inParameterID));
    *outNumVariations = found != mNameVariations.end() ? static_cast<int32_t> (found->second.size()) : 0;
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::GetParameterNameVariationAtIndex (AAX_CParamID inParameterID, int32_t inIndex, AAX_IString* outName, int32_t* outLength) const
{
    const auto found = mNameVariations.find (text (inParameterID));

    if (found == mNameVariations.end() || inIndex < 0 || static_cast<size_t> (inIndex) >= found->second.size()
        || outName == nullptr || outLength == nullptr)
        return AAX_ERROR_INVALID_ARGUMENT;

    const auto variation = std::next (found->second.begin(), inIndex);
    outName->Set (variation->second.c_str());
    *outLength = variation->first;
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::GetParameterNameVariationOfLength (AAX_CParamID inParameterID, int32_t inLength, AAX_IString* outName) const
{
    const auto found = mNameVariations.find (text (inParameterID));

    if (found == mNameVariations.end() || outName == nullptr || found->second.count (inLength) == 0)
        return AAX_ERROR_INVALID_ARGUMENT;

    outName->Set (found->second.at (inLength).c_str());
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::ClearParameterNameVariations()
{
    NoteCall ("ClearParameterNameVariations");
    mNameVariations.clear();
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::ClearNameVariationsForParameter (AAX_CParamID inParameterID)
{
    NoteCall ("ClearNameVariationsForParameter");
    mNameVariations.erase (text (inParameterID));
    return AAX_SUCCESS;
}

AAX_Result StandInPageTable::SetParameterNameVariation (AAX_CParamID inParameterID, const char* inName, int32_t inLength)
{
    NoteCall ("SetParameterNameVariation");
    mNameVariations[text (inParameterID)][inLength] = text (inName);
    return AAX_SUCCESS;
}
