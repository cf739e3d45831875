#include "ContentTestSupport.h"
#include "core/content/ZipReader.h"
#include <algorithm>
#include <unistd.h>

namespace
{
    juce::uint16 get16 (const juce::MemoryBlock& data, juce::int64 at)
    {
        return (juce::uint16) ((juce::uint8) data[(size_t) at] | ((juce::uint8) data[(size_t) at + 1] << 8));
    }
}

TEST (ZipFiles, ExportHoldsTheBytesOfLinksAndTheDatesTheFormatCanSay)
{
    test::TempFolder folder;
    const auto a = test::writeText (folder.get().getChildFile ("a.grprs2"), "<Preset name=\"a\"/>");
    const auto b = test::writeText (folder.get().getChildFile ("sub/a.grprs2"), "<Preset name=\"b\"/>");
    const auto outside = test::writeText (folder.get().getChildFile ("elsewhere/Target.grprs2"), "<Preset name=\"linked\"/>");
    const auto link = folder.get().getChildFile ("Linked.grprs2");
    ASSERT_EQ (::symlink (outside.getFullPathName().toRawUTF8(), link.getFullPathName().toRawUTF8()), 0);

    // Before 1980 and after 2107: held at the ends of what a ZIP date can say.
    ASSERT_TRUE (a.setLastModificationTime (juce::Time (1970, 0, 1, 12, 0)));
    ASSERT_TRUE (outside.setLastModificationTime (juce::Time (2150, 5, 1, 12, 0)));
    ASSERT_TRUE (b.setLastModificationTime (juce::Time (2024, 6, 15, 10, 30, 20)));

    const auto zip = folder.get().getChildFile ("out.grzip");
    ASSERT_TRUE (createZipFile (zip, { a, b, link }, 9));

    juce::String error;
    EXPECT_FALSE (createZipFile (folder.get().getChildFile ("no.grzip"), { folder.get().getChildFile ("missing") }, 9, &error));
    EXPECT_TRUE (error.contains ("missing"));
    EXPECT_FALSE (folder.get().getChildFile ("no.grzip").exists());

    ZipReader reader (zip);
    ASSERT_TRUE (reader.isValid());
    ASSERT_EQ (reader.getNumEntries(), 3);
    juce::StringArray names, texts;
    juce::MemoryBlock data, raw;
    ASSERT_TRUE (zip.loadFileAsData (raw));

    for (int i = 0; i < reader.getNumEntries(); ++i)
    {
        names.add (reader.getEntry (i)->fileName);
        EXPECT_EQ (reader.read (i, data, 1024), ZipReader::Status::ok);
        texts.add (data.toString());
    }

    EXPECT_EQ (names, juce::StringArray ({ "a.grprs2", "a (1).grprs2", "Linked.grprs2" }));
    EXPECT_EQ (texts, juce::StringArray ({ "<Preset name=\"a\"/>", "<Preset name=\"b\"/>", "<Preset name=\"linked\"/>" }));
    const auto path = outside.getFullPathName();
    const auto* rawBytes = static_cast<const char*> (raw.getData());
    EXPECT_EQ (std::search (rawBytes, rawBytes + raw.getSize(), path.toRawUTF8(), path.toRawUTF8() + path.getNumBytesAsUTF8()),
               rawBytes + raw.getSize())
        << "no path of the user's in the archive";

    // DOS date and time in the local headers: 1980-01-01 00:00, 2107-12-31 23:59:58, 2024 as is.
    const auto dateOf = [&] (int i) { return get16 (raw, reader.getEntry (i)->localHeaderOffset + 12); };
    const auto timeOf = [&] (int i) { return get16 (raw, reader.getEntry (i)->localHeaderOffset + 10); };
    EXPECT_EQ (dateOf (0), (1 << 5) | 1);
    EXPECT_EQ (timeOf (0), 0);
    EXPECT_EQ (dateOf (2), (127 << 9) | (12 << 5) | 31);
    EXPECT_EQ (timeOf (2), (23 << 11) | (59 << 5) | 29);
    EXPECT_EQ (dateOf (1), (44 << 9) | (7 << 5) | 15);
    EXPECT_EQ (timeOf (1), (10 << 11) | (30 << 5) | 10);

    EXPECT_FALSE (ZipReader (a).isValid());
    EXPECT_FALSE (ZipReader (folder.get().getChildFile ("missing.zip")).isValid());
}

TEST (ZipFiles, DamagedDataAndLyingHeadersAreToldApart)
{
    juce::MemoryOutputStream out;
    const juce::String text ("<Preset name=\"x\"/>");
    ASSERT_TRUE (writeZipArchive (
        out, 2,
        [&] (int i, juce::String& name, juce::MemoryBlock& data, juce::Time& time, juce::String&) {
            name = i == 0 ? "stored.grprs2" : "packed.grprs2";
            data.replaceAll (text.toRawUTF8(), text.getNumBytesAsUTF8());
            time = juce::Time (2024, 0, 1, 0, 0);
            return true;
        },
        0));

    const auto original = out.getMemoryBlock();
    juce::MemoryBlock data;

    {
        ZipReader reader (original);
        ASSERT_EQ (reader.getNumEntries(), 2);
        EXPECT_EQ (reader.read (0, data, 1024), ZipReader::Status::ok);
        EXPECT_EQ (reader.read (0, data, 4), ZipReader::Status::tooLarge);
        EXPECT_EQ (reader.read (5, data, 1024), ZipReader::Status::damaged);
    }

    // One byte of the stored data changed: its CRC no longer matches.
    auto changed = original;
    const auto* bytes = static_cast<const char*> (changed.getData());
    const auto* at = std::search (bytes, bytes + changed.getSize(), text.toRawUTF8(), text.toRawUTF8() + text.length());
    ASSERT_NE (at, bytes + changed.getSize());
    changed[(size_t) (at - bytes) + 1] = 'p';
    EXPECT_EQ (ZipReader (changed).read (0, data, 1024), ZipReader::Status::damaged);
    EXPECT_TRUE (data.isEmpty());

    // An archive behind 1,000 bytes of something else (offsets not adjusted) reads the same.
    juce::MemoryBlock prefixed;
    prefixed.setSize (1000, true);
    prefixed.append (original.getData(), original.getSize());
    ZipReader behind (prefixed);
    ASSERT_TRUE (behind.isValid());
    EXPECT_EQ (behind.read (1, data, 1024), ZipReader::Status::ok);
    EXPECT_EQ (data.toString(), text);
}
