#pragma once

#include "core/BasePlugin.h"
#include "core/PluginAudioProcessorParameter.h"
#include "core/ProductFactory.h"

/** The plug-in as JUCE's audio processor: the only face the host wrapper sees. */
class PluginAudioProcessor : public juce::AudioProcessor
{
public:
    /** Builds the plug-in object made by the factory (the product by default). */
    explicit PluginAudioProcessor (std::unique_ptr<BasePlugin> plugin = createProductPlugin());
    ~PluginAudioProcessor() override;

    BasePlugin& getPlugin() const noexcept { return *plugin; }
    /** The host's face of an automatable parameter (null for the others). */
    PluginAudioProcessorParameter* getHostParameter (const Parameter& parameter) const;

    /** From the plug-in object: a value or a gesture the host must hear of. */
    void parameterChangedByPlugin (Parameter& parameter, bool notifyHost);
    void parameterGestureChangedByPlugin (Parameter& parameter, bool began);

    //==============================================================================
    const juce::String getName() const override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    using juce::AudioProcessor::processBlock;
    using juce::AudioProcessor::processBlockBypassed;

    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override            { return true; }
    bool producesMidi() const override           { return false; }

    int getNumPrograms() override                              { return 1; }
    int getCurrentProgram() override                           { return 0; }
    void setCurrentProgram (int) override                      {}
    const juce::String getProgramName (int) override           { return {}; }
    void changeProgramName (int, const juce::String&) override {}

    bool hasEditor() const override;
    juce::AudioProcessorEditor* createEditor() override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

private:
    BasePlugin::ProcessContext makeContext() const;

    std::unique_ptr<BasePlugin> plugin;
    juce::Array<PluginAudioProcessorParameter*> hostParameters;   // by the parameter's host index

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginAudioProcessor)
};

/** JUCE's entry to the plug-in; the product defines it with createProductPlugin. */
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();
