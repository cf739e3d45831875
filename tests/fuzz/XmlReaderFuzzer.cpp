// The bounded XML reader, and the loaders of presets, settings and MIDI CC maps behind it.
// A text it accepts must never nest deeper than its limit.

#include "core/PluginAudioProcessor.h"
#include "core/content/Preset.h"
#include "core/parameters/BoundedXmlReader.h"
#include <cstdlib>
#include <vector>

namespace
{
    struct World
    {
        World()
        {
            folder.createDirectory();
            ::setenv ("GRINDEL_DATA_ROOT", folder.getFullPathName().toRawUTF8(), 1);
            processor = std::make_unique<PluginAudioProcessor>();
        }

        ~World() { folder.deleteRecursively(); }

        juce::ScopedJuceInitialiser_GUI juce;
        juce::File folder { juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("grindel-fuzz", {}, false) };
        std::unique_ptr<PluginAudioProcessor> processor;
    };

    int depthOf (const juce::XmlElement& root)
    {
        std::vector<std::pair<const juce::XmlElement*, int>> open { { &root, 1 } };
        int deepest = 0;

        while (! open.empty())
        {
            const auto [element, depth] = open.back();
            open.pop_back();
            deepest = std::max (deepest, depth);

            for (auto* child : element->getChildIterator())
                open.emplace_back (child, depth + 1);
        }

        return deepest;
    }
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static World world;
    auto& plugin = world.processor->getPlugin();
    const auto limits = BoundedXmlReader::standardLimits;

    for (const bool rootOnly : { false, true })
    {
        juce::String error;

        if (const auto xml = BoundedXmlReader::parse (data, size, limits, error, rootOnly))
        {
            if (depthOf (*xml) > limits.maxDepth)
                std::abort();

            plugin.getMidiControlMap().readFromXml (*xml);
        }
        else if (error.isEmpty())
        {
            std::abort();   // a refusal always says why
        }
    }

    Preset preset;

    if (preset.loadFromText (juce::String::createStringFromData (data, (int) size)))
        plugin.loadPreset (preset, 0, false);

    const auto settings = plugin.getUserSettingsFile();
    settings.getParentDirectory().createDirectory();
    settings.replaceWithData (data, size);
    plugin.loadUserSettings();
    return 0;
}
