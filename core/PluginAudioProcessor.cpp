#include "core/PluginAudioProcessor.h"
#include "core/parameters/BoundedXmlReader.h"
#include "core/AudioProcessorEditorWrapper.h"
#include <cstring>

namespace
{
    // The host's state block: a few KB of "PluginState", 3 levels and the editor's own.
    constexpr BoundedXmlReader::Limits stateXmlLimits { 4 * 1024 * 1024, 32 };
}

PluginAudioProcessor::PluginAudioProcessor (std::unique_ptr<BasePlugin> p)
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      plugin (std::move (p))
{
    jassert (plugin != nullptr);
    context.setChannels (getTotalNumInputChannels(), getTotalNumOutputChannels());
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

void PluginAudioProcessor::numChannelsChanged()
{
    context.setChannels (getTotalNumInputChannels(), getTotalNumOutputChannels());
}

void PluginAudioProcessor::setNonRealtime (bool isNonRealtime) noexcept
{
    juce::AudioProcessor::setNonRealtime (isNonRealtime);

    if (plugin != nullptr)
        plugin->setNonRealtime (isNonRealtime);
}

void PluginAudioProcessor::setPlayHead (juce::AudioPlayHead* newPlayHead)
{
    juce::AudioProcessor::setPlayHead (newPlayHead);
    context.playHead.store (newPlayHead, std::memory_order_release);
}

void PluginAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    // A host's wrapper hands a plug-in with its own bypass every block here, bypassed or not.
    if (bypass->get())
        plugin->processBypassed (buffer, midi, context);
    else
        plugin->processBlock (buffer, midi, context);
}

void PluginAudioProcessor::processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    plugin->processBypassed (buffer, midi, context);
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
    // JUCE's block: the magic "VC2!", the text's length, the text. The length is checked
    // against the block's size and the text read through the bounded reader. A state that
    // cannot be restored changes nothing; the user hears of it.
    constexpr juce::uint32 magicXmlNumber = 0x21324356;

    if (data == nullptr || sizeInBytes <= 0)
        return;

    if (sizeInBytes <= 8 || juce::ByteOrder::littleEndianInt (data) != magicXmlNumber)
    {
        plugin->reportProblem ("The host's saved state of this plug-in could not be read: the settings stay as they were");
        return;
    }

    const auto length = (size_t) juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4));
    const auto* text = static_cast<const char*> (juce::addBytesToPointer (data, 8));
    // The block ends the text with a NUL, which a length may count: the text ends there, as
    // JUCE's own reader reads it.
    const auto available = ::strnlen (text, juce::jmin (length, (size_t) sizeInBytes - 8));
    juce::String error;
    const auto xml = BoundedXmlReader::parse (text, available, stateXmlLimits, error);

    if (xml == nullptr || ! plugin->setStateFromXml (*xml))
        plugin->reportProblem ("The host's saved state of this plug-in could not be read"
                               + (error.isNotEmpty() ? " (" + error + ")" : juce::String()) + ": the settings stay as they were");
}
