#pragma once

#include "core/BasePlugin.h"
#include "core/MidiEventQueue.h"

class NimbusEffectCore;

/** The family's effect base: MIDI-timed block rendering through an effect core under the
    processing mutex, with the tempo from the host's play head. */
class NimbusEffect : public BasePlugin
{
public:
    explicit NimbusEffect (std::unique_ptr<ParameterManager> parameterManager);
    ~NimbusEffect() override;

    /** Any thread. The core as an effect core (null without one). */
    NimbusEffectCore* getEffectCore() const noexcept;
    /** Any thread: lock-free. The host's tempo at the last block. */
    double getTempo() const noexcept { return tempo.load(); }
    /** Guards every call into the DSP core, from processing and from parameter changes. */
    const juce::CriticalSection& getProcessingMutex() const noexcept { return processingMutex; }

    /** Any thread but the audio thread: takes the processing mutex. */
    void prepareToPlay (double sampleRate, int maximumBlockSize) override;

protected:
    /** Audio thread: never allocates; takes only the processing mutex, around the core. */
    void process (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, const ProcessContext& context) override;
    /** Any thread (the audio thread too, for automation and MIDI CC): takes the processing
        mutex; never allocates. */
    void sendToCore (Parameter& parameter) override;

private:
    MidiEventQueue midiQueue;
    juce::CriticalSection processingMutex;   // recursive: a MIDI CC inside processing changes a parameter
    std::atomic<double> tempo { 120.0 };
};
