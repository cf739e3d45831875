#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <atomic>

/** The master bypass the host shows ("Master Bypass"): the plug-in's own, so that the host's
    text entry reads only its two texts, "On" and "Off" in any case, and leaves the value as it
    is for any other text. (Without one, JUCE's wrapper makes a bypass that reads any text it
    does not know as a number, so "Bypassed" switches bypass off.) It holds 0 or 1 and the host
    reads back the one it holds, whatever it sent. Not part of the plug-in's parameters or its
    state: the host keeps it, as it would keep its own. */
class HostBypassParameter : public juce::AudioProcessorParameterWithID
{
public:
    HostBypassParameter();

    /** Any thread: lock-free. Whether bypass is on. */
    bool get() const noexcept { return value.load (std::memory_order_relaxed) >= 0.5f; }

    /** Any thread: lock-free. 0 or 1. */
    float getValue() const override;
    /** Any thread: lock-free. Snaps to 0 or 1 (on from 0.5, so +infinity is on and -infinity
        off); not-a-number keeps the state, as in the host's own parameter. */
    void setValue (float newValue) override;
    // Any thread: constants.
    float getDefaultValue() const override { return 0.0f; }
    int getNumSteps() const override { return 2; }
    bool isDiscrete() const override { return true; }
    bool isBoolean() const override { return true; }
    /** Any thread but the audio thread: allocates. "On" or "Off". */
    juce::String getText (float normalisedValue, int maximumLength) const override;
    /** Any thread but the audio thread: allocates. The normalised value of one of the two
        texts; the current value for any other text. */
    float getValueForText (const juce::String& text) const override;

private:
    // A flag read on its own: no other value is handed over with it.
    std::atomic<float> value { 0.0f };
};
