// The bounded reader against JUCE's own parser: the walk that guards JUCE's recursion must
// count as deep as JUCE goes, whatever hides the nesting; files are read only when regular and
// never past the limit.

#include "core/parameters/BoundedXmlReader.h"
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace
{
    int depthOf (const juce::XmlElement& e)
    {
        int deepest = 0;

        for (auto* child : e.getChildIterator())
            deepest = std::max (deepest, depthOf (*child));

        return deepest + 1;
    }

    // Element levels hidden in the ways JUCE's reader allows; each shape with n levels.
    const std::vector<std::pair<const char*, std::function<juce::String (int)>>>& shapes()
    {
        static const std::vector<std::pair<const char*, std::function<juce::String (int)>>> list {
            { "plain", [] (int n) { return juce::String::repeatedString ("<a>", n) + juce::String::repeatedString ("</a>", n); } },
            { "self-closed last", [] (int n) { return juce::String::repeatedString ("<a>", n - 1) + "<b/>"; } },
            { "comments, CDATA, instructions between", [] (int n) { return juce::String::repeatedString ("<a><!-- <b> --><![CDATA[<c>]]><?p <d> ?>", n); } },
            { "quotes holding tags", [] (int n) { return juce::String::repeatedString ("<a x=\"<b>\" y='</a>'>", n); } },
            { "comment inside a tag", [] (int n) { return juce::String::repeatedString ("<a <!-- > \" --> >", n); } },
            { "stray closers in text", [] (int n) { return "<r>" + juce::String::repeatedString ("<a>text &amp; more", n - 1); } },
            { "unknown entity holding elements", [] (int n) { return "<r>&" + juce::String::repeatedString ("<a>", n - 1) + ";</r>"; } },
            { "broken attribute, children still read", [] (int n) { return "<r><a \" >" + juce::String::repeatedString ("<b>", n - 1); } },
            { "numeric references", [] (int n) { return juce::String::repeatedString ("<a>&#60;&#x3c;", n); } },
        };
        return list;
    }
}

TEST (BoundedXmlReader, TheWalkCountsAsDeepAsJuceGoes)
{
    constexpr int limit = 12;

    for (const auto& [name, make] : shapes())
    {
        for (const int n : { limit - 1, limit, limit + 1, limit + 5 })
        {
            const auto text = make (n);
            const auto refusal = BoundedXmlReader::check (text, limit);
            juce::XmlDocument document (text);
            document.setEmptyTextElementsIgnored (true);

            // Where JUCE builds a tree, its depth decides; a refusal must name the nesting.
            if (const auto tree = document.getDocumentElement())
            {
                EXPECT_EQ (refusal.isNotEmpty(), depthOf (*tree) > limit) << name << " " << n << ": " << refusal;
            }

            EXPECT_EQ (refusal.isNotEmpty(), n > limit) << name << " " << n;
        }
    }
}

TEST (BoundedXmlReader, RefusesWhatJuceWouldMisreadAndSaysWhy)
{
    const BoundedXmlReader::Limits limits { 1024, 8 };

    // clang-format off
    const std::vector<std::pair<juce::String, const char*>> refused {
        { juce::String::repeatedString ("<a>", 100),             "nested too deeply (more than 8 levels)" },
        { "<!DOCTYPE r [<!ENTITY e \"<a>\">]><r>&e;</r>",         "document type declarations are not allowed" },
        { "<r x=\"&#x",                                          "character reference is cut off" },
        { "<r>&#x12",                                            "character reference is cut off" },
        { "<r><9/></r>",                                         "\"9\" is not an element name" },
        { "<r -a=\"1\"/>",                                       "\"-a\" is not an attribute name" },
        { "<r>" + juce::String::repeatedString ("x", 2000) + "</r>", "larger than 1 KB" },
        { "",                                                    "not an XML document (not enough input)" },
        { "<r>",                                                 "not an XML document (unmatched tags)" },
        { "<r><?p?>x</r>",                                       "going for ever" },
    };
    // clang-format on

    for (const auto& [text, reason] : refused)
    {
        juce::String error;
        EXPECT_EQ (BoundedXmlReader::parse (text, limits, error), nullptr) << text.substring (0, 40);
        EXPECT_TRUE (error.contains (reason)) << text.substring (0, 40) << ": " << error;
    }

    // Root-only reading walks just the root's tag, so a deep body costs nothing to list.
    juce::String error;
    const auto root = BoundedXmlReader::parse ("<Preset name=\"&amp;x\">" + juce::String::repeatedString ("<a>", 100) + "</Preset>", limits, error, true);
    ASSERT_NE (root, nullptr) << error;
    EXPECT_EQ (root->getStringAttribute ("name"), "&x");
    EXPECT_EQ (root->getNumChildElements(), 0);

    // Bytes that are not UTF-8 are read as Windows-1252, as JUCE reads files.
    const char latin[] = "<r n=\"caf\xe9\"/>";
    ASSERT_NE (BoundedXmlReader::parse (latin, sizeof (latin) - 1, limits, error), nullptr);
}

TEST (BoundedXmlReader, ReadsOnlyRegularFilesAndNeverPastTheLimit)
{
    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("bounded", {}, false);
    folder.createDirectory();
    juce::MemoryBlock data;
    juce::String error;

    const auto fifo = folder.getChildFile ("fifo");
    ASSERT_EQ (::mkfifo (fifo.getFullPathName().toRawUTF8(), 0600), 0);
    const auto link = folder.getChildFile ("zero");
    ASSERT_TRUE (juce::File ("/dev/zero").createSymbolicLink (link, true));

    for (const auto& file : { fifo, link, folder, juce::File ("/dev/zero") })
    {
        for (const bool listed : { false, true })
        {
            EXPECT_FALSE (BoundedXmlReader::readFile (file, 1024, data, error, listed)) << file.getFullPathName();
            EXPECT_TRUE (error.contains ("not a regular file")) << file.getFullPathName() << ": " << error;
        }
    }

    EXPECT_FALSE (BoundedXmlReader::readFile (folder.getChildFile ("missing"), 1024, data, error));
    EXPECT_EQ (error, "the file does not exist");

    // A regular file whose size says 0 is read to its end, and no further than the limit.
    const juce::File status ("/proc/self/status");
    ASSERT_EQ (status.getSize(), 0);
    EXPECT_TRUE (BoundedXmlReader::readFile (status, 1 << 20, data, error)) << error;
    EXPECT_GT (data.getSize(), 100u);
    EXPECT_FALSE (BoundedXmlReader::readFile (status, 10, data, error));
    EXPECT_EQ (error, "the file is larger than 10 bytes");
    EXPECT_EQ (data.getSize(), 0u);

    const auto exact = folder.getChildFile ("exact");
    exact.replaceWithText ("0123456789");
    EXPECT_TRUE (BoundedXmlReader::readFile (exact, 10, data, error, true));
    EXPECT_EQ (data.toString(), "0123456789");
    EXPECT_FALSE (BoundedXmlReader::readFile (exact, 9, data, error));

    folder.deleteRecursively();
}

// A document cut anywhere before its root element closes is refused, whatever it ends inside
// (JUCE itself gave back a whole-looking tree for a cut in a closing tag or the root's start
// tag); cut only in the white space after the root, it reads whole.
TEST (BoundedXmlReader, ATextCutBeforeItsRootClosesIsRefusedWherever)
{
    const BoundedXmlReader::Limits limits { 4096, 8 };

    // clang-format off
    const std::vector<std::pair<const char*, std::string>> documents {
        { "every construct", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- before -->\n"
                             "<Root a=\"x &amp; &quot;y&quot;\" b='&#x41;&#66;' c=\"&unknown;\">\n"
                             "  <!-- inside <Root> -->\n  <Child c=\"1\"/>\n  <![CDATA[ <not> </x> ]]>\n"
                             "  text &lt; more &#169; caf\xc3\xa9 &odd;\n  <?instruction <x>?>\n"
                             "  <Deep><Deeper d=\"\">t</Deeper></Deep><Empty></Empty>\n</Root>\n\n" },
        { "a state as JUCE writes it", "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <PluginState><ParametersState><Preset name=\"\">"
                                       "<Value id=\"0\" value=\"1\"/></Preset></ParametersState><MidiControlMap>"
                                       "<assign cc=\"7\" param=\"Mix\"/></MidiControlMap></PluginState>" },
        { "a root without children", "<Preset name=\"a\" rating=\"3\"/>\r\n" },
    };
    // clang-format on

    int tried = 0, refused = 0;

    for (const auto& [name, bytes] : documents)
    {
        const auto end = bytes.rfind ('>') + 1;
        const auto startTagEnd = bytes.find ('>', bytes.find ("<R") != std::string::npos ? bytes.find ("<R") : bytes.find ("<P"));

        for (size_t length = 0; length <= bytes.size(); ++length)
        {
            ++tried;
            juce::String error;
            const auto root = BoundedXmlReader::parse (bytes.data(), length, limits, error);
            EXPECT_EQ (root != nullptr, length >= end) << name << " cut at " << length << ": " << error;
            refused += root == nullptr ? 1 : 0;

            // The listing reads the root's start tag: whole once its '>' is there.
            const auto header = BoundedXmlReader::parse (bytes.data(), length, limits, error, true);
            EXPECT_EQ (header != nullptr, length > startTagEnd) << name << " cut at " << length << " (root only): " << error;
        }
    }

    std::cout << "[truncation] reader: " << refused << " of " << tried << " lengths refused" << std::endl;
}
