#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The AAX benchmark's anchor: a plain JUCE pass-through processor, without parameters or an
// editor. Built with the same wrapper on the same AAX library as the product, it measures what
// the wrapper and the host cost, so the product's figure is its own cost on top.
class AnchorProcessor : public juce::AudioProcessor
{
public:
    AnchorProcessor();

    const juce::String getName() const override { return "Anchor"; }
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    void prepareToPlay (double, int) override {}
    void releaseResources() override {}
    // Audio thread: the input passes as it is.
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}

    bool hasEditor() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }

    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return false; }
    double getTailLengthSeconds() const override { return 0.0; }

    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}

    void getStateInformation (juce::MemoryBlock&) override {}
    void setStateInformation (const void*, int) override {}
};

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();
