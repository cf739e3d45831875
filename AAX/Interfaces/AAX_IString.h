#pragma once

#include <cstdint>

// Text that the host can read and fill through virtual operations alone.
class AAX_IString
{
public:
    virtual ~AAX_IString() = default;

    virtual uint32_t Length() const = 0;
    virtual uint32_t MaxLength() const = 0;
    virtual const char* Get() const = 0;
    virtual void Set (const char* iString) = 0;
    virtual AAX_IString& operator= (const AAX_IString& iOther) = 0;
    virtual AAX_IString& operator= (const char* iString) = 0;

protected:
    AAX_IString() = default;
    AAX_IString (const AAX_IString&) = default;
};
