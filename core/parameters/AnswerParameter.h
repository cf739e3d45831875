#pragma once

#include "core/parameters/BoolParameter.h"

/** A switch shown "No"/"Yes". */
class AnswerParameter : public BoolParameter
{
public:
    explicit AnswerParameter (const Description& description);

    juce::String getTypeName() const override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AnswerParameter)
};
