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
        { ".Bass.grprs2.tmp-OWN-1a2b",     false, true  },   // ours, no write under way
        { ".Bass.grprs2.tmp-DEAD-1a2b",    false, true  },   // its writer was killed
        { ".Bass.grprs2.tmp-ALIVE-1a2b",   false, false },   // another instance is writing
        { ".Bass_temp1a2b.grprs2",         true,  true  },   // JUCE's, long abandoned
        { ".Bass_temp1a2b.grprs2x",        false, false },
        { ".Pad_tempbeef.grprs2",          false, false },   // JUCE's, maybe being written
        { "Grindel 2_temp7f3c.ini",        false, true  },   // an older version's settings temporary
        { "Bass_temp1.grprs2",             true,  false },   // a user's preset
        { "Bass.grprs2",                   true,  false },
        { ".Bass.grprs2.tmp-OWN-xyz",      false, false },
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
    EXPECT_EQ (AtomicFile::removeLeftovers (folder) + AtomicFile::removeLeftoversOf (folder.getChildFile ("Grindel 2.ini")), 4);
    EXPECT_EQ (namesIn (folder), kept);

    // In a folder of the user's, only the temporaries of the one file go.
    make (".Grindel 2.ini.tmp-" + dead + "-1a");
    make (".Other.ini.tmp-" + dead + "-1a");
    make (".Other_temp1a2b.ini", true);
    EXPECT_EQ (AtomicFile::removeLeftoversOf (folder.getChildFile ("Grindel 2.ini")), 1);
    EXPECT_EQ (namesIn (folder).size(), kept.size() + 2);
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
