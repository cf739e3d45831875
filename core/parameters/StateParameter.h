#pragma once

#include "core/parameters/IntParameter.h"

/** An integer state kept with presets and the plug-in state (a selector, a page), never
    automated by the host. */
class StateParameter : public IntParameter
{
public:
    explicit StateParameter (const Description& description);

    juce::String getTypeName() const override;

private:
    static Description stateDescription (Description d);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StateParameter)
};
