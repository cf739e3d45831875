// Saves killed at random moments, and two processes editing the same files at once. The
// child is tests/core/FaultWriter.cpp, run against this test's data root.

#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include "support/TestSupport.h"
#include <chrono>
#include <gtest/gtest.h>
#include <poll.h>
#include <random>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace
{
    class Child
    {
    public:
        explicit Child (const juce::StringArray& args)
        {
            int fds[2];

            if (::pipe (fds) != 0)
                return;

            std::vector<std::string> storage { GRINDEL_FAULT_WRITER };

            for (const auto& a : args)
                storage.push_back (a.toStdString());

            std::vector<char*> argv;

            for (auto& s : storage)
                argv.push_back (s.data());

            argv.push_back (nullptr);

            posix_spawn_file_actions_t actions;
            posix_spawn_file_actions_init (&actions);
            posix_spawn_file_actions_adddup2 (&actions, fds[1], STDOUT_FILENO);
            posix_spawn_file_actions_addclose (&actions, fds[0]);
            posix_spawn_file_actions_addclose (&actions, fds[1]);

            if (posix_spawn (&pid, GRINDEL_FAULT_WRITER, &actions, nullptr, argv.data(), environ) != 0)
                pid = -1;

            posix_spawn_file_actions_destroy (&actions);
            ::close (fds[1]);
            output = fds[0];
        }

        ~Child()
        {
            if (pid > 0)
            {
                ::kill (pid, SIGKILL);
                wait();
            }

            if (output >= 0)
                ::close (output);
        }

        /** Until the child says "ready"; false when it ends or the time is up first. */
        bool waitUntilReady (int timeoutMs = 30000)
        {
            std::string seen;
            const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

            while (seen.find ("ready") == std::string::npos && juce::Time::getMillisecondCounter() < deadline)
            {
                pollfd p { output, POLLIN, 0 };

                if (::poll (&p, 1, 100) <= 0)
                    continue;

                char buffer[64];
                const auto n = ::read (output, buffer, sizeof (buffer));

                if (n <= 0)
                    return false;

                seen.append (buffer, (size_t) n);
            }

            return seen.find ("ready") != std::string::npos;
        }

        /** The exit status: 0 for a clean end, -SIGKILL when killed. */
        int wait()
        {
            int status = 0;
            ::waitpid (pid, &status, 0);
            pid = -1;
            return WIFSIGNALED (status) ? -WTERMSIG (status) : WEXITSTATUS (status);
        }

        void kill() const { ::kill (pid, SIGKILL); }
        bool started() const noexcept { return pid > 0; }

    private:
        pid_t pid = -1;
        int output = -1;
    };

    juce::File presetsFolder (const test::ScopedDataRoot& root) { return root.getUserFolder().getChildFile ("Presets"); }
    juce::File presetFile (const test::ScopedDataRoot& root) { return presetsFolder (root).getChildFile ("Keep.grprs2"); }
    juce::File settingsFile (const test::ScopedDataRoot& root) { return root.getUserFolder().getChildFile ("Grindel 2.ini"); }
    juce::File mapFile (const test::ScopedDataRoot& root) { return root.getUserFolder().getChildFile ("Maps/user.grccmap"); }

    /** Empty when the preset is whole and one the child wrote; else what is wrong. */
    juce::String checkPreset (const juce::File& file, bool tagsVary)
    {
        Preset preset;
        juce::String error;

        if (! preset.loadFromFile (file, &error))
            return "preset not whole: " + error;

        const auto* mix = preset.findValue (6);
        const auto tag = preset.getTagMap().getTagList (0)[0];

        if (preset.name != "Keep" || mix == nullptr || (tagsVary && (! preset.tags.startsWith ("V:") || tag.getIntValue() >= 50)))
            return "not a version the child wrote: " + file.loadFileAsString();

        return {};
    }

    juce::String checkXml (const juce::File& file, const juce::String& rootTag, const std::function<bool (const juce::XmlElement&)>& isVersion)
    {
        const auto text = file.loadFileAsString();
        const auto xml = juce::parseXML (text);

        // JUCE's parser forgives a document cut short: the end must be there.
        if (xml == nullptr || ! xml->hasTagName (rootTag) || ! text.trimEnd().endsWith ("</" + rootTag + ">"))
            return "not whole: " + text;

        return isVersion (*xml) ? juce::String() : "not a version the child wrote: " + text;
    }

    struct KillLoop
    {
        const char* name;
        juce::StringArray (*args) (const test::ScopedDataRoot&);
        /** Where the file lives: after the start-up it is the only file there. */
        juce::File (*file) (const test::ScopedDataRoot&);
        juce::String (*check) (const juce::File&);
    };

    // clang-format off
    const KillLoop killLoops[] = {
        { "PresetSavedOver", [] (const test::ScopedDataRoot&) { return juce::StringArray ("preset"); }, presetFile,
          [] (const juce::File& f) { return checkPreset (f, false); } },
        { "PresetTags",      [] (const test::ScopedDataRoot&) { return juce::StringArray ("tags"); },   presetFile,
          [] (const juce::File& f) { return checkPreset (f, true); } },
        { "Settings",        [] (const test::ScopedDataRoot&) { return juce::StringArray ("settings"); }, settingsFile,
          [] (const juce::File& f) { return checkXml (f, "UserSettings", [] (const juce::XmlElement& x) {
              return x.getChildByName ("Author") != nullptr && x.getChildByName ("Author")->getStringAttribute ("name").startsWith ("Author "); }); } },
        { "MidiMap",         [] (const test::ScopedDataRoot& r) { return juce::StringArray ("map", mapFile (r).getFullPathName()); }, mapFile,
          [] (const juce::File& f) { return checkXml (f, "MidiControlMap", [] (const juce::XmlElement& x) {
              return x.getNumChildElements() == 1 && x.getChildElement (0)->getStringAttribute ("param") == "Mix"; }); } },
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
    if (juce::String (loop.name) == "MidiMap")
    {
        ASSERT_TRUE (settingsFile (root).getParentDirectory().createDirectory()
                     && settingsFile (root).replaceWithText ("<UserSettings><MidiControlMap default=\"no\" path=\"" + file.getFullPathName() + "\"/></UserSettings>"));
    }

    std::mt19937 random (std::random_device {}());
    int tried = 0, failed = 0, midWrite = 0;

    for (int round = 0; round < rounds; ++round)
    {
        Child child (loop.args (root));
        ASSERT_TRUE (child.started());
        ASSERT_TRUE (child.waitUntilReady()) << loop.name << ": the writer did not start";

        std::this_thread::sleep_for (std::chrono::microseconds (std::uniform_int_distribution<int> (0, maxKillDelayUs) (random)));
        child.kill();
        const auto status = child.wait();
        ++tried;

        const auto problem = status != -SIGKILL ? "the writer ended by itself (" + juce::String (status) + ")" : loop.check (file);
        midWrite += file.getParentDirectory().findChildFiles (juce::File::findFiles, false, ".*").isEmpty() ? 0 : 1;

        // Start-up clears what the killed save left.
        {
            PluginAudioProcessor startUp;
        }

        const auto left = file.getParentDirectory().findChildFiles (juce::File::findFiles, false, "*");
        const bool clean = left.size() == 1 && left[0] == file;

        if (problem.isNotEmpty() || ! clean)
        {
            ++failed;
            ADD_FAILURE() << loop.name << " round " << round << ": " << problem << (clean ? "" : " (leftovers after start-up)");
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
        Child a ({ "tag-edits", "A", juce::String (edits) });
        Child b ({ "tag-edits", "B", juce::String (edits) });
        Child c ({ "settings-edits", "author", juce::String (edits) });
        Child d ({ "settings-edits", "midi", juce::String (edits) });

        for (auto* child : { &a, &b, &c, &d })
            EXPECT_EQ (child->wait(), 0);
    }

    Preset preset;
    ASSERT_TRUE (preset.loadFromFile (presetFile (root)));
    const auto tags = preset.getTagMap();

    for (int i = 0; i < edits; ++i)
        EXPECT_TRUE (tags.contains ("A", juce::String (i)) && tags.contains ("B", juce::String (i))) << i << ": " << preset.tags;

    const auto settings = juce::parseXML (settingsFile (root));
    ASSERT_NE (settings, nullptr);
    EXPECT_EQ (settings->getChildByName ("Author")->getStringAttribute ("name"), "A" + juce::String (edits - 1));
    EXPECT_EQ (settings->getChildByName ("MidiControlMap")->getStringAttribute ("path"), "/b/" + juce::String (edits - 1));
}
