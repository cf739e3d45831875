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

TEST (UserSettings, MissingOrCorruptFilesGiveDefaults)
{
    const std::vector<std::string> contents {
        "",
        "not xml at all \x01\x02\xff",
        "<UserSettings><Author name=\"x\"",
        "<Foreign><Author name=\"Mallory\"/></Foreign>",
        "<UserSettings><Presets folder=\"../../etc\"/><DefaultProcessingQuality realTime=\"77\" offline=\"-3\"/>"
        "<MidiControlMap/></UserSettings>"
    };

    for (const auto& content : contents)
    {
        test::ScopedDataRoot root;
        const auto iniFile = root.getUserFolder().getChildFile ("Grindel 2.ini");
        ASSERT_TRUE (iniFile.getParentDirectory().createDirectory());
        ASSERT_TRUE (iniFile.replaceWithData (content.data(), content.size()));

        PluginAudioProcessor processor;
        auto& plugin = processor.getPlugin();
        EXPECT_NE (plugin.authorName, "Mallory");
        EXPECT_FALSE (plugin.useCustomMidiMap);
        EXPECT_EQ (plugin.getFolders().getFolder ("UserStore"), root.getUserFolder());

        for (auto* p : { plugin.getRealtimeQualityParameter(), plugin.getOfflineQualityParameter() })
            EXPECT_TRUE (p->getValue() >= p->getMinimum() && p->getValue() <= p->getMaximum());
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
