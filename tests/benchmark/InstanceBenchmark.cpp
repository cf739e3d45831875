// Making a plug-in instance with 10,000 or 50,000 user presets: the first of a process, which
// reads the whole preset folder, against reading the same files' bytes; and one more while
// another lives, which takes the folder's listing as the other left it. Goals: the first at
// most 1.5 times the raw read, every later one under 5 ms at either size.

#include "core/ApplicationFolders.h"
#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include "product/Grindel.h"
#include "BenchmarkFolders.h"
#include "BenchmarkTags.h"
#include "CountedStep.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <map>

namespace
{
    /** The build's factory presets, found before any data root of ours is set. */
    const juce::File& buildFactoryPresets()
    {
        static const auto folder = ApplicationFolders ("Orvik Group", "Grindel 2").getCommonFolder().getChildFile ("Presets");
        return folder;
    }

    void useDataRoot (const juce::File& root)
    {
        ::setenv ("GRINDEL_DATA_ROOT", root.getFullPathName().toRawUTF8(), 1);
    }

    /** A data root of its own, with the build's factory presets and the user presets. */
    struct DataRoot
    {
        juce::File root;
        juce::Array<juce::File> files;
        const int count;

        explicit DataRoot (int numPresets) : count (numPresets)
        {
            const auto userPresets = [] (const juce::File& dataRoot) {
                useDataRoot (dataRoot);
                return ApplicationFolders ("Orvik Group", "Grindel 2").getFolder (ApplicationFolders::userStore).getChildFile ("Presets");
            };

            root = benchfolders::get ("instances-" + juce::String (count), [&] (const juce::File& made) {
                useDataRoot (made);
                buildFactoryPresets().copyDirectoryTo (ApplicationFolders ("Orvik Group", "Grindel 2").getCommonFolder().getChildFile ("Presets"));
                const auto presets = userPresets (made);
                presets.createDirectory();
                juce::Random random (7);

                for (int i = 0; i < count; ++i)
                {
                    Preset preset;
                    preset.application = "Grindel 2";
                    preset.version = GRINDEL_VERSION_STRING;
                    preset.author = "Bench";
                    preset.id = juce::Uuid().toString();
                    preset.setTagMap (randomSharedTags (random));

                    for (int id = 0; id < 8; ++id)
                        preset.setValue (id, juce::String (random.nextFloat() * 100.0f, 3));

                    const auto file = presets.getChildFile ("Preset " + juce::String (i) + Preset::fileExtension);
                    benchfolders::writePreset (preset, file);
                    files.add (file);
                }

                // Saved a while ago.
                benchfolders::age (presets, files);
                files.clearQuick();
            });

            const auto presets = userPresets (root);

            for (int i = 0; i < count; ++i)
                files.add (presets.getChildFile ("Preset " + juce::String (i) + Preset::fileExtension));
        }
    };

    DataRoot& data (const benchmark::State& state)
    {
        static std::map<int, std::unique_ptr<DataRoot>> roots;
        auto& root = roots[(int) state.range (0)];

        if (root == nullptr)
            root = std::make_unique<DataRoot> ((int) state.range (0));

        useDataRoot (root->root);
        return *root;
    }

    std::unique_ptr<PluginAudioProcessor> makeInstance (benchmark::State& state, int count)
    {
        auto instance = std::make_unique<PluginAudioProcessor> (std::make_unique<Grindel>());
        const auto* user = instance->getPlugin().getUserPresets();

        if (user == nullptr || user->getNumItems() != count)
            state.SkipWithError ("the instance did not list every user preset");

        return instance;
    }

    void rawRead (benchmark::State& state)
    {
        const auto& files = data (state).files;

        for (auto _ : state)
        {
            size_t total = 0;

            countedStep ([&] {
                for (const auto& file : files)
                {
                    juce::MemoryBlock bytes;
                    file.loadFileAsData (bytes);
                    total += bytes.getSize();
                }
            });

            benchmark::DoNotOptimize (total);
        }
    }

    // The first instance of a process: its data root reached through a path no preset index
    // knows.
    void firstInstance (benchmark::State& state)
    {
        auto& root = data (state);

        for (auto _ : state)
        {
            state.PauseTiming();
            const auto path = benchfolders::freshPathTo (root.root);
            useDataRoot (path);
            std::unique_ptr<PluginAudioProcessor> instance;
            state.ResumeTiming();

            countedStep ([&] { instance = makeInstance (state, root.count); });

            state.PauseTiming();
            instance.reset();
            path.deleteFile();
            state.ResumeTiming();
        }
    }

    void laterInstance (benchmark::State& state)
    {
        const auto& root = data (state);
        const auto first = makeInstance (state, root.count);

        for (auto _ : state)
        {
            std::unique_ptr<PluginAudioProcessor> instance;
            countedStep ([&] { instance = makeInstance (state, root.count); });

            state.PauseTiming();
            instance.reset();
            state.ResumeTiming();
        }
    }

    void sizes (benchmark::internal::Benchmark* b)
    {
        b->ArgName ("presets")->Arg (10000)->Arg (50000);
    }
}

BENCHMARK (rawRead)->Apply (sizes)->Unit (benchmark::kMillisecond)->MinTime (1.0);
BENCHMARK (firstInstance)->Apply (sizes)->Unit (benchmark::kMillisecond)->MinTime (1.0);
BENCHMARK (laterInstance)->Apply (sizes)->Unit (benchmark::kMillisecond)->MinTime (1.0);

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    buildFactoryPresets();
    benchmark::Initialize (&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
