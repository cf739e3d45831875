#include "TestGainProcessor.h"
#include "TestGainEditor.h"

TestGainProcessor::TestGainProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
{
    addParameter (gain = new juce::AudioParameterFloat ({ "gain", 1 }, "Gain", 0.0f, 2.0f, 1.0f));
    addParameter (markers = new juce::AudioParameterBool ({ "markers", 1 }, "Markers", true));
    addParameter (markerChannel = new juce::AudioParameterChoice ({ "markerChannel", 1 }, "Marker Channel",
                                                                  juce::StringArray { "All", "First" }, 0));
}

float TestGainProcessor::Marker (const juce::MidiMessage& message)
{
    const auto size = message.getRawDataSize();
    return 2.0f + (size > 1 ? static_cast<float> (message.getRawData()[1]) : 0.0f) / 128.0f;
}

bool TestGainProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto in = layouts.getMainInputChannelSet();
    const auto out = layouts.getMainOutputChannelSet();

    return in == out && (out == juce::AudioChannelSet::mono() || out == juce::AudioChannelSet::stereo());
}

void TestGainProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    buffer.applyGain (gain->get());

    if (! markers->get())
        return;

    const int channels = markerChannel->getIndex() == 0 ? buffer.getNumChannels() : juce::jmin (1, buffer.getNumChannels());

    for (const auto event : midi)
        if (event.samplePosition >= 0 && event.samplePosition < buffer.getNumSamples())
            for (int ch = 0; ch < channels; ++ch)
                buffer.setSample (ch, event.samplePosition, Marker (event.getMessage()));
}

juce::AudioProcessorEditor* TestGainProcessor::createEditor()
{
    return new TestGainEditor (*this);
}

void TestGainProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    juce::XmlElement state ("TestGain");

    for (auto* parameter : getParameters())
        if (auto* withID = dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter))
            state.setAttribute (withID->getParameterID(), parameter->getValue());

    copyXmlToBinary (state, destData);
}

void TestGainProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    const auto state = getXmlFromBinary (data, sizeInBytes);

    if (state == nullptr || ! state->hasTagName ("TestGain"))
        return;

    for (auto* parameter : getParameters())
        if (auto* withID = dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter))
            if (state->hasAttribute (withID->getParameterID()))
                parameter->setValueNotifyingHost (static_cast<float> (state->getDoubleAttribute (withID->getParameterID())));
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new TestGainProcessor();
}
