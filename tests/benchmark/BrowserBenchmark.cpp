// The content browser on a user folder of 10,000 tagged presets (refreshed once, outside the
// measurements):
// - filtering by one tag in ANY mode and by two tags of one category in ALL mode, with the
//   result list re-sorted, against a plain std::sort of the same 10,000 names with the list's
//   own comparison. Goal: at most 3 times the sort.
// - opening the browser and painting its first page, against the same on an empty folder.
//   Goal: within one 25 ms editor tick.

#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include "editor/browser/ContentBrowser.h"
#include "BenchmarkSetup.h"
#include "BenchmarkTags.h"
#include <algorithm>
#include <random>

namespace
{
    constexpr int numPresets = 10000;

    struct PresetFolder
    {
        juce::File folder { juce::File::getSpecialLocation (juce::File::tempDirectory)
                                .getNonexistentChildFile ("grindel-bench-browser", {}, false) };
        juce::File empty { folder.getSiblingFile (folder.getFileName() + "-empty") };

        PresetFolder()
        {
            folder.createDirectory();
            empty.createDirectory();
            juce::Random random (11);

            for (int i = 0; i < numPresets; ++i)
            {
                Preset preset;
                preset.name = "Preset " + juce::String (random.nextInt (100000)) + " " + juce::String (i);
                preset.application = "Grindel 2";
                preset.setTagMap (randomSharedTags (random));
                preset.setValue (0, "1");
                preset.saveToFile (folder.getChildFile (preset.name + Preset::fileExtension));
            }
        }

        ~PresetFolder()
        {
            folder.deleteRecursively();
            empty.deleteRecursively();
        }
    };

    PresetFolder& getFolder()
    {
        static PresetFolder folder;
        return folder;
    }

    /** A browser on one user folder, refreshed. */
    struct Browser
    {
        explicit Browser (const juce::File& folder)
            : source (processor.getPlugin(), folder), browser (processor.getPlugin(), "Presets", ".grzip")
        {
            browser.setSize (1062, 540);
            browser.setCurrentSource (&source);
        }

        PluginAudioProcessor processor;
        PresetsDirectoryContent<Preset> source;
        ContentBrowser browser;
    };

    void sortAlone (benchmark::State& state)
    {
        const Browser b (getFolder().folder);
        std::vector<juce::String> shuffled;

        for (auto* item : b.source.getItems())
            shuffled.push_back (item->name);

        std::shuffle (shuffled.begin(), shuffled.end(), std::mt19937 (3));

        for (auto _ : state)
        {
            auto names = shuffled;
            std::sort (names.begin(), names.end(), ContentResults::isInDisplayOrder);
            benchmark::DoNotOptimize (names.data());
        }
    }

    void filterAndSort (benchmark::State& state, bool all)
    {
        Browser b (getFolder().folder);
        auto& filters = b.browser.getFilters();
        const auto& dictionary = b.browser.getTagDictionary();
        filters.setTagSelected (dictionary.getId ("Vintage Sampler", "12 Bit"), true);

        if (all)
        {
            filters.setTagSelected (dictionary.getId ("Vintage Sampler", "Drums"), true);
            filters.setCategoryMode ("Vintage Sampler", true);
        }

        for (auto _ : state)
        {
            // Filters every item, then the list refilters and sorts what passes.
            filters.applyFilters();
            benchmark::DoNotOptimize (b.browser.getResults().getNumResults());
        }

        state.counters["shown"] = b.browser.getResults().getNumResults();
    }

    void openAndPaint (benchmark::State& state, bool full)
    {
        Browser b (full ? getFolder().folder : getFolder().empty);

        for (auto _ : state)
        {
            b.browser.open (true);
            const auto frame = b.browser.createComponentSnapshot (b.browser.getLocalBounds());
            benchmark::DoNotOptimize (frame.getPixelData());

            state.PauseTiming();
            b.browser.close (true);
            state.ResumeTiming();
        }

        state.counters["shown"] = b.browser.getResults().getNumResults();
    }

    void filterAnyOneTag (benchmark::State& state) { filterAndSort (state, false); }
    void filterAllTwoTags (benchmark::State& state) { filterAndSort (state, true); }
    void openEmptyFolder (benchmark::State& state) { openAndPaint (state, false); }
    void openFullFolder (benchmark::State& state) { openAndPaint (state, true); }
}

BENCHMARK (sortAlone)->Unit (benchmark::kMillisecond);
BENCHMARK (filterAnyOneTag)->Unit (benchmark::kMillisecond);
BENCHMARK (filterAllTwoTags)->Unit (benchmark::kMillisecond);
BENCHMARK (openEmptyFolder)->Unit (benchmark::kMillisecond);
BENCHMARK (openFullFolder)->Unit (benchmark::kMillisecond);

int main (int argc, char** argv)
{
    return runBenchmarksWithGui (argc, argv);
}
