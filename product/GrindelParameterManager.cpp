#include "product/GrindelParameterManager.h"
#include "core/parameters/ParameterText.h"

#include <cmath>

namespace
{
    bool isFrequency (const Parameter& p) { return p.getUnitLabel() == "Hz"; }
    bool isLevel (const Parameter& p) { return p.getUnitLabel() == "dB"; }
}

juce::String GrindelParameterManager::formatValue (const Parameter& parameter, float plainValue) const
{
    const int decimals = parameter.getDescription().decimals;

    if (isFrequency (parameter))
    {
        const double hz = parameter.constrain (plainValue);

        if (std::round (hz) < 1000.0)
            return ParameterText::formatFixed (hz, 0) + " Hz";

        // Three significant digits, as "1.50 kHz" and "44.1 kHz".
        const double khz = hz / 1000.0;
        const int places = std::round (khz * 100.0) < 1000.0 ? 2 : 1;
        return ParameterText::formatFixed (khz, places) + " kHz";
    }

    if (isLevel (parameter))
    {
        const float db = parameter.constrain (plainValue);

        if (db <= parameter.getMinimum())
            return "-inf dB";

        auto text = ParameterText::formatFixed (db, decimals);

        if (db > 0.0f && text.containsAnyOf ("123456789"))
            text = "+" + text;

        return text + " dB";
    }

    return ParameterManager::formatValue (parameter, plainValue);
}

bool GrindelParameterManager::parseValue (const Parameter& parameter, const juce::String& text, float& plainValue) const
{
    if (isFrequency (parameter))
    {
        double number = 0.0;
        juce::String unit;

        // The texts shown are "800 Hz" and "44.1 kHz"; "44.1k" is the usual short form.
        if (! ParameterText::parseQuantity (text, number, unit))
            return false;

        if (unit.equalsIgnoreCase ("kHz") || unit.equalsIgnoreCase ("k"))
            number *= 1000.0;
        else if (unit.isNotEmpty() && ! unit.equalsIgnoreCase ("Hz"))
            return false;

        plainValue = (float) juce::jlimit (-1.0e30, 1.0e30, number);
        return true;
    }

    if (isLevel (parameter))
    {
        const auto trimmed = text.trim();

        if (trimmed.equalsIgnoreCase ("-inf") || trimmed.equalsIgnoreCase ("-inf dB"))
        {
            plainValue = parameter.getMinimum();
            return true;
        }
    }

    return ParameterManager::parseValue (parameter, text, plainValue);
}
