#include "ContentTestSupport.h"
#include "core/content/PackageImportJob.h"
#include "core/parameters/AtomicFile.h"
#include "core/content/NameFolding.h"
#include "core/content/fuzz/ZipImportFuzzHarness.h"
#include <sys/wait.h>
#include <unistd.h>

namespace
{
    juce::String presetText (const juce::String& name, const juce::String& tags = {}, int value = 3)
    {
        Preset preset;
        preset.name = name;
        preset.tags = tags;
        preset.setValue (2, juce::String (value));
        return preset.createXml()->toString();
    }

    struct Entry
    {
        juce::String path, text;
    };

    /** Writes a ZIP of the entries (deflated) and returns its bytes. */
    juce::MemoryBlock makeZip (const std::vector<Entry>& entries)
    {
        juce::ZipFile::Builder builder;

        for (const auto& e : entries)
            builder.addEntry (new juce::MemoryInputStream (e.text.toRawUTF8(), e.text.getNumBytesAsUTF8(), true), 9, e.path, juce::Time::getCurrentTime());

        juce::MemoryOutputStream out;
        builder.writeToStream (out, nullptr);
        return out.getMemoryBlock();
    }

    struct ImportTest : ::testing::Test
    {
        test::PluginFixture fixture;
        test::TempFolder folder;
        juce::File presets { folder.get().getChildFile ("User/Presets") };
        PresetsDirectoryContent<Preset> source { fixture.plugin(), presets };
        PackageImportJob job;
        juce::StringArray added, removed;

        ImportTest()
        {
            source.refresh();
            job.onItemAdded = [this] (ContentItem* item) { added.add (item->name); };
            job.onItemRemoved = [this] (ContentItem* item) { removed.add (item->name); };
        }

        juce::File writeZip (const std::vector<Entry>& entries, const juce::String& name = "in.grzip")
        {
            const auto file = folder.get().getChildFile (name);
            const auto data = makeZip (entries);
            file.replaceWithData (data.getData(), data.getSize());
            return file;
        }

        juce::String text (const juce::String& item) const { return source.getFileForName (item).loadFileAsString(); }

        /** Every file under the temporary folder but the archives: all of them in the user folder. */
        void expectNothingOutsideTheFolder() const
        {
            for (const auto& f : folder.get().findChildFiles (juce::File::findFiles, true, "*"))
            {
                if (! f.hasFileExtension ("grzip;bin"))
                {
                    EXPECT_TRUE (f.isAChildOf (presets)) << f.getFullPathName();
                }
            }
        }
    };
}

TEST_F (ImportTest, HostileArchivesWriteNothingOutsideTheUserFolder)
{
    // The bomb: 20 MiB of zeros, a few kilobytes packed.
    juce::String zeros;
    zeros = zeros.paddedRight ('0', (int) PackageImportJob::maxEntrySize + 4096);

    const auto zip = writeZip ({ { "../Escaped.grprs2", presetText ("a") },
                                 { "a/../../Escaped2.grprs2", presetText ("b") },
                                 { "/tmp/grindel-absolute.grprs2", presetText ("c") },
                                 { "C:\\Windows\\Drive.grprs2", presetText ("d") },
                                 { "..\\Back.grprs2", presetText ("e") },
                                 { "deep/folder/Nested.grprs2", presetText ("f") },
                                 { "Semi;co:lon|.grprs2", presetText ("g") },
                                 { juce::String ("ctl") + juce::String::charToString (1) + ".grprs2", presetText ("h") },
                                 { ".grprs2", presetText ("i") },
                                 { "Bomb.grprs2", zeros },
                                 { "Junk.grprs2", "not a preset" },
                                 { "notes.txt", "another kind: skipped" } });

    EXPECT_EQ (job.start (zip, source), PackageImportJob::State::finished);
    EXPECT_EQ (added, juce::StringArray ({ "Nested", "Semi_co_lon_", "ctl_" }));
    EXPECT_EQ (job.getCounts().imported, 3);
    EXPECT_EQ (job.getCounts().refused(), 8);
    EXPECT_EQ (job.getCounts().refusedFor[PackageImportJob::unsafeName], 6);
    EXPECT_EQ (job.getCounts().refusedFor[PackageImportJob::tooLarge], 1);
    EXPECT_EQ (job.getCounts().refusedFor[PackageImportJob::notAnItem], 1);
    EXPECT_EQ (job.getCounts().skipped, 1);
    EXPECT_FALSE (job.isNotAZip());
    EXPECT_FALSE (juce::File ("/tmp/grindel-absolute.grprs2").exists());
    EXPECT_FALSE (source.getFileForName ("Bomb").exists());
    expectNothingOutsideTheFolder();

    // Not a ZIP, an empty file, a truncated archive: nothing imported, and the caller is told.
    const auto good = makeZip ({ { "One.grprs2", presetText ("One") }, { "Two.grprs2", presetText ("Two") } });
    const auto notZip = folder.get().getChildFile ("not.grzip");
    notZip.replaceWithText ("PK but not really a zip file, just text long enough");
    const auto empty = folder.get().getChildFile ("empty.grzip");
    empty.create();
    const auto cut = folder.get().getChildFile ("cut.grzip");
    cut.replaceWithData (good.getData(), good.getSize() / 2);

    // A name that is not UTF-8 is in the DOS code page, as unzip reads it: 0xE9 is "Θ".
    auto badName = makeZip ({ { "Q~bad.grprs2", presetText ("q") } });
    for (size_t i = 0; i + 1 < badName.getSize(); ++i)
        if (badName[i] == 'Q' && badName[i + 1] == '~')
            badName[i] = (char) 0xe9;
    const auto latin = folder.get().getChildFile ("latin.grzip");
    latin.replaceWithData (badName.getData(), badName.getSize());

    added.clear();
    EXPECT_EQ (job.start (latin, source), PackageImportJob::State::finished);
    EXPECT_EQ (added, juce::StringArray ({ juce::String (juce::CharPointer_UTF8 ("\xce\x98~bad")) }));

    for (const auto& file : { notZip, empty, cut, folder.get().getChildFile ("missing.grzip") })
    {
        added.clear();
        EXPECT_EQ (job.start (file, source), PackageImportJob::State::finished) << file.getFileName();
        EXPECT_TRUE (job.isNotAZip()) << file.getFileName();
        EXPECT_EQ (job.getCounts().imported, 0);
        EXPECT_TRUE (added.isEmpty());
    }

    expectNothingOutsideTheFolder();
}

TEST_F (ImportTest, ReduceEntryNameTable)
{
    // clang-format off
    const std::vector<std::pair<const char*, const char*>> cases {
        { "Plain.grprs2",          "Plain" },
        { "a/b/Deep.grprs2",       "Deep" },
        { "a\\b\\Win.grprs2",      "Win" },
        { "../Up.grprs2",          "" },
        { "/abs.grprs2",           "" },
        { "\\abs.grprs2",          "" },
        { "D:Drive.grprs2",        "" },
        { "x/ .. /y.grprs2",       "" },
        { "Tags;a:b|c.grprs2",     "Tags_a_b_c" },
        { ".grprs2",               "" },
        { "Other.txt",             "" },
        { ".hidden.grprs2",        "_hidden" },
    };
    // clang-format on

    for (const auto& [path, expected] : cases)
        EXPECT_EQ (PackageImportJob::reduceEntryName (path, ".grprs2"), juce::String (expected)) << path;
}

//==============================================================================
// Conflicts: every decision and its sequence

namespace
{
    enum Decision
    {
        replace,
        skip,
        replaceAll,
        skipAll,
        renameFree,
        renameTaken,
        cancel
    };

    struct Sequence
    {
        const char* title;
        std::vector<Decision> decisions;
        // After the job: item names, and which existing items got the new values (value 9).
        juce::StringArray names;
        juce::StringArray replaced;
        int imported, skipped;
    };
}

TEST_F (ImportTest, ConflictDecisionSequences)
{
    // clang-format off
    const std::vector<Sequence> sequences {
        { "replace, skip, skip",     { replace, skip, skip },            { "A", "B", "C", "New" },           { "A" },           2, 2 },
        { "skip, replace, replace",  { skip, replace, replace },         { "A", "B", "C", "New" },           { "B", "C" },      3, 1 },
        { "replace all",             { replaceAll },                     { "A", "B", "C", "New" },           { "A", "B", "C" }, 4, 0 },
        { "skip all",                { skipAll },                        { "A", "B", "C", "New" },           {},                1, 3 },
        { "rename, skip all",        { renameFree, skipAll },            { "A", "A copy", "B", "C", "New" }, {},                2, 2 },
        { "rename taken asks again", { renameTaken, skip, skip, skip },  { "A", "B", "C", "New" },           {},                1, 3 },
        { "cancel",                  { cancel },                         { "A", "B", "C" },                  {},                0, 0 },
        { "replace, cancel",         { replace, cancel },                { "A", "B", "C" },                  { "A" },           1, 0 },
    };
    // clang-format on

    for (const auto& seq : sequences)
    {
        SCOPED_TRACE (seq.title);
        presets.deleteRecursively();
        source.refresh();

        for (auto name : { "A", "B", "C" })
            ASSERT_TRUE (AtomicFile::write (source.getFileForName (name), presetText (name)).wasOk());

        source.refresh();
        // "b" clashes with "B" by case only; "C" exactly; "New" is free.
        const auto zip = writeZip ({ { "A.grprs2", presetText ("A", {}, 9) },
                                     { "b.grprs2", presetText ("b", {}, 9) },
                                     { "New.grprs2", presetText ("New", {}, 9) },
                                     { "C.grprs2", presetText ("C", {}, 9) } });

        auto state = job.start (zip, source);
        size_t step = 0;

        while (state == PackageImportJob::State::conflict && step < seq.decisions.size())
        {
            switch (seq.decisions[step++])
            {
                case replace: state = job.replace(); break;
                case skip: state = job.skip(); break;
                case replaceAll: state = job.replaceAll(); break;
                case skipAll: state = job.skipAll(); break;
                case renameFree: state = job.rename (job.getPendingName() + " copy"); break;
                case renameTaken:
                    state = job.rename ("c");
                    EXPECT_EQ (state, PackageImportJob::State::conflict);
                    break;
                case cancel:
                    job.cancel();
                    state = job.getState();
                    break;
            }
        }

        EXPECT_EQ (state, PackageImportJob::State::finished);
        EXPECT_EQ (step, seq.decisions.size());
        EXPECT_EQ (job.getCounts().imported, seq.imported);
        EXPECT_EQ (job.getCounts().skipped, seq.skipped);

        source.refresh();
        juce::StringArray names;
        for (auto* item : source.getItems())
            names.add (item->name);
        EXPECT_EQ (names, seq.names);

        for (auto name : { "A", "B", "C" })
        {
            const bool wasReplaced = seq.replaced.contains (name, true);
            EXPECT_EQ (text (name).contains ("value=\"9\""), wasReplaced) << name;
        }

        // A replaced case twin keeps one file, under the old name.
        EXPECT_FALSE (source.getFileForName ("b").existsAsFile() && source.getFileForName ("B").existsAsFile());
        expectNothingOutsideTheFolder();
    }
}

TEST_F (ImportTest, TheFuzzHarnessHoldsOnHostileArchivesAndTheirMutations)
{
    ZipImportFuzzHarness harness;
    juce::Random random (1234);

    std::vector<juce::MemoryBlock> seeds {
        makeZip ({ { "Taken.grprs2", presetText ("Taken") }, { "TAKEN.grprs2", presetText ("x") }, { "New.grprs2", presetText ("New") } }),
        makeZip ({ { "../up.grprs2", presetText ("u") }, { "C:\\drive.grprs2", presetText ("d") }, { "a/b;c.grprs2", presetText ("b") } }),
        makeZip ({ { "other.GRPRS2", "text" }, { "Junk.grprs2", "<Preset" } }),
    };

    // ZIP64 records and a prefix before the archive, mutated like the rest.
    for (auto name : { "zip64-fz.grzip", "prefixed.grzip" })
        ASSERT_TRUE (juce::File (ZIP_IMPORT_CORPUS_DIR).getChildFile (name).loadFileAsData (seeds.emplace_back()));

    for (const auto& file : juce::File (ZIP_IMPORT_CORPUS_DIR).findChildFiles (juce::File::findFiles, false, "*.grzip"))
    {
        juce::MemoryBlock data;
        ASSERT_TRUE (file.loadFileAsData (data));
        EXPECT_TRUE (harness.run (static_cast<const uint8_t*> (data.getData()), data.getSize())) << file.getFileName();
    }

    for (const auto& seed : seeds)
    {
        for (int round = 0; round < 40; ++round)
        {
            auto data = seed;

            for (int flips = round == 0 ? 0 : 1 + random.nextInt (8); flips > 0; --flips)
                static_cast<uint8_t*> (data.getData())[random.nextInt ((int) data.getSize())] ^= (uint8_t) (1 + random.nextInt (255));

            EXPECT_TRUE (harness.run (static_cast<const uint8_t*> (data.getData()), data.getSize())) << round;
        }
    }
}

//==============================================================================
// Archives at scale, of other tools, and failures by kind

namespace
{
    /** An archive of count entries, entry i named and filled by the callbacks, built in memory. */
    juce::File writeLargeZip (const juce::File& file, int count, std::function<juce::String (int)> name,
                              std::function<juce::String (int)> text)
    {
        juce::MemoryOutputStream out;
        const auto ok = writeZipArchive (
            out, count,
            [&] (int i, juce::String& entryName, juce::MemoryBlock& data, juce::Time& time, juce::String&) {
                entryName = name (i);
                const auto t = text (i);
                data.replaceAll (t.toRawUTF8(), t.getNumBytesAsUTF8());
                time = juce::Time (2024, 0, 1, 0, 0);
                return true;
            },
            1);
        EXPECT_TRUE (ok);
        file.replaceWithData (out.getData(), out.getDataSize());
        return file;
    }

    juce::File sampleArchive (const char* name)
    {
        return juce::File (ZIP_SAMPLES_DIR).getChildFile (name);
    }
}

TEST_F (ImportTest, HundredThousandEntriesWalkInOneLoopAtConstantCostEach)
{
    // Every entry after the first meets a taken name: each used to cost a stack frame and a
    // scan of the items. Skip All now walks them all in one loop.
    const auto same = presetText ("Same");
    const auto zip = writeLargeZip (
        folder.get().getChildFile ("many.grzip"), 100000, [] (int) { return juce::String ("Same.grprs2"); },
        [&] (int) { return same; });

    EXPECT_EQ (job.start (zip, source), PackageImportJob::State::conflict);
    EXPECT_EQ (job.skipAll(), PackageImportJob::State::finished);
    EXPECT_EQ (job.getCounts().imported, 1);
    EXPECT_EQ (job.getCounts().skipped, 99999);

    // Replace All walks the same way (each entry replaces the one before).
    const auto fewer = writeLargeZip (
        folder.get().getChildFile ("replace.grzip"), 300, [] (int) { return juce::String ("Same.grprs2"); },
        [] (int i) { return presetText ("Same", {}, i); });
    EXPECT_EQ (job.start (fewer, source), PackageImportJob::State::conflict);
    EXPECT_EQ (job.replaceAll(), PackageImportJob::State::finished);
    EXPECT_EQ (job.getCounts().imported, 300);
    EXPECT_TRUE (text ("Same").contains ("value=\"299\""));
}

namespace
{
    /** A writable source held in memory: the import job's side of a round trip without a file
        per item (the folder's writes have tests of their own). */
    class MemorySource : public ContentSource
    {
    public:
        MemorySource() : ContentSource ("Memory", false) {}

        std::unordered_map<juce::String, juce::String> texts;
        juce::String getItemExtension() const override { return ".grprs2"; }

    protected:
        void scanItems (juce::Array<ItemRecord>&) override {}
        bool itemDataExists (const juce::String& itemName) const override { return texts.count (itemName) > 0; }
        bool importItemData (const juce::MemoryBlock& data, const juce::String& itemName, CategoryTagMap&, bool) override
        {
            texts[itemName] = data.toString();
            return true;
        }
    };
}

TEST_F (ImportTest, RoundTripOfSeventyThousandPresetsThroughZip64)
{
    // More than 65,535 entries: the archive needs ZIP64 records both ways. Seven files given
    // 10,000 times each make 70,000 entries ("P3 (9999).grprs2" and so on).
    const auto out = folder.get().getChildFile ("out");
    juce::Array<juce::File> files;
    constexpr int count = 70000;

    for (int i = 0; i < 7; ++i)
        ASSERT_TRUE (test::writeText (out.getChildFile ("P" + juce::String (i) + ".grprs2"), presetText ("P" + juce::String (i), {}, i)).existsAsFile());

    for (int i = 0; i < count; ++i)
        files.add (out.getChildFile ("P" + juce::String (i % 7) + ".grprs2"));

    const auto zip = folder.get().getChildFile ("all.grzip");
    ASSERT_TRUE (createZipFile (zip, files, 9));
    EXPECT_EQ (ZipReader (zip).getNumEntries(), count);

    // What unzip reads of it, when it is there (scripts/setup.sh installs it).
    if (juce::File ("/usr/bin/unzip").existsAsFile())
    {
        juce::ChildProcess unzip;
        ASSERT_TRUE (unzip.start (juce::StringArray { juce::String ("/usr/bin/unzip"), juce::String ("-tqq"), zip.getFullPathName() }));
        unzip.readAllProcessOutput();
        EXPECT_EQ (unzip.getExitCode(), 0u);
    }

    MemorySource memory;
    EXPECT_EQ (job.start (zip, memory), PackageImportJob::State::finished);
    EXPECT_EQ (job.getCounts().imported, count);
    EXPECT_EQ (job.getCounts().refused(), 0);
    EXPECT_EQ (memory.getNumItems(), count);
    ASSERT_EQ (memory.texts.size(), (size_t) count);

    for (const auto& [name, value] : { std::pair<const char*, int> { "P6 (9999)", 6 }, { "P3", 3 }, { "P0 (5000)", 0 } })
    {
        Preset preset;
        ASSERT_TRUE (preset.loadFromText (memory.texts[name])) << name;
        ASSERT_NE (preset.findValue (2), nullptr) << name;
        EXPECT_EQ (*preset.findValue (2), juce::String (value)) << name;
    }
}

TEST_F (ImportTest, ArchivesOfOtherToolsReadAsUnzipReadsThem)
{
    // Info-ZIP zip (plain, -fz, streamed to a pipe, behind a self-extractor's prefix with and
    // without adjusted offsets), Python's zipfile (plain and ZIP64), 7z and bsdtar; each holds
    // Presets/Alpha.grprs2, Presets/Beta.grprs2 and notes.txt (data/zip/make-samples.sh).
    struct Case
    {
        const char* file;
        juce::StringArray imported;
        int skipped;
        std::vector<std::pair<PackageImportJob::Reason, int>> refused;
    };

    const juce::StringArray both { "Alpha", "Beta" };

    // clang-format off
    const std::vector<Case> cases {
        { "infozip.zip",        both, 1, {} },
        { "infozip-fz.zip",     both, 1, {} },
        { "infozip-stream.zip", both, 1, {} },
        { "sfx-prefix.zip",     both, 1, {} },
        { "sfx-adjusted.zip",   both, 1, {} },
        { "python.zip",         both, 1, {} },
        { "python-zip64.zip",   both, 1, {} },
        { "7z.zip",             both, 1, {} },
        { "bsdtar.zip",         both, 1, {} },
        { "7z-lzma.zip",        {},   1, { { PackageImportJob::unsupportedMethod, 2 } } },
        { "bzip2.zip",          juce::StringArray ("Beta"), 0, { { PackageImportJob::unsupportedMethod, 1 } } },
        { "encrypted.zip",      {},   1, { { PackageImportJob::encrypted, 2 } } },
        { "damaged-crc.zip",    juce::StringArray ("Beta"), 1, { { PackageImportJob::damaged, 1 } } },
    };
    // clang-format on

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.file);
        presets.deleteRecursively();
        source.refresh();
        added.clear();

        ASSERT_TRUE (sampleArchive (c.file).existsAsFile());
        EXPECT_EQ (job.start (sampleArchive (c.file), source), PackageImportJob::State::finished);
        EXPECT_FALSE (job.isNotAZip());
        EXPECT_EQ (added, c.imported);
        EXPECT_EQ (job.getCounts().skipped, c.skipped);

        int refused = 0;
        for (const auto& [reason, n] : c.refused)
        {
            EXPECT_EQ (job.getCounts().refusedFor[reason], n) << reason;
            refused += n;
        }
        EXPECT_EQ (job.getCounts().refused(), refused);

        if (c.imported.contains ("Alpha"))
        {
            EXPECT_TRUE (text ("Alpha").contains ("value=\"5\""));
        }

        if (c.imported.contains ("Beta"))
        {
            EXPECT_TRUE (text ("Beta").contains ("value=\"7\""));
        }
    }
}

namespace
{
    /** A preset folder whose imports fail as told, or lose the name to someone else at the
        last moment (as another process importing into the same folder would take it). */
    class FailingFolder : public PresetsDirectoryContent<Preset>
    {
    public:
        using PresetsDirectoryContent<Preset>::PresetsDirectoryContent;

        Failure failWith = Failure::none;
        juce::String takeName;

    protected:
        bool importItemData (const juce::MemoryBlock& data, const juce::String& itemName, CategoryTagMap& itemTags, bool overwrite) override
        {
            if (itemName == takeName)
                test::writeText (getFileForName (itemName), "<Preset name=\"theirs\"/>");

            if (failWith != Failure::none)
            {
                lastFailure = failWith;
                return false;
            }

            return PresetsDirectoryContent<Preset>::importItemData (data, itemName, itemTags, overwrite);
        }
    };
}

TEST_F (ImportTest, EachRefusalKeepsItsReasonAndANameTakenMeanwhileIsAConflict)
{
    FailingFolder failing (fixture.plugin(), presets);
    failing.refresh();
    const auto zip = writeZip ({ { "A.grprs2", presetText ("A") } });

    // clang-format off
    const std::vector<std::pair<ContentSource::Failure, PackageImportJob::Reason>> cases {
        { ContentSource::Failure::diskFull,     PackageImportJob::diskFull },
        { ContentSource::Failure::noPermission, PackageImportJob::noPermission },
        { ContentSource::Failure::writeFailed,  PackageImportJob::writeFailed },
        { ContentSource::Failure::notAnItem,    PackageImportJob::notAnItem },
        { ContentSource::Failure::tooLarge,     PackageImportJob::tooLarge },
    };
    // clang-format on

    for (const auto& [failure, reason] : cases)
    {
        failing.failWith = failure;
        EXPECT_EQ (job.start (zip, failing), PackageImportJob::State::finished);
        EXPECT_EQ (job.getCounts().refusedFor[reason], 1) << reason;
        EXPECT_EQ (job.getCounts().refused(), 1) << reason;
    }

    // A real full disk.
    {
        test::ScopedFullDisk full (16);
        EXPECT_EQ (job.start (zip, source), PackageImportJob::State::finished);
    }
    EXPECT_EQ (job.getCounts().refusedFor[PackageImportJob::diskFull], 1);

    // The name is taken after the check: never overwritten, asked about, and no Replace for
    // what is no item of the list.
    failing.failWith = ContentSource::Failure::none;
    failing.takeName = "A";
    EXPECT_EQ (job.start (zip, failing), PackageImportJob::State::conflict);
    EXPECT_FALSE (job.canReplace());
    EXPECT_EQ (failing.getFileForName ("A").loadFileAsString(), "<Preset name=\"theirs\"/>");
    EXPECT_EQ (job.rename ("A mine"), PackageImportJob::State::finished);
    EXPECT_EQ (job.getCounts().imported, 1);
    EXPECT_TRUE (failing.getFileForName ("A mine").loadFileAsString().contains ("name=\"A\""));
}

TEST_F (ImportTest, ReplaceIsOfferedOnlyForItems)
{
    // A damaged preset and a folder under item names are no items: even Replace All asks.
    ASSERT_TRUE (AtomicFile::write (source.getFileForName ("Item"), presetText ("Item")).wasOk());
    test::writeText (source.getFileForName ("Broken"), "<Preset name=\"Broken\"");
    ASSERT_TRUE (source.getFileForName ("Folder").createDirectory().wasOk());
    source.refresh();

    const auto zip = writeZip ({ { "Item.grprs2", presetText ("Item", {}, 9) },
                                 { "Broken.grprs2", presetText ("Broken", {}, 9) },
                                 { "Folder.grprs2", presetText ("Folder", {}, 9) } });

    EXPECT_EQ (job.start (zip, source), PackageImportJob::State::conflict);
    EXPECT_TRUE (job.canReplace());
    EXPECT_EQ (job.replaceAll(), PackageImportJob::State::conflict);
    EXPECT_EQ (job.getPendingName(), "Broken");
    EXPECT_FALSE (job.canReplace());
    EXPECT_EQ (job.replace(), PackageImportJob::State::conflict);   // refused: nothing written
    EXPECT_EQ (job.skip(), PackageImportJob::State::conflict);
    EXPECT_EQ (job.getPendingName(), "Folder");
    EXPECT_FALSE (job.canReplace());
    EXPECT_EQ (job.skip(), PackageImportJob::State::finished);
    EXPECT_EQ (job.getCounts().imported, 1);
    EXPECT_EQ (source.getFileForName ("Broken").loadFileAsString(), "<Preset name=\"Broken\"");
    EXPECT_TRUE (source.getFileForName ("Folder").isDirectory());
}

TEST_F (ImportTest, TwoProcessesImportingIntoOneFolderNeverOverwriteEachOther)
{
    // Both list the empty folder, then import the same 1,000 names with their own values at
    // once. Each name ends up with exactly one process's data, and that process says so.
    constexpr int count = 1000;
    const auto zipFor = [&] (int value) {
        return writeLargeZip (
            folder.get().getChildFile ("from" + juce::String (value) + ".grzip"), count,
            [] (int i) { return "N" + juce::String (i) + ".grprs2"; },
            [value] (int i) { return presetText ("N" + juce::String (i), {}, value); });
    };
    const auto zipOne = zipFor (1), zipTwo = zipFor (2);
    const auto report = folder.get().getChildFile ("child.txt");

    const auto importAll = [this] (const juce::File& zip) {
        juce::StringArray mine;
        job.onItemAdded = [&mine] (ContentItem* item) { mine.add (item->name); };
        auto state = job.start (zip, source);
        if (state == PackageImportJob::State::conflict)
            state = job.skipAll();
        EXPECT_EQ (state, PackageImportJob::State::finished);
        return mine;
    };

    int start[2];
    ASSERT_EQ (::pipe (start), 0);
    const auto child = ::fork();
    ASSERT_GE (child, 0);

    if (child == 0)
    {
        char go = 0;
        const bool ready = ::read (start[0], &go, 1) == 1;
        const auto mine = importAll (zipTwo);
        ::_exit (ready && report.replaceWithText (mine.joinIntoString ("\n")) ? 0 : 1);
    }

    ASSERT_EQ (::write (start[1], "g", 1), 1);
    const auto ours = importAll (zipOne);
    int status = 0;
    ASSERT_EQ (::waitpid (child, &status, 0), child);
    ::close (start[0]);
    ::close (start[1]);
    ASSERT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 0);

    juce::StringArray theirs;
    theirs.addLines (report.loadFileAsString());
    theirs.removeEmptyStrings();
    EXPECT_EQ (ours.size() + theirs.size(), count);

    for (int i = 0; i < count; ++i)
    {
        const auto name = "N" + juce::String (i);
        const bool byUs = ours.contains (name), byThem = theirs.contains (name);
        EXPECT_NE (byUs, byThem) << name;
        EXPECT_TRUE (text (name).contains (byUs ? "value=\"1\"" : "value=\"2\"")) << name;
    }
}

//==============================================================================
// What a hostile archive costs, names refused for their own reasons, and a full disk

namespace
{
    /** A ZIP archive written by hand, with the sizes its headers state: each entry has its own
        local header and deflated data, or (shared) points at the entry's before it. */
    struct RawEntry
    {
        std::string name;
        const juce::MemoryBlock* packed;
        juce::uint32 crc, statedSize;
        bool shared = false;
    };

    juce::MemoryBlock rawZip (const std::vector<RawEntry>& entries)
    {
        juce::MemoryOutputStream out, directory;
        const auto fields = [] (juce::MemoryOutputStream& o, const RawEntry& e) {
            for (int field : { 20, 0x800, 8, 0, 0x21 })   // version, UTF-8 names, deflated, time, date
                o.writeShort ((short) field);

            o.writeInt ((int) e.crc);
            o.writeInt ((int) e.packed->getSize());
            o.writeInt ((int) e.statedSize);
            o.writeShort ((short) e.name.size());
        };
        juce::int64 offset = 0;

        for (const auto& e : entries)
        {
            if (! e.shared)
            {
                offset = out.getPosition();
                out.writeInt (0x04034b50);
                fields (out, e);
                out.writeShort (0);
                out.write (e.name.data(), e.name.size());
                out.write (e.packed->getData(), e.packed->getSize());
            }

            directory.writeInt (0x02014b50);
            directory.writeShort (20);
            fields (directory, e);

            for (int i = 0; i < 4; ++i)   // extra field, comment, disk, internal attributes
                directory.writeShort (0);

            directory.writeInt (0);
            directory.writeInt ((int) offset);
            directory.write (e.name.data(), e.name.size());
        }

        const auto directoryOffset = out.getPosition();
        out.write (directory.getData(), directory.getDataSize());
        out.writeInt (0x06054b50);
        out.writeInt (0);
        out.writeShort ((short) entries.size());
        out.writeShort ((short) entries.size());
        out.writeInt ((int) directory.getDataSize());
        out.writeInt ((int) directoryOffset);
        out.writeShort (0);
        return out.getMemoryBlock();
    }

    juce::MemoryBlock deflated (const void* data, size_t size, juce::uint32& crc)
    {
        crc = zipCrc32 (data, size);
        juce::MemoryOutputStream packed;
        {
            juce::GZIPCompressorOutputStream deflater (packed, 9, juce::GZIPCompressorOutputStream::windowBitsRaw);
            deflater.write (data, size);
        }
        return packed.getMemoryBlock();
    }
}

TEST_F (ImportTest, EntriesLargerThanAPresetAreRefusedBeforeTheyAreInflated)
{
    // 300 entries of one 16 MB stream (34 KB on disk), honest and lying about their size, and
    // 20 honest entries of 15 MiB: only a lying entry is inflated, and then to the limit + 1.
    juce::uint32 crcBomb = 0, crcLarge = 0;
    const juce::MemoryBlock zeros (16 << 20, true);
    const auto bomb = deflated (zeros.getData(), 16000000, crcBomb);
    const auto large = deflated (zeros.getData(), 15 << 20, crcLarge);
    std::vector<RawEntry> honest, lying, fifteen;

    for (int i = 0; i < 300; ++i)
    {
        const auto name = "Bomb" + std::to_string (i) + ".grprs2";
        honest.push_back ({ name, &bomb, crcBomb, 16000000, i > 0 });
        lying.push_back ({ name, &bomb, crcBomb, 1000, i > 0 });
    }

    for (int i = 0; i < 20; ++i)
        fifteen.push_back ({ "Large" + std::to_string (i) + ".grprs2", &large, crcLarge, 15 << 20 });

    struct Case
    {
        const char* what;
        const std::vector<RawEntry>& entries;
        int tooLarge, damaged;
        juce::int64 inflated;
    };

    const Case cases[] = {
        { "300 entries of one 16 MB stream", honest, 300, 0, 0 },
        { "the same, their headers lying", lying, 1, 299, Preset::maxFileSize + 1 },
        { "20 entries of 15 MiB", fifteen, 20, 0, 0 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        const auto data = rawZip (c.entries);
        const auto zip = folder.get().getChildFile ("bomb.grzip");
        ASSERT_TRUE (zip.replaceWithData (data.getData(), data.getSize()));

        EXPECT_EQ (job.start (zip, source), PackageImportJob::State::finished);
        EXPECT_EQ (job.getCounts().refusedFor[PackageImportJob::tooLarge], c.tooLarge);
        EXPECT_EQ (job.getCounts().refusedFor[PackageImportJob::damaged], c.damaged);
        EXPECT_EQ (job.getCounts().imported, 0);
        EXPECT_EQ (job.getBytesInflated(), c.inflated);
    }

    EXPECT_LT (rawZip (honest).getSize(), 40000u);
}

TEST_F (ImportTest, NamesAreRefusedForTheirOwnReasonAndComposedTwinsAreOneName)
{
    juce::uint32 crc = 0;
    const auto text = presetText ("P");
    const auto packed = deflated (text.toRawUTF8(), text.getNumBytesAsUTF8(), crc);
    const auto entry = [&] (const std::string& name) { return RawEntry { name, &packed, crc, (juce::uint32) text.getNumBytesAsUTF8() }; };
    const auto nfd = juce::String (juce::CharPointer_UTF8 ("Cafe\xcc\x81"));

    const auto data = rawZip ({ entry (std::string ("Nul\0.txt", 8)), entry (std::string ("Nul\0.grprs2", 11)),
                                entry (std::string (201, 'L') + ".grprs2"), entry (std::string (200, 'M') + ".grprs2"),
                                entry ("Caf\xc3\xa9.grprs2"), entry (nfd.toStdString() + ".grprs2") });
    const auto zip = folder.get().getChildFile ("names.grzip");
    ASSERT_TRUE (zip.replaceWithData (data.getData(), data.getSize()));

    // "Caf\xc3\xa9" with the accent as a character of its own is the same name on macOS.
    EXPECT_EQ (job.start (zip, source), PackageImportJob::State::conflict);
    EXPECT_EQ (job.getPendingName(), nfd);
    EXPECT_TRUE (job.canReplace());
    EXPECT_EQ (job.suggestName(), nfd + " (1)");
    EXPECT_EQ (job.skip(), PackageImportJob::State::finished);

    EXPECT_EQ (added, juce::StringArray (juce::String (std::string (200, 'M')), juce::String (juce::CharPointer_UTF8 ("Caf\xc3\xa9"))));
    EXPECT_EQ (job.getCounts().refusedFor[PackageImportJob::unsafeName], 2);
    EXPECT_EQ (job.getCounts().refusedFor[PackageImportJob::nameTooLong], 1);
    EXPECT_EQ (job.getCounts().refused(), 3);
    EXPECT_EQ (job.getCounts().skipped, 1);
}

TEST (NameFolding, NamesMacOSTakesForOneFileNameFoldAlike)
{
    // { a, b, one name }: composed and decomposed, marks in another order, letter case.
    // clang-format off
    const std::vector<std::tuple<const char*, const char*, bool>> cases {
        { "Caf\xc3\xa9",                               "Cafe\xcc\x81",                                           true },
        { "caf\xc3\xa9",                               "CAFE\xcc\x81",                                           true },
        { "\xc3\x85ngstr\xc3\xb6m",                    "A\xcc\x8angstro\xcc\x88m",                                true },
        { "Ti\xe1\xba\xbfng Vi\xe1\xbb\x87t",            "Tie\xcc\x82\xcc\x81ng Vie\xcc\xa3\xcc\x82t",                  true },
        { "Vi\xe1\xbb\x87t",                            "Vie\xcc\x82\xcc\xa3t",                                    true },
        { "\xed\x95\x9c\xea\xb5\xad\xec\x96\xb4",       "\xe1\x84\x92\xe1\x85\xa1\xe1\x86\xab\xe1\x84\x80\xe1\x85\xae\xe1\x86\xa8\xe1\x84\x8b\xe1\x85\xa5", true },
        { "\xd0\x99\xd0\xbe\xd0\xb4",                   "\xd0\x98\xcc\x86\xd0\xbe\xd0\xb4",                          true },
        { "\xce\xac\xce\xbb\xcf\x86\xce\xb1",            "\xce\xb1\xcc\x81\xce\xbb\xcf\x86\xce\xb1",                   true },
        { "Cafe",                                     "Caf\xc3\xa9",                                            false },
        { "Cafe\xcc\x81",                              "Cafe\xcc\x80",                                           false },
        { "Vi\xe1\xbb\x87t",                            "Vi\xe1\xba\xbft",                                          false },
    };
    // clang-format on

    for (const auto& [a, b, same] : cases)
        EXPECT_EQ (NameFolding::fold (juce::CharPointer_UTF8 (a)) == NameFolding::fold (juce::CharPointer_UTF8 (b)), same) << a << " / " << b;

    // An export keeps such twins apart, as it keeps case twins.
    test::TempFolder folder;
    const auto composed = test::writeText (folder.get().getChildFile (juce::CharPointer_UTF8 ("Caf\xc3\xa9.grprs2")), "1");
    const auto decomposed = test::writeText (folder.get().getChildFile (juce::CharPointer_UTF8 ("Cafe\xcc\x81.grprs2")), "2");
    const auto zip = folder.get().getChildFile ("twins.grzip");
    ASSERT_TRUE (createZipFile (zip, { composed, decomposed }, 9));
    ZipReader reader (zip);
    ASSERT_EQ (reader.getNumEntries(), 2);
    EXPECT_EQ (reader.getEntry (1)->fileName, juce::String (juce::CharPointer_UTF8 ("Cafe\xcc\x81 (1).grprs2")));
}

TEST_F (ImportTest, AFullDiskOrAReadOnlyFolderEndsTheImport)
{
    const auto zip = writeLargeZip (
        folder.get().getChildFile ("fifty.grzip"), 50, [] (int i) { return "N" + juce::String (i) + ".grprs2"; },
        [] (int i) { return presetText ("N" + juce::String (i)); });

    {
        test::ScopedFullDisk full (16);
        EXPECT_EQ (job.start (zip, source), PackageImportJob::State::finished);
    }

    EXPECT_EQ (job.getCounts().imported, 0);
    EXPECT_EQ (job.getCounts().refusedFor[PackageImportJob::diskFull], 1);
    EXPECT_EQ (job.getCounts().refused(), 1);
    EXPECT_EQ (job.getCounts().notTried, 49);

    FailingFolder readOnly (fixture.plugin(), presets);
    readOnly.refresh();
    readOnly.failWith = ContentSource::Failure::noPermission;
    EXPECT_EQ (job.start (zip, readOnly), PackageImportJob::State::finished);
    EXPECT_EQ (job.getCounts().refusedFor[PackageImportJob::noPermission], 1);
    EXPECT_EQ (job.getCounts().notTried, 49);

    // Other failures are the entry's own: the rest is tried.
    readOnly.failWith = ContentSource::Failure::writeFailed;
    EXPECT_EQ (job.start (zip, readOnly), PackageImportJob::State::finished);
    EXPECT_EQ (job.getCounts().refusedFor[PackageImportJob::writeFailed], 50);
    EXPECT_EQ (job.getCounts().notTried, 0);
}
