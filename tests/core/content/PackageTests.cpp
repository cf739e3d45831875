#include "ContentTestSupport.h"

namespace
{
    juce::MemoryBlock readEntry (const juce::File& zip, const juce::String& name)
    {
        juce::MemoryBlock block;
        ZipReader (zip).readEntry (name, block, 1 << 26);
        return block;
    }

    // Rewrites a package with one outer entry replaced.
    juce::File rewrite (const juce::File& package, const juce::File& target, const juce::String& entry, const juce::MemoryBlock& data)
    {
        juce::ZipFile::Builder builder;

        for (const char* name : { "hash", "content", "__desc__" })
            builder.addEntry (new juce::MemoryInputStream (entry == name ? data : readEntry (package, name), true), 0, name, juce::Time (2020, 0, 1, 0, 0));

        juce::FileOutputStream out (target);
        out.setPosition (0);
        out.truncate();
        builder.writeToStream (out, nullptr);
        return target;
    }
}

TEST (ContentPackage, ThePackerMadeTheFactoryPackage)
{
    const auto file = test::getBuiltFactoryPackage();
    ASSERT_TRUE (file.existsAsFile()) << file.getFullPathName();
    EXPECT_TRUE (file.getFileName().matchesWildcard ("*Factory*.orvikpkg", false));

    ContentPackage package;
    juce::String error;
    ASSERT_TRUE (package.open (file, error)) << error;
    EXPECT_EQ (package.application, "Grindel 2");
    EXPECT_EQ (package.itemExtension, ".grprs2");
    EXPECT_GE (package.items.size(), 14);
    ASSERT_NE (package.findItem ("- Bypass -"), nullptr);
    ASSERT_NE (package.findItem ("MPC60"), nullptr);

    CategoryTagMap all;
    for (const auto& item : package.items)
    {
        juce::MemoryBlock data;
        ASSERT_TRUE (package.readItem (item.file, data)) << item.name;
        Preset preset;
        ASSERT_TRUE (preset.loadFromText (data.toString())) << item.name;
        EXPECT_EQ (preset.name, item.name);
        EXPECT_EQ (preset.tags, item.tags);
        all.addAll (CategoryTagMap::fromString (item.tags));
    }

    EXPECT_TRUE (all.containsCategory ("Vintage Sampler"));
    EXPECT_TRUE (all.containsCategory ("Degradation"));

    // The three entries and nothing else.
    ZipReader zip (file);
    juce::StringArray names;
    for (int i = 0; i < zip.getNumEntries(); ++i)
        names.add (zip.getEntry (i)->fileName);
    names.sort (false);
    EXPECT_EQ (names, juce::StringArray ({ "__desc__", "content", "hash" }));
}

TEST (ContentPackage, TamperedCorruptAndForeignPackagesAreRefused)
{
    test::TempFolder folder;
    const auto good = test::getBuiltFactoryPackage();
    ContentPackage package;
    juce::String error;

    const auto refused = [&] (const juce::File& file) {
        error = {};
        EXPECT_FALSE (package.open (file, error)) << file.getFileName();
        EXPECT_TRUE (error.isNotEmpty());
        EXPECT_TRUE (package.items.isEmpty());
    };

    auto descriptor = readEntry (good, "__desc__");
    auto tampered = descriptor.toString().replace ("MPC60", "MPC61");
    refused (rewrite (good, folder.get().getChildFile ("tampered.orvikpkg"), "__desc__", juce::MemoryBlock (tampered.toRawUTF8(), tampered.getNumBytesAsUTF8())));
    refused (rewrite (good, folder.get().getChildFile ("nohash.orvikpkg"), "hash", juce::MemoryBlock ("sha256:00", 9)));
    refused (test::writeText (folder.get().getChildFile ("text.orvikpkg"), "PK but not really a zip file at all......"));
    refused (test::writeText (folder.get().getChildFile ("empty.orvikpkg"), ""));
    refused (folder.get().getChildFile ("missing.orvikpkg"));

    juce::MemoryBlock truncated;
    good.loadFileAsData (truncated);
    truncated.setSize (truncated.getSize() / 2);
    const auto half = folder.get().getChildFile ("half.orvikpkg");
    half.replaceWithData (truncated.getData(), truncated.getSize());
    refused (half);

    // A well-formed package of another product loads as a package but not as our factory source.
    ContentPackage other;
    other.name = "Other";
    other.application = "Other Product";
    other.itemExtension = ".grprs2";
    other.items.add ({ "A", "A.grprs2", "" });
    const auto foreignFile = folder.get().getChildFile ("Other Factory.orvikpkg");
    ASSERT_TRUE (other.write (foreignFile, { juce::MemoryBlock ("<Preset/>", 9) }, error)) << error;

    test::PluginFixture fixture;
    PresetsPackageContent<Preset> source (fixture.plugin(), foreignFile);
    source.refresh();
    EXPECT_EQ (source.getNumItems(), 0);
    EXPECT_TRUE (source.getPackageError().isNotEmpty());

    PresetsPackageContent<Preset> broken (fixture.plugin(), half);
    broken.refresh();
    EXPECT_EQ (broken.getNumItems(), 0);
    EXPECT_EQ (broken.loadPresetByName ("MPC60", 0), nullptr);
}

TEST (ContentPackage, WriterRefusesHostileItemFilesAndRoundTrips)
{
    test::TempFolder folder;
    ContentPackage package;
    package.application = "Grindel 2";
    package.itemExtension = ".grprs2";
    package.items.add ({ "Evil", "../evil.grprs2", "" });
    juce::String error;
    EXPECT_FALSE (package.write (folder.get().getChildFile ("p.orvikpkg"), { juce::MemoryBlock() }, error));

    package.items.getReference (0).file = "Evil.grprs2";
    ASSERT_TRUE (package.write (folder.get().getChildFile ("p.orvikpkg"), { juce::MemoryBlock ("<Preset/>", 9) }, error));
    ContentPackage back;
    ASSERT_TRUE (back.open (folder.get().getChildFile ("p.orvikpkg"), error)) << error;
    ASSERT_EQ (back.items.size(), 1);
    juce::MemoryBlock data;
    EXPECT_TRUE (back.readItem ("Evil.grprs2", data));
    EXPECT_FALSE (back.readItem ("../evil.grprs2", data));
}

TEST (ContentPackage, TheFactorySourceIsReadOnly)
{
    test::PluginFixture fixture (true);
    auto* factory = fixture.plugin().getFactoryPresetSource();
    ASSERT_NE (factory, nullptr);
    EXPECT_EQ (factory->name, "Factory");
    EXPECT_TRUE (factory->isReadOnly());
    EXPECT_FALSE (factory->canSaveItems());
    ASSERT_GE (factory->getNumItems(), 14);

    auto* item = factory->findItem ("MPC60");
    ASSERT_NE (item, nullptr);
    EXPECT_TRUE (item->isReadOnly());
    EXPECT_FALSE (item->canRenameTo ("X"));
    EXPECT_FALSE (item->rename ("X"));
    EXPECT_FALSE (item->deleteFromSource());
    const auto tagsBefore = item->tags;
    item->setTags ({});
    EXPECT_EQ (item->tags, tagsBefore);
    EXPECT_EQ (factory->addNewItem ("New", {}), nullptr);

    fixture.parameter ("Bit Depth").setValue (3.0f, true);
    ASSERT_TRUE (factory->findItem ("S900")->load (0));
    EXPECT_FLOAT_EQ (fixture.parameter ("Bit Depth").getValue(), 12.0f);
}
