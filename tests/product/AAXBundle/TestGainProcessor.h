#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The tests' own small plug-in: every output sample is the input times "Gain", except
// that each MIDI message, at its sample, sets the output to a marker of 2 + its first data
// byte / 128 ("Markers" on; on every channel, or only the first for "Marker Channel"
// "First"). Its state is its three normalised values as JUCE's binary XML.
class TestGainProcessor : public juce::AudioProcessor
{
public:
    TestGainProcessor();

    static float Marker (const juce::MidiMessage& message);

    const juce::String getName() const override { return "Test Gain"; }
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    void prepareToPlay (double, int) override {}
    void releaseResources() override {}
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;

    bool hasEditor() const override { return true; }
    juce::AudioProcessorEditor* createEditor() override;

    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return false; }
    double getTailLengthSeconds() const override { return 0.0; }

    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

private:
    juce::AudioParameterFloat* gain;
    juce::AudioParameterBool* markers;
    juce::AudioParameterChoice* markerChannel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TestGainProcessor)
};

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();
