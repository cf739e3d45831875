#pragma once

#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace test
{
    /** The factory package the build made. */
    juce::File getBuiltFactoryPackage();

    /** A plug-in through the processor, with its own data root; with factory, the build's
        factory package is installed in "AppData"/Presets first. */
    struct PluginFixture
    {
        explicit PluginFixture (bool factory = false);

        ScopedDataRoot root;
        std::unique_ptr<PluginAudioProcessor> processor;
        BasePlugin& plugin() const { return processor->getPlugin(); }
        Parameter& parameter (const juce::String& name) const;
    };

    juce::File writeText (const juce::File& file, const juce::String& text);
}
