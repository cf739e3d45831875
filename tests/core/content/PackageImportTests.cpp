#include "ContentTestSupport.h"
#include "core/content/PackageImportJob.h"
#include "core/parameters/AtomicFile.h"
#include "core/content/fuzz/ZipImportFuzzHarness.h"

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
    EXPECT_EQ (job.getCounts().refused, 8);
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

    // A name that is not UTF-8 (JUCE's reader would trip over it): the archive is refused whole.
    auto badName = makeZip ({ { "Q~bad.grprs2", presetText ("q") } });
    for (size_t i = 0; i + 1 < badName.getSize(); ++i)
        if (badName[i] == 'Q' && badName[i + 1] == '~')
            badName[i] = (char) 0xff;
    const auto latin = folder.get().getChildFile ("latin.grzip");
    latin.replaceWithData (badName.getData(), badName.getSize());

    for (const auto& file : { notZip, empty, cut, latin, folder.get().getChildFile ("missing.grzip") })
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

    const std::vector<juce::MemoryBlock> seeds {
        makeZip ({ { "Taken.grprs2", presetText ("Taken") }, { "TAKEN.grprs2", presetText ("x") }, { "New.grprs2", presetText ("New") } }),
        makeZip ({ { "../up.grprs2", presetText ("u") }, { "C:\\drive.grprs2", presetText ("d") }, { "a/b;c.grprs2", presetText ("b") } }),
        makeZip ({ { "other.GRPRS2", "text" }, { "Junk.grprs2", "<Preset" } }),
    };

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
