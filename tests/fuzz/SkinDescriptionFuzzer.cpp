// A skin description built into widgets: as the main description and as one it includes
// ("Inc"). Every input ends in a GUI or a reason, in bounded time.

#include "skin/SkinTestPackage.h"
#include "support/TestPlugin.h"
#include <cstdlib>

namespace
{
    struct World
    {
        juce::ScopedJuceInitialiser_GUI juce;
        test::TestPlugin plugin;
        juce::MemoryBlock image { test::SkinTestPackage::png (8, 8, 2) };
    };
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static World world;
    juce::MemoryBlock description;
    description.append (data, size);

    test::SkinTestPackage package;
    package.add ("PluginEditor.orvikgui", description);
    package.add ("Inc.orvikgui", description);
    package.add ("A_2.png", world.image);

    test::MemorySkin skin (package, &world.plugin);
    const auto gui = skin.createGui ({});

    if (gui == nullptr && skin.getErrorText().isEmpty())
        std::abort();

    return 0;
}
