#pragma once

#include "AAX_Assert.h"
#include "AAX_IParameterValue.h"
#include "AAX_IString.h"

#include <atomic>
#include <cstring>
#include <type_traits>

enum AAX_EParameterValueInfo : int32_t
{
    eParemeterDefaultMaxIdentifierSize = 32   // identifier text and its terminator
};

// Identifier and current value of a parameter. The value is atomic: host threads read and
// set it at once (automation, chunks saved and restored on threads of their own). It stands
// alone, so relaxed order is enough.
template <typename T>
class AAX_CParameterValue : public AAX_IParameterValue
{
public:
    explicit AAX_CParameterValue (AAX_CParamID identifier) { InitIdentifier (identifier); }
    AAX_CParameterValue (AAX_CParamID identifier, const T& value) : mValue (value) { InitIdentifier (identifier); }

    AAX_IParameterValue* Clone() const override { return new AAX_CParameterValue (mIdentifier, Get()); }
    AAX_CParamID Identifier() const override { return mIdentifier; }

    bool GetValueAsBool (bool* value) const override { return GetValueAs (value); }
    bool GetValueAsInt32 (int32_t* value) const override { return GetValueAs (value); }
    bool GetValueAsFloat (float* value) const override { return GetValueAs (value); }
    bool GetValueAsDouble (double* value) const override { return GetValueAs (value); }
    bool GetValueAsString (AAX_IString*) const override { return false; }

    T Get() const { return mValue.load (std::memory_order_relaxed); }
    void Set (const T& value) { mValue.store (value, std::memory_order_relaxed); }

private:
    // Texts longer than 31 characters are reported and cut to 31.
    void InitIdentifier (const char* identifier)
    {
        if (identifier == nullptr)
            identifier = "";

        const size_t len = std::strlen (identifier);
        AAX_ASSERT_SOURCE ("AAX/Interfaces/AAX_CParameter", len < eParemeterDefaultMaxIdentifierSize);

        const size_t kept = len < eParemeterDefaultMaxIdentifierSize ? len : eParemeterDefaultMaxIdentifierSize - 1;
        std::memcpy (mIdentifier, identifier, kept);
        mIdentifier[kept] = '\0';
    }

    template <typename U>
    bool GetValueAs (U* value) const
    {
        if constexpr (std::is_same_v<T, U>)
        {
            if (value == nullptr)
                return false;

            *value = Get();
            return true;
        }
        else
        {
            (void) value;
            return false;
        }
    }

    char mIdentifier[eParemeterDefaultMaxIdentifierSize] {};
    std::atomic<T> mValue {};
};
