#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The test plug-in's editor: a plain panel of a fixed, known size.
class TestGainEditor : public juce::AudioProcessorEditor
{
public:
    static constexpr int kWidth = 320, kHeight = 200;

    explicit TestGainEditor (juce::AudioProcessor& owner);

    void paint (juce::Graphics& g) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TestGainEditor)
};
