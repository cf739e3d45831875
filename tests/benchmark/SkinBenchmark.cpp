// Building the default skin's widget tree from its package against only decoding the package's
// images. Goal: the build takes under 3 times the decoding.

#include "product/Grindel.h"
#include "skin/PackageSkin.h"
#include <benchmark/benchmark.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
    juce::File defaultSkin()
    {
        return ApplicationFolders ("Orvik Group", "Grindel 2").getCommonFolder()
                   .getChildFile ("Skins/1180" + juce::String (PackageSkin::fileExtension));
    }

    void decodeImagesOnly (benchmark::State& state)
    {
        const auto file = defaultSkin();

        for (auto _ : state)
        {
            juce::ZipFile zip (file);
            int decoded = 0;

            for (int i = 0; i < zip.getNumEntries(); ++i)
            {
                if (! zip.getEntry (i)->filename.endsWithIgnoreCase (".png"))
                    continue;

                std::unique_ptr<juce::InputStream> stream (zip.createStreamForEntry (i));
                juce::MemoryBlock data;
                stream->readIntoMemoryBlock (data);
                decoded += juce::ImageFileFormat::loadFrom (data.getData(), data.getSize()).isValid() ? 1 : 0;
            }

            if (decoded == 0)
                state.SkipWithError ("no images in the default skin");
        }
    }

    void buildWidgetTree (benchmark::State& state)
    {
        Grindel plugin;

        for (auto _ : state)
        {
            PackageSkin skin (defaultSkin(), &plugin);
            const auto gui = skin.createGui ({});

            if (gui == nullptr)
                state.SkipWithError (skin.getErrorText().toRawUTF8());
        }
    }
}

BENCHMARK (decodeImagesOnly)->Unit (benchmark::kMillisecond);
BENCHMARK (buildWidgetTree)->Unit (benchmark::kMillisecond);

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    benchmark::Initialize (&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
