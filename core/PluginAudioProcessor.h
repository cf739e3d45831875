#pragma once

#include "core/BasePlugin.h"
#include "core/HostBypassParameter.h"
#include "core/HostNotificationQueue.h"
#include "core/PluginAudioProcessorParameter.h"
#include "core/ProductFactory.h"

/** The plug-in as JUCE's audio processor: the only face the host wrapper sees. */
class PluginAudioProcessor : public juce::AudioProcessor
{
public:
    /** Message thread. Builds the plug-in object made by the factory (the product by default);
        its editor waits until a host window asks for it (createEditor). */
    explicit PluginAudioProcessor (std::unique_ptr<BasePlugin> plugin = createProductPlugin());
    /** Message thread: deletes the editor, then the plug-in. */
    ~PluginAudioProcessor() override;

    BasePlugin& getPlugin() const noexcept { return *plugin; }
    /** Any thread: lock-free. The host's face of an automatable parameter (null for the
        others). */
    PluginAudioProcessorParameter* getHostParameter (const Parameter& parameter) const;

    /** Any thread the parameter changed on. From the plug-in object: a value the host must
        hear of. Off the audio thread the host's listeners are called on that thread; on the
        audio thread the change is queued without a lock and the message thread tells the host
        (touch, set, release). */
    void parameterChangedByPlugin (Parameter& parameter, bool notifyHost);
    /** Message thread: tells the host at once of the changes the audio thread queued. */
    void deliverHostNotifications() { hostNotifications->deliverPending(); }
    /** Message thread (gestures come from the widgets). */
    void parameterGestureChangedByPlugin (Parameter& parameter, bool began);

    //==============================================================================
    // Called by the host wrapper.
    /** Any thread. */
    const juce::String getName() const override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    /** Any thread but the audio thread, while nothing processes: may allocate. */
    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;
    /** Audio thread: never allocates, locks or calls the host synchronously. */
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    using juce::AudioProcessor::processBlock;
    using juce::AudioProcessor::processBlockBypassed;

    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return false; }

    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}

    /** Any thread: lock-free. The next block switches the quality to the mode's. */
    void setNonRealtime (bool isNonRealtime) noexcept override;
    /** Any thread: lock-free (some hosts hand a play head with every block). */
    void setPlayHead (juce::AudioPlayHead* newPlayHead) override;

    /** Any thread: lock-free. The host's master bypass; while it is on, processBlock plays
        the bypassed path. */
    juce::AudioProcessorParameter* getBypassParameter() const override { return bypass.get(); }

    /** Any thread: whether the plug-in makes an editor (it need not exist yet). */
    bool hasEditor() const override;
    /** Message thread: the host window's content around the plug-in's editor, which is built
        the first time. */
    juce::AudioProcessorEditor* createEditor() override;

    /** Any thread but the audio thread (hosts save from their UI or a worker thread):
        allocates. */
    void getStateInformation (juce::MemoryBlock& destData) override;
    /** Any thread but the audio thread (hosts restore from their UI or a worker thread):
        allocates; the editor's part must reach the editor on the message thread. */
    void setStateInformation (const void* data, int sizeInBytes) override;

private:
    /** Message thread, while nothing processes: the new layout reaches the kept context. */
    void numChannelsChanged() override;

    std::unique_ptr<BasePlugin> plugin;
    juce::Array<PluginAudioProcessorParameter*> hostParameters;   // by the parameter's host index
    std::unique_ptr<HostNotificationQueue> hostNotifications;     // by host index
    const std::unique_ptr<HostBypassParameter> bypass = std::make_unique<HostBypassParameter>();
    // Kept up to date by the layout and play-head changes: a block does not rebuild it.
    BasePlugin::ProcessContext context;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginAudioProcessor)
};

/** JUCE's entry to the plug-in; the product defines it with createProductPlugin. */
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();
