// The editor's first show of the default skin (package read, widgets built, first paint, as the
// host's window asks for it) against building and painting the same widget tree alone. Goal: the
// editor adds under 30 % on top.
//
// The pair: a second editor of the same skin, shown while the first is open, against the first.
// Goals: at most half the first's time, at most 15 MB. Counter "MB": the memory each case adds
// while what it made is open, every block malloc hands out counted (those it maps on their own
// too).

#include "core/PluginAudioProcessor.h"
#include "product/Grindel.h"
#include "BenchmarkSetup.h"
#include <algorithm>
#include <malloc.h>

namespace
{
    /** Every block malloc handed out: those of its heap and those it maps on their own (large
        images, which the heap's count leaves out). */
    double megabytesInUse()
    {
        const auto info = mallinfo2();
        return (double) (info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
    }

    struct OpenEditor
    {
        std::unique_ptr<PluginAudioProcessor> processor = std::make_unique<PluginAudioProcessor> (std::make_unique<Grindel>());
        std::unique_ptr<juce::AudioProcessorEditor> window;

        ~OpenEditor()
        {
            if (window != nullptr)
                processor->editorBeingDeleted (window.get());

            window.reset();
            processor.reset();
        }

        // What the host's first show asks: the editor made and painted.
        void show (benchmark::State& state)
        {
            window.reset (processor->createEditorIfNeeded());
            const auto frame = window->createComponentSnapshot (window->getLocalBounds());

            if (window->getWidth() != 1180)
                state.SkipWithError ("the editor did not show the default skin");

            benchmark::DoNotOptimize (frame.getPixelData());
        }
    };

    /** Shows editors one after another (each plug-in made outside the measurement) and
        counts the heap each adds while open. */
    void showEditors (benchmark::State& state)
    {
        double added = 0;

        for (auto _ : state)
        {
            state.PauseTiming();
            auto editor = std::make_unique<OpenEditor>();
            const auto before = megabytesInUse();
            state.ResumeTiming();

            editor->show (state);

            state.PauseTiming();
            added += megabytesInUse() - before;
            editor.reset();
            state.ResumeTiming();
        }

        state.counters["MB"] = added / (double) state.iterations();
    }

    void editorFirstShow (benchmark::State& state)
    {
        showEditors (state);
    }

    void editorSecondShow (benchmark::State& state)
    {
        OpenEditor first;
        first.show (state);
        showEditors (state);
    }

    void widgetTreeAlone (benchmark::State& state)
    {
        Grindel plugin;
        double added = 0;

        for (auto _ : state)
        {
            state.PauseTiming();
            const auto before = megabytesInUse();
            state.ResumeTiming();

            const DefaultSkinGui built (plugin);

            if (built.gui == nullptr)
            {
                state.SkipWithError (built.skin.getErrorText().toRawUTF8());
                break;
            }

            const auto frame = built.gui->createComponentSnapshot (built.gui->getLocalBounds());
            benchmark::DoNotOptimize (frame.getPixelData());

            state.PauseTiming();
            added += megabytesInUse() - before;
            state.ResumeTiming();
        }

        // Every case reports the counter (the CSV output asks it of all).
        state.counters["MB"] = added / (double) std::max<benchmark::IterationCount> (1, state.iterations());
    }
}

BENCHMARK (widgetTreeAlone)->Unit (benchmark::kMillisecond);
BENCHMARK (editorFirstShow)->Unit (benchmark::kMillisecond);
BENCHMARK (editorSecondShow)->Unit (benchmark::kMillisecond);

int main (int argc, char** argv)
{
    return runBenchmarksWithGui (argc, argv);
}
