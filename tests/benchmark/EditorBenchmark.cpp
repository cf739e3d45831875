// The editor's first show of the default skin (package read, widgets built, first paint, as the
// host's window asks for it) against building and painting the same widget tree alone. Goal: the
// editor adds under 30 % on top.

#include "core/PluginAudioProcessor.h"
#include "product/Grindel.h"
#include "BenchmarkSetup.h"

namespace
{
    void editorFirstShow (benchmark::State& state)
    {
        for (auto _ : state)
        {
            // The plug-in (and its editor, before any show) is made outside the measurement.
            state.PauseTiming();
            auto processor = std::make_unique<PluginAudioProcessor> (std::make_unique<Grindel>());
            state.ResumeTiming();

            std::unique_ptr<juce::AudioProcessorEditor> window (processor->createEditorIfNeeded());
            const auto frame = window->createComponentSnapshot (window->getLocalBounds());

            if (window->getWidth() != 1180)
                state.SkipWithError ("the editor did not show the default skin");

            benchmark::DoNotOptimize (frame.getPixelData());

            state.PauseTiming();
            processor->editorBeingDeleted (window.get());
            window.reset();
            processor.reset();
            state.ResumeTiming();
        }
    }

    void widgetTreeAlone (benchmark::State& state)
    {
        Grindel plugin;

        for (auto _ : state)
        {
            const DefaultSkinGui built (plugin);

            if (built.gui == nullptr)
            {
                state.SkipWithError (built.skin.getErrorText().toRawUTF8());
                break;
            }

            const auto frame = built.gui->createComponentSnapshot (built.gui->getLocalBounds());
            benchmark::DoNotOptimize (frame.getPixelData());
        }
    }
}

BENCHMARK (widgetTreeAlone)->Unit (benchmark::kMillisecond);
BENCHMARK (editorFirstShow)->Unit (benchmark::kMillisecond);

int main (int argc, char** argv)
{
    return runBenchmarksWithGui (argc, argv);
}
