// 64-sample stereo blocks through the bundle's native process procedure (the stand-in
// host's path) against the same blocks through the anchor bundle: a plain JUCE pass-through
// processor behind the same wrapper on the same library, so the wrapper's and the host's own
// cost is in both. Goal: the product's bundle at most 1.10 times the anchor's. The direct
// path (PluginAudioProcessor without the wrapper) runs beside them for reference. The audio
// thread flushes denormals, as hosts run theirs.

#include "core/PluginAudioProcessor.h"
#include "StandInInstance.h"
#include "StandInSession.h"
#include "CountedStep.h"

#include <benchmark/benchmark.h>

namespace
{
    constexpr int kBlock = 64;

    std::vector<std::vector<float>> makeSignal()
    {
        juce::Random random (1);
        std::vector<std::vector<float>> signal (2, std::vector<float> (kBlock));
        for (auto& channel : signal)
            for (auto& s : channel)
                s = random.nextFloat() - 0.5f;
        return signal;
    }

    void directProcessing (benchmark::State& state)
    {
        const auto source = makeSignal();
        juce::AudioBuffer<float> buffer (2, kBlock);
        juce::MidiBuffer midi;

        juce::ScopedJuceInitialiser_GUI juce;
        PluginAudioProcessor processor;
        processor.setBusesLayout ({ { juce::AudioChannelSet::stereo() }, { juce::AudioChannelSet::stereo() } });
        processor.prepareToPlay (48000.0, kBlock);
        const bool wasOff = juce::FloatVectorOperations::areDenormalsDisabled();
        juce::FloatVectorOperations::disableDenormalisedNumberSupport (true);

        for (auto _ : state)
        {
            // The AAX path copies the input into the output buffers too.
            countedStep ([&] {
                for (int ch = 0; ch < 2; ++ch)
                    buffer.copyFrom (ch, 0, source[(size_t) ch].data(), kBlock);

                processor.processBlock (buffer, midi);
            });
            benchmark::DoNotOptimize (buffer.getWritePointer (0));
            benchmark::ClobberMemory();
        }

        juce::FloatVectorOperations::disableDenormalisedNumberSupport (wasOff);
        processor.releaseResources();
        state.SetItemsProcessed (state.iterations() * kBlock);
    }

    void aaxProcessing (benchmark::State& state, const char* bundle)
    {
        StandInSession session;

        if (! session.Open (bundle))
        {
            state.SkipWithError (session.Error().c_str());
            return;
        }

        std::string error;
        auto instance = session.CreateInstance (2, 48000.0, error);

        if (instance == nullptr)
        {
            state.SkipWithError (error.c_str());
            return;
        }

        const auto source = makeSignal();
        std::vector<std::vector<float>> output (2, std::vector<float> (kBlock));
        const float* in[] = { source[0].data(), source[1].data() };
        float* out[] = { output[0].data(), output[1].data() };

        const bool wasOff = juce::FloatVectorOperations::areDenormalsDisabled();
        juce::FloatVectorOperations::disableDenormalisedNumberSupport (true);

        for (auto _ : state)
        {
            countedStep ([&] { instance->ProcessBlock (in, out, kBlock); });
            benchmark::DoNotOptimize (out[0]);
            benchmark::ClobberMemory();
        }

        juce::FloatVectorOperations::disableDenormalisedNumberSupport (wasOff);

        instance.reset();
        session.Close();
        state.SetItemsProcessed (state.iterations() * kBlock);
    }
}

BENCHMARK (directProcessing)->MinTime (0.5);
BENCHMARK_CAPTURE (aaxProcessing, anchor, GRINDEL_AAX_ANCHOR_BUNDLE)->MinTime (0.5);
BENCHMARK_CAPTURE (aaxProcessing, product, GRINDEL_AAX_BUNDLE)->MinTime (0.5);

BENCHMARK_MAIN();
