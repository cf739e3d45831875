#include "core/parameters/IntParameter.h"

IntParameter::IntParameter (const Description& d)
    : Parameter (integerDescription (d))
{
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
