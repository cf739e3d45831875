#include "core/PluginAudioProcessor.h"
#include "core/AudioProcessorEditorWrapper.h"

PluginAudioProcessor::PluginAudioProcessor (std::unique_ptr<BasePlugin> p)
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      plugin (std::move (p))
{
    jassert (plugin != nullptr);
    plugin->setProcessor (this);
    plugin->initialise();
    plugin->setHostName (juce::PluginHostType().getHostDescription());

    for (auto* parameter : plugin->getParameterManager().getParameters())
    {
        if (parameter->getHostIndex() < 0)
            continue;

        auto hostParameter = std::make_unique<PluginAudioProcessorParameter> (*parameter);
        hostParameters.set (parameter->getHostIndex(), hostParameter.get());
        addParameter (hostParameter.release());
    }

    hostNotifications = std::make_unique<HostNotificationQueue> (hostParameters.size(), [this] (int index) {
        if (auto* hostParameter = hostParameters[index])
            hostParameter->updateFromParameterWithGesture();
    });

    plugin->createCore();   // pushes every parameter's value into the core
    plugin->applyStartPreset();
    setLatencySamples (plugin->getLatencySamples());
}

PluginAudioProcessor::~PluginAudioProcessor()
{
    plugin->saveUserSettings();
    plugin->setClosing();
    plugin->destroyEditor();
    plugin.reset();
}

PluginAudioProcessorParameter* PluginAudioProcessor::getHostParameter (const Parameter& parameter) const
{
    return hostParameters[parameter.getHostIndex()];
}

void PluginAudioProcessor::parameterChangedByPlugin (Parameter& parameter, bool notifyHost)
{
    auto* hostParameter = getHostParameter (parameter);

    if (hostParameter == nullptr)
        return;

    // The host's listeners lock, and an AAX host's automation answers synchronously: never
    // from the audio thread.
    if (notifyHost && plugin->isProcessingThread())
        hostNotifications->post (parameter.getHostIndex());
    else
        hostParameter->updateFromParameter (notifyHost);
}

void PluginAudioProcessor::parameterGestureChangedByPlugin (Parameter& parameter, bool began)
{
    if (auto* hostParameter = getHostParameter (parameter))
    {
        if (began)
            hostParameter->beginChangeGesture();
        else
            hostParameter->endChangeGesture();
    }
}

const juce::String PluginAudioProcessor::getName() const
{
    return plugin->getDisplayName();
}

bool PluginAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto in = layouts.getMainInputChannelSet();
    const auto out = layouts.getMainOutputChannelSet();

    return in == out && (out == juce::AudioChannelSet::mono() || out == juce::AudioChannelSet::stereo());
}

void PluginAudioProcessor::prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock)
{
    plugin->prepareToPlay (sampleRate, maximumExpectedSamplesPerBlock);
    setLatencySamples (plugin->getLatencySamples());
}

void PluginAudioProcessor::releaseResources()
{
    plugin->releaseResources();
}

BasePlugin::ProcessContext PluginAudioProcessor::makeContext() const
{
    BasePlugin::ProcessContext context;
    context.numInputChannels = getTotalNumInputChannels();
    context.numOutputChannels = getTotalNumOutputChannels();
    context.playHead = getPlayHead();
    context.nonRealtime = isNonRealtime();
    return context;
}

void PluginAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    plugin->processBlock (buffer, midi, makeContext());
}

void PluginAudioProcessor::processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    plugin->processBypassed (buffer, midi, makeContext());
}

bool PluginAudioProcessor::hasEditor() const
{
    return plugin->getActiveEditor() != nullptr || plugin->hasEditor();
}

juce::AudioProcessorEditor* PluginAudioProcessor::createEditor()
{
    plugin->createEditorOnce();

    if (auto* editor = plugin->getActiveEditor())
        return new AudioProcessorEditorWrapper (*this, *editor);

    return nullptr;
}

void PluginAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    copyXmlToBinary (*plugin->createStateXml(), destData);
}

void PluginAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    // getXmlFromBinary checks the magic number and the length against the block's size.
    // A state that cannot be restored changes nothing; the user hears of it.
    if (data != nullptr && sizeInBytes > 0)
    {
        const auto xml = getXmlFromBinary (data, sizeInBytes);

        if (xml == nullptr || ! plugin->setStateFromXml (*xml))
            plugin->reportProblem ("The host's saved state of this plug-in could not be read: the settings stay as they were");
    }
}
