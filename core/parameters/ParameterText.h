#pragma once

#include <juce_core/juce_core.h>

/** Locale-independent number texts for parameters, presets and "parameters.xml".

    The host may change the C locale, so nothing here uses strtod or printf.
*/
struct ParameterText
{
    /** A whole text that is a finite decimal number ("-1.5", "2e3", " 7 "); false otherwise. */
    static bool parseNumber (const juce::String& text, double& result);

    /** A whole text that is an integer within +-2^31; false otherwise. */
    static bool parseInteger (const juce::String& text, int& result);

    /** The number at the start of a display text ("12.5 dB" gives 12.5); false when none. */
    static bool parseLeadingNumber (const juce::String& text, double& result, juce::String* rest = nullptr);

    /** The shortest text that reads back to exactly the same float. */
    static juce::String formatExact (float value);

    /** Fixed decimals, never "-0". */
    static juce::String formatFixed (double value, int decimals);
};
