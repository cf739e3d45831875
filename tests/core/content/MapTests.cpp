#include "ContentTestSupport.h"
#include "core/CommandParameter.h"
#include "core/content/PresetChangeDetector.h"

TEST (MidiControlMap, LearningBacksUpAndEndLearningRestoresOrKeeps)
{
    test::PluginFixture fixture;
    auto& map = fixture.plugin().getMidiControlMap();
    auto& cutoff = fixture.parameter ("Filter Cutoff");
    auto& mix = fixture.parameter ("Mix");

    map.clear();
    map.setParameter (10, &mix);
    map.setParameter (20, &cutoff);
    map.takeChanged();

    map.startLearning (&cutoff);
    EXPECT_TRUE (map.isLearning());
    EXPECT_EQ (map.getLearnTarget(), &cutoff);
    EXPECT_EQ (map.getLearntController(), -1);

    EXPECT_TRUE (map.handleController (30, 127));
    EXPECT_EQ (map.getParameter (30), &cutoff);
    EXPECT_EQ (map.getParameter (20), nullptr);   // one CC per learnt parameter
    EXPECT_EQ (map.getLearntController(), 30);
    EXPECT_FLOAT_EQ (cutoff.getNormalisedValue(), 1.0f);
    EXPECT_TRUE (map.takeChanged());

    // The last CC moved wins, taken over from the backup.
    map.handleController (10, 0);
    EXPECT_EQ (map.getParameter (10), &cutoff);
    EXPECT_EQ (map.getParameter (30), nullptr);

    map.endLearning (false);
    EXPECT_FALSE (map.isLearning());
    EXPECT_EQ (map.getParameter (10), &mix);
    EXPECT_EQ (map.getParameter (20), &cutoff);
    EXPECT_EQ (map.getParameter (30), nullptr);

    map.startLearning (&mix);
    map.handleController (64, 5);
    map.endLearning (true);
    EXPECT_EQ (map.getParameter (64), &mix);
    EXPECT_EQ (map.getParameter (10), nullptr);
    EXPECT_EQ (map.getControllerFor (&mix), 64);

    // Ending when not learning changes nothing.
    map.endLearning (false);
    EXPECT_EQ (map.getParameter (64), &mix);
    EXPECT_FALSE (map.handleController (-1, 3));
    EXPECT_FALSE (map.handleController (128, 3));
}

TEST (MidiControlMap, FilesRoundTripAndBadFilesLeaveTheMapAlone)
{
    test::PluginFixture fixture;
    test::TempFolder folder;
    auto& map = fixture.plugin().getMidiControlMap();
    map.clear();
    map.setParameter (0, &fixture.parameter ("Sample Rate"));
    map.setParameter (127, &fixture.parameter ("Output Level"));

    EXPECT_EQ (MidiControlMap::getFileExtension ("GR"), ".grccmap");
    const auto file = folder.get().getChildFile ("mine.grccmap");
    ASSERT_TRUE (map.saveToFile (file));
    const auto xml = juce::parseXML (file);
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (xml->hasTagName ("MidiControlMap"));
    EXPECT_EQ (xml->getNumChildElements(), 2);
    EXPECT_TRUE (xml->getChildElement (0)->hasTagName ("assign"));

    map.clear();
    ASSERT_TRUE (map.loadFromFile (file));
    EXPECT_EQ (map.getParameter (0), &fixture.parameter ("Sample Rate"));
    EXPECT_EQ (map.getParameter (127), &fixture.parameter ("Output Level"));

    for (const char* bad : { "not xml", "<Other/>", "" })
    {
        const auto badFile = test::writeText (folder.get().getChildFile ("bad.grccmap"), bad);
        EXPECT_FALSE (map.loadFromFile (badFile)) << bad;
        EXPECT_EQ (map.getParameter (0), &fixture.parameter ("Sample Rate")) << bad;
        EXPECT_EQ (badFile.loadFileAsString(), bad);
    }

    EXPECT_FALSE (map.loadFromFile (folder.get().getChildFile ("missing.grccmap")));
}

TEST (MidiControlMap, TheDefaultMapLoadsAtStartAndTheUsersMapWhenChosen)
{
    test::ScopedDataRoot root;
    test::TempFolder folder;

    {
        PluginAudioProcessor processor;
        auto& plugin = processor.getPlugin();
        auto& map = plugin.getMidiControlMap();
        EXPECT_EQ (map.getParameter (74), plugin.getParameterManager().getParameterByName ("Filter Cutoff"));
        EXPECT_EQ (map.getParameter (71), plugin.getParameterManager().getParameterByName ("Filter Resonance"));
        EXPECT_FALSE (map.changed.load());

        map.clear();
        map.setParameter (5, plugin.getParameterManager().getParameterByName ("Mix"));
        ASSERT_TRUE (map.saveToFile (folder.get().getChildFile ("user.grccmap")));
        plugin.useCustomMidiMap = true;
        plugin.midiMapPath = folder.get().getChildFile ("user.grccmap").getFullPathName();
    }   // writes the settings

    {
        PluginAudioProcessor processor;
        auto& map = processor.getPlugin().getMidiControlMap();
        EXPECT_EQ (map.getParameter (5), processor.getPlugin().getParameterManager().getParameterByName ("Mix"));
        EXPECT_EQ (map.getParameter (74), nullptr);
    }

    // A chosen map that went bad: the default map, and the bad file untouched.
    test::writeText (folder.get().getChildFile ("user.grccmap"), "garbage");
    PluginAudioProcessor processor;
    EXPECT_NE (processor.getPlugin().getMidiControlMap().getParameter (74), nullptr);
    EXPECT_EQ (folder.get().getChildFile ("user.grccmap").loadFileAsString(), "garbage");
}

TEST (HostParametersMap, OrdersTheHostIndicesAndSkipsUnknownNames)
{
    test::PluginFixture fixture;
    auto& manager = fixture.plugin().getParameterManager();

    // The default map from the resources keeps the description's order.
    EXPECT_EQ (fixture.parameter ("Sample Rate").getHostIndex(), 0);
    EXPECT_EQ (fixture.parameter ("Output Level").getHostIndex(), 7);
    EXPECT_EQ (fixture.plugin().getHostParametersMap().names.size(), 8);

    HostParametersMap map;
    auto xml = juce::parseXML ("<HostParametersMap><param name=\"Mix\"/><param name=\"nope\"/><param name=\"Processing Quality\"/>"
                               "<param name=\"Mix\"/><param name=\"Dither\"/></HostParametersMap>");
    ASSERT_TRUE (map.readFromXml (*xml));
    EXPECT_EQ (map.names, juce::StringArray ({ "Mix", "nope", "Processing Quality", "Dither" }));
    map.apply (manager);
    EXPECT_EQ (fixture.parameter ("Mix").getHostIndex(), 0);
    EXPECT_EQ (fixture.parameter ("Dither").getHostIndex(), 1);
    EXPECT_EQ (fixture.parameter ("Sample Rate").getHostIndex(), 2);
    EXPECT_EQ (fixture.parameter ("Processing Quality").getHostIndex(), -1);

    test::TempFolder folder;
    EXPECT_EQ (HostParametersMap::getFileExtension ("GR"), ".grhpmap");
    ASSERT_TRUE (map.saveToFile (folder.get().getChildFile ("m.grhpmap")));
    HostParametersMap back;
    ASSERT_TRUE (back.loadFromFile (folder.get().getChildFile ("m.grhpmap")));
    EXPECT_EQ (back.names, map.names);

    juce::String error;
    EXPECT_FALSE (back.loadFromFile (test::writeText (folder.get().getChildFile ("x.grhpmap"), "<MidiControlMap/>"), &error));
    EXPECT_TRUE (error.isNotEmpty());
    EXPECT_EQ (back.names, map.names);
}

TEST (PresetChangeDetector, ComparesWithTheSnapshotAndTicksEvery75Ms)
{
    test::PluginFixture fixture;
    auto& plugin = fixture.plugin();
    auto* detector = plugin.getPresetChangeDetector();
    ASSERT_NE (detector, nullptr);
    EXPECT_TRUE (detector->isActive());
    EXPECT_EQ (detector->getIntervalMs(), 75);
    EXPECT_FALSE (plugin.hasUnsavedPresetChanges());

    auto& dither = fixture.parameter ("Dither");
    const auto before = dither.getValue();
    test::pump (100);   // changes notified in the first interval are the load's own
    dither.setValue (before + 10.0f, true);
    EXPECT_TRUE (plugin.hasUnsavedPresetChanges());
    EXPECT_TRUE (test::pumpUntil ([&] { return detector->hasChangesCached(); }, 1000));
    EXPECT_GE (detector->getChangeCount(), 1);

    // Back to where it was: nothing unsaved.
    dither.setValue (before, true);
    EXPECT_FALSE (plugin.hasUnsavedPresetChanges());

    // Parameters presets exclude do not count.
    plugin.getQualityParameter()->setValue (2.0f, true);
    plugin.getParameterManager().getParameterByIndex (CommandParameter::presetNameId)->setText ("renamed", true);
    EXPECT_FALSE (plugin.hasUnsavedPresetChanges());

    // Restarting clears the state; switched off, nothing is reported.
    dither.setValue (before + 5.0f, true);
    plugin.setPresetChangeDetection (true, 75);
    EXPECT_FALSE (plugin.hasUnsavedPresetChanges());
    dither.setValue (before + 6.0f, true);
    plugin.setPresetChangeDetection (false, 75);
    EXPECT_FALSE (plugin.hasUnsavedPresetChanges());
    EXPECT_FALSE (detector->hasChangesCached());
    plugin.setPresetChangeDetection (true, 0);
    EXPECT_EQ (detector->getIntervalMs(), 75);
}
