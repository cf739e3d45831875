#pragma once

#include "AAX_ITaperDelegate.h"

#include <cstdint>

// Any thread: holds only its range, takes no lock, allocates only in Clone.
// Straight-line mapping between [minimum, maximum] and 0..1. Made without a range it
// maps 0..1. A minimum above the maximum gives a falling taper. Not-a-number stands for
// the minimum both ways, so no result is ever outside the range.
template <typename T, int32_t RealPrecision = 0>
class AAX_CLinearTaperDelegate : public AAX_ITaperDelegate<T>
{
    static_assert (RealPrecision == 0, "only unrounded real values are supported");

public:
    AAX_CLinearTaperDelegate() : AAX_CLinearTaperDelegate (T (0), T (1)) {}
    AAX_CLinearTaperDelegate (T minValue, T maxValue) : mMinValue (minValue), mMaxValue (maxValue) {}

    AAX_CLinearTaperDelegate* Clone() const override { return new AAX_CLinearTaperDelegate (*this); }
    T GetMaximumValue() const override { return mMaxValue; }
    T GetMinimumValue() const override { return mMinValue; }

    T ConstrainRealValue (T value) const override
    {
        if (mMinValue == mMaxValue)
            return mMinValue;

        const T low = mMinValue < mMaxValue ? mMinValue : mMaxValue;
        const T high = mMinValue < mMaxValue ? mMaxValue : mMinValue;
        if (value != value)
            return mMinValue;

        return value < low ? low : (value > high ? high : value);
    }

    T NormalizedToReal (double normalizedValue) const override
    {
        // Outside 0..1 the result is constrained anyway; limiting first keeps the
        // narrowing to T in range.
        if (! (normalizedValue >= 0.0))
            normalizedValue = 0.0;
        else if (normalizedValue > 1.0)
            normalizedValue = 1.0;

        const double real = (static_cast<double> (mMaxValue) - static_cast<double> (mMinValue)) * normalizedValue
            + static_cast<double> (mMinValue);
        return ConstrainRealValue (static_cast<T> (real));
    }

    double RealToNormalized (T realValue) const override
    {
        const T constrained = ConstrainRealValue (realValue);

        if (mMinValue == mMaxValue)
            return 0.5;

        return (static_cast<double> (constrained) - static_cast<double> (mMinValue))
            / (static_cast<double> (mMaxValue) - static_cast<double> (mMinValue));
    }

private:
    T mMinValue;
    T mMaxValue;
};
