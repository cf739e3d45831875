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

    NimbusEffectCore* getEffectCore() const noexcept;
    double getTempo() const noexcept                   { return tempo.load(); }
    const juce::CriticalSection& getProcessingMutex() const noexcept { return processingMutex; }

    void prepareToPlay (double sampleRate, int maximumBlockSize) override;

protected:
    void process (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, const ProcessContext& context) override;
    void sendToCore (Parameter& parameter) override;

private:
    MidiEventQueue midiQueue;
    juce::CriticalSection processingMutex;   // recursive: a MIDI CC inside processing changes a parameter
    std::atomic<double> tempo { 120.0 };
};
