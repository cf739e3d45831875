#include "core/NimbusEffect.h"
#include "dsp/NimbusEffectCore.h"
#include <juce_audio_processors/juce_audio_processors.h>

NimbusEffect::NimbusEffect (std::unique_ptr<ParameterManager> manager)
    : BasePlugin (std::move (manager))
{
}

NimbusEffect::~NimbusEffect()
{
    const juce::ScopedLock sl (processingMutex);
    core.reset();
}

NimbusEffectCore* NimbusEffect::getEffectCore() const noexcept
{
    return dynamic_cast<NimbusEffectCore*> (getCore());
}

void NimbusEffect::prepareToPlay (double newSampleRate, int maximumBlockSize)
{
    const juce::ScopedLock sl (processingMutex);
    midiQueue.clear();
    BasePlugin::prepareToPlay (newSampleRate, maximumBlockSize);
}

void NimbusEffect::sendToCore (Parameter& parameter)
{
    const juce::ScopedLock sl (processingMutex);
    BasePlugin::sendToCore (parameter);
}

void NimbusEffect::process (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, const ProcessContext& context)
{
    const int numSamples = buffer.getNumSamples();
    const int numChannels = buffer.getNumChannels();

    double bpm = 120.0;

    if (context.playHead != nullptr)
        if (const auto position = context.playHead->getPosition())
            if (const auto hostBpm = position->getBpm(); hostBpm.hasValue() && *hostBpm > 0.0)
                bpm = *hostBpm;

    tempo.store (bpm, std::memory_order_release);

    for (int ch = context.numInputChannels; ch < juce::jmin (context.numOutputChannels, numChannels); ++ch)
        buffer.clear (ch, 0, numSamples);

    if (midiQueue.addEvents (midi) > 0)
        midiActivity.store (1);

    const juce::ScopedLock sl (processingMutex);
    auto* effectCore = getCore();

    if (effectCore == nullptr || numChannels == 0)
        return;

    effectCore->setTempo (bpm);

    const bool stereo = juce::jmin (context.numOutputChannels, numChannels) >= 2;
    float* left = buffer.getWritePointer (0);
    float* right = stereo ? buffer.getWritePointer (1) : nullptr;

    midiQueue.process (
        numSamples,
        [&] (int start, int length) {
            if (stereo)
                effectCore->processStereo (left + start, right + start, length);
            else
                effectCore->processMono (left + start, length);
        },
        [&] (const MidiEventQueue::Event& event) {
            if (event.isController())
                getMidiControlMap().handleController (event.getControllerNumber(), event.getControllerValue());
        });

    effectCore->endBlock();
}
