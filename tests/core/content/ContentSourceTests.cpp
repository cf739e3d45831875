#include "ContentTestSupport.h"
#include "core/CommandParameter.h"
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
    struct Recorder : ContentSource::Listener
    {
        int calls = 0;
        void contentSourceChanged (ContentSource*) override { ++calls; }
    };

    struct SourceTest : ::testing::Test
    {
        test::PluginFixture fixture;
        test::TempFolder folder;
        juce::File presets { folder.get().getChildFile ("Presets") };
        juce::StringArray logLines;
        std::unique_ptr<PresetsDirectoryContent<Preset>> source;
        TagDictionary dictionary;

        SourceTest()
        {
            source = std::make_unique<PresetsDirectoryContent<Preset>> (fixture.plugin(), presets);
            source->logger = [this] (const juce::String& line) { logLines.add (line); };
            source->setTagDictionary (&dictionary);
            source->refresh();
        }

        juce::StringArray itemNames() const
        {
            juce::StringArray names;
            for (auto* item : source->getItems())
                names.add (item->name);
            names.sort (true);
            return names;
        }
    };
}

TEST_F (SourceTest, AddNewItemWritesTheCurrentSettingsWithTags)
{
    fixture.parameter ("Bit Depth").setValue (7.0f, true);
    const auto tags = CategoryTagMap::fromString ("Vintage Sampler:8 Bit;Degradation:Heavy");

    auto* item = source->addNewItem (juce::String (juce::CharPointer_UTF8 ("Cr\xc3\xbc"
                                                                           "nch")),
                                     tags);
    ASSERT_NE (item, nullptr);
    EXPECT_EQ (source->findItem (item->name), item);
    EXPECT_EQ (source->tags, tags);
    EXPECT_EQ (item->tagIds.getIds(), juce::Array<int> ({ 1001, 2001 }));
    EXPECT_EQ (dictionary.getId ("Degradation", "Heavy"), 2001);

    Preset written;
    ASSERT_TRUE (written.loadFromFile (source->getFileForName (item->name)));
    EXPECT_EQ (written.name, item->name);
    EXPECT_EQ (*written.findValue (2), "7");
    EXPECT_EQ (written.findValue (8), nullptr);        // Processing Quality stays out
    EXPECT_EQ (written.findValue (100000), nullptr);   // and the commands too
    EXPECT_EQ (written.getTagMap(), tags);

    // What was saved is what "reload" goes back to, and nothing is unsaved now.
    EXPECT_EQ (fixture.plugin().getReloadPreset().name, item->name);
    EXPECT_FALSE (fixture.plugin().hasUnsavedPresetChanges());

    // A fresh source finds the same item.
    PresetsDirectoryContent<Preset> again (fixture.plugin(), presets);
    again.refresh();
    ASSERT_EQ (again.getNumItems(), 1);
    EXPECT_EQ (again.getItems()[0]->tags, tags);
}

TEST_F (SourceTest, TakenNamesAndUniqueCopyNames)
{
    ASSERT_NE (source->addNewItem ("Bass", {}), nullptr);
    EXPECT_EQ (source->addNewItem ("Bass", {}), nullptr);
    EXPECT_EQ (makeUniqueCopyName (*source, "Lead"), "Lead");
    EXPECT_EQ (makeUniqueCopyName (*source, "Bass"), "Bass (1)");
    ASSERT_NE (source->addNewItem ("Bass (1)", {}), nullptr);
    EXPECT_EQ (makeUniqueCopyName (*source, "Bass"), "Bass (2)");
    EXPECT_TRUE (source->isNameTaken (""));
}

TEST_F (SourceTest, SavingOverAnItemReplacesItsFileInOneStepAndAFailedWriteKeepsIt)
{
    auto* old = source->addNewItem ("Keep", CategoryTagMap::fromString ("A:x"));
    ASSERT_NE (old, nullptr);
    const auto file = source->getFileForName ("Keep");
    Preset original;
    ASSERT_TRUE (original.loadFromFile (file));

    // The old file stays in place while the new one is written; the new preset keeps its identity.
    std::unique_ptr<ContentSource::OverwriteStore> store;
    ASSERT_TRUE (source->deleteItem (old, true, &store));
    ASSERT_NE (store, nullptr);
    EXPECT_EQ (source->findItem ("Keep"), nullptr);
    EXPECT_TRUE (file.existsAsFile()) << "the old preset stays under its name until the new one replaces it";

    fixture.parameter ("Mix").setValue (10.0f, true);
    auto* replacement = source->addNewItem ("Keep", CategoryTagMap::fromString ("B:y"), store.get());
    ASSERT_NE (replacement, nullptr);
    store.reset();

    Preset saved;
    ASSERT_TRUE (saved.loadFromFile (file));
    EXPECT_EQ (saved.id, original.id);
    EXPECT_EQ (*saved.findValue (6), "10");
    EXPECT_EQ (presets.findChildFiles (juce::File::findFiles, true, "*").size(), 1);   // no temporary left

    // A write that fails (a full disk) leaves the old file and lists it again.
    const auto before = file.loadFileAsString();
    ASSERT_TRUE (source->deleteItem (replacement, true, &store));
    fixture.parameter ("Mix").setValue (20.0f, true);
    {
        test::ScopedFullDisk full;
        EXPECT_EQ (source->addNewItem ("Keep", {}, store.get()), nullptr);
    }
    store.reset();
    EXPECT_EQ (file.loadFileAsString(), before);
    EXPECT_NE (source->findItem ("Keep"), nullptr);
    EXPECT_EQ (source->tags, CategoryTagMap::fromString ("B:y"));

    // A folder the user may not write (root may write anywhere, so only for other users).
    if (geteuid() != 0)
    {
        ASSERT_TRUE (source->deleteItem (source->findItem ("Keep"), true, &store));
        ASSERT_EQ (chmod (presets.getFullPathName().toRawUTF8(), 0555), 0);
        EXPECT_EQ (source->addNewItem ("Keep", {}, store.get()), nullptr);
        ASSERT_EQ (chmod (presets.getFullPathName().toRawUTF8(), 0755), 0);
        store.reset();
        EXPECT_EQ (file.loadFileAsString(), before);
        EXPECT_NE (source->findItem ("Keep"), nullptr);
    }

    // Without a store the name stays taken; a plain delete removes the file.
    EXPECT_EQ (source->addNewItem ("Keep", {}), nullptr);
    EXPECT_TRUE (source->findItem ("Keep")->deleteFromSource());
    EXPECT_FALSE (file.exists());
    EXPECT_FALSE (source->deleteItem (nullptr));
}

TEST_F (SourceTest, RenameMovesTheFileAndTheNameInside)
{
    auto* item = source->addNewItem ("First", {});
    ASSERT_NE (source->addNewItem ("Second", {}), nullptr);
    ASSERT_NE (item, nullptr);

    EXPECT_TRUE (item->canRenameTo ("First"));
    EXPECT_FALSE (item->canRenameTo ("Second"));
    EXPECT_TRUE (item->canRenameTo ("Third"));

    ASSERT_TRUE (item->rename ("Third"));
    EXPECT_EQ (item->name, "Third");
    EXPECT_FALSE (source->getFileForName ("First").exists());
    Preset moved;
    ASSERT_TRUE (moved.loadFromFile (source->getFileForName ("Third")));
    EXPECT_EQ (moved.name, "Third");

    // A change of letter case only.
    ASSERT_TRUE (item->rename ("THIRD"));
    EXPECT_TRUE (source->getFileForName ("THIRD").existsAsFile());
    EXPECT_FALSE (item->rename ("Second"));
    EXPECT_TRUE (source->getFileForName ("Second").existsAsFile());
}

TEST_F (SourceTest, ImportFromAStreamWritesCrLfAndRefusesForeignText)
{
    const juce::String text = "<?xml version=\"1.0\"?>\n<Preset name=\"x\" application=\"Grindel 2\" tags=\"A:imported\">\n"
                              "  <Value id=\"2\" value=\"3\"/>\n</Preset>\n";
    juce::MemoryInputStream stream (text.toRawUTF8(), text.getNumBytesAsUTF8(), false);
    auto* item = source->importItemFromStream (stream, "Imported");
    ASSERT_NE (item, nullptr);
    EXPECT_TRUE (source->tags.contains ("A", "imported"));

    const auto written = source->getFileForName ("Imported").loadFileAsString();
    EXPECT_TRUE (written.contains ("\r\n"));
    EXPECT_FALSE (written.replace ("\r\n", "").containsChar ('\n'));

    juce::MemoryInputStream again (text.toRawUTF8(), text.getNumBytesAsUTF8(), false);
    EXPECT_EQ (source->importItemFromStream (again, "Imported"), nullptr);

    for (const char* bad : { "not xml at all", "<MidiControlMap/>", "<Preset application=\"Other Product\"/>" })
    {
        juce::MemoryInputStream in (bad, strlen (bad), false);
        EXPECT_EQ (source->importItemFromStream (in, "Bad"), nullptr) << bad;
        EXPECT_FALSE (source->getFileForName ("Bad").exists()) << bad;
    }
}

TEST_F (SourceTest, HostileNamesStayInsideTheFolder)
{
    const auto outside = folder.get().getChildFile ("escaped.grprs2");

    for (const char* name : { "../escaped", "..", "/tmp/escaped", "a\\b", "con", "LPT1.txt", " spaced. ", "\x01"
                                                                                                          "ctl",
                              ".hidden" })
    {
        auto* item = source->addNewItem (name, {});

        if (item != nullptr)
        {
            EXPECT_TRUE (source->getFileForName (item->name).getParentDirectory() == presets) << name;
            EXPECT_TRUE (source->getFileForName (item->name).existsAsFile()) << name;
            EXPECT_FALSE (item->name.containsAnyOf ("/\\")) << name;
            EXPECT_FALSE (item->name.startsWithChar ('.')) << name;
        }
    }

    EXPECT_FALSE (outside.exists());
    EXPECT_EQ (ContentSource::makeSafeItemName ("con"), "con_");
    EXPECT_EQ (ContentSource::makeSafeItemName ("LPT1.txt"), "LPT1_.txt");
    EXPECT_EQ (ContentSource::makeSafeItemName ("../x"), "_._x");
    EXPECT_EQ (ContentSource::makeSafeItemName (" spaced. "), "spaced");
    EXPECT_EQ (ContentSource::makeSafeItemName (".."), "");
    EXPECT_EQ (ContentSource::makeSafeItemName ("   "), "");
    EXPECT_EQ (ContentSource::makeSafeItemName (juce::String::repeatedString ("x", 201)), "");
    EXPECT_EQ (source->addNewItem ("", {}), nullptr);
    EXPECT_EQ (source->addNewItem ("..", {}), nullptr);

    // The same rules on refresh: the items found are the names made.
    const auto before = itemNames();
    source->refresh();
    EXPECT_EQ (itemNames(), before);
}

TEST_F (SourceTest, RefreshSkipsCorruptForeignAndHiddenFilesWithoutTouchingThem)
{
    ASSERT_NE (source->addNewItem ("Good", CategoryTagMap::fromString ("A:1")), nullptr);
    const auto corrupt = test::writeText (presets.getChildFile ("Corrupt.grprs2"), "<Preset name=\"Corrupt\"");
    const auto foreign = test::writeText (presets.getChildFile ("Foreign.grprs2"), "<Preset application=\"Other\"/>");
    const auto notPreset = test::writeText (presets.getChildFile ("Map.grprs2"), "<MidiControlMap/>");
    test::writeText (presets.getChildFile (".Hidden.grprs2"), "<Preset/>");
    test::writeText (presets.getChildFile ("Other.txt"), "<Preset/>");

    source->refresh();
    EXPECT_EQ (itemNames().joinIntoString (","), "Good");
    EXPECT_GE (logLines.size(), 3);

    // Their names stay taken: saving under them never overwrites the user's files.
    EXPECT_TRUE (source->isNameTaken ("Corrupt"));
    EXPECT_EQ (source->addNewItem ("Corrupt", {}), nullptr);
    EXPECT_EQ (corrupt.loadFileAsString(), "<Preset name=\"Corrupt\"");
    EXPECT_TRUE (foreign.existsAsFile());
    EXPECT_TRUE (notPreset.existsAsFile());
    EXPECT_EQ (makeUniqueCopyName (*source, "Corrupt"), "Corrupt (1)");
}

TEST_F (SourceTest, NamesDifferingInCaseAreOneFileWhereTheFileSystemSaysSo)
{
    ASSERT_NE (source->addNewItem ("Case", {}), nullptr);

    // This file system is case-sensitive: "case" is another file.
    EXPECT_FALSE (source->isNameTaken ("case"));

    // Where "case" reaches the same file (a case-insensitive file system, emulated with a
    // link), the name is taken and a save never replaces the other item's file.
    const auto link = source->getFileForName ("cASE");
    ASSERT_TRUE (source->getFileForName ("Case").createSymbolicLink (link, false));
    EXPECT_TRUE (source->isNameTaken ("cASE"));
    EXPECT_EQ (source->addNewItem ("cASE", {}), nullptr);
    EXPECT_EQ (makeUniqueCopyName (*source, "cASE"), "cASE (1)");
}

TEST_F (SourceTest, RenameAndTagWritesChangeOneAttributeAndKeepEverythingElse)
{
    // What a later version or another tool may have put in a preset: unknown attributes and
    // elements, a second ExtraData child, comments, single quotes and a self-closing root.
    const juce::String body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- made by hand -->\r\n"
                              "<Preset name=\"Old\" application=\"Grindel 2\" tags=\"A:1\" future='x &amp; y'>\r\n"
                              "  <!-- keep me -->\r\n  <Value id=\"6\" value=\"25\"/>\r\n"
                              "  <ExtraData><One/></ExtraData>\r\n  <ExtraData><Two a=\"b\"/></ExtraData>\r\n"
                              "  <Unknown>text</Unknown>\r\n</Preset>\r\n";
    const juce::String selfClosing = "<Preset name=\"Old\" application=\"Grindel 2\" tags=\"A:1\" other=\"1\"/>";

    struct Case
    {
        const char* what;
        juce::String text;
        bool rename;
        juce::String expected;
    };

    const Case cases[] = {
        { "rename", body, true, body.replace ("name=\"Old\"", "name=\"New\"") },
        { "tag write", body, false, body.replace ("tags=\"A:1\"", "tags=\"A:1;B:2\"") },
        { "rename, self-closing root", selfClosing, true, selfClosing.replace ("\"Old\"", "\"New\"") },
        { "tag write, self-closing root", selfClosing, false, selfClosing.replace ("A:1", "A:1;B:2") },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        presets.deleteRecursively();
        test::writeText (presets.getChildFile ("Old.grprs2"), c.text);
        source->refresh();
        auto* item = source->findItem ("Old");
        ASSERT_NE (item, nullptr);

        if (c.rename)
            ASSERT_TRUE (item->rename ("New"));
        else
            ASSERT_TRUE (item->setTags (CategoryTagMap::fromString ("A:1;B:2")).wasOk());

        EXPECT_EQ (source->getFileForName (c.rename ? "New" : "Old").loadFileAsString(), c.expected);
    }
}

TEST_F (SourceTest, SetTagsRewritesTheItemAndItsIds)
{
    auto* item = source->addNewItem ("Tagged", CategoryTagMap::fromString ("A:1"));
    ASSERT_NE (item, nullptr);
    item->setTags (CategoryTagMap::fromString ("A:2;B:3"));

    EXPECT_EQ (item->tags.toString(), "A:2;B:3");
    EXPECT_EQ (item->tagIds.getIds(), juce::Array<int> ({ dictionary.getId ("A", "2"), dictionary.getId ("B", "3") }));
    EXPECT_EQ (source->tags.toString(), "A:2;B:3");

    Preset file;
    ASSERT_TRUE (file.loadFromFile (source->getFileForName ("Tagged")));
    EXPECT_EQ (file.tags, "A:2;B:3");

    item->filterByAllTags ({ dictionary.getId ("A", "2"), dictionary.getId ("B", "3") });
    EXPECT_FALSE (item->filteredOut);
    item->filterByAllTags ({ dictionary.getId ("A", "2"), 9999 });
    EXPECT_TRUE (item->filteredOut);
    item->filterByAllTags ({});
    EXPECT_FALSE (item->filteredOut);
    item->filterByAnyTag ({ 9999, dictionary.getId ("B", "3") });
    EXPECT_FALSE (item->filteredOut);
    item->filterByAnyTag ({ 9999 });
    EXPECT_TRUE (item->filteredOut);
}

TEST_F (SourceTest, LoadAppliesThePresetAndCopiesComeFromFiles)
{
    auto& bits = fixture.parameter ("Bit Depth");
    bits.setValue (5.0f, true);
    auto* item = source->addNewItem ("Five", {});
    ASSERT_NE (item, nullptr);
    bits.setValue (20.0f, true);
    EXPECT_TRUE (fixture.plugin().hasUnsavedPresetChanges());

    ASSERT_TRUE (item->load (0));
    EXPECT_FLOAT_EQ (bits.getValue(), 5.0f);
    EXPECT_EQ (fixture.plugin().getParameterManager().getParameterByIndex (CommandParameter::presetNameId)->getText(), "Five");
    EXPECT_FALSE (fixture.plugin().hasUnsavedPresetChanges());

    auto* copy = source->addItemCopy (source->getFileForName ("Five"), "Five Copy", CategoryTagMap::fromString ("C:c"));
    ASSERT_NE (copy, nullptr);
    Preset copied;
    ASSERT_TRUE (copied.loadFromFile (source->getFileForName ("Five Copy")));
    EXPECT_EQ (copied.name, "Five Copy");
    EXPECT_EQ (*copied.findValue (2), "5");
    EXPECT_TRUE (copied.getTagMap().contains ("C", "c"));

    EXPECT_EQ (source->addItemCopy (test::writeText (folder.get().getChildFile ("junk.grprs2"), "junk"), "Junk", {}), nullptr);
    EXPECT_EQ (source->addItemCopy (source->getFileForName ("Five"), "Five Copy", {}), nullptr);

    // A file that went bad after the refresh does not load.
    test::writeText (source->getFileForName ("Five"), "broken");
    EXPECT_FALSE (item->load (0));
    EXPECT_FLOAT_EQ (bits.getValue(), 5.0f);
}

TEST_F (SourceTest, SelectionActivatesAndTellsTheListeners)
{
    ASSERT_NE (source->addNewItem ("One", CategoryTagMap::fromString ("A:1")), nullptr);
    Recorder recorder;
    source->addListener (&recorder);

    source->setSelected (false, true);
    EXPECT_FALSE (source->active);
    EXPECT_EQ (source->getNumItems(), 0);
    EXPECT_EQ (recorder.calls, 1);

    source->setSelected (true, false);
    EXPECT_TRUE (source->active);
    EXPECT_TRUE (source->selected);
    EXPECT_EQ (source->getNumItems(), 1);
    EXPECT_EQ (recorder.calls, 1);

    source->removeListener (&recorder);
    EXPECT_TRUE (source->canSaveItems());
    EXPECT_FALSE (source->canImportSamples());
    EXPECT_EQ (source->getItemExtension(), ".grprs2");
    EXPECT_EQ (source->getItemFile ("One"), presets.getChildFile ("One.grprs2"));
}

TEST_F (SourceTest, NamesWhereALinkStandsOrThatReorderTextAreNotFree)
{
    // A link that leads nowhere or round in a loop is still something under the name.
    const auto dangling = presets.getChildFile ("Dangling.grprs2");
    const auto loop = presets.getChildFile ("Loop.grprs2");
    ASSERT_TRUE (presets.createDirectory());
    ASSERT_EQ (::symlink ("nowhere", dangling.getFullPathName().toRawUTF8()), 0);
    ASSERT_EQ (::symlink ("Loop.grprs2", loop.getFullPathName().toRawUTF8()), 0);

    for (const auto& name : { "Dangling", "Loop" })
    {
        EXPECT_TRUE (source->isNameTaken (name)) << name;
        EXPECT_EQ (source->addNewItem (name, {}), nullptr) << name;
        EXPECT_EQ (makeUniqueCopyName (*source, name), juce::String (name) + " (1)");
    }

    EXPECT_TRUE (dangling.isSymbolicLink());
    EXPECT_TRUE (loop.isSymbolicLink());

    // Characters that reorder text could make one name look like another: refused.
    for (const juce::juce_wchar c : { 0x202e, 0x202d, 0x202a, 0x2066, 0x2067, 0x2068, 0x2069, 0x200f, 0x061c })
    {
        const auto name = "evil" + juce::String::charToString (c) + "3pm.exe";
        EXPECT_EQ (ContentSource::makeSafeItemName (name), "") << (int) c;
        EXPECT_EQ (source->addNewItem (name, {}), nullptr);
    }

    EXPECT_EQ (presets.findChildFiles (juce::File::findFiles, false, "*").size(), 2) << "the two links, nothing else";
}

TEST_F (SourceTest, TagEditsApplyToTheFileAsItIsOnDisk)
{
    ASSERT_NE (source->addNewItem ("Shared", CategoryTagMap::fromString ("A:1")), nullptr);

    // A second instance lists the same folder; each then edits the tags from its own list.
    PresetsDirectoryContent<Preset> other (fixture.plugin(), presets);
    other.refresh();
    auto* mine = source->findItem ("Shared");
    auto* theirs = other.findItem ("Shared");
    ASSERT_NE (theirs, nullptr);

    EXPECT_TRUE (mine->setTags (CategoryTagMap::fromString ("A:1;B:2")).wasOk());
    EXPECT_TRUE (theirs->setTags (CategoryTagMap::fromString ("A:1;C:3")).wasOk());
    EXPECT_EQ (theirs->tags.toString(), "A:1;B:2;C:3") << "the other instance's tag stays";
    EXPECT_TRUE (mine->setTags (CategoryTagMap::fromString ("B:2")).wasOk());
    EXPECT_EQ (mine->tags.toString(), "B:2;C:3");

    Preset onDisk;
    ASSERT_TRUE (onDisk.loadFromFile (source->getFileForName ("Shared")));
    EXPECT_EQ (onDisk.tags, "B:2;C:3");
    EXPECT_EQ (presets.findChildFiles (juce::File::findFiles, false, "*").size(), 1);

    // A failure is a result, and the item keeps its tags.
    ASSERT_TRUE (source->getFileForName ("Shared").replaceWithText ("<Preset name=\"cut"));
    const auto failed = mine->setTags (CategoryTagMap::fromString ("D:4"));
    EXPECT_TRUE (failed.failed());
    EXPECT_TRUE (failed.getErrorMessage().contains ("Shared"));
    EXPECT_EQ (mine->tags.toString(), "B:2;C:3");
    EXPECT_EQ (source->getFileForName ("Shared").loadFileAsString(), "<Preset name=\"cut");
}

TEST_F (SourceTest, RenameOrDeleteOfAnItemChangedElsewhereIsRefused)
{
    ASSERT_NE (source->addNewItem ("Shared", {}), nullptr);
    PresetsDirectoryContent<Preset> other (fixture.plugin(), presets);
    other.refresh();
    ASSERT_TRUE (other.findItem ("Shared")->setTags (CategoryTagMap::fromString ("X:1")).wasOk());

    auto* stale = source->findItem ("Shared");
    std::unique_ptr<ContentSource::OverwriteStore> store;

    fixture.plugin().takeProblems();
    EXPECT_FALSE (stale->rename ("Moved"));
    EXPECT_TRUE (source->getLastError().contains ("changed on disk"));
    EXPECT_TRUE (fixture.plugin().takeProblems().joinIntoString ("\n").contains ("changed on disk")) << "the user hears of it";
    EXPECT_FALSE (stale->deleteFromSource());
    EXPECT_FALSE (source->deleteItem (stale, true, &store));
    EXPECT_TRUE (source->getFileForName ("Shared").existsAsFile());

    // Its own edits do not count; a fresh list acts again.
    ASSERT_TRUE (other.findItem ("Shared")->rename ("Moved"));
    source->refresh();
    EXPECT_TRUE (source->findItem ("Moved")->deleteFromSource());
    EXPECT_TRUE (source->getLastError().isEmpty());
}

TEST_F (SourceTest, StartUpRecoversWhatKilledSavesLeft)
{
    const auto writePreset = [this] (const juce::String& fileName, const juce::String& name) {
        return test::writeText (presets.getChildFile (fileName), "<Preset name=\"" + name + "\" application=\"Grindel 2\"></Preset>");
    };

    // An older version moved the old preset aside before writing the new one.
    writePreset (".Lost-overwritten.bak", "Lost");
    writePreset (".Saved-overwritten.bak", "Saved old");
    writePreset ("Saved.grprs2", "Saved");
    writePreset (".Saved.grprs2.tmp-999999999-ab", "half");   // a temporary whose writer is gone
    writePreset (".~gr-999999999-1f.tmp", "half");
    // Not provably ours: names like JUCE's temporaries, backups by name only, and a live writer's.
    writePreset (".Lost_temp1f.grprs2", "juce temp").setLastModificationTime (juce::Time::getCurrentTime() - juce::RelativeTime::hours (2));
    test::writeText (presets.getChildFile (".My-overwritten notes.bak"), "plain notes");
    test::writeText (presets.getChildFile (".Plain-overwritten.bak"), "plain text, not a preset");
    writePreset (".~gr-" + juce::String ((int) ::getppid()) + "-2.tmp", "being written");

    EXPECT_EQ (source->recoverLeftovers(), 4);
    source->refresh();
    EXPECT_EQ (itemNames().joinIntoString (","), "Lost,Saved");
    EXPECT_EQ (presets.findChildFiles (juce::File::findFiles, false, "*").size(), 6);
    EXPECT_EQ (presets.getChildFile (".My-overwritten notes.bak").loadFileAsString(), "plain notes");

    Preset saved;
    ASSERT_TRUE (saved.loadFromFile (source->getFileForName ("Saved")));
    EXPECT_EQ (saved.name, "Saved");
}

TEST_F (SourceTest, AFailedRenameSaysWhatTheSystemSaid)
{
    // A folder this user may not write in (root runs the rename as a process of no one).
    auto* item = source->addNewItem ("Locked", {});
    ASSERT_NE (item, nullptr);

    for (const auto& f : { folder.get(), presets })
        ASSERT_EQ (::chmod (f.getFullPathName().toRawUTF8(), ::geteuid() != 0 && f == presets ? 0555 : 0755), 0);

    int channel[2];
    ASSERT_EQ (::pipe (channel), 0);
    const auto child = ::fork();
    ASSERT_GE (child, 0);

    if (child == 0)
    {
        const bool nobody = ::geteuid() != 0 || (::setgid (65534) == 0 && ::setuid (65534) == 0);
        const bool renamed = nobody && item->rename ("Moved");
        const auto error = source->getLastError();
        const bool sent = ::write (channel[1], error.toRawUTF8(), error.getNumBytesAsUTF8()) >= 0;
        ::_exit (nobody && ! renamed && sent ? 0 : 1);
    }

    ::close (channel[1]);
    char text[512] = {};
    const auto length = ::read (channel[0], text, sizeof (text) - 1);
    ::close (channel[0]);
    int status = 0;
    ASSERT_EQ (::waitpid (child, &status, 0), child);
    ::chmod (presets.getFullPathName().toRawUTF8(), 0755);

    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 0);
    EXPECT_GT (length, 0);
    EXPECT_EQ (juce::String (juce::CharPointer_UTF8 (text)), "\"Locked\" could not be moved: " + juce::String (std::strerror (EACCES)));
    EXPECT_TRUE (source->getFileForName ("Locked").existsAsFile());
}
