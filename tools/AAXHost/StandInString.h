#pragma once

#include "AAX_IString.h"

#include <string>

// A text the stand-in host hands to the plug-in to fill or to read.
class StandInString : public AAX_IString
{
public:
    StandInString() = default;
    explicit StandInString (std::string text) : mText (std::move (text)) {}

    const std::string& Text() const { return mText; }

    uint32_t Length() const override;
    uint32_t MaxLength() const override;
    const char* Get() const override;
    void Set (const char* iString) override;
    AAX_IString& operator= (const AAX_IString& iOther) override;
    AAX_IString& operator= (const char* iString) override;

private:
    std::string mText;
};
