// The child of the fault tests (FaultTest.cpp): a plug-in that saves one kind of user file
// over and over until it is killed, or makes a number of edits and ends. It prints "ready"
// once its first save is on disk. The data root comes from GRINDEL_DATA_ROOT.
//
//   FaultWriter preset | tags | settings | map <file>     save in a loop until killed
//   FaultWriter tag-edits <category> <count>              add one tag per edit, then end
//   FaultWriter settings-edits author|midi <count>        change one setting per save, then end

#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include <iostream>
#include <juce_events/juce_events.h>

namespace
{
    constexpr const char* itemName = "Keep";

    void ready()
    {
        std::cout << "ready" << std::endl;
    }

    int fail (const juce::String& why)
    {
        std::cerr << "FaultWriter: " << why << std::endl;
        return 2;
    }

    ContentItem* findOrAddItem (ContentSource& source)
    {
        if (auto* item = source.findItem (itemName))
            return item;

        return source.addNewItem (itemName, {});
    }

    int run (const juce::StringArray& args)
    {
        PluginAudioProcessor processor;
        auto& plugin = processor.getPlugin();
        auto* presets = plugin.getUserPresets();
        auto* mix = plugin.getParameterManager().getParameterByName ("Mix");

        if (presets == nullptr || mix == nullptr)
            return fail ("no user presets or no Mix");

        const auto mode = args[0];

        if (mode == "preset")
        {
            // A save over the preset, as the browser does it: the old item into a store, the
            // new one written over it.
            for (int i = 0;; ++i)
            {
                mix->setValue ((float) (i % 50), false);
                std::unique_ptr<ContentSource::OverwriteStore> store;

                if (! presets->deleteItem (findOrAddItem (*presets), true, &store)
                    || presets->addNewItem (itemName, {}, store.get()) == nullptr)
                    return fail ("save " + juce::String (i) + ": " + presets->getLastError());

                if (i == 0)
                    ready();
            }
        }

        if (mode == "tags")
        {
            for (int i = 0;; ++i)
            {
                auto* item = findOrAddItem (*presets);

                if (item == nullptr || item->setTags (CategoryTagMap::fromString ("V:" + juce::String (i % 50))).failed())
                    return fail ("tags " + juce::String (i));

                if (i == 0)
                    ready();
            }
        }

        if (mode == "settings")
        {
            for (int i = 0;; ++i)
            {
                plugin.authorName = "Author " + juce::String (i % 50);

                if (plugin.saveUserSettings().failed())
                    return fail ("settings " + juce::String (i));

                if (i == 0)
                    ready();
            }
        }

        if (mode == "map" && juce::File::isAbsolutePath (args[1]))
        {
            auto& map = plugin.getMidiControlMap();

            for (int i = 0;; ++i)
            {
                map.clear();
                map.setParameter (i % 50, mix);

                if (map.saveToFile (juce::File (args[1])).failed())
                    return fail ("map " + juce::String (i));

                if (i == 0)
                    ready();
            }
        }

        const auto count = args[2].getIntValue();

        if (mode == "tag-edits")
        {
            auto* item = presets->findItem (itemName);

            for (int i = 0; i < count && item != nullptr; ++i)
            {
                // The listing stays the one made at start: the other process's edits are only
                // on disk.
                auto wanted = item->tags;
                wanted.add (args[1], juce::String (i));

                if (const auto result = item->setTags (wanted); result.failed())
                    return fail (result.getErrorMessage());
            }

            return item != nullptr ? 0 : fail ("no item");
        }

        if (mode == "settings-edits")
        {
            for (int i = 0; i < count; ++i)
            {
                if (args[1] == "author")
                    plugin.authorName = "A" + juce::String (i);
                else
                    plugin.midiMapPath = "/b/" + juce::String (i);

                if (const auto result = plugin.saveUserSettings(); result.failed())
                    return fail (result.getErrorMessage());
            }

            return 0;
        }

        return fail ("unknown mode " + mode);
    }
}

int main (int argc, char** argv)
{
    juce::StringArray args;

    for (int i = 1; i < argc; ++i)
        args.add (juce::CharPointer_UTF8 (argv[i]));

    const juce::ScopedJuceInitialiser_GUI juce;
    return run (args);
}
