// The child of the fault tests (FaultTest.cpp): a plug-in on GRINDEL_DATA_ROOT that saves one
// kind of user file over and over until it is killed, printing "ready" after its first save,
// or makes a number of edits and ends.
//
//   FaultWriter preset | tags | settings | map | export <file>
//   FaultWriter tag-edits <category> <count> | settings-edits author|midi <count>

#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include "core/content/ZipReader.h"
#include <iostream>
#include <juce_events/juce_events.h>

namespace
{
    int run (const juce::StringArray& args)
    {
        PluginAudioProcessor processor;
        auto& plugin = processor.getPlugin();
        auto& presets = *plugin.getUserPresets();
        auto* mix = plugin.getParameterManager().getParameterByName ("Mix");
        const auto keep = [&presets] { return presets.findItem ("Keep") != nullptr ? presets.findItem ("Keep") : presets.addNewItem ("Keep", {}); };

        std::function<bool (int)> save;
        const auto mode = args[0];

        if (mode == "preset")   // saved over, as the browser does it
            save = [&] (int i) {
                mix->setValue ((float) (i % 50), false);
                std::unique_ptr<ContentSource::OverwriteStore> store;
                return presets.deleteItem (keep(), true, &store) && presets.addNewItem ("Keep", {}, store.get()) != nullptr;
            };
        else if (mode == "tags")
            save = [&] (int i) { return keep()->setTags (CategoryTagMap::fromString ("V:" + juce::String (i % 50))).wasOk(); };
        else if (mode == "settings")
            save = [&] (int i) { plugin.authorName = "Author " + juce::String (i % 50); return plugin.saveUserSettings().wasOk(); };
        else if (mode == "map")
            save = [&] (int i) {
                plugin.getMidiControlMap().clear();
                plugin.getMidiControlMap().setParameter (i % 50, mix);
                return plugin.getMidiControlMap().saveToFile (juce::File (args[1])).wasOk();
            };
        else if (mode == "export")   // as the browser writes it: the temporary recorded
            save = [&] (int) { return keep() != nullptr && createZipFile (juce::File (args[1]), { presets.getFileForName ("Keep") }, 9, nullptr, true); };
        else if (mode == "tag-edits")   // from the list made at start: the other's edits are only on disk
            save = [&] (int i) { auto wanted = keep()->tags; wanted.add (args[1], juce::String (i)); return keep()->setTags (wanted).wasOk(); };
        else if (mode == "settings-edits")
            save = [&] (int i) {
                (args[1] == "author" ? plugin.authorName : plugin.midiMapPath) = (args[1] == "author" ? "A" : "/b/") + juce::String (i);
                return plugin.saveUserSettings().wasOk();
            };
        else
            return 2;

        const auto count = mode.endsWith ("-edits") ? args[2].getIntValue() : std::numeric_limits<int>::max();

        for (int i = 0; i < count; ++i)
        {
            if (! save (i))
            {
                std::cerr << "FaultWriter: " << mode << " " << i << " failed: " << presets.getLastError() << std::endl;
                return 1;
            }

            if (i == 0)
                std::cout << "ready" << std::endl;
        }

        return 0;
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
