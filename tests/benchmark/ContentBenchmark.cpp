// Refreshing a user preset folder against reading the same files' bytes, each into a fresh
// buffer: 10,000 and 50,000 presets, tagged from a dozen shared tags or with one distinct tag
// each. The refresh of an unchanged folder looks at the files' stamps; the cold refresh finds
// every file changed since the last one and reads them all. Goal: each costs at most 1.5 times
// the raw read, whatever the tags.

#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include "BenchmarkTags.h"
#include "CountedStep.h"
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <map>

namespace
{
    struct PresetFolder
    {
        juce::File folder { juce::File::getSpecialLocation (juce::File::tempDirectory)
                                .getNonexistentChildFile ("grindel-bench-presets", {}, false) };
        juce::Array<juce::File> files;

        PresetFolder (int count, bool distinctTags)
        {
            folder.createDirectory();
            juce::Random random (7);

            for (int i = 0; i < count; ++i)
            {
                Preset preset;
                preset.name = "Preset " + juce::String (i);
                preset.application = "Grindel 2";
                preset.version = "2.2.1";
                preset.author = "Bench";
                preset.id = juce::Uuid().toString();

                CategoryTagMap distinct;
                distinct.add ("Vintage Sampler", "Tag " + juce::String (i));
                preset.setTagMap (distinctTags ? distinct : randomSharedTags (random));

                for (int id = 0; id < 8; ++id)
                    preset.setValue (id, juce::String (random.nextFloat() * 100.0f, 3));

                const auto file = folder.getChildFile (preset.name + Preset::fileExtension);
                preset.saveToFile (file);
                files.add (file);
            }

            age();
        }

        /** Gives every file a new, settled modification time: a folder whose presets all
            changed since the last listing (like a folder saved in an hour before). */
        void age()
        {
            const auto time = juce::Time (2020, 0, 1, 0, 0) + juce::RelativeTime::seconds (++ageings);

            for (const auto& file : files)
                file.setLastModificationTime (time);

            folder.setLastModificationTime (time);

            // The new times are written out before the measurement, not during it.
            ::sync();
        }

        int ageings = 0;

        ~PresetFolder() { folder.deleteRecursively(); }
    };

    PresetFolder& getFolder (const benchmark::State& state)
    {
        static std::map<std::pair<int, bool>, std::unique_ptr<PresetFolder>> folders;
        const auto key = std::make_pair ((int) state.range (0), state.range (1) != 0);
        auto& folder = folders[key];

        if (folder == nullptr)
            folder = std::make_unique<PresetFolder> (key.first, key.second);

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

    // A refresh of the folder as it stands (the listing's stamps all known), or cold: every file
    // changed since the last refresh, which then reads them all again.
    void refreshFolder (benchmark::State& state, bool cold)
    {
        auto& presets = getFolder (state);
        juce::ScopedJuceInitialiser_GUI juce;
        PluginAudioProcessor processor;
        TagDictionary dictionary;
        PresetsDirectoryContent<Preset> source (processor.getPlugin(), presets.folder);
        source.setTagDictionary (&dictionary);

        for (auto _ : state)
        {
            if (cold)
            {
                state.PauseTiming();
                presets.age();
                state.ResumeTiming();
            }

            countedStep ([&] { source.refresh(); });
            benchmark::DoNotOptimize (source.getNumItems());
        }

        if (source.getNumItems() != presets.files.size())
            state.SkipWithError ("not every preset was found");

        state.SetItemsProcessed (state.iterations() * presets.files.size());
    }

    void folderRefresh (benchmark::State& state) { refreshFolder (state, false); }
    void folderRefreshCold (benchmark::State& state) { refreshFolder (state, true); }

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
BENCHMARK_MAIN();
