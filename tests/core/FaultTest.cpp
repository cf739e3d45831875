// Saves killed at random moments, and two processes editing the same files at once. The
// child is tests/core/FaultWriter.cpp, run against this test's data root.

#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include "core/content/ZipReader.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <chrono>
#include <random>
#include <thread>

namespace
{
    struct Writer : juce::ChildProcess
    {
        explicit Writer (juce::StringArray args)
        {
            args.insert (0, GRINDEL_FAULT_WRITER);
            start (args, wantStdOut | wantStdErr);
        }

        /** Until the child says "ready"; false when it ends first. */
        bool waitUntilReady()
        {
            juce::String seen;
            char c;

            while (! seen.endsWith ("ready") && readProcessOutput (&c, 1) == 1)
                seen += c;

            return seen.endsWith ("ready");
        }
    };

    juce::File presetFile (const test::ScopedDataRoot& root) { return root.getUserFolder().getChildFile ("Presets/Keep.grprs2"); }
    juce::File settingsFile (const test::ScopedDataRoot& root) { return root.getUserFolder().getChildFile ("Grindel 2.ini"); }
    juce::File mapFile (const test::ScopedDataRoot& root) { return root.getUserFolder().getChildFile ("Maps/user.grccmap"); }
    // Where no start-up looks: its temporary is found through its record.
    juce::File exportFile (const test::ScopedDataRoot& root) { return root.getUserFolder().getChildFile ("Exports/Out.grzip"); }

    struct KillLoop
    {
        const char* name;
        const char* mode;
        /** After the start-up it is the only file in its folder. */
        juce::File (*file) (const test::ScopedDataRoot&);
        /** None: the file is an exported archive of one preset. */
        const char* rootTag;
        /** Whether a whole file is one of the versions the child writes. */
        bool (*isVersion) (const juce::XmlElement&);
    };

    // clang-format off
    const KillLoop killLoops[] = {
        { "PresetSavedOver", "preset",   presetFile,   "Preset",         [] (const juce::XmlElement& x) { return x.getStringAttribute ("name") == "Keep" && x.getNumChildElements() > 0; } },
        { "PresetTags",      "tags",     presetFile,   "Preset",         [] (const juce::XmlElement& x) { return x.getStringAttribute ("tags").startsWith ("V:") && x.getNumChildElements() > 0; } },
        { "Settings",        "settings", settingsFile, "UserSettings",   [] (const juce::XmlElement& x) { return x.getChildByName ("Author") != nullptr && x.getChildByName ("Author")->getStringAttribute ("name").startsWith ("Author "); } },
        { "MidiMap",         "map",      mapFile,      "MidiControlMap", [] (const juce::XmlElement& x) { return x.getNumChildElements() == 1 && x.getChildElement (0)->getStringAttribute ("param") == "Mix"; } },
        { "Export",          "export",   exportFile,   nullptr,          [] (const juce::XmlElement& x) { return x.getStringAttribute ("name") == "Keep"; } },
    };
    // clang-format on

    void PrintTo (const KillLoop& loop, std::ostream* out)
    {
        *out << loop.name;
    }

    constexpr int rounds = 50;
    constexpr int maxKillDelayUs = 25000;

    struct FaultKill : ::testing::TestWithParam<KillLoop>
    {
    };
}

TEST_P (FaultKill, EveryKillLeavesTheOldOrTheNewFileAndStartUpCleansUp)
{
    const auto& loop = GetParam();
    test::ScopedDataRoot root;
    const auto file = loop.file (root);

    // The map is the user's own: the settings name it, so start-up looks beside it.
    if (juce::String (loop.mode) == "map")
    {
        ASSERT_TRUE (settingsFile (root).getParentDirectory().createDirectory());
        ASSERT_TRUE (settingsFile (root).replaceWithText ("<UserSettings><MidiControlMap default=\"no\" path=\"" + file.getFullPathName() + "\"/></UserSettings>"));
    }

    std::mt19937 random (std::random_device {}());
    int tried = 0, failed = 0, midWrite = 0;

    for (int round = 0; round < rounds; ++round)
    {
        Writer writer ({ loop.mode, file.getFullPathName() });
        ASSERT_TRUE (writer.waitUntilReady()) << loop.name << ": the writer did not start";

        std::this_thread::sleep_for (std::chrono::microseconds (std::uniform_int_distribution<int> (0, maxKillDelayUs) (random)));
        const bool wasRunning = writer.isRunning();
        writer.kill();
        writer.waitForProcessToFinish (10000);
        ++tried;

        // JUCE's parser forgives a document cut short: the end must be there.
        auto text = file.loadFileAsString();
        bool whole = true;

        if (loop.rootTag == nullptr)
        {
            juce::MemoryBlock data;
            const ZipReader archive (file);
            whole = archive.getNumEntries() == 1 && archive.read (0, data, 1 << 20) == ZipReader::Status::ok;
            text = data.toString();
        }

        const auto xml = juce::parseXML (text);
        const juce::String tag (loop.rootTag != nullptr ? loop.rootTag : "Preset");
        whole = whole && xml != nullptr && xml->hasTagName (tag) && text.trimEnd().endsWith ("</" + tag + ">");
        midWrite += file.getParentDirectory().findChildFiles (juce::File::findFiles, false, ".*").isEmpty() ? 0 : 1;

        // Start-up clears what the killed save left.
        {
            PluginAudioProcessor startUp;
        }

        const auto left = file.getParentDirectory().findChildFiles (juce::File::findFiles, false, "*");
        // Records of writes (an export's) go with their temporaries.
        const auto records = root.getUserFolder().getChildFile ("Unfinished writes").findChildFiles (juce::File::findFiles, false, "*");

        if (! wasRunning || ! whole || ! loop.isVersion (*xml) || left.size() != 1 || left[0] != file || ! records.isEmpty())
        {
            ++failed;
            ADD_FAILURE() << loop.name << " round " << round << (wasRunning ? "" : ": the writer ended by itself") << ": "
                          << left.size() << " files left after start-up, " << records.size() << " records; " << text;
        }
    }

    std::cout << "[ fault runs ] " << loop.name << ": " << tried << " kills, " << midWrite << " mid-write, " << failed << " failed" << std::endl;
}

INSTANTIATE_TEST_SUITE_P (Saves, FaultKill, ::testing::ValuesIn (killLoops), [] (const auto& param) { return std::string (param.param.name); });

//==============================================================================
TEST (FaultTwoProcesses, TagEditsAndSettingsOfBothSurvive)
{
    test::ScopedDataRoot root;
    constexpr int edits = 25;

    {
        PluginAudioProcessor processor;
        ASSERT_NE (processor.getPlugin().getUserPresets()->addNewItem ("Keep", {}), nullptr);
    }

    {
        juce::OwnedArray<Writer> writers;

        for (auto* args : { "tag-edits A", "tag-edits B", "settings-edits author", "settings-edits midi" })
        {
            auto words = juce::StringArray::fromTokens (args, false);
            words.add (juce::String (edits));
            writers.add (new Writer (words));
        }

        for (auto* writer : writers)
        {
            EXPECT_TRUE (writer->waitForProcessToFinish (60000));
            EXPECT_EQ (writer->getExitCode(), 0u);
        }
    }

    Preset preset;
    ASSERT_TRUE (preset.loadFromFile (presetFile (root)));

    for (int i = 0; i < edits; ++i)
        EXPECT_TRUE (preset.getTagMap().contains ("A", juce::String (i)) && preset.getTagMap().contains ("B", juce::String (i))) << i << ": " << preset.tags;

    const auto settings = juce::parseXML (settingsFile (root));
    ASSERT_NE (settings, nullptr);
    EXPECT_EQ (settings->getChildByName ("Author")->getStringAttribute ("name"), "A" + juce::String (edits - 1));
    EXPECT_EQ (settings->getChildByName ("MidiControlMap")->getStringAttribute ("path"), "/b/" + juce::String (edits - 1));
}
