#pragma once

#include "AAX_CString.h"

#include <cstdint>
#include <iterator>
#include <map>

// A full name and its shortened forms, one per length.
class AAX_CNameAbbreviations
{
public:
    explicit AAX_CNameAbbreviations (const AAX_IString& inPrimary);

    void SetPrimary (const AAX_CString& inPrimary) { mPrimary = inPrimary; }
    const AAX_CString& Primary() const { return mPrimary; }

    // Stores a copy under its length, replacing one of the same length.
    void Add (const AAX_IString& inAbbreviation);

    // The full name when it fits or when iNumCharacters is negative; else the longest
    // shortened name that fits, or the shortest one when none fits.
    AAX_CString Get (int32_t iNumCharacters) const;

    void Clear() { mAbbreviations.clear(); }

private:
    AAX_CString mPrimary;
    std::map<int32_t, AAX_CString> mAbbreviations;
};
