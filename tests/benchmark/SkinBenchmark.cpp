// Building the default skin's widget tree from its package against only decoding the package's
// images. Goal: the build takes at most 1.5 times the decoding.

#include "product/Grindel.h"
#include "BenchmarkSetup.h"

namespace
{
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
            const DefaultSkinGui built (plugin);

            if (built.gui == nullptr)
                state.SkipWithError (built.skin.getErrorText().toRawUTF8());
        }
    }
}

BENCHMARK (decodeImagesOnly)->Unit (benchmark::kMillisecond);
BENCHMARK (buildWidgetTree)->Unit (benchmark::kMillisecond);

int main (int argc, char** argv)
{
    return runBenchmarksWithGui (argc, argv);
}
