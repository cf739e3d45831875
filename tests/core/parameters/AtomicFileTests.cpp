#include "core/parameters/AtomicFile.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
    juce::StringArray namesIn (const juce::File& folder)
    {
        juce::StringArray names;

        for (const auto& f : folder.findChildFiles (juce::File::findFilesAndDirectories, false, "*"))
            names.add (f.getFileName());

        names.sort (false);
        return names;
    }

    int deadProcessId()
    {
        const auto pid = ::fork();

        if (pid == 0)
            ::_exit (0);

        int status = 0;
        ::waitpid (pid, &status, 0);
        return (int) pid;
    }
}

TEST (AtomicFile, WritesAndReplacesWholeLeavingOnlyTheTarget)
{
    test::TempFolder temp;
    const auto target = temp.get().getChildFile ("sub/Grindel 2.ini");

    juce::XmlElement xml ("UserSettings");
    xml.createNewChildElement ("Author")->setAttribute ("name", "Ada");

    ASSERT_TRUE (AtomicFile::write (target, juce::String ("first")).wasOk());
    EXPECT_EQ (target.loadFileAsString(), "first");
    ::chmod (target.getFullPathName().toRawUTF8(), 0640);

    ASSERT_TRUE (AtomicFile::write (target, xml).wasOk());
    EXPECT_TRUE (juce::parseXML (target)->isEquivalentTo (&xml, false));

    const char bytes[] = { 0, 1, 2, 3 };
    ASSERT_TRUE (AtomicFile::write (target, bytes, sizeof (bytes)).wasOk());
    EXPECT_EQ (target.getSize(), 4);

    struct stat info;
    ASSERT_EQ (::stat (target.getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_EQ (info.st_mode & 0777, 0640u) << "a file saved over keeps who may read it";
    EXPECT_EQ (namesIn (target.getParentDirectory()), juce::StringArray ("Grindel 2.ini"));
}

TEST (AtomicFile, FailuresAreResultsAndLeaveNothingBehind)
{
    test::TempFolder temp;
    const auto aFile = temp.get().getChildFile ("plain");
    ASSERT_TRUE (aFile.replaceWithText ("keep"));
    ASSERT_TRUE (temp.get().getChildFile ("folder").createDirectory());

    for (const auto& target : { juce::File(), temp.get().getChildFile ("folder"), aFile.getChildFile ("below a file") })
    {
        const auto result = AtomicFile::write (target, juce::String ("x"));
        EXPECT_TRUE (result.failed()) << target.getFullPathName();
        EXPECT_TRUE (result.getErrorMessage().isNotEmpty());
    }

    // A full disk takes part of the data and then refuses the rest, with or without the wait
    // for the disk: the old contents stay whole.
    for (const bool waitForDisk : { true, false })
    {
        const test::ScopedFullDisk full;
        EXPECT_TRUE (AtomicFile::write (aFile, juce::String::repeatedString ("new ", 64), waitForDisk).failed());
    }

    EXPECT_EQ (aFile.loadFileAsString(), "keep");
    EXPECT_EQ (namesIn (temp.get()), juce::StringArray ("folder", "plain"));

    // A link under the name stays a link: the file it leads to takes the contents, and a link
    // that leads nowhere is refused.
    const auto link = temp.get().getChildFile ("folder/link");
    ASSERT_EQ (::symlink (aFile.getFullPathName().toRawUTF8(), link.getFullPathName().toRawUTF8()), 0);
    ASSERT_TRUE (AtomicFile::write (link, juce::String ("through")).wasOk());
    EXPECT_TRUE (link.isSymbolicLink());
    EXPECT_EQ (aFile.loadFileAsString(), "through");

    const auto dangling = temp.get().getChildFile ("folder/dangling");
    ASSERT_EQ (::symlink ("nowhere", dangling.getFullPathName().toRawUTF8()), 0);
    EXPECT_TRUE (AtomicFile::write (dangling, juce::String ("x")).failed());
    EXPECT_TRUE (dangling.isSymbolicLink());
    EXPECT_EQ (namesIn (temp.get().getChildFile ("folder")), juce::StringArray ("dangling", "link"));
}

TEST (AtomicFile, StartUpRemovesOnlyAbandonedTemporaries)
{
    test::TempFolder temp;
    const auto& folder = temp.get();
    const auto make = [&folder] (const juce::String& name, bool old = false) {
        const auto f = folder.getChildFile (name);
        f.replaceWithText ("x");

        if (old)
            f.setLastModificationTime (juce::Time::getCurrentTime() - juce::RelativeTime::hours (1));
    };

    const auto own = juce::String ((int) ::getpid());
    const auto dead = juce::String (deadProcessId());
    const auto alive = juce::String ((int) ::getppid());

    // clang-format off
    const struct { const char* name; bool old; bool goes; } cases[] = {
        { ".~gr-OWN-1a2b.tmp",             false, true  },   // ours, no write under way
        { ".~gr-DEAD-1a2b.tmp",            false, true  },   // its writer was killed
        { ".~gr-ALIVE-1a2b.tmp",           false, false },   // another instance is writing
        { ".Bass.grprs2.tmp-DEAD-1a2b",    false, true  },   // an older version's
        { ".Bass.grprs2.tmp-ALIVE-1a2b",   false, false },
        // Not exactly our pattern: whatever else it is, it stays.
        { ".~gr-DEAD-1A2B.tmp",            true,  false },
        { ".~gr-DEAD-1a2b.tmp.txt",        true,  false },
        { ".~gr-DEAD-.tmp",                true,  false },
        { ".Bass.grprs2.tmp-OWN-xyz",      true,  false },
        // Names JUCE's own writer would give name no writer: never provably ours.
        { ".Bass_temp1a2b.grprs2",         true,  false },
        { "Grindel 2_temp7f3c.ini",        true,  false },
        { "Drums_temp1.grccmap",           true,  false },
        { "Drums_tempfeed.grccmap",        true,  false },
        { "Bass.grprs2",                   true,  false },
    };
    // clang-format on

    juce::StringArray kept;

    for (const auto& c : cases)
    {
        const auto name = juce::String (c.name).replace ("OWN", own).replace ("DEAD", dead).replace ("ALIVE", alive);
        make (name, c.old);

        if (! c.goes)
            kept.add (name);
    }

    kept.sort (false);
    EXPECT_EQ (AtomicFile::removeLeftovers (folder) + AtomicFile::removeLeftoversOf (folder.getChildFile ("Grindel 2.ini")), 3);
    EXPECT_EQ (namesIn (folder), kept);

    // In a folder of the user's, of an older version's temporaries only those of the one file go.
    make (".Grindel 2.ini.tmp-" + dead + "-1a");
    make (".Other.ini.tmp-" + dead + "-1a");
    make (".~gr-" + dead + "-2.tmp");
    EXPECT_EQ (AtomicFile::removeLeftoversOf (folder.getChildFile ("Grindel 2.ini")), 2);
    EXPECT_EQ (namesIn (folder).size(), kept.size() + 1);
}

TEST (AtomicFile, NamesOfEveryLengthAFileSystemTakesAreWritable)
{
    // The temporary's name does not grow with the target's: 255 bytes, the most a name may have.
    test::TempFolder temp;

    for (const int length : { 200, 250, 255 })
    {
        const auto target = temp.get().getChildFile (juce::String::repeatedString ("n", length - 7) + ".grprs2");
        ASSERT_EQ ((int) target.getFileName().getNumBytesAsUTF8(), length);
        EXPECT_TRUE (AtomicFile::write (target, juce::String ("x")).wasOk()) << length;
        EXPECT_TRUE (AtomicFile::write (target, juce::String ("y")).wasOk()) << length;
        EXPECT_TRUE (AtomicFile::writeNew (target.withFileExtension ("new"), "z", 1, false).wasOk()) << length;
        EXPECT_EQ (target.loadFileAsString(), "y");
    }

    EXPECT_EQ (namesIn (temp.get()).size(), 6);
}

TEST (AtomicFile, RecordedTemporariesOfKilledWritersAreFoundAtTheNextStart)
{
    // An export writes beside the user's archive, where no start-up looks: its temporary is
    // noted in the plug-in's own folder while it exists.
    test::TempFolder temp;
    const auto records = temp.get().getChildFile ("records");
    const auto elsewhere = temp.get().getChildFile ("Desktop");
    ASSERT_TRUE (elsewhere.createDirectory().wasOk());
    AtomicFile::setRecordFolder (records);

    ASSERT_TRUE (AtomicFile::write (elsewhere.getChildFile ("Out.grzip"), "data", 4, true, true).wasOk());
    EXPECT_EQ (namesIn (elsewhere), juce::StringArray ("Out.grzip"));
    EXPECT_TRUE (namesIn (records).isEmpty()) << "a finished write leaves no record";

    // What a killed export leaves: the temporary and its record; a live writer's stays.
    const auto leave = [&] (int pid, const juce::String& count) {
        const auto name = ".~gr-" + juce::String (pid) + "-" + count + ".tmp";
        elsewhere.getChildFile (name).replaceWithText ("half an archive");
        records.getChildFile (name).replaceWithText (elsewhere.getChildFile (name).getFullPathName());
        return name;
    };

    const auto killed = leave (deadProcessId(), "1");
    const auto running = leave ((int) ::getppid(), "2");
    // A record that names a file of another name is not followed.
    records.getChildFile (".~gr-" + juce::String (deadProcessId()) + "-3.tmp").replaceWithText (elsewhere.getChildFile ("Out.grzip").getFullPathName());

    EXPECT_EQ (AtomicFile::removeRecordedLeftovers(), 1);
    juce::StringArray left { running };
    left.add ("Out.grzip");
    EXPECT_EQ (namesIn (elsewhere), left);
    EXPECT_FALSE (namesIn (records).contains (killed));
    EXPECT_TRUE (namesIn (records).contains (running));
    AtomicFile::setRecordFolder ({});
}

TEST (AtomicFile, RecordsAKillLeftInAnyStateAreRemovedAtTheNextStart)
{
    // The record is written before the temporary, straight under its name: a kill may leave a
    // record of nothing or one cut short. An older version's records went through JUCE's
    // temporary files, which a kill left beside them.
    test::TempFolder temp;
    const auto records = temp.get().getChildFile ("records");
    const auto elsewhere = temp.get().getChildFile ("Desktop");
    ASSERT_TRUE (records.createDirectory().wasOk() && elsewhere.createDirectory().wasOk());
    AtomicFile::setRecordFolder (records);
    const auto dead = juce::String (deadProcessId()), running = juce::String ((int) ::getppid());

    const std::vector<std::pair<juce::String, juce::String>> left {
        { ".~gr-" + dead + "-1.tmp", elsewhere.getChildFile (".~gr-" + dead + "-1.tmp").getFullPathName() },   // of nothing
        { ".~gr-" + dead + "-2.tmp", elsewhere.getFullPathName().substring (0, 5) },                           // cut short
        { ".~gr-" + dead + "-3.tmp", "" },                                                                     // empty
        { "..~gr-" + dead + "-4_temp5a3f09c1.tmp", elsewhere.getChildFile (".~gr-" + dead + "-4.tmp").getFullPathName() },
        { "..~gr-" + running + "-5_temp1b.tmp", "/x" },   // a running writer's stays
        { ".~gr-x-6.tmp", "/x" },                         // no writer named: not ours
    };

    for (const auto& [name, text] : left)
        ASSERT_TRUE (records.getChildFile (name).replaceWithText (text));

    elsewhere.getChildFile (".~gr-" + dead + "-4.tmp").replaceWithText ("half an archive");
    elsewhere.getChildFile (".~gr-" + dead + "-2.tmp").replaceWithText ("half an archive");

    // The one whose record is whole goes; the one whose record was cut short is not named.
    EXPECT_EQ (AtomicFile::removeRecordedLeftovers(), 1);
    EXPECT_EQ (namesIn (records), juce::StringArray ("..~gr-" + running + "-5_temp1b.tmp", ".~gr-x-6.tmp"));
    EXPECT_EQ (namesIn (elsewhere), juce::StringArray (".~gr-" + dead + "-2.tmp"));
    AtomicFile::setRecordFolder ({});
}

// The tests' own temporary folders go even when a test program dies with them alive.
TEST (TestFolders, AProgramThatAbortsRemovesItsTemporaryFolders)
{
    int fds[2] = { -1, -1 };
    ASSERT_EQ (::pipe (fds), 0);
    const auto pid = ::fork();
    ASSERT_GE (pid, 0);

    if (pid == 0)
    {
        test::TempFolder folder;
        folder.get().getChildFile ("inside.txt").replaceWithText ("left behind?");
        const auto path = folder.get().getFullPathName().toStdString();
        [[maybe_unused]] const auto written = ::write (fds[1], path.data(), path.size());
        ::close (fds[1]);
        std::abort();
    }

    ::close (fds[1]);
    std::string path;
    char buffer[256];

    for (ssize_t n; (n = ::read (fds[0], buffer, sizeof (buffer))) > 0;)
        path.append (buffer, (size_t) n);

    ::close (fds[0]);
    int status = 0;
    ::waitpid (pid, &status, 0);
    EXPECT_TRUE (WIFSIGNALED (status));
    ASSERT_FALSE (path.empty());
    const juce::File folder (path);
    EXPECT_FALSE (folder.exists()) << path;
    folder.deleteRecursively();
}

// Two instances saving into a user folder that is not there yet make it at the same moment:
// the one whose mkdir loses at some level still finds the folder made.
TEST (AtomicFile, TwoProcessesMakingOneFolderAtOnceBothSucceed)
{
    test::TempFolder temp;
    constexpr int rounds = 300;
    int toChild[2], toParent[2];
    ASSERT_EQ (::pipe (toChild), 0);
    ASSERT_EQ (::pipe (toParent), 0);

    // Both go at each round's start together; each counts the makes that failed.
    const auto run = [&] (int in, int out) {
        int failed = 0;
        char step = 0;

        for (int round = 0; round < rounds; ++round)
        {
            if (::write (out, "r", 1) != 1 || ::read (in, &step, 1) != 1)
                return -1;

            const auto folder = temp.get().getChildFile ("r" + juce::String (round) + "/User/Presets/Deep");
            failed += AtomicFile::makeFolder (folder).failed() || ! folder.isDirectory() ? 1 : 0;
        }

        return failed;
    };

    const auto child = ::fork();
    ASSERT_GE (child, 0);

    if (child == 0)
        ::_exit (juce::jmin (run (toChild[0], toParent[1]), 100) & 0xff);

    const auto failedHere = run (toParent[0], toChild[1]);
    int status = 0;
    ASSERT_EQ (::waitpid (child, &status, 0), child);

    for (const auto fd : { toChild[0], toChild[1], toParent[0], toParent[1] })
        ::close (fd);

    EXPECT_EQ (failedHere, 0);
    ASSERT_TRUE (WIFEXITED (status));
    EXPECT_EQ (WEXITSTATUS (status), 0) << "makes that failed in the other process";
}

// A folder the system refuses to make: the writer's error is the refusal's (EPERM or EROFS,
// which callers tell the user as a permission), not that of the look at the missing folder.
TEST (AtomicFile, AFolderThatCannotBeMadeGivesTheRefusalsReason)
{
    const juce::File refusing ("/sys/grindel-test-folder");

    if (::mkdir (refusing.getFullPathName().toRawUTF8(), 0700) == 0)
    {
        refusing.deleteFile();
        GTEST_SKIP() << "this system lets /sys have new folders";
    }

    const auto refusal = errno;
    ASSERT_NE (refusal, ENOENT);

    int errorNumber = 0;
    EXPECT_TRUE (AtomicFile::write (refusing.getChildFile ("x.txt"), "x", 1, true, false, &errorNumber).failed());
    EXPECT_EQ (errorNumber, refusal);
}
