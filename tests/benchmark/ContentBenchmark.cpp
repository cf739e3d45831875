// Refreshing a user preset folder of 10,000 tagged presets against reading the same files'
// bytes alone. Goal: the refresh costs at most 3 times the raw read.

#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include <benchmark/benchmark.h>

namespace
{
    constexpr int numPresets = 10000;

    struct PresetFolder
    {
        juce::File folder { juce::File::getSpecialLocation (juce::File::tempDirectory)
                                .getNonexistentChildFile ("grindel-bench-presets", {}, false) };
        juce::Array<juce::File> files;

        PresetFolder()
        {
            folder.createDirectory();
            const juce::StringArray vintage { "12 Bit", "8 Bit", "Drums", "Classic", "Computer", "Toy" };
            const juce::StringArray degradation { "Subtle", "Gritty", "Heavy", "Noisy", "Filtered", "Extreme" };
            juce::Random random (7);

            for (int i = 0; i < numPresets; ++i)
            {
                Preset preset;
                preset.name = "Preset " + juce::String (i);
                preset.application = "Grindel 2";
                preset.version = "2.2.1";
                preset.author = "Bench";
                preset.id = juce::Uuid().toString();

                CategoryTagMap tags;
                tags.add ("Vintage Sampler", vintage[random.nextInt (vintage.size())]);
                tags.add ("Vintage Sampler", vintage[random.nextInt (vintage.size())]);
                tags.add ("Degradation", degradation[random.nextInt (degradation.size())]);
                preset.setTagMap (tags);

                for (int id = 0; id < 8; ++id)
                    preset.setValue (id, juce::String (random.nextFloat() * 100.0f, 3));

                const auto file = folder.getChildFile (preset.name + Preset::fileExtension);
                preset.saveToFile (file);
                files.add (file);
            }
        }

        ~PresetFolder() { folder.deleteRecursively(); }
    };

    PresetFolder& getFolder()
    {
        static PresetFolder folder;
        return folder;
    }

    void rawRead (benchmark::State& state)
    {
        auto& presets = getFolder();
        juce::MemoryBlock data;

        for (auto _ : state)
        {
            size_t total = 0;

            for (const auto& file : presets.files)
            {
                file.loadFileAsData (data);
                total += data.getSize();
            }

            benchmark::DoNotOptimize (total);
        }

        state.SetItemsProcessed (state.iterations() * numPresets);
    }

    void folderRefresh (benchmark::State& state)
    {
        auto& presets = getFolder();
        juce::ScopedJuceInitialiser_GUI juce;
        PluginAudioProcessor processor;
        TagDictionary dictionary;
        PresetsDirectoryContent<Preset> source (processor.getPlugin(), presets.folder);
        source.setTagDictionary (&dictionary);

        for (auto _ : state)
        {
            source.refresh();
            benchmark::DoNotOptimize (source.getNumItems());
        }

        if (source.getNumItems() != numPresets)
            state.SkipWithError ("not every preset was found");

        state.SetItemsProcessed (state.iterations() * numPresets);
    }
}

BENCHMARK (rawRead)->Unit (benchmark::kMillisecond)->MinTime (2.0);
BENCHMARK (folderRefresh)->Unit (benchmark::kMillisecond)->MinTime (2.0);
BENCHMARK_MAIN();
