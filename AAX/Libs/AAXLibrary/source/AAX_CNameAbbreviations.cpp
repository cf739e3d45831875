#include "AAX_CNameAbbreviations.h"

AAX_CNameAbbreviations::AAX_CNameAbbreviations (const AAX_IString& inPrimary)
    : mPrimary (inPrimary)
{
}

void AAX_CNameAbbreviations::Add (const AAX_IString& inAbbreviation)
{
    const AAX_CString abbreviation (inAbbreviation);
    mAbbreviations[static_cast<int32_t> (abbreviation.Length())] = abbreviation;
}

AAX_CString AAX_CNameAbbreviations::Get (int32_t iNumCharacters) const
{
    if (iNumCharacters < 0 || mAbbreviations.empty()
        || mPrimary.Length() <= static_cast<uint32_t> (iNumCharacters))
        return mPrimary;

    auto fitting = mAbbreviations.upper_bound (iNumCharacters);

    if (fitting == mAbbreviations.begin())
        return fitting->second;

    return std::prev (fitting)->second;
}
