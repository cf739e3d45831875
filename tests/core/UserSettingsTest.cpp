#include "core/PluginAudioProcessor.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

TEST (UserSettings, RoundTripThroughTheIniFile)
{
    test::ScopedDataRoot root;
    const auto iniFile = root.getUserFolder().getChildFile ("Grindel 2.ini");
    test::TempFolder store;

    {
        PluginAudioProcessor processor;
        auto& plugin = processor.getPlugin();
        EXPECT_EQ (plugin.getUserSettingsFile(), iniFile);
        EXPECT_EQ (plugin.getFolders().getFolder ("AppData"), root.getCommonFolder());
        EXPECT_EQ (plugin.getFolders().getFolder ("UserData"), root.getUserFolder());

        plugin.authorName = "Ada";
        plugin.useCustomMidiMap = true;
        plugin.midiMapPath = "/maps/studio.grccmap";
        plugin.hostParametersMapPath = "/maps/host.grhpmap";
        plugin.getFolders().setFolder ("UserStore", store.get());
        plugin.getParameterManager().getParameterByIndex (BasePlugin::defaultRealtimeQualityId)->setValue (1.0f, true);
        plugin.getParameterManager().getParameterByIndex (BasePlugin::defaultOfflineQualityId)->setValue (2.0f, true);
    }   // the processor writes the settings as it goes

    ASSERT_TRUE (iniFile.existsAsFile());
    const auto xml = juce::parseXML (iniFile);
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (xml->hasTagName ("UserSettings"));
    ASSERT_NE (xml->getChildByName ("MidiControlMap"), nullptr);
    EXPECT_EQ (xml->getChildByName ("MidiControlMap")->getStringAttribute ("default"), "no");

    for (auto* tag : { "Presets", "Author", "HostParametersMap", "DefaultProcessingQuality" })
        EXPECT_NE (xml->getChildByName (tag), nullptr) << tag;

    PluginAudioProcessor processor;
    auto& plugin = processor.getPlugin();
    EXPECT_EQ (plugin.authorName, "Ada");
    EXPECT_TRUE (plugin.useCustomMidiMap);
    EXPECT_EQ (plugin.midiMapPath, "/maps/studio.grccmap");
    EXPECT_EQ (plugin.hostParametersMapPath, "/maps/host.grhpmap");
    EXPECT_EQ (plugin.getFolders().getFolder ("UserStore"), store.get());

    // A new session starts from the user's default qualities.
    EXPECT_EQ (plugin.getRealtimeQualityParameter()->getIntValue(), 1);
    EXPECT_EQ (plugin.getOfflineQualityParameter()->getIntValue(), 2);
    EXPECT_EQ (plugin.getQualityParameter()->getIntValue(), 1);
}

TEST (UserSettings, MissingOrCorruptFilesGiveDefaultsAndUnreadableOnesAreNeverOverwritten)
{
    // clang-format off
    const struct { std::string content; bool readable; } cases[] {
        { "",                                                         true  },   // nothing to lose
        { "not xml at all \x01\x02\xff",                              false },
        { "<UserSettings><Author name=\"x\"",                          false },
        { "<Foreign><Author name=\"Mallory\"/></Foreign>",              false },
        { "<UserSettings3 format=\"3\"><Author name=\"Eve\"/></UserSettings3>", false },   // a newer format
        { "<UserSettings><Presets folder=\"../../etc\"/><DefaultProcessingQuality realTime=\"77\" offline=\"-3\"/>"
          "<MidiControlMap/></UserSettings>",                         true  },
    };
    // clang-format on

    for (const auto& c : cases)
    {
        test::ScopedDataRoot root;
        const auto iniFile = root.getUserFolder().getChildFile ("Grindel 2.ini");
        ASSERT_TRUE (iniFile.getParentDirectory().createDirectory());
        ASSERT_TRUE (iniFile.replaceWithData (c.content.data(), c.content.size()));

        {
            PluginAudioProcessor processor;
            auto& plugin = processor.getPlugin();
            EXPECT_NE (plugin.authorName, "Mallory");
            EXPECT_FALSE (plugin.useCustomMidiMap);
            EXPECT_EQ (plugin.getFolders().getFolder ("UserStore"), root.getUserFolder());

            for (auto* p : { plugin.getRealtimeQualityParameter(), plugin.getOfflineQualityParameter() })
                EXPECT_TRUE (p->getValue() >= p->getMinimum() && p->getValue() <= p->getMaximum());

            const auto problems = plugin.takeProblems();
            EXPECT_EQ (problems.size(), c.readable ? 0 : 1) << c.content;

            // The message names the cause, never empty brackets.
            if (! c.readable)
            {
                EXPECT_FALSE (problems[0].contains ("()")) << problems[0];
            }

            if (c.content.rfind ("<Foreign", 0) == 0)
            {
                EXPECT_TRUE (problems[0].contains ("root element is <Foreign>")) << problems[0];
            }

            // A change the user makes is refused rather than written over the file.
            plugin.authorName = "Ada";
            EXPECT_EQ (plugin.saveUserSettings().wasOk(), c.readable) << c.content;
            EXPECT_EQ (plugin.takeProblems().size(), c.readable ? 0 : 1);
        }

        juce::MemoryBlock after;
        ASSERT_TRUE (iniFile.loadFileAsData (after));

        if (c.readable)
            EXPECT_EQ (juce::parseXML (iniFile)->getChildByName ("Author")->getStringAttribute ("name"), "Ada");
        else
            EXPECT_EQ (after, juce::MemoryBlock (c.content.data(), c.content.size())) << c.content;

        EXPECT_EQ (root.getUserFolder().findChildFiles (juce::File::findFiles, false, "*").size(), 1);
    }

    test::ScopedDataRoot empty;
    PluginAudioProcessor processor;
    EXPECT_TRUE (processor.getPlugin().authorName.isEmpty());
}

TEST (UserSettings, LogFileOnlyInDeveloperMode)
{
    {
        test::ScopedDataRoot root;
        PluginAudioProcessor processor;
        EXPECT_FALSE (processor.getPlugin().hasSuperpowers());
        processor.getPlugin().logMessage ("nobody reads this");
        EXPECT_EQ (root.getUserFolder().findChildFiles (juce::File::findFiles, false, "Log_*.txt").size(), 0);
    }

    test::ScopedDataRoot root;
    ASSERT_TRUE (root.getUserFolder().createDirectory());
    ASSERT_TRUE (root.getUserFolder().getChildFile ("superpowers").create());

    PluginAudioProcessor processor;
    auto& plugin = processor.getPlugin();
    EXPECT_TRUE (plugin.hasSuperpowers());
    plugin.logMessage ("hello from the test");

    const auto logs = root.getUserFolder().findChildFiles (juce::File::findFiles, false, "Log_*.txt");
    ASSERT_EQ (logs.size(), 1);
    EXPECT_TRUE (logs[0].loadFileAsString().contains ("hello from the test"));
}

TEST (UserSettings, WrittenOnlyWhenChangedAndOnlyWhatChanged)
{
    test::ScopedDataRoot root;
    const auto iniFile = root.getUserFolder().getChildFile ("Grindel 2.ini");

    {
        PluginAudioProcessor untouched;
    }

    EXPECT_FALSE (iniFile.exists()) << "a session that changed nothing writes nothing";

    // Keys this version does not know and the user's own layout stay as they are.
    const juce::String text ("<UserSettings future=\"1\">\n  <Author name=\"Ada\"/>\n  <Cloud sync=\"on\"/>\n</UserSettings>\n");
    ASSERT_TRUE (iniFile.getParentDirectory().createDirectory());
    ASSERT_TRUE (iniFile.replaceWithText (text));
    const auto written = iniFile.loadFileAsString();

    {
        PluginAudioProcessor unchanged;
    }

    EXPECT_EQ (iniFile.loadFileAsString(), written);

    // Two instances open at once: each writes its own change into the file as it is then.
    auto first = std::make_unique<PluginAudioProcessor>();
    auto second = std::make_unique<PluginAudioProcessor>();
    first->getPlugin().authorName = "Grace";
    ASSERT_TRUE (first->getPlugin().saveUserSettings().wasOk());
    second->getPlugin().midiMapPath = "/maps/b.grccmap";
    second->getPlugin().useCustomMidiMap = true;
    second.reset();   // closing writes its changes
    first.reset();    // and this one has none left

    const auto xml = juce::parseXML (iniFile);
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getChildByName ("Author")->getStringAttribute ("name"), "Grace");
    EXPECT_EQ (xml->getChildByName ("MidiControlMap")->getStringAttribute ("path"), "/maps/b.grccmap");
    EXPECT_EQ (xml->getStringAttribute ("future"), "1");
    EXPECT_NE (xml->getChildByName ("Cloud"), nullptr);
}

TEST (UserSettings, APresetFolderMissingForOneSessionStaysTheSetting)
{
    test::ScopedDataRoot root;
    test::TempFolder drive;
    const auto configured = drive.get().getChildFile ("Unmounted");
    const auto iniFile = root.getUserFolder().getChildFile ("Grindel 2.ini");
    ASSERT_TRUE (iniFile.getParentDirectory().createDirectory());
    ASSERT_TRUE (iniFile.replaceWithText ("<UserSettings><Presets folder=\"" + configured.getFullPathName() + "\"/></UserSettings>"));

    {
        PluginAudioProcessor processor;
        auto& plugin = processor.getPlugin();
        EXPECT_EQ (plugin.getFolders().getFolder ("UserStore"), root.getUserFolder()) << "this session uses the default";
        EXPECT_EQ (plugin.getUnavailablePresetFolder(), configured.getFullPathName());

        const auto problems = plugin.takeProblems();
        ASSERT_EQ (problems.size(), 1);
        EXPECT_TRUE (problems[0].contains (configured.getFullPathName()) && problems[0].contains ("not available"));

        plugin.authorName = "Ada";   // another change is saved ...
    }

    const auto xml = juce::parseXML (iniFile);
    EXPECT_EQ (xml->getChildByName ("Author")->getStringAttribute ("name"), "Ada");
    EXPECT_EQ (xml->getChildByName ("Presets")->getStringAttribute ("folder"), configured.getFullPathName()) << "... and the folder kept";

    // Mounted again, the folder is used.
    ASSERT_TRUE (configured.createDirectory());
    PluginAudioProcessor processor;
    EXPECT_EQ (processor.getPlugin().getFolders().getFolder ("UserStore"), configured);
    EXPECT_TRUE (processor.getPlugin().takeProblems().isEmpty());
}
