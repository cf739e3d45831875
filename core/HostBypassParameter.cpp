#include "core/HostBypassParameter.h"

#include <cmath>

HostBypassParameter::HostBypassParameter()
    : juce::AudioProcessorParameterWithID (juce::ParameterID ("masterBypass", 1), "Master Bypass")
{
}

float HostBypassParameter::getValue() const
{
    return value.load (std::memory_order_relaxed);
}

void HostBypassParameter::setValue (float newValue)
{
    // Not-a-number keeps the state; an infinity is out of range like any other value.
    if (std::isnan (newValue))
        return;

    value.store (newValue >= 0.5f ? 1.0f : 0.0f, std::memory_order_relaxed);
}

juce::String HostBypassParameter::getText (float normalisedValue, int) const
{
    // NaN keeps the state, as a set does.
    return (std::isnan (normalisedValue) ? getValue() : normalisedValue) >= 0.5f ? TRANS ("On") : TRANS ("Off");
}

float HostBypassParameter::getValueForText (const juce::String& text) const
{
    const auto trimmed = text.trim();

    for (const float state : { 0.0f, 1.0f })
        if (trimmed.equalsIgnoreCase (getText (state, 0)))
            return state;

    return getValue();
}
