#include "core/parameters/LogicParameter.h"

LogicParameter::LogicParameter (const Description& d)
    : BoolParameter (d, "False", "True")
{
}

juce::String LogicParameter::getTypeName() const
{
    return "logic";
}
