#include "core/PluginAudioProcessorParameter.h"

#include <cmath>

PluginAudioProcessorParameter::PluginAudioProcessorParameter (Parameter& p)
    : parameter (p), cachedValue (p.getNormalisedValue())
{
}

void PluginAudioProcessorParameter::updateFromParameter (bool notifyHost)
{
    // Another thread may change the parameter and store its value here between this one's
    // read and store, which would leave the older value cached for good. So the value is read
    // again after each store until it stands: every change of the parameter is followed by an
    // update, so the last store is always of the value it holds (the exchange and the read are
    // in one total order with the parameter's store, so the read cannot miss a change whose
    // update stored here before). The host hears only the value that stood, never one already
    // replaced.
    auto value = parameter.getNormalisedValue();
    bool differs = false;

    for (;;)
    {
        differs = cachedValue.exchange (value) != value || differs;
        const auto now = parameter.getNormalisedValue();

        if (now == value)
            break;

        value = now;
    }

    if (differs && notifyHost)
        sendValueChangedMessageToListeners (value);
}

void PluginAudioProcessorParameter::updateFromParameterWithGesture()
{
    if (cachedValue.load() == parameter.getNormalisedValue())
        return;

    const bool ownGesture = ! parameter.isInGesture();

    if (ownGesture)
        beginChangeGesture();

    updateFromParameter (true);

    if (ownGesture)
        endChangeGesture();
}

juce::String PluginAudioProcessorParameter::getParameterID() const
{
    return juce::String (parameter.getId());
}

float PluginAudioProcessorParameter::getValue() const
{
    return cachedValue.load();
}

void PluginAudioProcessorParameter::setValue (float newValue)
{
    // Not-a-number keeps the value, as in the host's own parameter (JUCE's wrapper hands the
    // host's value to both); an infinity is limited like any value out of range.
    if (std::isnan (newValue))
        return;

    // The host reads back what the parameter holds (limited to 0..1, snapped to its grid),
    // never what it was sent. Cached first: the parameter's report of the change then finds
    // the host already knowing it, and sends nothing back.
    cachedValue.store (parameter.heldNormalised (newValue));
    changed.store (true);
    parameter.setNormalisedValue (newValue, true);
}

float PluginAudioProcessorParameter::getDefaultValue() const
{
    return parameter.normalise (parameter.getDefaultValue());
}

juce::String PluginAudioProcessorParameter::getName (int maximumLength) const
{
    return parameter.getDisplayName().substring (0, maximumLength);
}

juce::String PluginAudioProcessorParameter::getLabel() const
{
    return parameter.getUnitLabel();
}

int PluginAudioProcessorParameter::getNumSteps() const
{
    const auto steps = parameter.getNumSteps();
    return steps > 0 ? steps : juce::AudioProcessor::getDefaultNumParameterSteps();
}

bool PluginAudioProcessorParameter::isDiscrete() const
{
    return parameter.getNumSteps() > 0;
}

bool PluginAudioProcessorParameter::isBoolean() const
{
    return parameter.getNumSteps() == 2 && parameter.getMinimum() == 0.0f && parameter.getMaximum() == 1.0f;
}

juce::String PluginAudioProcessorParameter::getText (float normalisedValue, int maximumLength) const
{
    // The text of what the parameter would hold: in range, on its grid, and for NaN its value now.
    return parameter.getDisplayText (parameter.denormalise (parameter.heldNormalised (normalisedValue))).substring (0, maximumLength);
}

float PluginAudioProcessorParameter::getValueForText (const juce::String& text) const
{
    return parameter.normalise (parameter.getValueForText (text));
}

bool PluginAudioProcessorParameter::isAutomatable() const
{
    return parameter.isAutomatable();
}

bool PluginAudioProcessorParameter::isMetaParameter() const
{
    return parameter.isMeta();
}

juce::StringArray PluginAudioProcessorParameter::getAllValueStrings() const
{
    const auto items = parameter.getItemNames();
    return items.isEmpty() ? juce::HostedAudioProcessorParameter::getAllValueStrings() : items;
}
