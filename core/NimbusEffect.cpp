#include "core/NimbusEffect.h"
#include "dsp/NimbusEffectCore.h"
#include <juce_audio_processors/juce_audio_processors.h>

NimbusEffect::NimbusEffect (std::unique_ptr<ParameterManager> manager)
    : BasePlugin (std::move (manager))
{
    for (auto* p : getParameterManager().getParameters())
    {
        slots.emplace (p, parameters.size());
        parameters.push_back (p);
    }

    pending = std::make_unique<std::atomic<bool>[]> (parameters.size());

    for (size_t i = 0; i < parameters.size(); ++i)
        pending[i].store (false);
}

NimbusEffect::~NimbusEffect()
{
    core.reset();
}

NimbusEffectCore* NimbusEffect::getEffectCore() const noexcept
{
    return dynamic_cast<NimbusEffectCore*> (getCore());
}

void NimbusEffect::prepareToPlay (double newSampleRate, int maximumBlockSize)
{
    midiQueue.clear();
    takeFullPathReason (carriedMidi);
    BasePlugin::prepareToPlay (newSampleRate, maximumBlockSize);
    applyPendingChanges();
}

void NimbusEffect::sendToCore (Parameter& parameter)
{
    if (isProcessingThread())
    {
        BasePlugin::sendToCore (parameter);
        return;
    }

    // Released: the block that takes a flag sees the value stored before it.
    if (const auto found = slots.find (&parameter); found != slots.end())
        pending[found->second].store (true, std::memory_order_release);
    else
        allPending.store (true, std::memory_order_release);   // a parameter added after us

    requireFullPath (pendingValues);
}

void NimbusEffect::applyPendingChanges() noexcept
{
    // The read-modify-write only when something changed.
    if (core == nullptr || ! takeFullPathReason (pendingValues))
        return;

    // Each flag is taken with acquire: a flag raised after the exchange above is taken here
    // with its value, not only at the next block.
    const bool all = allPending.exchange (false, std::memory_order_acquire);

    if (all)
        for (auto* p : getParameterManager().getParameters())
            core->setParameter (p->getId(), p->getValue());

    for (size_t i = 0; i < parameters.size(); ++i)
        if (pending[i].load (std::memory_order_relaxed) && pending[i].exchange (false, std::memory_order_acquire) && ! all)
            core->setParameter (parameters[i]->getId(), parameters[i]->getValue());
}

void NimbusEffect::updateTempo (BasePluginCore& effectCore, juce::AudioPlayHead* playHead) noexcept
{
    double bpm = 120.0;

    if (playHead != nullptr)
        if (const auto position = playHead->getPosition())
            if (const auto hostBpm = position->getBpm(); hostBpm.hasValue() && *hostBpm > 0.0)
                bpm = *hostBpm;

    tempo.store (bpm, std::memory_order_release);
    effectCore.setTempo (bpm);
}

void NimbusEffect::renderWithMidi (BasePluginCore& effectCore, float* left, float* right, int numSamples, const juce::MidiBuffer& midi) noexcept
{
    // Mapped controllers set parameters on this thread: they reach the core at once.
    const ProcessingThreadMark mark (*this);

    if (midiQueue.addEvents (midi) > 0)
        midiActivity.store (1, std::memory_order_relaxed);

    midiQueue.process (
        numSamples,
        [&] (int start, int length) {
            if (right != nullptr)
                effectCore.processStereo (left + start, right + start, length);
            else
                effectCore.processMono (left + start, length);
        },
        [&] (const MidiEventQueue::Event& event) {
            if (event.isController())
                getMidiControlMap().handleController (event.getControllerNumber(), event.getControllerValue());
        });
}

void NimbusEffect::process (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, const ProcessContext& context)
{
    const int numSamples = buffer.getNumSamples();
    const int numChannels = buffer.getNumChannels();

    for (int ch = context.numInputChannels; ch < juce::jmin (context.numOutputChannels, numChannels); ++ch)
        buffer.clear (ch, 0, numSamples);

    auto* effectCore = getCore();

    if (effectCore == nullptr || numChannels == 0)
        return;

    applyPendingChanges();

    // The play head costs the host several calls: asked only when the core uses tempo.
    if (effectCore->usesTempo())
        updateTempo (*effectCore, context.playHead.load (std::memory_order_acquire));

    const bool stereo = juce::jmin (context.numOutputChannels, numChannels) >= 2;
    float* left = buffer.getWritePointer (0);
    float* right = stereo ? buffer.getWritePointer (1) : nullptr;

    if (midi.data.isEmpty() && midiQueue.getNumPending() == 0)
    {
        if (stereo)
            effectCore->processStereo (left, right, numSamples);
        else
            effectCore->processMono (left, numSamples);
    }
    else
    {
        renderWithMidi (*effectCore, left, right, numSamples, midi);

        // Events due in a later block send it on this path too, with or without MIDI of its
        // own.
        if (midiQueue.getNumPending() > 0)
            requireFullPath (carriedMidi);
        else
            takeFullPathReason (carriedMidi);
    }
}
