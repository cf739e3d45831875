// Block processing through PluginAudioProcessor against a plain copy of the same buffers, at
// 32 to 8192 samples, mono and stereo, with the meters unread and read.
// Goals, mono and stereo alike: meters unread at most 3 times the copy at 32 samples and 1.2
// times at 512; meters read at most 4 times at 32 and, in time, 1.6 times at 512.
// pluginProcessing runs as most hosts do, with flush-to-zero and denormals-are-zero on (one
// multiplication a block tells the plug-in so); hostDenormalMode gives the block's cost both
// ways.

#include "core/PluginAudioProcessor.h"
#include "dsp/NimbusEffectCore.h"
#include "CountedStep.h"
#include <benchmark/benchmark.h>

namespace
{
    juce::AudioBuffer<float> makeSignal (int channels, int samples)
    {
        juce::AudioBuffer<float> buffer (channels, samples);
        juce::Random random (1);

        for (int ch = 0; ch < channels; ++ch)
            for (int i = 0; i < samples; ++i)
                buffer.setSample (ch, i, random.nextFloat() - 0.5f);

        return buffer;
    }

    // Arguments: samples, channels.
    void plainCopy (benchmark::State& state)
    {
        const int samples = (int) state.range (0), channels = (int) state.range (1);
        const auto source = makeSignal (channels, samples);
        juce::AudioBuffer<float> buffer (channels, samples);

        for (auto _ : state)
        {
            countedStep ([&] {
                for (int ch = 0; ch < channels; ++ch)
                    buffer.copyFrom (ch, 0, source, ch, 0, samples);
            });

            benchmark::DoNotOptimize (buffer.getWritePointer (0));
            benchmark::ClobberMemory();
        }

        state.SetItemsProcessed (state.iterations() * samples);
    }

    // Arguments: samples, channels, meters read (0 or 1).
    void pluginProcessing (benchmark::State& state)
    {
        const int samples = (int) state.range (0), channels = (int) state.range (1);
        const auto source = makeSignal (channels, samples);
        juce::AudioBuffer<float> buffer (channels, samples);
        juce::MidiBuffer midi;

        juce::ScopedJuceInitialiser_GUI juce;
        PluginAudioProcessor processor;
        const auto layout = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
        processor.setBusesLayout ({ { layout }, { layout } });
        processor.prepareToPlay (48000.0, samples);
        auto* meters = dynamic_cast<NimbusEffectCore*> (processor.getPlugin().getCore());

        if (state.range (2) != 0 && meters != nullptr)
            meters->addMeterReader();

        // As most hosts run their audio threads.
        const bool wasOff = juce::FloatVectorOperations::areDenormalsDisabled();
        juce::FloatVectorOperations::disableDenormalisedNumberSupport (true);

        for (auto _ : state)
        {
            // The same copy as the baseline, then the plug-in's work on top of it.
            countedStep ([&] {
                for (int ch = 0; ch < channels; ++ch)
                    buffer.copyFrom (ch, 0, source, ch, 0, samples);

                processor.processBlock (buffer, midi);
            });
            benchmark::DoNotOptimize (buffer.getWritePointer (0));
            benchmark::ClobberMemory();
        }

        juce::FloatVectorOperations::disableDenormalisedNumberSupport (wasOff);

        if (state.range (2) != 0 && meters != nullptr)
            meters->removeMeterReader();

        state.SetItemsProcessed (state.iterations() * samples);
    }

    // Arguments: samples, whether the host's thread flushes denormals (0 or 1). Stereo.
    void hostDenormalMode (benchmark::State& state)
    {
        const int samples = (int) state.range (0);
        const auto source = makeSignal (2, samples);
        juce::AudioBuffer<float> buffer (2, samples);
        juce::MidiBuffer midi;

        juce::ScopedJuceInitialiser_GUI juce;
        PluginAudioProcessor processor;
        processor.prepareToPlay (48000.0, samples);
        const bool wasOff = juce::FloatVectorOperations::areDenormalsDisabled();
        juce::FloatVectorOperations::disableDenormalisedNumberSupport (state.range (1) != 0);

        for (auto _ : state)
        {
            for (int ch = 0; ch < 2; ++ch)
                buffer.copyFrom (ch, 0, source, ch, 0, samples);

            processor.processBlock (buffer, midi);
            benchmark::DoNotOptimize (buffer.getWritePointer (0));
            benchmark::ClobberMemory();
        }

        juce::FloatVectorOperations::disableDenormalisedNumberSupport (wasOff);
        state.SetItemsProcessed (state.iterations() * samples);
    }

    void blockSizesAndChannels (benchmark::internal::Benchmark* b, bool withMeters)
    {
        for (int channels : { 1, 2 })
            for (int samples : { 32, 64, 128, 512, 2048, 8192 })
                for (int meters : { 0, 1 })
                    if (withMeters || meters == 0)
                        b->Args (withMeters ? std::vector<int64_t> { samples, channels, meters } : std::vector<int64_t> { samples, channels });
    }
}

BENCHMARK (plainCopy)->Apply ([] (auto* b) { blockSizesAndChannels (b, false); }) -> ArgNames ({ "samples", "channels" });
BENCHMARK (pluginProcessing)->Apply ([] (auto* b) { blockSizesAndChannels (b, true); }) -> ArgNames ({ "samples", "channels", "meters" });
BENCHMARK (hostDenormalMode)->ArgsProduct ({ { 32, 512 }, { 0, 1 } })->ArgNames ({ "samples", "hostFlushes" });
BENCHMARK_MAIN();
