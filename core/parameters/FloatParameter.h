#pragma once

#include "core/parameters/Parameter.h"

/** A continuous value with an optional step and skew, shown with a fixed number of decimals. */
class FloatParameter : public Parameter
{
public:
    explicit FloatParameter (const Description& description);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FloatParameter)
};
