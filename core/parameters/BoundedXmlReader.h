#pragma once

#include <juce_core/juce_core.h>
#include <initializer_list>
#include <vector>

struct stat;

/** The one reader of XML that a user, a host or a package hands the plug-in (settings, presets,
    maps, package descriptors, skin descriptions, the host's state block, "parameters.xml").
    Any thread: it keeps no state.

    JUCE's XML reader recurses once per nesting level and trusts its text, so every text is
    first walked the way that reader would walk it, without recursion: a text that would nest
    deeper than the limit, that declares a document type (its entities could hide elements),
    or that ends inside a character reference (JUCE would read past its end) is refused before
    JUCE sees it. A text that ends before its root element is closed is refused too, wherever
    the cut: JUCE itself refuses most, but closes what is open when the text ends inside a
    closing tag or the root's start tag, and gives back the elements as if whole. So is a text
    whose root is followed by anything but white space, comments and processing instructions
    (JUCE stops reading at the root's end), or that holds a NUL. Files are read only when they
    are regular files, never beyond the limit, whatever size the system reports for them. */
class BoundedXmlReader
{
public:
    struct Limits
    {
        size_t maxBytes;
        int maxDepth;   // elements inside one another, the root counting as 1
    };

    /** Settings, maps and "parameters.xml": their formats need 3 levels. */
    static constexpr Limits standardLimits { 1024 * 1024, 32 };

    /** One version of a file: its modification time (ns), size and file id. */
    struct FileStamp
    {
        juce::int64 modified = 0, size = 0;
        juce::uint64 id = 0;
        bool operator== (const FileStamp& other) const noexcept { return modified == other.modified && size == other.size && id == other.id; }
    };

    /** Any thread: the stamp of the file under the name now (empty when there is none). */
    static FileStamp stampOf (const juce::File& file);
    /** Any thread: the stamp of what stat or lstat said of a file. */
    static FileStamp stampOf (const struct stat& info);

    /** Any thread: the stamp of the name in an open folder now (following links; empty when
        there is none). */
    static FileStamp stampIn (int folderFd, const char* name);

    /** Any thread: the bytes of a regular file (a link to one counts) of at most maxBytes;
        false with the reason in error when it is missing, is anything else (folder, FIFO,
        device, socket: refused without opening it), is longer or cannot be read.
        listedAsRegular: a folder listing just said the name is a regular file, so the name is
        opened at once, without following links, and checked once open (a folder scan saves
        a look-up per file). stamp, when given, receives the stamp of the file that was read. */
    static bool readFile (const juce::File& file, size_t maxBytes, juce::MemoryBlock& data, juce::String& error,
                          bool listedAsRegular = false, FileStamp* stamp = nullptr);
    /** Any thread: readFile for a name in an open folder: no path is built per file, and the
        buffer's storage serves file after file. */
    static bool readFileIn (int folderFd, const char* name, size_t maxBytes, std::vector<char>& data,
                            juce::String& error, bool listedAsRegular = false, FileStamp* stamp = nullptr);

    /** Any thread: the document's root element (with rootOnly, only its attributes); null with
        the reason in error when the input is too large, nested too deeply (not checked for
        rootOnly), declares a document type, ends before its root element is closed (for
        rootOnly, its start tag), has more than white space, comments and processing
        instructions after the root, holds a NUL or is not XML. Bytes are decoded as JUCE
        decodes files (a byte-order mark chooses UTF-16, text that is not UTF-8 is read as
        Windows-1252). */
    static std::unique_ptr<juce::XmlElement> parse (const void* data, size_t size, const Limits& limits,
                                                    juce::String& error, bool rootOnly = false);
    static std::unique_ptr<juce::XmlElement> parse (const juce::String& text, const Limits& limits,
                                                    juce::String& error, bool rootOnly = false);
    /** Any thread: parse, for text that juce::String::createStringFromData has just made from
        at most limits.maxBytes bytes (always UTF-8), sparing the checks of its size and
        encoding. */
    static std::unique_ptr<juce::XmlElement> parseDecoded (const juce::String& text, const Limits& limits,
                                                           juce::String& error, bool rootOnly = false);
    /** Any thread: readFile, then parse. */
    static std::unique_ptr<juce::XmlElement> parseFile (const juce::File& file, const Limits& limits,
                                                        juce::String& error, bool rootOnly = false);

    /** Any thread: empty when JUCE's reader can read the text within maxDepth levels without
        harm (for rootOnly, its root element's start tag, the body walked at any depth to
        find the root's end), else why not. */
    static juce::String check (const juce::String& text, int maxDepth, bool rootOnly = false);

    // Tags compare exactly, as our writers write them: JUCE's hasTagName and getChildByName
    // ignore case, and assert when only the case differs, which a file or a host can make.

    /** Any thread: whether the element's tag is exactly this name. */
    static bool hasTag (const juce::XmlElement& element, juce::StringRef tag) noexcept;
    /** Any thread: the first child whose tag is exactly this name, or null. */
    static juce::XmlElement* findChild (const juce::XmlElement& parent, juce::StringRef tag) noexcept;
    /** Any thread: whether a child's tag is one of these names in another case. A document
        of one piece (state, preset, map) that holds one was not written by us and is refused
        whole, rather than read without that child. */
    static bool hasMiscasedChild (const juce::XmlElement& parent, std::initializer_list<const char*> tags);

    /** Any thread: the first byte of UTF-8 text that is not white space, a whole comment or a
        whole processing instruction (end when there is none): what may follow the root. */
    static const char* skipMisc (const char* text, const char* end) noexcept;

    /** Any thread: whether the bytes hold a NUL character (in 16-bit units after a UTF-16
        byte-order mark), which ends the text early for every reader. */
    static bool holdsNul (const void* data, size_t size) noexcept;
    static constexpr const char* nulRefusal = "the text holds a NUL character, which XML does not allow";

    /** "1 MB", "64 KB" or "100 bytes", for error texts. */
    static juce::String describeSize (size_t bytes);
};
