#pragma once

#include "AAX_ITaperDelegate.h"

// Two-state mapping: off is 0, on is 1; normalised values from 0.5 up read as on.
template <typename T>
class AAX_CBinaryTaperDelegate : public AAX_ITaperDelegate<T>
{
public:
    AAX_CBinaryTaperDelegate* Clone() const override { return new AAX_CBinaryTaperDelegate (*this); }
    T GetMaximumValue() const override { return static_cast<T> (true); }
    T GetMinimumValue() const override { return static_cast<T> (false); }
    T ConstrainRealValue (T value) const override { return static_cast<T> (value != static_cast<T> (false)); }
    T NormalizedToReal (double normalizedValue) const override { return static_cast<T> (normalizedValue >= 0.5); }
    double RealToNormalized (T realValue) const override { return realValue != static_cast<T> (false) ? 1.0 : 0.0; }
};
