#include "AAX_CString.h"

#include <cstring>
#include <iomanip>
#include <locale>
#include <sstream>

namespace
{
    const char* orEmpty (const char* s) { return s != nullptr ? s : ""; }
}

AAX_CString::AAX_CString() = default;
AAX_CString::AAX_CString (const char* iString) : mString (orEmpty (iString)) {}
AAX_CString::AAX_CString (const AAX_CString& iOther) : AAX_IString(), mString (iOther.mString) {}
AAX_CString::AAX_CString (const AAX_IString& iOther) : mString (orEmpty (iOther.Get())) {}
AAX_CString::~AAX_CString() = default;

uint32_t AAX_CString::Length() const { return static_cast<uint32_t> (mString.size()); }
uint32_t AAX_CString::MaxLength() const { return 0xFFFFFFFEu; }
const char* AAX_CString::Get() const { return mString.c_str(); }
const char* AAX_CString::CString() const { return mString.c_str(); }
void AAX_CString::Set (const char* iString) { mString = orEmpty (iString); }
void AAX_CString::Clear() { mString.clear(); }

AAX_IString& AAX_CString::operator= (const AAX_IString& iOther)
{
    if (&iOther != this)
        mString = orEmpty (iOther.Get());
    return *this;
}

AAX_IString& AAX_CString::operator= (const char* iString)
{
    mString = orEmpty (iString);
    return *this;
}

AAX_CString& AAX_CString::operator= (const AAX_CString& iOther)
{
    mString = iOther.mString;
    return *this;
}

AAX_CString& AAX_CString::Erase (uint32_t iPos, uint32_t iLength)
{
    if (iPos < mString.size())
        mString.erase (iPos, iLength);
    return *this;
}

AAX_CString& AAX_CString::AppendNumber (double iValue, int32_t iPrecision)
{
    std::ostringstream stream;
    stream.imbue (std::locale::classic());   // a host's global locale must not change the decimal point
    stream << std::fixed << std::setprecision (iPrecision) << iValue;
    mString += stream.str();
    return *this;
}

bool AAX_CString::ToDouble (double* oValue) const
{
    std::istringstream stream (mString);
    stream.imbue (std::locale::classic());
    double value = 0.0;
    const bool ok = static_cast<bool> (stream >> value);

    if (oValue != nullptr)
        *oValue = ok ? value : 0.0;

    return ok;
}

void AAX_CString::SubString (uint32_t iPos, uint32_t iLength, AAX_IString* oString) const
{
    if (oString == nullptr)
        return;

    if (iPos > mString.size())
        oString->Set ("");
    else
        oString->Set (mString.substr (iPos, iLength).c_str());
}

char& AAX_CString::operator[] (uint32_t iIndex) { return mString[iIndex]; }
const char& AAX_CString::operator[] (uint32_t iIndex) const { return mString[iIndex]; }

bool operator== (const AAX_CString& a, const AAX_CString& b) { return std::strcmp (a.Get(), b.Get()) == 0; }
bool operator!= (const AAX_CString& a, const AAX_CString& b) { return ! (a == b); }
bool operator== (const AAX_CString& a, const char* b) { return std::strcmp (a.Get(), orEmpty (b)) == 0; }
bool operator!= (const AAX_CString& a, const char* b) { return ! (a == b); }
