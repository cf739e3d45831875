// The bounded XML reader, and the loaders of presets, settings and MIDI CC maps behind it.
// A text it accepts must never nest deeper than its limit; a preset's attribute set in its
// file's own encoding must read back.

#include "core/PluginAudioProcessor.h"
#include "core/content/Preset.h"
#include "core/content/XmlFileText.h"
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

    // The bytes as a preset file, read in the encoding they declare: a name set in place (only
    // its value's bytes changed, in that encoding) reads back as it was set.
    juce::String why;

    if (Preset::readRootElement (data, size, true, why) != nullptr)
    {
        const juce::String name (juce::CharPointer_UTF8 ("N\"'&<>\t\xc3\xa9\xe2\x98\xba\xf0\x9f\x8e\xb9"));
        juce::MemoryBlock edited (data, size);

        if (XmlFileText::setRootAttribute (edited, "name", name))
        {
            const auto root = Preset::readRootElement (edited.getData(), edited.getSize(), true, why);

            if (root == nullptr || root->getStringAttribute ("name") != name)
                std::abort();
        }
    }

    const auto settings = plugin.getUserSettingsFile();
    settings.getParentDirectory().createDirectory();
    settings.replaceWithData (data, size);
    plugin.loadUserSettings();
    return 0;
}
