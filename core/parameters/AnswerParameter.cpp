#include "core/parameters/AnswerParameter.h"

AnswerParameter::AnswerParameter (const Description& d)
    : BoolParameter (d, "No", "Yes")
{
}

juce::String AnswerParameter::getTypeName() const
{
    return "answer";
}
