#pragma once

#include "AAX_IString.h"

#include <cstdint>
#include <string>

// The library's text: 8-bit characters, always followed by a zero byte.
// A null text reads as the empty text.
class AAX_CString : public AAX_IString
{
public:
    AAX_CString();
    AAX_CString (const char* iString);
    AAX_CString (const AAX_CString& iOther);
    AAX_CString (const AAX_IString& iOther);
    ~AAX_CString() override;

    uint32_t Length() const override;
    uint32_t MaxLength() const override;
    const char* Get() const override;
    void Set (const char* iString) override;
    AAX_IString& operator= (const AAX_IString& iOther) override;
    AAX_IString& operator= (const char* iString) override;

    AAX_CString& operator= (const AAX_CString& iOther);

    const char* CString() const;
    void Clear();

    // Removes up to iLength bytes from iPos; a position at or beyond the end changes nothing.
    AAX_CString& Erase (uint32_t iPos, uint32_t iLength);

    // Appends the value in fixed-point notation with iPrecision digits after the point.
    AAX_CString& AppendNumber (double iValue, int32_t iPrecision);

    // Parses the text as a decimal number; on failure writes 0 and returns false.
    bool ToDouble (double* oValue) const;

    // Sets oString to at most iLength bytes from iPos; a position beyond the end gives the empty text.
    void SubString (uint32_t iPos, uint32_t iLength, AAX_IString* oString) const;

    char& operator[] (uint32_t iIndex);
    const char& operator[] (uint32_t iIndex) const;

private:
    std::string mString;
};

bool operator== (const AAX_CString& a, const AAX_CString& b);
bool operator!= (const AAX_CString& a, const AAX_CString& b);
bool operator== (const AAX_CString& a, const char* b);
bool operator!= (const AAX_CString& a, const char* b);
