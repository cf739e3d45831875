#pragma once

#include "AAX_IDisplayDelegate.h"

#include <cstdint>

// Shows a two-state value as one of two texts and reads either text back.
template <typename T>
class AAX_CBinaryDisplayDelegate : public AAX_IDisplayDelegate<T>
{
public:
    AAX_CBinaryDisplayDelegate (const char* falseString, const char* trueString)
        : mFalseString (falseString), mTrueString (trueString) {}

    AAX_CBinaryDisplayDelegate* Clone() const override { return new AAX_CBinaryDisplayDelegate (*this); }

    bool ValueToString (T value, AAX_CString* valueString) const override
    {
        if (valueString == nullptr)
            return false;

        *valueString = value != static_cast<T> (false) ? mTrueString : mFalseString;
        return true;
    }

    bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const override
    {
        if (! ValueToString (value, valueString))
            return false;

        const uint32_t limit = maxNumChars < 0 ? 0u : static_cast<uint32_t> (maxNumChars);
        valueString->Erase (limit, valueString->Length());
        return true;
    }

    bool StringToValue (const AAX_CString& valueString, T* value) const override
    {
        const bool isTrue = valueString == mTrueString;

        if (! isTrue && valueString != mFalseString)
            return false;

        if (value != nullptr)
            *value = static_cast<T> (isTrue);

        return true;
    }

private:
    AAX_CString mFalseString;
    AAX_CString mTrueString;
};
