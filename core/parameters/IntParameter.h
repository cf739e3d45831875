#pragma once

#include "core/parameters/Parameter.h"

/** An integer range, shown as integers. */
class IntParameter : public Parameter
{
public:
    explicit IntParameter (const Description& description);

    juce::String getTextForValue (float plainValue) const override;
    juce::String getText() const override;
    int getNumSteps() const noexcept override;
    juce::String getTypeName() const override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (IntParameter)
};
