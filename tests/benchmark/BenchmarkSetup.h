#pragma once

// What the skin and editor benchmarks share: where the default skin's package is, building its
// widget tree, and a main that runs the registered benchmarks with JUCE's GUI side up.

#include "core/ApplicationFolders.h"
#include "skin/PackageSkin.h"
#include <benchmark/benchmark.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

inline juce::File defaultSkin()
{
    return ApplicationFolders ("Orvik Group", "Grindel 2").getCommonFolder().getChildFile ("Skins/1180" + juce::String (PackageSkin::fileExtension));
}

// The default skin's package read and its widget tree built for a plug-in; the tree goes
// before the skin it came from.
struct DefaultSkinGui
{
    explicit DefaultSkinGui (BasePlugin& plugin) : skin (defaultSkin(), &plugin), gui (skin.createGui ({})) {}

    PackageSkin skin;
    std::unique_ptr<juce::Component> gui;
};

inline int runBenchmarksWithGui (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    benchmark::Initialize (&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
