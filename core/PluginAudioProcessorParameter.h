#pragma once

#include "core/parameters/Parameter.h"
#include <juce_audio_processors/juce_audio_processors.h>

/** One automatable Parameter as the host sees it. The host's value is cached in an atomic
    with a changed flag, so the host reads back the value the Parameter holds (what it set,
    limited to 0..1 and snapped to the grid) without touching the Parameter, and a change from
    the plug-in reaches the host only when it differs. */
class PluginAudioProcessorParameter : public juce::HostedAudioProcessorParameter
{
public:
    explicit PluginAudioProcessorParameter (Parameter& parameter);

    Parameter& getParameter() const noexcept { return parameter; }

    /** Any thread the parameter changed on: calls the host's listeners on that thread. The
        plug-in changed the value; tells the host when asked and when it differs. Threads
        updating at once leave cached the value the parameter holds last. */
    void updateFromParameter (bool notifyHost);
    /** Message thread. A change the audio thread made: when the value differs from the
        host's, tells the host as automation does (touch, set, release; no touch of its own
        inside a gesture already open). */
    void updateFromParameterWithGesture();
    /** Any thread: lock-free. Whether the host set a value since the last call. */
    bool consumeChanged() noexcept { return changed.exchange (false); }

    // Called by the host wrapper. The value operations run on any thread, the audio thread
    // too; the texts and names allocate and never run on the audio thread.
    juce::String getParameterID() const override;
    /** Any thread: lock-free. */
    float getValue() const override;
    /** Any thread (the audio thread too): lock-free; sets the Parameter, which reaches the DSP
        core at the next block. Limited to 0..1 (infinities too); not-a-number keeps the value. */
    void setValue (float newValue) override;
    float getDefaultValue() const override;
    juce::String getName (int maximumLength) const override;
    juce::String getLabel() const override;
    int getNumSteps() const override;
    bool isDiscrete() const override;
    bool isBoolean() const override;
    juce::String getText (float normalisedValue, int maximumLength) const override;
    float getValueForText (const juce::String& text) const override;
    bool isAutomatable() const override;
    bool isMetaParameter() const override;
    juce::StringArray getAllValueStrings() const override;

private:
    Parameter& parameter;
    std::atomic<float> cachedValue;
    std::atomic<bool> changed { false };
};
