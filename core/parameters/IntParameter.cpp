#include "core/parameters/IntParameter.h"

#include <cmath>

IntParameter::IntParameter (const Description& d)
    : Parameter (integerDescription (d))
{
}

Parameter::Description IntParameter::integerDescription (Description d)
{
    d.minimum = std::round (d.minimum);
    d.maximum = std::round (d.maximum);
    d.defaultValue = std::round (d.defaultValue);
    d.step = 1.0f;
    d.skewCentre = 0.0f;
    d.decimals = 0;
    return d;
}

juce::String IntParameter::getTextForValue (float plainValue) const
{
    return juce::String (juce::roundToInt (constrain (plainValue)));
}

juce::String IntParameter::getText() const
{
    return juce::String (getIntValue());
}

int IntParameter::getNumSteps() const noexcept
{
    return juce::roundToInt (getMaximum() - getMinimum()) + 1;
}

juce::String IntParameter::getTypeName() const
{
    return "int";
}
