// Block processing through PluginAudioProcessor against a plain copy of the same buffers.
// Goal: at most 3 times the copy at 32 samples, at most 1.5 times at 512.

#include "core/PluginAudioProcessor.h"
#include <benchmark/benchmark.h>

namespace
{
    juce::AudioBuffer<float> makeSignal (int samples)
    {
        juce::AudioBuffer<float> buffer (2, samples);
        juce::Random random (1);

        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < samples; ++i)
                buffer.setSample (ch, i, random.nextFloat() - 0.5f);

        return buffer;
    }

    void plainCopy (benchmark::State& state)
    {
        const int samples = (int) state.range (0);
        const auto source = makeSignal (samples);
        juce::AudioBuffer<float> buffer (2, samples);

        for (auto _ : state)
        {
            for (int ch = 0; ch < 2; ++ch)
                buffer.copyFrom (ch, 0, source, ch, 0, samples);

            benchmark::DoNotOptimize (buffer.getWritePointer (0));
            benchmark::ClobberMemory();
        }

        state.SetItemsProcessed (state.iterations() * samples);
    }

    void pluginProcessing (benchmark::State& state)
    {
        const int samples = (int) state.range (0);
        const auto source = makeSignal (samples);
        juce::AudioBuffer<float> buffer (2, samples);
        juce::MidiBuffer midi;

        juce::ScopedJuceInitialiser_GUI juce;
        PluginAudioProcessor processor;
        processor.prepareToPlay (48000.0, samples);

        for (auto _ : state)
        {
            // The same copy as the baseline, then the plug-in's work on top of it.
            for (int ch = 0; ch < 2; ++ch)
                buffer.copyFrom (ch, 0, source, ch, 0, samples);

            processor.processBlock (buffer, midi);
            benchmark::DoNotOptimize (buffer.getWritePointer (0));
            benchmark::ClobberMemory();
        }

        state.SetItemsProcessed (state.iterations() * samples);
    }
}

BENCHMARK (plainCopy)->Arg (32)->Arg (512);
BENCHMARK (pluginProcessing)->Arg (32)->Arg (512);
BENCHMARK_MAIN();
