#include "core/content/XmlFileText.h"
#include <cstring>
#include <string_view>
#include <vector>

namespace
{
    using Encoding = XmlFileText::Encoding;
    using Format = XmlFileText::Format;

    bool isSpace (juce::uint32 c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    /** The encoding the XML declaration at the start names, in lower case; empty when none (or
        when the declaration does not end, which the reader refuses). Read whole, however long:
        a file is at most Preset::maxFileSize. */
    std::string declaredEncoding (const char* text, size_t size)
    {
        if (size < 6 || std::memcmp (text, "<?xml", 5) != 0 || ! isSpace ((unsigned char) text[5]))
            return {};

        const auto close = std::string_view (text, size).find ("?>");

        if (close == std::string_view::npos)
            return {};

        const std::string_view declaration (text, close);
        auto at = declaration.find ("encoding");

        if (at != std::string_view::npos)
            at = declaration.find_first_not_of (" \t\r\n", at + 8);

        if (at == std::string_view::npos || declaration[at] != '=')
            return {};

        at = declaration.find_first_not_of (" \t\r\n", at + 1);

        if (at == std::string_view::npos || (declaration[at] != '"' && declaration[at] != '\''))
            return {};

        const auto end = declaration.find (declaration[at], at + 1);

        if (end == std::string_view::npos)
            return {};

        auto name = std::string (declaration.substr (at + 1, end - at - 1));

        for (auto& c : name)
            c = (char) juce::CharacterFunctions::toLowerCase ((juce::juce_wchar) (unsigned char) c);

        return name;
    }

    bool isLatin1Name (const std::string& name)
    {
        for (auto* alias : { "iso-8859-1", "iso8859-1", "iso_8859-1", "iso_8859-1:1987", "latin1", "latin-1", "l1",
                             "iso-ir-100", "cp819", "ibm819", "csisolatin1" })
            if (name == alias)
                return true;

        return false;
    }

    bool isValidUtf8 (const char* text, size_t size)
    {
        return size <= (size_t) std::numeric_limits<int>::max() && juce::CharPointer_UTF8::isValidString (text, (int) size);
    }

    /** The code units of the text after its byte-order mark. */
    struct Units
    {
        const juce::uint8* bytes;
        size_t count;
        Format format;

        Units (const void* data, size_t size, Format f)
            : bytes (static_cast<const juce::uint8*> (data) + f.byteOrderMarkSize),
              count ((size - f.byteOrderMarkSize) / f.unitSize()),
              format (f)
        {
        }

        juce::uint32 operator[] (size_t i) const noexcept
        {
            if (! format.isUtf16())
                return bytes[i];

            const auto* p = bytes + 2 * i;
            return format.encoding == Encoding::utf16LittleEndian ? (juce::uint32) (p[0] | (p[1] << 8))
                                                                  : (juce::uint32) ((p[0] << 8) | p[1]);
        }

        size_t byteOffset (size_t unit) const noexcept { return format.byteOrderMarkSize + unit * format.unitSize(); }

        bool matches (size_t at, const char* ascii) const noexcept
        {
            for (; *ascii != 0; ++ascii, ++at)
                if (at >= count || (*this)[at] != (juce::uint32) (unsigned char) *ascii)
                    return false;

            return true;
        }

        /** The first unit past the first occurrence of ascii from at on; npos when none. */
        size_t skipPast (size_t at, const char* ascii) const noexcept
        {
            for (; at < count; ++at)
                if (matches (at, ascii))
                    return at + std::strlen (ascii);

            return std::string::npos;
        }
    };

    /** The unit ending the reference that starts at "&" ("&amp;", "&#38;", "&#x26;"); npos
        when no reference starts there. */
    size_t skipReference (const Units& u, size_t at) noexcept
    {
        const auto isDigit = [] (juce::uint32 c) { return c >= '0' && c <= '9'; };
        const auto isHex = [&] (juce::uint32 c) { return isDigit (c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); };
        const auto isNameChar = [&] (juce::uint32 c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit (c) || c == '_' || c == ':' || c == '.' || c == '-';
        };

        auto end = at + 1;

        if (end < u.count && u[end] == '#')
        {
            const bool hex = ++end < u.count && u[end] == 'x';
            end += hex ? 1 : 0;
            const auto first = end;

            while (end < u.count && (hex ? isHex (u[end]) : isDigit (u[end])))
                ++end;

            return end > first && end < u.count && u[end] == ';' ? end : std::string::npos;
        }

        const auto first = end;

        while (end < u.count && isNameChar (u[end]))
            ++end;

        return end > first && end < u.count && u[end] == ';' ? end : std::string::npos;
    }

    juce::juce_wchar fromWindows1252 (juce::uint8 byte) noexcept
    {
        return juce::CharacterFunctions::getUnicodeCharFromWindows1252Codepage (byte);
    }

    /** The Windows-1252 byte of a character, or 0 when the code page has none. */
    juce::uint8 toWindows1252 (juce::juce_wchar c) noexcept
    {
        if (c < 0x80 || (c >= 0xa0 && c <= 0xff))
            return (juce::uint8) c;

        for (int b = 0x80; b < 0xa0; ++b)
            if (fromWindows1252 ((juce::uint8) b) == c && c >= 0x100)
                return (juce::uint8) b;

        return 0;
    }

    /** Appends the character in the encoding, or as a character reference when it has none. */
    void appendEncoded (juce::MemoryOutputStream& out, juce::juce_wchar c, Encoding encoding)
    {
        const auto reference = [&] { out << "&#x" << juce::String::toHexString ((int) c).toUpperCase() << ";"; };

        switch (encoding)
        {
            case Encoding::utf8:
            {
                char utf8[8] = {};
                juce::CharPointer_UTF8 (utf8).write (c);
                out.write (utf8, std::strlen (utf8));
                return;
            }

            case Encoding::utf16LittleEndian:
            case Encoding::utf16BigEndian:
            {
                juce::uint16 units[2] = { (juce::uint16) c, 0 };
                int numUnits = 1;

                if (c >= 0x10000)
                {
                    units[0] = (juce::uint16) (0xd800 + ((c - 0x10000) >> 10));
                    units[1] = (juce::uint16) (0xdc00 + ((c - 0x10000) & 0x3ff));
                    numUnits = 2;
                }

                for (int i = 0; i < numUnits; ++i)
                {
                    if (encoding == Encoding::utf16LittleEndian)
                        out.writeShort ((short) units[i]);
                    else
                        out.writeShortBigEndian ((short) units[i]);
                }

                return;
            }

            case Encoding::latin1:
                if (c <= 0xff)
                    out.writeByte ((char) c);
                else
                    reference();

                return;

            case Encoding::windows1252:
                if (const auto b = toWindows1252 (c); b != 0)
                    out.writeByte ((char) b);
                else
                    reference();

                return;

            case Encoding::other:
                if (c < 0x80)
                    out.writeByte ((char) c);
                else
                    reference();

                return;
        }
    }

    /** The text in the encoding, each character escaped as an attribute value in those quotes
        needs it. */
    void appendAttributeValue (juce::MemoryOutputStream& out, const juce::String& value, juce::juce_wchar quote, Encoding encoding)
    {
        for (auto c : value)
        {
            const char* escaped = nullptr;

            switch (c)
            {
                case '&': escaped = "&amp;"; break;
                case '<': escaped = "&lt;"; break;
                case '>': escaped = "&gt;"; break;   // as JUCE's writer: a self-closing root's end is found by it
                case '"': escaped = quote == '"' ? "&quot;" : nullptr; break;
                case '\'': escaped = quote == '\'' ? "&apos;" : nullptr; break;
                default: break;
            }

            // White space other than a space would read as a space: kept by reference.
            if (escaped == nullptr && c < 0x20)
            {
                for (auto e : "&#" + juce::String ((int) c) + ";")
                    appendEncoded (out, e, encoding);

                continue;
            }

            if (escaped == nullptr)
            {
                appendEncoded (out, c, encoding);
                continue;
            }

            for (auto* e = escaped; *e != 0; ++e)
                appendEncoded (out, (juce::juce_wchar) *e, encoding);
        }
    }

    void appendAscii (juce::MemoryOutputStream& out, const char* text, Encoding encoding)
    {
        for (; *text != 0; ++text)
            appendEncoded (out, (juce::juce_wchar) (unsigned char) *text, encoding);
    }
}

//==============================================================================
XmlFileText::Format XmlFileText::detect (const void* data, size_t size)
{
    const auto* bytes = static_cast<const juce::uint8*> (data);
    const auto* text = static_cast<const char*> (data);

    if (size >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe)
        return { Encoding::utf16LittleEndian, 2 };

    if (size >= 2 && bytes[0] == 0xfe && bytes[1] == 0xff)
        return { Encoding::utf16BigEndian, 2 };

    if (size >= 3 && bytes[0] == 0xef && bytes[1] == 0xbb && bytes[2] == 0xbf)
        return { isValidUtf8 (text + 3, size - 3) ? Encoding::utf8 : Encoding::other, 3 };

    const auto declared = declaredEncoding (text, size);

    if (isLatin1Name (declared))
        return { Encoding::latin1, 0 };

    if (declared == "windows-1252" || declared == "cp1252" || declared == "x-cp1252")
        return { Encoding::windows1252, 0 };

    if ((declared.empty() || declared == "utf-8" || declared == "utf8") && isValidUtf8 (text, size))
        return { Encoding::utf8, 0 };

    return { Encoding::other, 0 };
}

juce::String XmlFileText::decode (const void* data, size_t size)
{
    if (data == nullptr || size == 0)
        return {};

    const auto format = detect (data, size);
    const auto* text = static_cast<const char*> (data) + format.byteOrderMarkSize;
    const auto length = size - format.byteOrderMarkSize;

    // Both read as JUCE reads files.
    if (format.encoding == Encoding::utf8 || (format.encoding == Encoding::other && isValidUtf8 (text, length)))
        return juce::String (juce::CharPointer_UTF8 (text), juce::CharPointer_UTF8 (text + length));

    const Units units (data, size, format);
    std::vector<juce::juce_wchar> chars;
    chars.reserve (units.count + 1);

    for (size_t i = 0; i < units.count; ++i)
    {
        auto c = (juce::juce_wchar) units[i];

        if (c == 0)
            break;

        if (format.isUtf16() && c >= 0xd800 && c <= 0xdfff)
        {
            // A pair makes one character; a half alone is none.
            const auto next = i + 1 < units.count ? (juce::juce_wchar) units[i + 1] : 0;

            if (c <= 0xdbff && next >= 0xdc00 && next <= 0xdfff)
            {
                c = 0x10000 + ((c - 0xd800) << 10) + (next - 0xdc00);
                ++i;
            }
            else
            {
                c = 0xfffd;
            }
        }
        else if (format.encoding == Encoding::windows1252 || format.encoding == Encoding::other)
        {
            c = fromWindows1252 ((juce::uint8) c);
        }

        chars.push_back (c);
    }

    chars.push_back (0);
    return juce::String (juce::CharPointer_UTF32 (chars.data()));
}

void XmlFileText::normaliseLineEnds (juce::MemoryBlock& data)
{
    const auto format = detect (data.getData(), data.getSize());
    const Units units (data.getData(), data.getSize(), format);
    size_t added = 0;

    for (size_t i = 0; i < units.count; ++i)
    {
        const auto c = units[i];

        if ((c == '\r' && (i + 1 >= units.count || units[i + 1] != '\n')) || (c == '\n' && (i == 0 || units[i - 1] != '\r')))
            ++added;
    }

    if (added == 0)
        return;

    const auto unitSize = format.unitSize();
    const auto* from = static_cast<const char*> (data.getData());
    juce::MemoryBlock result (data.getSize() + added * unitSize);
    auto* to = static_cast<char*> (result.getData());

    // The byte-order mark and a trailing odd byte are copied as they are.
    const auto put = [&] (size_t byteOffset, size_t numBytes) {
        std::memcpy (to, from + byteOffset, numBytes);
        to += numBytes;
    };
    const auto putUnit = [&] (char ascii) {
        const bool littleEndian = format.encoding != Encoding::utf16BigEndian;

        if (unitSize == 2 && ! littleEndian)
            *to++ = 0;

        *to++ = ascii;

        if (unitSize == 2 && littleEndian)
            *to++ = 0;
    };

    put (0, format.byteOrderMarkSize);
    size_t runStart = 0;

    for (size_t i = 0; i < units.count; ++i)
    {
        const auto c = units[i];

        if (c != '\r' && c != '\n')
            continue;

        put (units.byteOffset (runStart), (i - runStart) * unitSize);
        putUnit ('\r');
        putUnit ('\n');

        if (c == '\r' && i + 1 < units.count && units[i + 1] == '\n')
            ++i;

        runStart = i + 1;
    }

    put (units.byteOffset (runStart), data.getSize() - units.byteOffset (runStart));
    jassert (to == static_cast<char*> (result.getData()) + result.getSize());
    data.swapWith (result);
}

bool XmlFileText::setRootAttribute (juce::MemoryBlock& data, const char* attributeName, const juce::String& value)
{
    const auto format = detect (data.getData(), data.getSize());
    const Units u (data.getData(), data.getSize(), format);
    const auto npos = std::string::npos;
    size_t at = 0;

    const auto skipSpace = [&] {
        while (at < u.count && isSpace (u[at]))
            ++at;
    };

    // Past the declaration, instructions, comments and a document type: the root's start tag.
    for (;;)
    {
        skipSpace();

        if (u.matches (at, "<?"))
            at = u.skipPast (at + 2, "?>");
        else if (u.matches (at, "<!--"))
            at = u.skipPast (at + 4, "-->");
        else if (u.matches (at, "<!"))
            at = u.skipPast (at + 2, ">");
        else
            break;

        if (at == npos)
            return false;
    }

    if (at >= u.count || u[at] != '<')
        return false;

    // The root's name, then its attributes up to ">" or "/>".
    for (++at; at < u.count && ! isSpace (u[at]) && u[at] != '>' && u[at] != '/'; ++at)
        if (u[at] == '<' || u[at] == '=' || u[at] == '"' || u[at] == '\'')
            return false;

    size_t valueStart = npos, valueEnd = npos, insertAt = at;
    juce::uint32 quote = '"';

    for (;;)
    {
        const auto beforeSpace = at;
        skipSpace();

        if (at >= u.count)
            return false;

        if (u[at] == '>' || u.matches (at, "/>"))
            break;

        if (at == beforeSpace)
            return false;   // attributes are apart

        const auto nameStart = at;

        while (at < u.count && ! isSpace (u[at]) && u[at] != '=' && u[at] != '>' && u[at] != '/' && u[at] != '<'
               && u[at] != '"' && u[at] != '\'')
            ++at;

        const auto nameEnd = at;
        skipSpace();

        if (nameEnd == nameStart || at >= u.count || u[at] != '=')
            return false;

        ++at;
        skipSpace();

        if (at >= u.count || (u[at] != '"' && u[at] != '\''))
            return false;

        const auto q = u[at++];
        const auto start = at;

        while (at < u.count && u[at] != q && u[at] != '<')
        {
            // A "&" that starts no reference is not XML, and JUCE's reader would look for its
            // end beyond the value: what this change writes there would change how it reads.
            if (u[at] == '&' && (at = skipReference (u, at)) == npos)
                return false;

            ++at;
        }

        if (at >= u.count || u[at] != q)
            return false;

        // The first of equal names counts, as in JUCE's element.
        if (valueStart == npos && nameEnd - nameStart == std::strlen (attributeName) && u.matches (nameStart, attributeName))
        {
            valueStart = start;
            valueEnd = at;
            quote = q;
        }

        insertAt = ++at;
    }

    juce::MemoryOutputStream replacement;
    size_t cutFrom, cutTo;

    if (valueStart != npos)
    {
        appendAttributeValue (replacement, value, (juce::juce_wchar) quote, format.encoding);
        cutFrom = u.byteOffset (valueStart);
        cutTo = u.byteOffset (valueEnd);
    }
    else
    {
        appendAscii (replacement, " ", format.encoding);
        appendAscii (replacement, attributeName, format.encoding);
        appendAscii (replacement, "=\"", format.encoding);
        appendAttributeValue (replacement, value, '"', format.encoding);
        appendAscii (replacement, "\"", format.encoding);
        cutFrom = cutTo = u.byteOffset (insertAt);
    }

    const auto* bytes = static_cast<const char*> (data.getData());
    juce::MemoryBlock result (data.getSize() - (cutTo - cutFrom) + replacement.getDataSize());
    auto* to = static_cast<char*> (result.getData());
    std::memcpy (to, bytes, cutFrom);
    std::memcpy (to + cutFrom, replacement.getData(), replacement.getDataSize());
    std::memcpy (to + cutFrom + replacement.getDataSize(), bytes + cutTo, data.getSize() - cutTo);
    data.swapWith (result);
    return true;
}
