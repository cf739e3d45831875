// Refreshing a user preset folder against reading the same files' bytes, each into a fresh
// buffer: 10,000 and 50,000 presets, tagged from a dozen shared tags or with one distinct tag
// each. Three refreshes of a source whose items are shown:
// - unchanged: the folder as the last refresh left it (a look at each file's stamp);
// - cold: every file changed since the last refresh (all read again);
// - first: the first listing of the folder in the process, items made.
// Goals: unchanged at most 0.5 times the raw read, cold and first at most 1.5 times, whatever
// the tags and the size.

#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include "BenchmarkFolders.h"
#include "BenchmarkTags.h"
#include "CountedStep.h"
#include <benchmark/benchmark.h>
#include <map>

namespace
{
    struct PresetFolder
    {
        juce::File folder;
        juce::Array<juce::File> files;

        /** forAgeing: a folder of its own, which the cold refresh changes under the others. */
        PresetFolder (int count, bool distinctTags, bool forAgeing)
        {
            const auto name = "presets-" + juce::String (count) + (distinctTags ? "-distinct" : "-shared") + (forAgeing ? "-aged" : "");
            folder = benchfolders::get (name, [&] (const juce::File& made) {
                juce::Random random (7);

                for (int i = 0; i < count; ++i)
                {
                    Preset preset;
                    preset.name = "Preset " + juce::String (i);
                    preset.application = "Grindel 2";
                    preset.version = GRINDEL_VERSION_STRING;
                    preset.author = "Bench";
                    preset.id = juce::Uuid().toString();

                    CategoryTagMap distinct;
                    distinct.add ("Vintage Sampler", "Tag " + juce::String (i));
                    preset.setTagMap (distinctTags ? distinct : randomSharedTags (random));

                    for (int id = 0; id < 8; ++id)
                        preset.setValue (id, juce::String (random.nextFloat() * 100.0f, 3));

                    const auto file = made.getChildFile (preset.name + Preset::fileExtension);
                    benchfolders::writePreset (preset, file);
                    files.add (file);
                }

                // Saved a while ago.
                benchfolders::age (made, files);
                files.clearQuick();
            });

            for (int i = 0; i < count; ++i)
                files.add (folder.getChildFile ("Preset " + juce::String (i) + Preset::fileExtension));
        }

        void age() { benchfolders::age (folder, files); }
    };

    PresetFolder& getFolder (const benchmark::State& state, bool forAgeing = false)
    {
        static std::map<std::tuple<int, bool, bool>, std::unique_ptr<PresetFolder>> folders;
        const auto key = std::make_tuple ((int) state.range (0), state.range (1) != 0, forAgeing);
        auto& folder = folders[key];

        if (folder == nullptr)
            folder = std::make_unique<PresetFolder> (std::get<0> (key), std::get<1> (key), forAgeing);

        return *folder;
    }

    void rawRead (benchmark::State& state)
    {
        auto& presets = getFolder (state);

        for (auto _ : state)
        {
            size_t total = 0;

            countedStep ([&] {
                for (const auto& file : presets.files)
                {
                    juce::MemoryBlock data;
                    file.loadFileAsData (data);
                    total += data.getSize();
                }
            });

            benchmark::DoNotOptimize (total);
        }

        state.SetItemsProcessed (state.iterations() * presets.files.size());
    }

    struct ShownSource
    {
        explicit ShownSource (const juce::File& folder)
            : source (processor.getPlugin(), folder)
        {
            source.setTagDictionary (&dictionary);
        }

        /** A refresh of a source whose items are shown (a browser's). */
        void refresh()
        {
            source.refresh();
            benchmark::DoNotOptimize (source.getItems().size());
        }

        PluginAudioProcessor processor;
        TagDictionary dictionary;
        PresetsDirectoryContent<Preset> source;
    };

    void check (benchmark::State& state, const ShownSource& shown, const PresetFolder& presets)
    {
        if (shown.source.getItems().size() != presets.files.size())
            state.SkipWithError ("not every preset was found");
    }

    // A refresh of the folder as it stands (the listing's stamps all known), or cold: every file
    // changed since the last refresh, which then reads them all again.
    void refreshFolder (benchmark::State& state, bool cold)
    {
        auto& presets = getFolder (state, cold);
        juce::ScopedJuceInitialiser_GUI juce;
        ShownSource shown (presets.folder);
        shown.refresh();

        for (auto _ : state)
        {
            if (cold)
            {
                state.PauseTiming();
                presets.age();
                state.ResumeTiming();
            }

            countedStep ([&] { shown.refresh(); });
        }

        check (state, shown, presets);
        state.SetItemsProcessed (state.iterations() * presets.files.size());
    }

    void folderRefresh (benchmark::State& state) { refreshFolder (state, false); }
    void folderRefreshCold (benchmark::State& state) { refreshFolder (state, true); }

    // The first listing in the process: the folder reached through a path no index knows.
    void folderFirstListing (benchmark::State& state)
    {
        auto& presets = getFolder (state);
        juce::ScopedJuceInitialiser_GUI juce;

        for (auto _ : state)
        {
            state.PauseTiming();
            const auto path = benchfolders::freshPathTo (presets.folder);
            auto shown = std::make_unique<ShownSource> (path);
            state.ResumeTiming();

            countedStep ([&] { shown->refresh(); });

            state.PauseTiming();
            check (state, *shown, presets);
            shown.reset();
            path.deleteFile();
            state.ResumeTiming();
        }

        state.SetItemsProcessed (state.iterations() * presets.files.size());
    }

    // { number of presets, 1: one distinct tag each }
    void folders (benchmark::internal::Benchmark* b)
    {
        b->ArgNames ({ "presets", "distinct" });

        for (const int count : { 10000, 50000 })
            for (const int distinct : { 0, 1 })
                b->Args ({ count, distinct });
    }
}

BENCHMARK (rawRead)->Apply (folders)->Unit (benchmark::kMillisecond)->MinTime (1.0);
BENCHMARK (folderRefresh)->Apply (folders)->Unit (benchmark::kMillisecond)->MinTime (1.0);
BENCHMARK (folderRefreshCold)->Apply (folders)->Unit (benchmark::kMillisecond)->MinTime (1.0);
BENCHMARK (folderFirstListing)->Apply (folders)->Unit (benchmark::kMillisecond)->MinTime (1.0);
BENCHMARK_MAIN();
