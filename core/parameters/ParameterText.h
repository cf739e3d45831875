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

    /** A display text read whole: an optional sign, digits with at most one decimal point, then
        an optional space and a suffix (a unit, perhaps with a scale prefix), which the caller
        checks. False for anything else ("0x10", "1O kHz", "22,05 kHz", "2e3", "5  %"). */
    static bool parseQuantity (const juce::String& text, double& number, juce::String& suffix);

    /** The shortest text that reads back to exactly the same float. */
    static juce::String formatExact (float value);

    /** Fixed decimals, never "-0". */
    static juce::String formatFixed (double value, int decimals);
};
