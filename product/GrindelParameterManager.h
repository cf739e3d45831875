#pragma once

#include "core/parameters/ParameterManager.h"

/** Grindel's value texts, chosen by the parameter's unit:
    - "Hz": "800 Hz" below 1 kHz, then "1.50 kHz", "44.1 kHz";
    - "dB": signed ("+1.5 dB", "0.0 dB", "-12.0 dB"), the minimum (silence) "-inf dB";
    - every other unit (such as "%" and "bit") as the description's decimals and unit give it.
    The texts read back: "44.1 kHz", "44100", "-inf" and "3 dB" all parse. */
class GrindelParameterManager : public ParameterManager
{
public:
    GrindelParameterManager() = default;

    juce::String formatValue (const Parameter& parameter, float plainValue) const override;
    bool parseValue (const Parameter& parameter, const juce::String& text, float& plainValue) const override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GrindelParameterManager)
};
