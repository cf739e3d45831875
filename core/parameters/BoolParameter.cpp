#include "core/parameters/BoolParameter.h"
#include "core/parameters/ParameterText.h"

BoolParameter::BoolParameter (const Description& d)
    : BoolParameter (d, "Off", "On")
{
}

BoolParameter::BoolParameter (const Description& d, const juce::String& offText, const juce::String& onText)
    : Parameter (boolDescription (d)),
      offName (offText),
      onName (onText)
{
}

Parameter::Description BoolParameter::boolDescription (Description d)
{
    d.minimum = 0.0f;
    d.maximum = 1.0f;
    d.defaultValue = d.defaultValue >= 0.5f ? 1.0f : 0.0f;
    d.step = 1.0f;
    d.skewCentre = 0.0f;
    d.decimals = 0;
    return d;
}

bool BoolParameter::getBoolValue() const noexcept
{
    return getValue() >= 0.5f;
}

juce::String BoolParameter::getTextForValue (float plainValue) const
{
    return plainValue >= 0.5f ? onName : offName;
}

bool BoolParameter::parseDisplayText (const juce::String& text, float& plainValue) const
{
    const auto trimmed = text.trim();

    if (! trimmed.equalsIgnoreCase (onName) && ! trimmed.equalsIgnoreCase (offName))
        return false;

    plainValue = trimmed.equalsIgnoreCase (onName) ? 1.0f : 0.0f;
    return true;
}

juce::String BoolParameter::getText() const
{
    return getBoolValue() ? "1" : "0";
}

int BoolParameter::getNumSteps() const noexcept
{
    return 2;
}

juce::String BoolParameter::getTypeName() const
{
    return "bool";
}
