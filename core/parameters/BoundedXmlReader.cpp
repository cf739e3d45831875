#include "core/parameters/BoundedXmlReader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <type_traits>
#include <unistd.h>

namespace
{
    using Pointer = juce::String::CharPointerType;
    using juce::juce_wchar;

    // JUCE's own test for the characters of names (juce_XmlDocument.cpp), so both agree.
    bool isIdentifierChar (juce_wchar c) noexcept
    {
        static const juce::uint32 legalChars[] = { 0, 0x7ff6000, 0x87fffffe, 0x7fffffe, 0 };

        if ((int) c < (int) juce::numElementsInArray (legalChars) * 32)
            return (legalChars[c >> 5] & (juce::uint32) (1 << (c & 31))) != 0;

        return juce::CharacterFunctions::isLetterOrDigit (c) || c == '_' || c == '-' || c == ':' || c == '.';
    }

    Pointer findEndOfToken (Pointer p) noexcept
    {
        while (isIdentifierChar (*p))
            ++p;

        return p;
    }

    // JUCE reads names it then asserts on ("1a", "-x"); such a text is refused instead.
    bool isValidName (Pointer start, Pointer end)
    {
        // Plain ASCII names, nearly all, are checked in place.
        const auto first = *start;

        if ((juce::CharacterFunctions::isLetter (first) && first < 128) || first == '_' || first == ':')
        {
            auto p = start;

            while (p != end && *p < 128)
                ++p;

            if (p == end)
                return true;
        }

        return juce::XmlElement::isValidXmlName (juce::String (start, end));
    }

    /** Walks a text step by step as juce::XmlDocument reads it (its readNextElement and
        readChildElements, same moves of the same pointer), but with a loop and a level count
        where JUCE recurses, so it learns how deep JUCE would go before JUCE goes there. */
    class XmlWalk
    {
    public:
        explicit XmlWalk (int depthLimit) : input (nullptr), maxDepth (depthLimit) {}

        /** rootOnly: JUCE reads just the root's start tag, so the body is walked only to learn
            where the root ends, however deep it nests. */
        juce::String walkDocument (const juce::String& text, bool rootOnly)
        {
            input = text.getCharPointer();

            if (input.isEmpty())
                return {};

            // Read whole, however long: its encoding is read from it (XmlFileText).
            if (juce::CharacterFunctions::compareUpTo (input, juce::CharPointer_ASCII ("<?xml"), 5) == 0
                && (input[5] == ' ' || input[5] == '\t' || input[5] == '\r' || input[5] == '\n')
                && input.indexOf (juce::CharPointer_ASCII ("?>")) < 0)
                return "the XML declaration does not end (no \"?>\")";

            if (rootOnly)
                maxDepth = std::numeric_limits<int>::max();

            skipWhiteSpace();

            if (juce::CharacterFunctions::compareUpTo (input, juce::CharPointer_ASCII ("<?xml"), 5) == 0)
            {
                const auto headerEnd = juce::CharacterFunctions::find (input, juce::CharPointer_ASCII ("?>"));

                if (headerEnd.isEmpty())
                    return {};

                input = headerEnd + 2;
                skipWhiteSpace();
            }

            if (juce::CharacterFunctions::compareUpTo (input, juce::CharPointer_ASCII ("<!DOCTYPE"), 9) == 0)
                return "document type declarations are not allowed";

            // JUCE closes whatever is open when the text ends inside a closing tag or the
            // root's start tag, and gives back the elements it read as if whole.
            const auto made = walkElement (1, true);
            cutShort = made && (rootOnly ? rootStartCut : outOfData);

            // Where JUCE stops with an error, it reads no whole root to be followed by anything.
            if (made && ! outOfData && ! failed() && ! juceFails)
                checkTrailer (text);

            return problem;
        }

        /** After walkDocument: whether the text ends before its root element is closed. */
        bool endsInsideRoot() const noexcept { return cutShort; }

        /** After walkDocument: why what follows the root makes the document malformed (JUCE
            reads no further than the root); empty when it is fine or the root never ends. */
        const juce::String& getTrailerProblem() const noexcept { return trailerProblem; }

    private:
        enum class Start
        {
            none,
            withoutChildren,
            withChildren
        };

        Pointer input;
        bool outOfData = false, cutShort = false, rootStartCut = false, juceFails = false;
        int entityLevel = 0;
        int maxDepth;
        juce::String problem, trailerProblem;

        static_assert (std::is_same_v<Pointer, juce::CharPointer_UTF8>);

        void checkTrailer (const juce::String& text)
        {
            const auto* end = text.getCharPointer().getAddress() + text.getNumBytesAsUTF8();
            const auto* rest = BoundedXmlReader::skipMisc (input.getAddress(), end);

            if (rest != end)
                trailerProblem = "only white space, comments and processing instructions may follow the root element (found \""
                    + juce::String (juce::CharPointer_UTF8 (rest), 16) + "\")";
        }

        bool failed() const noexcept { return problem.isNotEmpty(); }

        void refuse (const juce::String& why)
        {
            if (problem.isEmpty())
                problem = why;

            outOfData = true;
        }

        juce_wchar readNextChar() noexcept
        {
            const auto c = input.getAndAdvance();

            if (c == 0)
            {
                outOfData = true;
                --input;
            }

            return c;
        }

        /** Steps over the opening's length, then past the terminator; false (and out of data,
            where JUCE's reader stops) when there is none. */
        bool skipPast (int openingLength, const char* terminator)
        {
            input += openingLength;
            const auto close = input.indexOf (juce::CharPointer_ASCII (terminator));

            if (close < 0)
            {
                outOfData = true;
                return false;
            }

            input += close + (int) std::strlen (terminator);
            return true;
        }

        bool isAtComment() const noexcept { return input[1] == '!' && input[2] == '-' && input[3] == '-'; }

        void skipWhiteSpace()
        {
            for (;;)
            {
                input.incrementToEndOfWhitespace();

                if (input.isEmpty())
                {
                    outOfData = true;
                    return;
                }

                if (*input != '<')
                    return;

                if (isAtComment())
                {
                    if (! skipPast (4, "-->"))
                        return;
                }
                else if (input[1] == '?')
                {
                    if (! skipPast (2, "?>"))
                        return;
                }
                else
                {
                    return;
                }
            }
        }

        /** JUCE's readEntity: where it leaves the pointer, and for a name it does not know
            the name (which JUCE then reads as text, or as elements when it starts with '<'). */
        bool readEntity (Pointer& nameStart, int& nameLength)
        {
            nameLength = 0;
            ++input;

            for (const char* known : { "amp;", "quot;", "apos;", "lt;", "gt;" })
            {
                const auto length = (int) std::strlen (known);

                if (input.compareIgnoreCaseUpTo (juce::CharPointer_ASCII (known), length) == 0)
                {
                    input += length;
                    return true;
                }
            }

            if (*input == '#')
            {
                ++input;

                if (*input == 'x' || *input == 'X')
                {
                    ++input;
                    int numChars = 0;

                    while (input[0] != ';')
                    {
                        if (input[0] == 0)
                        {
                            // JUCE would step over the end of the text here.
                            refuse ("a character reference is cut off by the end of the text");
                            return false;
                        }

                        if (juce::CharacterFunctions::getHexDigitValue (input[0]) < 0 || ++numChars > 8)
                            break;

                        ++input;
                    }

                    ++input;
                }
                else if (input[0] >= '0' && input[0] <= '9')
                {
                    int numChars = 0;

                    for (;;)
                    {
                        const auto firstChar = input[0];

                        if (firstChar == 0)
                            return true;

                        if (firstChar == ';' || ++numChars > 12)
                            break;

                        ++input;
                    }

                    ++input;
                }

                return true;
            }

            const auto closingSemiColon = input.indexOf ((juce_wchar) ';');

            if (closingSemiColon < 0)
            {
                outOfData = true;
                return true;
            }

            nameStart = input;
            nameLength = closingSemiColon;
            input += closingSemiColon + 1;
            return true;
        }

        void readQuotedString()
        {
            const auto quote = readNextChar();

            while (! outOfData)
            {
                const auto c = readNextChar();

                if (c == quote)
                    break;

                --input;

                if (c == '&')
                {
                    Pointer name (input);
                    int length = 0;

                    if (! readEntity (name, length))
                        return;
                }
                else
                {
                    for (;;)
                    {
                        const auto character = *input;

                        if (character == quote)
                        {
                            ++input;
                            return;
                        }

                        if (character == '&')
                            break;

                        if (character == 0)
                        {
                            outOfData = true;
                            break;
                        }

                        ++input;
                    }
                }
            }
        }

        /** readNextElement up to the point where it would read the element's children. */
        Start startElement (bool alsoParseSubElements)
        {
            skipWhiteSpace();

            if (outOfData || *input != '<')
                return Start::none;

            ++input;
            auto endOfToken = findEndOfToken (input);

            if (endOfToken == input)
            {
                skipWhiteSpace();
                endOfToken = findEndOfToken (input);

                if (endOfToken == input)
                {
                    juceFails = true;   // "tag name missing"
                    return Start::none;
                }
            }

            if (! isValidName (input, endOfToken))
            {
                refuse ("\"" + juce::String (input, endOfToken) + "\" is not an element name");
                return Start::none;
            }

            input = endOfToken;

            for (;;)
            {
                skipWhiteSpace();
                const auto c = *input;

                if (c == '/' && input[1] == '>')
                {
                    input += 2;
                    return Start::withoutChildren;
                }

                if (c == '>')
                {
                    ++input;
                    return alsoParseSubElements ? Start::withChildren : Start::withoutChildren;
                }

                if (isIdentifierChar (c))
                {
                    const auto nameEnd = findEndOfToken (input);

                    if (! isValidName (input, nameEnd))
                    {
                        refuse ("\"" + juce::String (input, nameEnd) + "\" is not an attribute name");
                        return Start::none;
                    }

                    input = nameEnd;
                    skipWhiteSpace();

                    if (readNextChar() != '=')
                    {
                        juceFails = true;   // "expected '='"
                        return Start::withoutChildren;
                    }

                    skipWhiteSpace();

                    if (*input == '"' || *input == '\'')
                    {
                        readQuotedString();

                        if (failed())
                            return Start::none;

                        continue;
                    }

                    // A value without quotes ends the element there, without an error.
                    return Start::withoutChildren;
                }

                juceFails = juceFails || ! outOfData;   // "illegal character"
                return Start::withoutChildren;
            }
        }

        /** readNextElement with everything below it; false when JUCE would have made no element. */
        bool walkElement (int level, bool alsoParseSubElements)
        {
            const auto start = startElement (alsoParseSubElements);

            if (level == 1)
                rootStartCut = outOfData;

            if (start == Start::none)
                return false;

            if (level > maxDepth)
            {
                refuse ("the elements are nested too deeply (more than " + juce::String (maxDepth) + " levels)");
                return false;
            }

            // One count per readChildElements that JUCE would have running.
            int open = start == Start::withChildren ? 1 : 0;

            auto lastTurn = Pointer (nullptr);
            int lastOpen = -1;

            while (open > 0 && ! failed())
            {
                // JUCE's readChildElements goes round for ever where a turn moves nothing:
                // text after an instruction ("<r><?p?>x") rolls back to before it.
                if (input == lastTurn && open == lastOpen)
                {
                    refuse ("an instruction followed by text would keep the XML reader going for ever");
                    break;
                }

                lastTurn = input;
                lastOpen = open;
                const auto beforeWhiteSpace = input;
                skipWhiteSpace();

                if (outOfData)
                {
                    --open;
                    continue;
                }

                if (*input != '<')
                {
                    input = beforeWhiteSpace;

                    if (! walkText (level + open))
                        --open;

                    continue;
                }

                if (input[1] == '/')
                {
                    const auto closeTag = input.indexOf ((juce_wchar) '>');

                    if (closeTag < 0)
                    {
                        outOfData = true;
                        break;
                    }

                    input += closeTag + 1;
                    --open;
                    continue;
                }

                if (input[1] == '!' && juce::CharacterFunctions::compareUpTo (input + 2, juce::CharPointer_ASCII ("[CDATA["), 7) == 0)
                {
                    input += 9;

                    for (;; ++input)
                    {
                        if (*input == 0)
                        {
                            outOfData = true;
                            break;
                        }

                        if (*input == ']' && input[1] == ']' && input[2] == '>')
                        {
                            input += 3;
                            break;
                        }
                    }

                    continue;
                }

                const auto child = startElement (true);

                if (child == Start::none)
                {
                    --open;
                    continue;
                }

                if (level + open > maxDepth)
                {
                    refuse ("the elements are nested too deeply (more than " + juce::String (maxDepth) + " levels)");
                    break;
                }

                if (child == Start::withChildren)
                    ++open;
            }

            return ! failed();
        }

        /** A run of text among the children of an element at level - 1; false when JUCE's
            readChildElements would return there. */
        bool walkText (int level)
        {
            for (;;)
            {
                const auto c = *input;

                if (c == '<')
                {
                    if (! isAtComment())
                        return true;

                    if (! skipPast (4, "-->"))
                        return false;

                    continue;
                }

                if (c == 0)
                {
                    outOfData = true;
                    return false;
                }

                if (c == '&')
                {
                    Pointer name (input);
                    int length = 0;

                    if (! readEntity (name, length))
                        return false;

                    // JUCE reads an unknown entity's name as elements when it starts with '<'.
                    if (length > 1 && *name == '<')
                        walkEntityElements (juce::String (name, (size_t) length), level);
                }
                else
                {
                    for (;; ++input)
                    {
                        auto nextChar = *input;

                        if (nextChar == '\r')
                        {
                            nextChar = '\n';

                            if (input[1] == '\n')
                                continue;
                        }

                        if (nextChar == '<' || nextChar == '&')
                            break;

                        if (nextChar == 0)
                        {
                            outOfData = true;
                            return false;
                        }
                    }
                }

                if (failed())
                    return false;
            }
        }

        void walkEntityElements (const juce::String& entity, int level)
        {
            // An entity's name holds no ';', so its own entities cannot nest further.
            if (++entityLevel > 2)
            {
                refuse ("entities nest too deeply");
                return;
            }

            const auto oldInput = input;
            const auto oldOutOfData = outOfData;
            input = entity.getCharPointer();
            outOfData = false;

            while (! failed() && walkElement (level, true))
            {
            }

            input = oldInput;
            outOfData = oldOutOfData || failed();
            --entityLevel;
        }
    };
}

//==============================================================================
juce::String BoundedXmlReader::describeSize (size_t bytes)
{
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0)
        return juce::String ((juce::int64) (bytes / (1024 * 1024))) + " MB";

    if (bytes >= 1024 && bytes % 1024 == 0)
        return juce::String ((juce::int64) (bytes / 1024)) + " KB";

    return juce::String ((juce::int64) bytes) + " bytes";
}

BoundedXmlReader::FileStamp BoundedXmlReader::stampOf (const struct stat& info)
{
#if JUCE_MAC
    const auto nanoseconds = (juce::int64) info.st_mtimespec.tv_sec * 1000000000 + info.st_mtimespec.tv_nsec;
#else
    const auto nanoseconds = (juce::int64) info.st_mtim.tv_sec * 1000000000 + info.st_mtim.tv_nsec;
#endif
    return { nanoseconds, (juce::int64) info.st_size, (juce::uint64) info.st_ino };
}

BoundedXmlReader::FileStamp BoundedXmlReader::stampOf (const juce::File& file)
{
    struct stat info;
    return ::stat (file.getFullPathName().toRawUTF8(), &info) == 0 ? stampOf (info) : FileStamp {};
}

namespace
{
    /** Reads an open descriptor to its end, at most maxBytes, into a buffer that has resize,
        size and data; closes it. The buffer keeps its storage between files when it can. */
    template <typename Buffer>
    bool readOpened (int fd, size_t maxBytes, Buffer& data, juce::String& error, BoundedXmlReader::FileStamp* stamp)
    {
        struct stat info;

        const auto fail = [&] (const juce::String& reason) {
            ::close (fd);
            data.resize (0);
            error = reason;
            return false;
        };

        if (::fstat (fd, &info) != 0 || ! S_ISREG (info.st_mode))
            return fail ("not a regular file");

        // The reported size only sizes the first buffer: reading goes on to the end or one byte
        // past the limit, whatever it said.
        const auto limit = maxBytes + 1;
        size_t total = 0;
        data.resize (juce::jmin (limit, (size_t) juce::jmax ((off_t) 0, info.st_size) + 1));

        for (;;)
        {
            if (total == data.size())
            {
                if (total >= limit)
                    return fail ("the file is larger than " + BoundedXmlReader::describeSize (maxBytes));

                data.resize (juce::jmin (limit, juce::jmax (total * 2, (size_t) 4096)));
            }

            const auto wanted = data.size() - total;
            const auto n = ::read (fd, data.data() + total, wanted);

            if (n < 0 && errno == EINTR)
                continue;

            if (n < 0)
                return fail ("the file cannot be read (" + juce::String (std::strerror (errno)) + ")");

            total += (size_t) n;

            // A regular file gives less than asked only at its end: no read more to learn it.
            if (n == 0 || (size_t) n < wanted)
                break;
        }

        ::close (fd);

        if (stamp != nullptr)
            *stamp = BoundedXmlReader::stampOf (info);

        if (total > maxBytes)
        {
            data.resize (0);
            error = "the file is larger than " + BoundedXmlReader::describeSize (maxBytes);
            return false;
        }

        data.resize (total);
        return true;
    }

    struct MemoryBlockBuffer
    {
        juce::MemoryBlock& block;
        size_t size() const noexcept { return block.getSize(); }
        char* data() const noexcept { return static_cast<char*> (block.getData()); }
        void resize (size_t n) { n == 0 ? block.reset() : block.setSize (n); }
    };

    constexpr int readFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

    /** Opens a name (relative to the folder, or a path with AT_FDCWD) the way readFile does;
        -1 with the reason in error. */
    int openForReading (int folderFd, const char* name, bool listedAsRegular, juce::String& error)
    {
        if (*name == 0)
        {
            error = "the file does not exist";
            return -1;
        }

        // A name listed as a regular file is not a link: opened as such, it is the file listed
        // or, replaced since, something the check after opening refuses.
        int fd = listedAsRegular ? ::openat (folderFd, name, readFlags | O_NOFOLLOW) : -1;

        if (fd < 0)
        {
            struct stat info;

            if (::fstatat (folderFd, name, &info, 0) != 0)
            {
                error = errno == EACCES ? "the file cannot be read (no permission)" : "the file does not exist";
                return -1;
            }

            // Checked before opening: opening a FIFO or a device is not done lightly.
            if (! S_ISREG (info.st_mode))
            {
                error = "not a regular file";
                return -1;
            }

            // Should the name turn into a FIFO after the check, opening it does not wait either.
            fd = ::openat (folderFd, name, readFlags);
        }

        if (fd < 0)
            error = "the file cannot be opened (" + juce::String (std::strerror (errno)) + ")";

        return fd;
    }
}

bool BoundedXmlReader::readFile (const juce::File& file, size_t maxBytes, juce::MemoryBlock& data, juce::String& error,
                                 bool listedAsRegular, FileStamp* stamp)
{
    data.reset();
    const auto fd = openForReading (AT_FDCWD, file.getFullPathName().toRawUTF8(), listedAsRegular, error);
    MemoryBlockBuffer buffer { data };
    return fd >= 0 && readOpened (fd, maxBytes, buffer, error, stamp);
}

bool BoundedXmlReader::readFileIn (int folderFd, const char* name, size_t maxBytes, std::vector<char>& data,
                                   juce::String& error, bool listedAsRegular, FileStamp* stamp)
{
    data.clear();
    const auto fd = openForReading (folderFd, name, listedAsRegular, error);
    return fd >= 0 && readOpened (fd, maxBytes, data, error, stamp);
}

BoundedXmlReader::FileStamp BoundedXmlReader::stampIn (int folderFd, const char* name)
{
    struct stat info;
    return ::fstatat (folderFd, name, &info, 0) == 0 ? stampOf (info) : FileStamp {};
}

bool BoundedXmlReader::hasTag (const juce::XmlElement& element, juce::StringRef tag) noexcept
{
    return element.getTagName() == tag;
}

juce::XmlElement* BoundedXmlReader::findChild (const juce::XmlElement& parent, juce::StringRef tag) noexcept
{
    for (auto* child : parent.getChildIterator())
        if (hasTag (*child, tag))
            return child;

    return nullptr;
}

bool BoundedXmlReader::hasMiscasedChild (const juce::XmlElement& parent, std::initializer_list<const char*> tags)
{
    for (auto* child : parent.getChildIterator())
        for (const auto* tag : tags)
            if (child->getTagName().equalsIgnoreCase (tag) && ! hasTag (*child, tag))
                return true;

    return false;
}

juce::String BoundedXmlReader::check (const juce::String& text, int maxDepth, bool rootOnly)
{
    return XmlWalk (maxDepth).walkDocument (text, rootOnly);
}

const char* BoundedXmlReader::skipMisc (const char* text, const char* end) noexcept
{
    const auto skipPast = [&] (const char* from, const char* terminator) -> const char* {
        const auto length = (std::ptrdiff_t) std::strlen (terminator);

        for (auto* p = from; end - p >= length; ++p)
            if (std::memcmp (p, terminator, (size_t) length) == 0)
                return p + length;

        return nullptr;
    };

    for (;;)
    {
        while (text < end && juce::CharacterFunctions::isWhitespace (*text))
            ++text;

        const char* next = nullptr;

        if (end - text >= 4 && std::memcmp (text, "<!--", 4) == 0)
            next = skipPast (text + 4, "-->");
        else if (end - text >= 2 && text[0] == '<' && text[1] == '?')
            next = skipPast (text + 2, "?>");

        if (next == nullptr)
            return text;

        text = next;
    }
}

bool BoundedXmlReader::holdsNul (const void* data, size_t size) noexcept
{
    const auto* bytes = static_cast<const juce::uint8*> (data);

    if (size == 0)
        return false;

    if (size >= 2 && ((bytes[0] == 0xff && bytes[1] == 0xfe) || (bytes[0] == 0xfe && bytes[1] == 0xff)))
    {
        for (size_t i = 2; i + 1 < size; i += 2)
            if (bytes[i] == 0 && bytes[i + 1] == 0)
                return true;

        return false;
    }

    return std::memchr (bytes, 0, size) != nullptr;
}

std::unique_ptr<juce::XmlElement> BoundedXmlReader::parse (const void* data, size_t size, const Limits& limits,
                                                           juce::String& error, bool rootOnly)
{
    if (size > limits.maxBytes)
    {
        error = "larger than " + describeSize (limits.maxBytes);
        return nullptr;
    }

    // A NUL would end the text early for JUCE, hiding what follows it.
    if (holdsNul (data, size))
    {
        error = nulRefusal;
        return nullptr;
    }

    return parseDecoded (juce::String::createStringFromData (data, (int) size), limits, error, rootOnly);
}

std::unique_ptr<juce::XmlElement> BoundedXmlReader::parse (const juce::String& text, const Limits& limits,
                                                           juce::String& error, bool rootOnly)
{
    const auto bytes = text.getNumBytesAsUTF8();

    if (bytes > limits.maxBytes)
    {
        error = "larger than " + describeSize (limits.maxBytes);
        return nullptr;
    }

    // A string made from bytes that are not UTF-8 could lead JUCE's reader past its end.
    if (! juce::CharPointer_UTF8::isValidString (text.toRawUTF8(), (int) bytes))
        return parse (text.toRawUTF8(), bytes, limits, error, rootOnly);

    return parseDecoded (text, limits, error, rootOnly);
}

std::unique_ptr<juce::XmlElement> BoundedXmlReader::parseDecoded (const juce::String& text, const Limits& limits,
                                                                  juce::String& error, bool rootOnly)
{
    XmlWalk walk (limits.maxDepth);

    if (const auto problem = walk.walkDocument (text, rootOnly); problem.isNotEmpty())
    {
        error = problem;
        return nullptr;
    }

    juce::XmlDocument document (text);
    auto root = document.getDocumentElement (rootOnly);

    if (root == nullptr)
    {
        const auto parseError = document.getLastParseError();
        error = "not an XML document" + (parseError.isNotEmpty() ? " (" + parseError + ")" : juce::String());
    }
    else if (walk.endsInsideRoot())
    {
        // What JUCE took for whole: a file cut by a full disk, a state cut by its host.
        error = "the text ends before its root element is closed";
        root.reset();
    }
    else if (walk.getTrailerProblem().isNotEmpty())
    {
        error = walk.getTrailerProblem();
        root.reset();
    }

    return root;
}

std::unique_ptr<juce::XmlElement> BoundedXmlReader::parseFile (const juce::File& file, const Limits& limits,
                                                               juce::String& error, bool rootOnly)
{
    juce::MemoryBlock data;

    if (! readFile (file, limits.maxBytes, data, error))
        return nullptr;

    return parse (data.getData(), data.getSize(), limits, error, rootOnly);
}
