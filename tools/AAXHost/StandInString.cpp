#include "StandInString.h"

uint32_t StandInString::Length() const { return static_cast<uint32_t> (mText.size()); }
uint32_t StandInString::MaxLength() const { return 0xFFFFFFFFu; }
const char* StandInString::Get() const { return mText.c_str(); }

void StandInString::Set (const char* iString)
{
    mText = iString != nullptr ? iString : "";
}

AAX_IString& StandInString::operator= (const AAX_IString& iOther)
{
    Set (iOther.Get());
    return *this;
}

AAX_IString& StandInString::operator= (const char* iString)
{
    Set (iString);
    return *this;
}
