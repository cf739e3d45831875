#pragma once

#include "AAX_Assert.h"
#include "AAX_CNameAbbreviations.h"
#include "AAX_CParameterValue.h"
#include "AAX_CString.h"
#include "AAX_IAutomationDelegate.h"
#include "AAX_IDisplayDelegate.h"
#include "AAX_IParameter.h"
#include "AAX_ITaperDelegate.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <type_traits>

// Any thread; takes no lock. The value, the default and the notification flag are atomics,
// so host threads may read and set values at once (automation, and chunks saved and restored
// on threads of their own); the rest (names, steps, type, delegates) is set while the effect
// is set up, one thread at a time.
// A host-visible parameter with a taper and a display delegate. Value changes go to
// the host as requests through the automation delegate when one is set, synchronously;
// the value itself changes when the host answers through UpdateNormalizedValue. Names
// and value texts allocate.
template <typename T>
class AAX_CParameter : public AAX_IParameter
{
public:
    AAX_CParameter (AAX_CParamID identifier,
                    const AAX_IString& name,
                    T defaultValue,
                    const AAX_ITaperDelegate<T>& taperDelegate,
                    const AAX_IDisplayDelegate<T>& displayDelegate,
                    bool automatable)
        : mNames (name),
          mAutomatable (automatable),
          mTaperDelegate (taperDelegate.Clone()),
          mDisplayDelegate (displayDelegate.Clone()),
          mValue (identifier),
          mDefaultValue (UsableDefault (defaultValue))
    {
        InitializeNumberOfSteps();
        SetToDefaultValue();
    }

    ~AAX_CParameter() override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->UnregisterParameter (Identifier());
    }

    AAX_CParameter (const AAX_CParameter&) = delete;
    AAX_CParameter& operator= (const AAX_CParameter&) = delete;

    AAX_IParameterValue* CloneValue() const override { return new AAX_CParameterValue<T> (Identifier(), mValue.Get()); }

    AAX_CParamID Identifier() const override { return mValue.Identifier(); }
    void SetName (const AAX_CString& name) override { mNames.SetPrimary (name); }
    const AAX_CString& Name() const override { return mNames.Primary(); }
    void AddShortenedName (const char* name) override { mNames.Add (AAX_CString (name)); }
    AAX_CString ShortenedName (int32_t iNumCharacters) const override { return mNames.Get (iNumCharacters); }
    AAX_Result ClearShortenedNames() override
    {
        mNames.Clear();
        return 0;
    }

    bool Automatable() const override { return mAutomatable; }

    void SetAutomationDelegate (AAX_IAutomationDelegate* iAutomationDelegate) override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->UnregisterParameter (Identifier());

        mAutomationDelegate = iAutomationDelegate;

        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->RegisterParameter (Identifier());
    }

    void Touch() override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostTouchRequest (Identifier());
    }

    void Release() override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostReleaseRequest (Identifier());
    }

    // Not-a-number keeps the value; the taper limits anything else to 0..1.
    void SetNormalizedValue (double newNormalizedValue) override
    {
        if (! std::isnan (newNormalizedValue))
            PostValueRequest (mTaperDelegate->NormalizedToReal (newNormalizedValue));
    }

    double GetNormalizedValue() const override { return mTaperDelegate->RealToNormalized (mValue.Get()); }

    // A default that is not a number keeps the one there is; the taper limits anything else.
    void SetNormalizedDefaultValue (double normalizedDefault) override
    {
        if (std::isnan (normalizedDefault))
            return;

        mDefaultValue.store (mTaperDelegate->ConstrainRealValue (mTaperDelegate->NormalizedToReal (normalizedDefault)), std::memory_order_relaxed);
    }

    double GetNormalizedDefaultValue() const override { return mTaperDelegate->RealToNormalized (mDefaultValue.load (std::memory_order_relaxed)); }
    void SetToDefaultValue() override { PostValueRequest (mDefaultValue.load (std::memory_order_relaxed)); }

    void SetNumberOfSteps (uint32_t numSteps) override
    {
        AAX_ASSERT_SOURCE ("AAX/Interfaces/AAX_CParameter", 0 < numSteps);

        if (numSteps > 0)
            mNumSteps = numSteps;
    }

    uint32_t GetNumberOfSteps() const override { return mNumSteps; }
    uint32_t GetStepValue() const override { return GetStepValueFromNormalizedValue (GetNormalizedValue()); }

    double GetNormalizedValueFromStep (uint32_t iStep) const override
    {
        if (mNumSteps < 2)
            return 0.0;

        const double normalized = static_cast<double> (iStep) * (1.0 / (mNumSteps - 1.0));
        return normalized < 0.0 ? 0.0 : (normalized > 1.0 ? 1.0 : normalized);
    }

    uint32_t GetStepValueFromNormalizedValue (double normalizedValue) const override
    {
        if (mNumSteps < 2 || std::isnan (normalizedValue))
            return 0;

        const double lastStep = mNumSteps - 1.0;
        double step = normalizedValue / (1.0 / lastStep) + 0.5;
        step = step < 0.0 ? 0.0 : (step > lastStep ? lastStep : step);
        return static_cast<uint32_t> (step);
    }

    void SetStepValue (uint32_t iStep) override
    {
        if (mNumSteps >= 2)
            SetNormalizedValue (GetNormalizedValueFromStep (iStep));
    }

    bool GetValueString (AAX_CString* valueString) const override
    {
        return mDisplayDelegate->ValueToString (mValue.Get(), valueString);
    }

    // The maximum is not applied here; GetStringFromNormalizedValue applies it.
    bool GetValueString (int32_t, AAX_CString* valueString) const override
    {
        return GetValueString (valueString);
    }

    bool GetNormalizedValueFromBool (bool value, double* normalizedValue) const override { return NormalizedFrom (value, normalizedValue); }
    bool GetNormalizedValueFromInt32 (int32_t value, double* normalizedValue) const override { return NormalizedFrom (value, normalizedValue); }
    bool GetNormalizedValueFromFloat (float value, double* normalizedValue) const override { return NormalizedFrom (value, normalizedValue); }
    bool GetNormalizedValueFromDouble (double value, double* normalizedValue) const override { return NormalizedFrom (value, normalizedValue); }

    bool GetNormalizedValueFromString (const AAX_CString& valueString, double* normalizedValue) const override
    {
        T value {};

        if (normalizedValue == nullptr || ! mDisplayDelegate->StringToValue (valueString, &value))
            return false;

        *normalizedValue = mTaperDelegate->RealToNormalized (value);
        return true;
    }

    bool GetBoolFromNormalizedValue (double normalizedValue, bool* value) const override { return FromNormalized (normalizedValue, value); }
    bool GetInt32FromNormalizedValue (double normalizedValue, int32_t* value) const override { return FromNormalized (normalizedValue, value); }
    bool GetFloatFromNormalizedValue (double normalizedValue, float* value) const override { return FromNormalized (normalizedValue, value); }
    bool GetDoubleFromNormalizedValue (double normalizedValue, double* value) const override { return FromNormalized (normalizedValue, value); }

    bool GetStringFromNormalizedValue (double normalizedValue, AAX_CString& valueString) const override
    {
        const T value = mTaperDelegate->NormalizedToReal (normalizedValue);
        return mDisplayDelegate->ValueToString (value, &valueString) && InRange (value);
    }

    bool GetStringFromNormalizedValue (double normalizedValue, int32_t iMaxNumChars, AAX_CString& valueString) const override
    {
        const T value = mTaperDelegate->NormalizedToReal (normalizedValue);
        return mDisplayDelegate->ValueToString (value, iMaxNumChars, &valueString) && InRange (value);
    }

    bool SetValueFromString (const AAX_CString& newValueString) override
    {
        T value {};

        if (! mDisplayDelegate->StringToValue (newValueString, &value))
            return false;

        PostValueRequest (value);
        return true;
    }

    bool GetValueAsBool (bool* value) const override { return mValue.GetValueAsBool (value); }
    bool GetValueAsInt32 (int32_t* value) const override { return mValue.GetValueAsInt32 (value); }
    bool GetValueAsFloat (float* value) const override { return mValue.GetValueAsFloat (value); }
    bool GetValueAsDouble (double* value) const override { return mValue.GetValueAsDouble (value); }

    bool GetValueAsString (AAX_IString* value) const override
    {
        if (value == nullptr)
            return false;

        AAX_CString text;
        const bool ok = GetValueString (&text);

        if (ok)
            value->Set (text.Get());

        return ok;
    }

    bool SetValueWithBool (bool value) override { return SetValueWith (value); }
    bool SetValueWithInt32 (int32_t value) override { return SetValueWith (value); }
    bool SetValueWithFloat (float value) override { return SetValueWith (value); }
    bool SetValueWithDouble (double value) override { return SetValueWith (value); }
    bool SetValueWithString (const AAX_IString& value) override { return SetValueFromString (AAX_CString (value)); }

    void SetType (AAX_EParameterType iControlType) override { mControlType = iControlType; }
    AAX_EParameterType GetType() const override { return mControlType; }
    void SetOrientation (AAX_EParameterOrientation iOrientation) override { mOrientation = iOrientation; }
    AAX_EParameterOrientation GetOrientation() const override { return mOrientation; }

    // A taper of another value type is ignored.
    void SetTaperDelegate (AAX_ITaperDelegateBase& inTaperDelegate, bool inPreserveValue) override
    {
        auto* taper = dynamic_cast<AAX_ITaperDelegate<T>*> (&inTaperDelegate);

        if (taper == nullptr)
            return;

        const double normalized = GetNormalizedValue();
        mTaperDelegate.reset (taper->Clone());
        mNeedNotify.store (true, std::memory_order_relaxed);

        if (inPreserveValue)
            PostValueRequest (mValue.Get());
        else
            UpdateNormalizedValue (normalized);
    }

    // A display delegate of another value type is ignored.
    void SetDisplayDelegate (AAX_IDisplayDelegateBase& inDisplayDelegate) override
    {
        auto* display = dynamic_cast<AAX_IDisplayDelegate<T>*> (&inDisplayDelegate);

        if (display == nullptr)
            return;

        mDisplayDelegate.reset (display->Clone());

        // Lets the host refresh the value text.
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostCurrentValue (Identifier(), GetNormalizedValue());
    }

    // Not-a-number (from a host, a chunk or automation) changes nothing and tells the host
    // nothing; anything else is limited to 0..1, so the host is told only a value it can hold.
    void UpdateNormalizedValue (double newNormalizedValue) override
    {
        if (std::isnan (newNormalizedValue))
            return;

        newNormalizedValue = newNormalizedValue < 0.0 ? 0.0 : (newNormalizedValue > 1.0 ? 1.0 : newNormalizedValue);
        const T newValue = mTaperDelegate->NormalizedToReal (newNormalizedValue);

        if (! mNeedNotify.load (std::memory_order_relaxed) && newValue == mValue.Get())
            return;

        mValue.Set (newValue);

        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostCurrentValue (Identifier(), newNormalizedValue);

        mNeedNotify.store (false, std::memory_order_relaxed);
    }

    // Without an automation delegate the value changes at once; with one, the host is
    // asked to set it, bracketed by a touch and a release. Not-a-number keeps the value and
    // asks nothing; an infinity is the end of the range it points to.
    void PostValueRequest (T newValue)
    {
        if constexpr (std::is_floating_point_v<T>)
        {
            if (std::isnan (newValue))
                return;

            newValue = RangeEndForInfinity (newValue);
        }

        const double normalized = mTaperDelegate->RealToNormalized (newValue);

        if (mAutomationDelegate == nullptr)
        {
            mNeedNotify.store (true, std::memory_order_relaxed);
            UpdateNormalizedValue (normalized);
            return;
        }

        Touch();
        mAutomationDelegate->PostSetValueRequest (Identifier(), normalized);
        Release();
    }

    void InitializeNumberOfSteps()
    {
        if (mNumSteps != 0)
            return;

        if (mControlType == AAX_eParameterType_Continuous)
            mNumSteps = 128;
        else if (mControlType == AAX_eParameterType_Discrete)
            mNumSteps = 2;
        else
            AAX_ASSERT_SOURCE ("AAX/Interfaces/AAX_CParameter", 0);
    }

private:
    // Infinities are out of range like any other value: each stands for the end it points to,
    // whatever the taper makes of it (a binary taper would read minus infinity as on).
    T RangeEndForInfinity (T value) const
    {
        if constexpr (std::is_floating_point_v<T>)
        {
            if (std::isinf (value))
            {
                const T low = std::min (mTaperDelegate->GetMinimumValue(), mTaperDelegate->GetMaximumValue());
                const T high = std::max (mTaperDelegate->GetMinimumValue(), mTaperDelegate->GetMaximumValue());
                return value > 0 ? high : low;
            }
        }

        return value;
    }

    // A default that is not a number has nothing to keep: it is the taper's minimum, which is
    // what the taper reads it as anyway.
    T UsableDefault (T value) const
    {
        if constexpr (std::is_floating_point_v<T>)
            if (std::isnan (value))
                return mTaperDelegate->GetMinimumValue();

        return RangeEndForInfinity (value);
    }

    bool InRange (T value) const
    {
        return ! (value > mTaperDelegate->GetMaximumValue() || value < mTaperDelegate->GetMinimumValue());
    }

    template <typename U>
    bool NormalizedFrom (U value, double* normalizedValue) const
    {
        if constexpr (std::is_same_v<T, U>)
        {
            if (normalizedValue == nullptr)
                return false;

            *normalizedValue = mTaperDelegate->RealToNormalized (value);
            return true;
        }
        else
        {
            (void) value;
            (void) normalizedValue;
            return false;
        }
    }

    template <typename U>
    bool FromNormalized (double normalizedValue, U* value) const
    {
        if constexpr (std::is_same_v<T, U>)
        {
            if (value == nullptr)
                return false;

            *value = mTaperDelegate->NormalizedToReal (normalizedValue);
            return true;
        }
        else
        {
            (void) normalizedValue;
            (void) value;
            return false;
        }
    }

    template <typename U>
    bool SetValueWith (U value)
    {
        if constexpr (std::is_same_v<T, U>)
        {
            PostValueRequest (value);
            return true;
        }
        else
        {
            (void) value;
            return false;
        }
    }

    AAX_CNameAbbreviations mNames;
    bool mAutomatable;
    uint32_t mNumSteps = 0;
    AAX_EParameterType mControlType = AAX_eParameterType_Continuous;
    AAX_EParameterOrientation mOrientation = AAX_eParameterOrientation_Default;
    std::unique_ptr<AAX_ITaperDelegate<T>> mTaperDelegate;
    std::unique_ptr<AAX_IDisplayDelegate<T>> mDisplayDelegate;
    AAX_IAutomationDelegate* mAutomationDelegate = nullptr;
    std::atomic<bool> mNeedNotify { true };
    AAX_CParameterValue<T> mValue;
    std::atomic<T> mDefaultValue;
};
