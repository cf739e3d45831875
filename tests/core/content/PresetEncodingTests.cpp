// Presets in another encoding than plain UTF-8: listed, exported, imported, renamed and tagged
// without a byte changing outside what changes, and still valid for a standard XML parser
// (xmllint, which scripts/setup.sh installs).

#include "ContentTestSupport.h"
#include "core/content/PackageImportJob.h"
#include "core/content/XmlFileText.h"

namespace
{
    struct Encoding
    {
        const char* name;
        const char* declared;
        std::string byteOrderMark;
        bool utf16, bigEndian, latin1;
    };

    // clang-format off
    const Encoding encodings[] = {
        { "ISO-8859-1",      "ISO-8859-1", "",             false, false, true },
        { "UTF-16 LE",       "UTF-16",     "\xff\xfe",     true,  false, false },
        { "UTF-16 BE",       "UTF-16",     "\xfe\xff",     true,  true,  false },
        { "UTF-8 with BOM",  "UTF-8",      "\xef\xbb\xbf", false, false, false },
    };
    // clang-format on

    std::string encode (const juce::String& text, const Encoding& e)
    {
        std::string bytes = e.byteOrderMark;

        for (auto c : text)
        {
            if (e.latin1)
            {
                EXPECT_LT ((int) c, 0x100);
                bytes += (char) c;
            }
            else if (e.utf16)
            {
                for (auto unit : c < 0x10000 ? std::vector<juce::juce_wchar> { c }
                                             : std::vector<juce::juce_wchar> { 0xd800 + ((c - 0x10000) >> 10), 0xdc00 + ((c - 0x10000) & 0x3ff) })
                {
                    bytes += (char) (e.bigEndian ? unit >> 8 : unit & 0xff);
                    bytes += (char) (e.bigEndian ? unit & 0xff : unit >> 8);
                }
            }
            else
            {
                bytes += juce::String::charToString (c).toStdString();
            }
        }

        return bytes;
    }

    juce::String utf8 (const char* text) { return juce::String (juce::CharPointer_UTF8 (text)); }

    // A comment and values beyond ASCII (their bytes differ in every encoding), a start tag over
    // three lines, a single-quoted value holding double quotes and a character reference.
    juce::String document (const Encoding& e, const juce::String& name, const juce::String& tags)
    {
        return "<?xml version=\"1.0\" encoding=\"" + juce::String (e.declared) + "\"?>\n" + utf8 ("<!-- Gr\xc3\xbc\xc3\x9f"
                                                                                                  "e, caf\xc3\xa9 -->\n")
            + "<Preset name=\"" + name + "\" application=\"Grindel 2\"\n        author='single \"quoted\"' category=\"&#x263A; "
            + utf8 ("\xc3\x9cn\xc3\xaf\"\n        tags=\"") + tags + "\" rating=\"3\">\n  <Value id=\"2\" value=\"3\"/>\n</Preset>\n";
    }

    std::string bytesOf (const juce::File& file)
    {
        juce::MemoryBlock data;
        file.loadFileAsData (data);
        return std::string (static_cast<const char*> (data.getData()), data.getSize());
    }

    /** The root's attribute as xmllint reads it; fails the test when xmllint refuses the file. */
    juce::String readByXmllint (const juce::File& file, const char* attribute)
    {
        juce::ChildProcess xmllint;

        if (! xmllint.start (juce::StringArray { "xmllint", "--xpath", "string(/Preset/@" + juce::String (attribute) + ")", file.getFullPathName() }))
        {
            ADD_FAILURE() << "xmllint is missing (scripts/setup.sh installs libxml2-utils)";
            return {};
        }

        const auto text = xmllint.readAllProcessOutput();
        EXPECT_EQ (xmllint.getExitCode(), 0u) << file.getFileName() << ": " << text;
        return text.trimCharactersAtEnd ("\n");
    }

    struct EncodingTest : ::testing::TestWithParam<Encoding>
    {
        test::PluginFixture fixture;
        test::TempFolder folder;
        PresetsDirectoryContent<Preset> source { fixture.plugin(), folder.get().getChildFile ("User") };
        PresetsDirectoryContent<Preset> other { fixture.plugin(), folder.get().getChildFile ("Other") };
    };

    void PrintTo (const Encoding& e, std::ostream* out) { *out << e.name; }
}

TEST_P (EncodingTest, ListedExportedImportedRenamedAndTaggedWithoutLosingAByte)
{
    const auto& e = GetParam();
    const auto tags = utf8 ("Sound:W\xc3\xa4rm");
    const auto original = document (e, "Old", tags);
    const auto file = source.getFileForName ("Old");
    const auto bytes = encode (original, e);
    ASSERT_TRUE (file.getParentDirectory().createDirectory().wasOk());
    ASSERT_TRUE (file.replaceWithData (bytes.data(), bytes.size()));

    source.refresh();
    auto* item = source.findItem ("Old");
    ASSERT_NE (item, nullptr);
    EXPECT_EQ (item->tags.toString(), tags);

    // Export, then import into another folder: the bytes come back, line ends made "\r\n".
    const auto zip = folder.get().getChildFile ("out.grzip");
    ASSERT_TRUE (createZipFile (zip, { file }, 9));
    PackageImportJob job;
    EXPECT_EQ (job.start (zip, other), PackageImportJob::State::finished);
    EXPECT_EQ (job.getCounts().imported, 1);
    EXPECT_EQ (bytesOf (other.getFileForName ("Old")), encode (original.replace ("\n", "\r\n"), e));

    // A rename changes only the name's value; what the encoding cannot hold is a reference.
    const auto newName = utf8 ("N\xc3\xabw \xe2\x98\xba");
    const auto written = e.latin1 ? utf8 ("N\xc3\xabw &#x263A;") : newName;
    ASSERT_TRUE (item->rename (newName)) << source.getLastError();
    const auto renamed = source.getFileForName (newName);
    EXPECT_EQ (bytesOf (renamed), encode (document (e, written, tags), e));
    EXPECT_EQ (readByXmllint (renamed, "name"), newName);
    EXPECT_EQ (readByXmllint (renamed, "author"), "single \"quoted\"");

    // So does a tag edit, for the tags.
    const auto newTags = CategoryTagMap::fromString (utf8 ("Sound:W\xc3\xa4rm;Mood:S\xc3\xbc\xc3\x9f \xe2\x98\xba"));
    ASSERT_TRUE (item->setTags (newTags).wasOk());
    const auto writtenTags = e.latin1 ? utf8 ("Sound:W\xc3\xa4rm;Mood:S\xc3\xbc\xc3\x9f &#x263A;") : newTags.toString();
    EXPECT_EQ (bytesOf (renamed), encode (document (e, written, writtenTags), e));
    EXPECT_EQ (readByXmllint (renamed, "tags"), newTags.toString());

    // And JUCE's reader, through the folder's listing and a load, reads what xmllint reads.
    source.refresh();
    ASSERT_NE (source.findItem (newName), nullptr);
    EXPECT_EQ (source.findItem (newName)->tags, newTags);
    Preset loaded;
    ASSERT_TRUE (loaded.loadFromFile (renamed));
    EXPECT_EQ (loaded.name, newName);
    EXPECT_EQ (loaded.category, utf8 ("\xe2\x98\xba \xc3\x9cn\xc3\xaf"));
}

INSTANTIATE_TEST_SUITE_P (Presets, EncodingTest, ::testing::ValuesIn (encodings), [] (const auto& param) {
    return juce::String (param.param.name).retainCharacters ("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789").toStdString();
});

// The declaration is read whole, however long: an encoding it names past its first 512 bytes
// is the file's for the listing, a load and a rename; one that does not end is refused.
TEST (XmlFileText, TheDeclarationIsReadWholeHoweverLong)
{
    test::PluginFixture fixture;
    test::TempFolder folder;
    PresetsDirectoryContent<Preset> source { fixture.plugin(), folder.get() };
    const auto write = [&] (const juce::String& name, const std::string& bytes) {
        ASSERT_TRUE (source.getFileForName (name).replaceWithData (bytes.data(), bytes.size()));
    };
    // Tags whose bytes would pass for UTF-8: in ISO-8859-1 they read "K\u00c3\u00a4se".
    const auto preset = [] (const std::string& name) {
        return "<Preset name=\"" + name + "\" application=\"Grindel 2\" tags=\"K\xc3\xa4se:a\">\n  <Value id=\"2\" value=\"3\"/>\n</Preset>\n";
    };
    const auto declaration = "<?xml version=\"1.0\"" + std::string (600, ' ') + "encoding=\"ISO-8859-1\"?>\n";

    write ("Cafe", declaration + preset ("Cafe"));
    write ("Open", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"" + std::string (600, ' ') + "\n" + preset ("Open"));
    write ("Open16", encode ("<?xml version=\"1.0\" encoding=\"UTF-16\"\n<Preset name=\"Open16\" application=\"Grindel 2\"/>\n", encodings[1]));
    write ("Long", "<?xml version=\"1.0\"" + std::string ((size_t) Preset::maxFileSize, ' ') + "?>\n" + preset ("Long"));
    source.refresh();

    const auto tags = utf8 ("K\xc3\x83\xc2\xa4se:a");
    auto* item = source.findItem ("Cafe");
    ASSERT_NE (item, nullptr);
    EXPECT_EQ (item->tags.toString(), tags);
    const auto loaded = source.loadPresetByName ("Cafe", 0);
    ASSERT_NE (loaded, nullptr);
    EXPECT_EQ (loaded->tags, tags);

    const auto cafe = utf8 ("Caf\xc3\xa9");
    ASSERT_TRUE (item->rename (cafe)) << source.getLastError();
    const auto renamed = source.getFileForName (cafe);
    EXPECT_EQ (bytesOf (renamed), declaration + preset ("Caf\xe9"));
    EXPECT_EQ (readByXmllint (renamed, "name"), cafe);

    for (const juce::String name : { "Open", "Open16", "Long" })
    {
        EXPECT_EQ (source.findItem (name), nullptr) << name;
        Preset refused;
        juce::String error;
        EXPECT_FALSE (refused.loadFromFile (source.getFileForName (name), &error)) << name;
        EXPECT_TRUE (error.contains (name == "Long" ? "larger than 4 MB" : "declaration does not end")) << error;
    }
}

TEST (XmlFileText, LineEndsBecomeCrLfInTheTextsOwnCodeUnits)
{
    // { encoding, text before, after }: a lone "\r", a lone "\n", "\r\n", and a last odd byte.
    const auto le = [] (const std::string& ascii) { std::string s = "\xff\xfe"; for (auto c : ascii) s += std::string { c, '\0' }; return s; };
    const auto be = [] (const std::string& ascii) { std::string s = "\xfe\xff"; for (auto c : ascii) s += std::string { '\0', c }; return s; };

    const std::vector<std::pair<std::string, std::string>> cases {
        { "a\nb\rc\r\nd\n", "a\r\nb\r\nc\r\nd\r\n" },
        { "\n\n\r\r", "\r\n\r\n\r\n\r\n" },
        { "no line end", "no line end" },
        { le ("a\nb\r"), le ("a\r\nb\r\n") },
        { be ("\r\n\nx") + "!", be ("\r\n\r\nx") + "!" },
        // A UTF-16 unit whose low byte looks like a line end is no line end.
        { "\xff\xfe\x0a\x26", "\xff\xfe\x0a\x26" },
    };

    for (const auto& [before, after] : cases)
    {
        juce::MemoryBlock data (before.data(), before.size());
        XmlFileText::normaliseLineEnds (data);
        EXPECT_EQ (std::string (static_cast<const char*> (data.getData()), data.getSize()), after) << before;
    }
}

TEST (XmlFileText, AnAttributeIsSetInPlainXmlOnly)
{
    // { start tag, set name to "a'b&>", result; empty: not plain XML, left to the full writer }
    const std::vector<std::pair<std::string, std::string>> cases {
        { "<Preset name=\"x\" a='1'/>", "<Preset name=\"a'b&amp;&gt;\" a='1'/>" },
        { "<Preset\n  name='it&apos;s'\n  a=\"&#x263A;\">", "<Preset\n  name='a&apos;b&amp;&gt;'\n  a=\"&#x263A;\">" },
        { "<!-- c --><?x?><Preset a=\"1\">", "<!-- c --><?x?><Preset a=\"1\" name=\"a'b&amp;&gt;\">" },
        { "<Preset/>", "<Preset name=\"a'b&amp;&gt;\"/>" },
        // A bare "&" JUCE would read on to the next ";" (the one this change would write).
        { "<Preset a=\"x&y\" name=\"n\"/>", "" },
        { "<Preset <!-- c --> name=\"x\"/>", "" },
        { "<Preset name=x/>", "" },
        { "<Preset name=\"x\"a=\"1\"/>", "" },
        { "<Preset name=\"x<\"/>", "" },
        { "<Preset name=\"x", "" },
    };

    for (const auto& [before, after] : cases)
    {
        juce::MemoryBlock data (before.data(), before.size());
        const bool set = XmlFileText::setRootAttribute (data, "name", "a'b&>");
        EXPECT_EQ (set, ! after.empty()) << before;
        EXPECT_EQ (std::string (static_cast<const char*> (data.getData()), data.getSize()), set ? after : before) << before;
    }
}
