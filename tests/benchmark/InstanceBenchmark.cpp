// Making a plug-in instance with 10,000 user presets: the first of a process, which reads the
// whole preset folder, against reading the same files' bytes; and one more while another lives,
// which takes the folder's listing as the other left it. Goals: the first at most 1.5 times the
// raw read, every later one under 5 ms.

#include "core/ApplicationFolders.h"
#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include "product/Grindel.h"
#include "BenchmarkTags.h"
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <cstdlib>

namespace
{
    constexpr int numPresets = 10000;

    /** A data root of its own, with the build's factory presets and 10,000 user presets. */
    struct DataRoot
    {
        juce::File root { juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("grindel-bench-instances", {}, false) };
        juce::File presets;
        juce::Array<juce::File> files;
        int ageings = 0;

        DataRoot()
        {
            const auto factory = ApplicationFolders ("Orvik Group", "Grindel 2").getCommonFolder().getChildFile ("Presets");
            ::setenv ("GRINDEL_DATA_ROOT", root.getFullPathName().toRawUTF8(), 1);
            const ApplicationFolders folders ("Orvik Group", "Grindel 2");
            factory.copyDirectoryTo (folders.getCommonFolder().getChildFile ("Presets"));
            presets = folders.getFolder (ApplicationFolders::userStore).getChildFile ("Presets");
            presets.createDirectory();
            juce::Random random (7);

            for (int i = 0; i < numPresets; ++i)
            {
                Preset preset;
                preset.application = "Grindel 2";
                preset.version = "2.2.1";
                preset.author = "Bench";
                preset.id = juce::Uuid().toString();
                preset.setTagMap (randomSharedTags (random));

                for (int id = 0; id < 8; ++id)
                    preset.setValue (id, juce::String (random.nextFloat() * 100.0f, 3));

                const auto file = presets.getChildFile ("Preset " + juce::String (i) + Preset::fileExtension);
                preset.saveToFile (file);
                files.add (file);
            }

            age();
        }

        ~DataRoot() { root.deleteRecursively(); }

        /** Every preset changed since the last listing, saved a while ago. */
        void age()
        {
            const auto time = juce::Time (2020, 0, 1, 0, 0) + juce::RelativeTime::seconds (++ageings);

            for (const auto& file : files)
                file.setLastModificationTime (time);

            presets.setLastModificationTime (time);

            // The new times are written out before the measurement, not during it.
            ::sync();
        }
    };

    DataRoot& data()
    {
        static DataRoot root;
        return root;
    }

    std::unique_ptr<PluginAudioProcessor> makeInstance (benchmark::State& state)
    {
        auto instance = std::make_unique<PluginAudioProcessor> (std::make_unique<Grindel>());
        const auto* user = instance->getPlugin().getUserPresets();

        if (user == nullptr || user->getNumItems() != numPresets)
            state.SkipWithError ("the instance did not list every user preset");

        return instance;
    }

    void rawRead (benchmark::State& state)
    {
        const auto& files = data().files;

        for (auto _ : state)
        {
            size_t total = 0;

            for (const auto& file : files)
            {
                juce::MemoryBlock bytes;
                file.loadFileAsData (bytes);
                total += bytes.getSize();
            }

            benchmark::DoNotOptimize (total);
        }
    }

    void firstInstance (benchmark::State& state)
    {
        auto& root = data();

        for (auto _ : state)
        {
            state.PauseTiming();
            root.age();
            state.ResumeTiming();

            auto instance = makeInstance (state);

            state.PauseTiming();
            instance.reset();
            state.ResumeTiming();
        }
    }

    void laterInstance (benchmark::State& state)
    {
        data();
        const auto first = makeInstance (state);

        for (auto _ : state)
        {
            auto instance = makeInstance (state);

            state.PauseTiming();
            instance.reset();
            state.ResumeTiming();
        }
    }
}

BENCHMARK (rawRead)->Unit (benchmark::kMillisecond)->MinTime (1.0);
BENCHMARK (firstInstance)->Unit (benchmark::kMillisecond)->MinTime (1.0);
BENCHMARK (laterInstance)->Unit (benchmark::kMillisecond)->MinTime (1.0);

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    benchmark::Initialize (&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
