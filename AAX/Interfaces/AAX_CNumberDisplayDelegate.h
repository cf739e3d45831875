#pragma once

#include "AAX_IDisplayDelegate.h"

#include <cstdint>
#include <limits>

// Writes values in fixed-point notation with Precision digits after the point.
template <typename T, uint32_t Precision, uint32_t Spacing = 0>
class AAX_CNumberDisplayDelegate : public AAX_IDisplayDelegate<T>
{
    static_assert (Spacing == 0, "only unspaced number texts are supported");

public:
    AAX_CNumberDisplayDelegate* Clone() const override { return new AAX_CNumberDisplayDelegate (*this); }

    bool ValueToString (T value, AAX_CString* valueString) const override
    {
        if (valueString == nullptr)
            return false;

        valueString->Clear();
        valueString->AppendNumber (static_cast<double> (value), static_cast<int32_t> (Precision));
        return true;
    }

    // Cut to maxNumChars; a cut that ends on the decimal point drops the point too.
    bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const override
    {
        if (! ValueToString (value, valueString))
            return false;

        const uint32_t limit = maxNumChars < 0 ? 0u : static_cast<uint32_t> (maxNumChars);
        const uint32_t length = valueString->Length();

        if (length > limit)
            valueString->Erase (limit, length - limit);

        if (maxNumChars >= 1 && valueString->Length() == limit && (*valueString)[limit - 1] == '.')
            valueString->Erase (limit - 1, 1);

        return true;
    }

    bool StringToValue (const AAX_CString& valueString, T* value) const override
    {
        double parsed = 0.0;
        const bool ok = valueString.ToDouble (&parsed);

        if (value != nullptr)
            *value = ok ? Narrow (parsed) : T (0);

        return ok;
    }

private:
    // Finite texts beyond T's range read as its limits instead of overflowing the conversion.
    static T Narrow (double parsed)
    {
        const double highest = static_cast<double> (std::numeric_limits<T>::max());
        const double lowest = static_cast<double> (std::numeric_limits<T>::lowest());

        if (parsed > highest && parsed <= std::numeric_limits<double>::max())
            return std::numeric_limits<T>::max();

        if (parsed < lowest && parsed >= std::numeric_limits<double>::lowest())
            return std::numeric_limits<T>::lowest();

        return static_cast<T> (parsed);
    }
};
