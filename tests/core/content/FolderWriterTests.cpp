// The writers of one preset folder against each other: two processes acting through the
// sources' own calls, a rename meeting this instance's own change in flight, and files swapped
// under a listed item before a write.

#include "ContentTestSupport.h"
#include <iostream>
#include <juce_cryptography/juce_cryptography.h>
#include <map>
#include <poll.h>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace
{
    enum Encoding
    {
        utf8,
        utf8WithMark,
        utf16LittleEndian,
        utf16BigEndian,
        latin1,
        encodingCount
    };

    /** A preset in one of the encodings, with text beyond ASCII around the root (characters
        of the first 256 only, so every encoding holds them). */
    std::string presetBytes (const juce::String& name, const juce::String& tags, Encoding e)
    {
        const char* const declared[] = { "UTF-8", "UTF-8", "UTF-16", "UTF-16", "ISO-8859-1" };
        const std::string marks[] = { "", "\xef\xbb\xbf", "\xff\xfe", "\xfe\xff", "" };
        const auto text = "<?xml version=\"1.0\" encoding=\"" + juce::String (declared[e]) + "\"?>\n"
            + juce::String (juce::CharPointer_UTF8 ("<!-- Caf\xc3\xa9 -->\n<Preset name=\"")) + name
            + juce::String (juce::CharPointer_UTF8 ("\" application=\"Grindel 2\" author=\"M\xc3\xbcller\" tags=\"")) + tags
            + "\">\n  <Value id=\"2\" value=\"3\"/>\n</Preset>\n";
        auto bytes = marks[e];

        for (auto c : text)
        {
            if (e == utf16LittleEndian || e == utf16BigEndian)
                bytes += { (char) (e == utf16BigEndian ? c >> 8 : c & 0xff), (char) (e == utf16BigEndian ? c & 0xff : c >> 8) };
            else
                bytes += e == latin1 ? std::string (1, (char) c) : juce::String::charToString (c).toStdString();
        }

        return bytes;
    }

    juce::File writePreset (const juce::File& file, const juce::String& tags, Encoding e = utf8)
    {
        const auto bytes = presetBytes (file.getFileNameWithoutExtension(), tags, e);
        file.getParentDirectory().createDirectory();
        EXPECT_TRUE (file.replaceWithData (bytes.data(), bytes.size()));
        return file;
    }

    juce::String bytesOf (const juce::File& file)
    {
        juce::MemoryBlock data;
        file.loadFileAsData (data);
        return juce::MD5 (data).toHexString();
    }

    /** A copy of the source's item list: the loop may rename or retag them. */
    std::vector<ContentItem*> itemsOf (const ContentSource& source)
    {
        return { source.getItems().begin(), source.getItems().end() };
    }

    /** What stands under the name itself: "", "file", "link", "fifo", "folder". */
    juce::String kindAt (const juce::File& file)
    {
        struct stat info;

        if (::lstat (file.getFullPathName().toRawUTF8(), &info) != 0)
            return {};

        if (S_ISLNK (info.st_mode))
            return "link";

        if (S_ISFIFO (info.st_mode))
            return "fifo";

        return S_ISDIR (info.st_mode) ? "folder" : "file";
    }

    /** This test program forked, acting on the same folder: body runs in the child, which says
        when it has begun and may ask whether this process has finished its part. */
    class SecondProcess
    {
    public:
        explicit SecondProcess (const std::function<bool (SecondProcess&)>& body)
        {
            if (::pipe (toChild) != 0 || ::pipe (fromChild) != 0 || (child = ::fork()) < 0)
                return;

            if (child == 0)
            {
                ::close (toChild[1]);
                ::close (fromChild[0]);
                ::_exit (body (*this) ? 0 : 1);
            }

            ::close (toChild[0]);
            ::close (fromChild[1]);
        }

        ~SecondProcess() { succeeded(); }

        // The child's side.
        void tellStarted() { [[maybe_unused]] const auto sent = ::write (fromChild[1], "s", 1); }
        bool parentFinished()
        {
            pollfd end { toChild[0], POLLIN, 0 };
            return ::poll (&end, 1, 0) > 0;
        }

        // This side.
        bool waitUntilStarted()
        {
            char c = 0;
            return child > 0 && ::read (fromChild[0], &c, 1) == 1;
        }

        /** Tells the child this side is done, waits for it and says whether it succeeded. */
        bool succeeded()
        {
            if (child <= 0)
                return false;

            ::close (toChild[1]);
            ::close (fromChild[0]);
            int status = 0;
            const auto ended = ::waitpid (std::exchange (child, 0), &status, 0) > 0;
            return ended && WIFEXITED (status) && WEXITSTATUS (status) == 0;
        }

    private:
        int toChild[2] = { -1, -1 }, fromChild[2] = { -1, -1 };
        pid_t child = -1;
    };

    struct FolderWriterTest : ::testing::Test
    {
        test::PluginFixture fixture;
        test::TempFolder folder;
        juce::File presets { folder.get().getChildFile ("Presets") };

        static constexpr int presetCount = 300, rounds = 5;

        static juce::String nameOf (int i) { return "P" + juce::String (i).paddedLeft ('0', 3); }

        juce::File fileOf (const juce::String& name) const { return presets.getChildFile (name + Preset::fileExtension); }

        void writeFolder()
        {
            presets.deleteRecursively();

            for (int i = 0; i < presetCount; ++i)
                writePreset (fileOf (nameOf (i)), "Sound:Base", (Encoding) (i % encodingCount));
        }

        CategoryTagMap tagsOnDisk (const juce::File& file) const
        {
            Preset preset;
            return preset.loadFromFile (file) ? preset.getTagMap() : CategoryTagMap();
        }
    };
}

TEST_F (FolderWriterTest, ABulkDeleteAgainstBulkTagEditsInAnotherProcessLeavesNoReportedDeleteOnDisk)
{
    int deleted = 0, tagged = 0, resurrected = 0, lost = 0;
    const auto report = folder.get().getChildFile ("tagged.txt");

    for (int round = 0; round < rounds; ++round)
    {
        writeFolder();

        // The other instance tags every preset it lists, pass after pass, until this one is done.
        SecondProcess other ([&] (SecondProcess& self) {
            PresetsDirectoryContent<Preset> theirs (fixture.plugin(), presets);
            int done = 0;

            for (int pass = 0; pass == 0 || ! self.parentFinished(); ++pass)
            {
                theirs.refresh();
                std::vector<std::unique_ptr<ContentSource::ItemChange>> changes;

                for (auto* item : theirs.getItems())
                {
                    auto tags = item->tags;
                    tags.add ("B", "p" + juce::String (pass));
                    changes.push_back (theirs.prepareTagChange (*item, tags));
                }

                if (pass == 0)
                    self.tellStarted();

                for (auto& change : changes)
                {
                    change->perform();
                    done += theirs.applyChange (*change) ? 1 : 0;
                }
            }

            return report.replaceWithText (juce::String (done));
        });

        ASSERT_TRUE (other.waitUntilStarted());
        PresetsDirectoryContent<Preset> mine (fixture.plugin(), presets);
        mine.refresh();
        ASSERT_EQ (mine.getNumItems(), presetCount) << "every encoding is listed";
        std::vector<std::unique_ptr<ContentSource::ItemChange>> changes;

        for (auto* item : mine.getItems())
            changes.push_back (mine.prepareDelete (*item));

        std::set<juce::String> reportedDeleted;

        for (auto& change : changes)
        {
            const auto name = change->item->name;
            change->perform();

            if (mine.applyChange (*change))
                reportedDeleted.insert (name);
        }

        ASSERT_TRUE (other.succeeded());
        deleted += (int) reportedDeleted.size();
        tagged += report.loadFileAsString().getIntValue();

        for (int i = 0; i < presetCount; ++i)
        {
            const bool onDisk = fileOf (nameOf (i)).exists(), gone = reportedDeleted.count (nameOf (i)) != 0;
            resurrected += gone && onDisk ? 1 : 0;
            lost += ! gone && ! onDisk ? 1 : 0;
        }
    }

    std::cout << "[ two writers ] delete against tag edits: " << rounds << " rounds of " << presetCount << " presets, "
              << deleted << " deleted, " << tagged << " tag edits, " << resurrected << " resurrected, " << lost << " lost\n";
    EXPECT_EQ (resurrected, 0) << "presets reported deleted are on disk";
    EXPECT_EQ (lost, 0);
    EXPECT_GT (deleted, 0);
    EXPECT_GT (tagged, 0);
}

TEST_F (FolderWriterTest, RenamesBackAndForthAgainstTagEditsInAnotherProcessLeaveOneFileWithEveryReportedEdit)
{
    int renamed = 0, edits = 0, missing = 0;
    std::set<juce::String> doubled, lost;
    const auto report = folder.get().getChildFile ("edits.txt");
    writeFolder();

    for (int round = 0; round < rounds; ++round)
    {
        // The other instance adds a tag of its own to every item, and notes each edit it was
        // told is done.
        SecondProcess other ([&] (SecondProcess& self) {
            PresetsDirectoryContent<Preset> theirs (fixture.plugin(), presets);
            juce::StringArray done;
            const auto tag = "r" + juce::String (round);
            theirs.refresh();
            self.tellStarted();

            for (auto* item : itemsOf (theirs))
            {
                auto tags = item->tags;
                tags.add ("B", tag);

                if (theirs.setItemTags (*item, tags).wasOk())
                    done.add (item->name.upToFirstOccurrenceOf ("_", false, false) + " " + tag);
            }

            return report.replaceWithText (done.joinIntoString ("\n"));
        });

        ASSERT_TRUE (other.waitUntilStarted());
        PresetsDirectoryContent<Preset> mine (fixture.plugin(), presets);

        // There and back, a round each: "P001" to "P001_r", then to "P001" again, in step with
        // the other's pass; the list is read again now and then (the other's edits make an
        // older one refuse).
        for (int i = 0; i < presetCount; ++i)
        {
            if (i % 50 == 0)
                mine.refresh();

            const auto from = nameOf (i) + (round % 2 == 0 ? "" : "_r"), to = nameOf (i) + (round % 2 == 0 ? "_r" : "");

            if (auto* item = mine.findItem (from))
                renamed += mine.renameItem (*item, to) ? 1 : 0;
        }

        ASSERT_TRUE (other.succeeded());
        std::map<juce::String, juce::File> fileOfPreset;

        for (int i = 0; i < presetCount; ++i)
        {
            const auto there = fileOf (nameOf (i)).existsAsFile(), away = fileOf (nameOf (i) + "_r").existsAsFile();

            if (there == away)
                (there ? doubled : lost).insert (nameOf (i));

            fileOfPreset[nameOf (i)] = fileOf (there ? nameOf (i) : nameOf (i) + "_r");
        }

        juce::StringArray done;
        done.addLines (report.loadFileAsString());
        done.removeEmptyStrings();
        edits += done.size();

        for (const auto& edit : done)
            missing += tagsOnDisk (fileOfPreset[edit.upToFirstOccurrenceOf (" ", false, false)]).contains ("B", edit.fromFirstOccurrenceOf (" ", false, false)) ? 0 : 1;
    }

    std::cout << "[ two writers ] renames against tag edits: " << rounds << " rounds of " << presetCount << " presets, " << renamed
              << " renames, " << edits << " tag edits, " << doubled.size() << " doubled, " << lost.size() << " lost, " << missing
              << " edits missing\n";
    EXPECT_EQ (doubled.size(), 0u) << "presets under two names";
    EXPECT_EQ (lost.size(), 0u);
    EXPECT_EQ (missing, 0) << "tag edits reported done that are not on disk";
    EXPECT_GT (renamed, 0);
    EXPECT_GT (edits, 0);
}

TEST_F (FolderWriterTest, ARenameMeetsTheItemsOwnChangeInFlight)
{
    // The editor takes input between a bulk edit's slices: the item is renamed while its change
    // waits for the worker, or after the worker did it but before the model took it.
    struct Case
    {
        const char* what;
        bool deletion, performedFirst;
    };

    for (const auto& c : { Case { "tag edit waiting", false, false }, Case { "tag edit performed", false, true },
                           Case { "delete waiting", true, false } })
    {
        SCOPED_TRACE (c.what);
        presets.deleteRecursively();
        writePreset (fileOf ("X"), "Sound:Base");
        PresetsDirectoryContent<Preset> source (fixture.plugin(), presets);
        source.refresh();
        auto* item = source.findItem ("X");
        ASSERT_NE (item, nullptr);

        auto change = c.deletion ? source.prepareDelete (*item) : source.prepareTagChange (*item, CategoryTagMap::fromString ("Sound:Base;Mood:Dark"));

        if (c.performedFirst)
            change->perform();

        ASSERT_TRUE (item->rename ("X_r")) << source.getLastError();
        ASSERT_TRUE (source.applyChange (*change)) << source.getLastError();

        const auto files = presets.findChildFiles (juce::File::findFilesAndDirectories, false, "*");

        if (c.deletion)
        {
            EXPECT_EQ (files.size(), 0);
            continue;
        }

        ASSERT_EQ (files.size(), 1);
        EXPECT_EQ (files[0], fileOf ("X_r"));
        Preset onDisk;
        ASSERT_TRUE (onDisk.loadFromFile (files[0]));
        EXPECT_EQ (onDisk.name, "X_r");
        EXPECT_EQ (onDisk.tags, "Sound:Base;Mood:Dark");
        EXPECT_EQ (item->tags.toString(), "Sound:Base;Mood:Dark");

        // What the source knows of its own writes stays right: the item moves on.
        EXPECT_TRUE (item->rename ("Y")) << source.getLastError();
        EXPECT_TRUE (fileOf ("Y").existsAsFile());
    }
}

TEST_F (FolderWriterTest, FilesSwappedUnderAListedItemAreNeitherWrittenThroughNorBroughtBack)
{
    // The chosen item's file is replaced after the list was read; a tag edit, a rename and a
    // delete follow. Only another program's plain preset takes the tag edit (it merges into
    // the tags the file holds); a delete of a file already gone is done.
    const auto outside = writePreset (folder.get().getChildFile ("Outside").getChildFile ("O.grprs2"), "Sound:Outside");

    struct Swap
    {
        const char* what;
        std::function<bool (const juce::File& chosen, const juce::File& other)> make;
        juce::String kind;
    };

    const Swap swaps[] = {
        { "a link to a preset outside the folder", [&] (const juce::File& f, const juce::File&) { return f.deleteFile() && outside.createSymbolicLink (f, false); }, "link" },
        { "a link to another item", [] (const juce::File& f, const juce::File& other) { return f.deleteFile() && other.createSymbolicLink (f, false); }, "link" },
        { "a FIFO", [] (const juce::File& f, const juce::File&) { return f.deleteFile() && ::mkfifo (f.getFullPathName().toRawUTF8(), 0600) == 0; }, "fifo" },
        { "a folder", [] (const juce::File& f, const juce::File&) { return f.deleteFile() && f.createDirectory().wasOk(); }, "folder" },
        { "another program's preset", [] (const juce::File& f, const juce::File&) { return f.deleteFile() && writePreset (f, "Sound:Theirs").existsAsFile(); }, "file" },
        { "nothing", [] (const juce::File& f, const juce::File&) { return f.deleteFile(); }, "" },
    };

    enum Operation
    {
        tagEdit,
        rename,
        remove
    };

    const char* const operationNames[] = { "tag edit", "rename", "delete" };

    for (const auto& swap : swaps)
    {
        for (auto operation : { tagEdit, rename, remove })
        {
            SCOPED_TRACE (juce::String (swap.what) + ", " + operationNames[operation]);
            presets.deleteRecursively();
            const auto chosen = writePreset (fileOf ("Chosen"), "Sound:Mine"), other = writePreset (fileOf ("Other"), "Sound:Other");
            const auto outsideBefore = bytesOf (outside), otherBefore = bytesOf (other);

            PresetsDirectoryContent<Preset> source (fixture.plugin(), presets);
            source.refresh();
            auto* item = source.findItem ("Chosen");
            ASSERT_NE (item, nullptr);

            std::unique_ptr<ContentSource::ItemChange> change;

            if (operation == tagEdit)
                change = source.prepareTagChange (*item, CategoryTagMap::fromString ("Sound:Mine;Mood:New"));
            else if (operation == remove)
                change = source.prepareDelete (*item);

            ASSERT_TRUE (swap.make (chosen, other));

            const bool done = change != nullptr ? source.applyChange (*change) : item->rename ("Moved");
            const bool merges = swap.kind == "file" && operation == tagEdit, alreadyGone = swap.kind.isEmpty() && operation == remove;
            EXPECT_EQ (done, merges || alreadyGone) << source.getLastError();

            if (! done)
            {
                EXPECT_TRUE (source.getLastError().contains ("\"Chosen\"")) << source.getLastError();
                EXPECT_TRUE (source.getLastError().contains (swap.kind.isEmpty() ? "no longer on disk" : "changed on disk")) << source.getLastError();
            }

            EXPECT_EQ (bytesOf (outside), outsideBefore) << "outside the folder";
            EXPECT_EQ (bytesOf (other), otherBefore) << "an item not chosen";
            EXPECT_EQ (kindAt (chosen), swap.kind) << "what stands under the name stays";
            EXPECT_EQ (kindAt (fileOf ("Moved")), "") << "nothing appears under the new name";

            if (merges)
            {
                EXPECT_EQ (tagsOnDisk (chosen).toString(), "Sound:Theirs;Mood:New");
            }
        }
    }
}
