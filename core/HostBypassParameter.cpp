#include "core/HostBypassParameter.h"

HostBypassParameter::HostBypassParameter()
    : juce::AudioParameterBool (juce::ParameterID ("masterBypass", 1), "Master Bypass", false)
{
}

float HostBypassParameter::getValueForText (const juce::String& text) const
{
    const auto& asParameter = static_cast<const juce::AudioProcessorParameter&> (*this);
    const auto trimmed = text.trim();

    for (const float state : { 0.0f, 1.0f })
        if (trimmed.equalsIgnoreCase (asParameter.getText (state, 0)))
            return state;

    return asParameter.getValue();
}
