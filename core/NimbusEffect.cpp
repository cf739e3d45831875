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

    anyPending.store (true, std::memory_order_release);
}

void NimbusEffect::applyPendingChanges() noexcept
{
    // One plain load in the common case (the caller's); the exchange only when something
    // changed.
    if (core == nullptr || ! anyPending.load (std::memory_order_relaxed) || ! anyPending.exchange (false, std::memory_order_acq_rel))
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
    auto* effectCore = core.get();
    const int numChannels = buffer.getNumChannels();

    // The common block in a few loads: a core, every output with its input, nothing pending,
    // no tempo to ask for and no MIDI. Everything else takes the slow path.
    const bool common = effectCore != nullptr && numChannels > 0 && context.numOutputChannels <= context.numInputChannels
        && ! anyPending.load (std::memory_order_relaxed) && ! effectCore->usesTempo()
        && midi.data.isEmpty() && midiQueue.getNumPending() == 0;

    if (! __builtin_expect (common, true))
    {
        processSlowly (buffer, midi, context);
        return;
    }

    float* left = buffer.getWritePointer (0);

    if (context.numOutputChannels >= 2 && numChannels >= 2)
        effectCore->processStereo (left, buffer.getWritePointer (1), buffer.getNumSamples());
    else
        effectCore->processMono (left, buffer.getNumSamples());
}

void NimbusEffect::processSlowly (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, const ProcessContext& context) noexcept
{
    const int numSamples = buffer.getNumSamples();
    const int numChannels = buffer.getNumChannels();

    for (int ch = context.numInputChannels; ch < juce::jmin (context.numOutputChannels, numChannels); ++ch)
        buffer.clear (ch, 0, numSamples);

    auto* effectCore = getCore();

    if (effectCore == nullptr || numChannels == 0)
        return;

    if (anyPending.load (std::memory_order_relaxed))
        applyPendingChanges();

    // The play head costs the host several calls: asked only when the core uses tempo.
    if (effectCore->usesTempo())
        updateTempo (*effectCore, context.playHead);

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
    }
}
