#pragma once

#include "core/BasePlugin.h"
#include "core/MidiEventQueue.h"
#include <memory>
#include <unordered_map>
#include <vector>

class NimbusEffectCore;

/** The family's effect base: MIDI-timed block rendering through an effect core, with the
    tempo from the host's play head when the core uses it.

    Only the audio thread calls the core while the host processes: a parameter changed on
    another thread raises its pending flag, and the next block hands the pending values to the
    core before it renders; a change on the audio thread itself (a MIDI controller, the quality
    switch) reaches the core at once. No lock is taken. */
class NimbusEffect : public BasePlugin
{
public:
    explicit NimbusEffect (std::unique_ptr<ParameterManager> parameterManager);
    ~NimbusEffect() override;

    /** Any thread. The core as an effect core (null without one). */
    NimbusEffectCore* getEffectCore() const noexcept;
    /** Any thread: lock-free. The host's tempo at the last block, while the core uses tempo
        (else 120). */
    double getTempo() const noexcept { return tempo.load(); }

    /** Any thread but the audio thread, while nothing processes: may allocate. */
    void prepareToPlay (double sampleRate, int maximumBlockSize) override;

protected:
    /** Audio thread: never allocates, locks or calls the host synchronously. What the common
        block, which BasePlugin hands straight to the core, does without: outputs without an
        input to clear, pending values, tempo, MIDI. */
    void process (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, const ProcessContext& context) override;
    /** Any thread: lock-free and allocation-free. On the audio thread inside a block the core
        hears of it at once; from other threads at the next block (or prepareToPlay). */
    void sendToCore (Parameter& parameter) override;

private:
    /** Audio thread, or any thread while nothing processes. */
    void applyPendingChanges() noexcept;
    /** Audio thread: the host's tempo from its play head (120 without one). */
    __attribute__ ((noinline)) void updateTempo (BasePluginCore& effectCore, juce::AudioPlayHead* playHead) noexcept;
    /** Audio thread: the block piece by piece between its MIDI events (right null for mono).
        Kept out of line, so a block without MIDI pays nothing for it. */
    __attribute__ ((noinline)) void renderWithMidi (BasePluginCore& effectCore, float* left, float* right, int numSamples, const juce::MidiBuffer& midi) noexcept;

    MidiEventQueue midiQueue;
    std::atomic<double> tempo { 120.0 };

    // The parameters, each with its pending flag; the table is fixed once built.
    std::vector<Parameter*> parameters;
    std::unordered_map<const Parameter*, size_t> slots;
    // Any raised flag also raises BasePlugin's pendingValues reason.
    std::unique_ptr<std::atomic<bool>[]> pending;
    std::atomic<bool> allPending { false };
};
