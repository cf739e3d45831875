#pragma once

#include "core/parameters/BoolParameter.h"

/** A switch shown "False"/"True"; used for momentary command triggers, which are set to their
    stored maximum and back to their stored minimum. */
class LogicParameter : public BoolParameter
{
public:
    explicit LogicParameter (const Description& description);

    juce::String getTypeName() const override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LogicParameter)
};
