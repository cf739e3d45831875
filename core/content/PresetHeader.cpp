#include "core/content/PresetHeader.h"
#include "core/content/Preset.h"
#include <cstring>

namespace
{
    // Only the white space every reader agrees on; anything else goes to the full reader.
    bool isSpace (char c) noexcept { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }
    bool isLetter (char c) noexcept { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
    bool isNameStart (char c) noexcept { return isLetter (c) || c == '_' || c == ':'; }
    bool isNameChar (char c) noexcept { return isNameStart (c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

    const char* find (const char* from, const char* end, const char* what) noexcept
    {
        const auto length = std::strlen (what);

        for (auto* p = from; end - p >= (std::ptrdiff_t) length; ++p)
        {
            p = static_cast<const char*> (std::memchr (p, what[0], (size_t) (end - p)));

            if (p == nullptr || end - p < (std::ptrdiff_t) length)
                return nullptr;

            if (std::memcmp (p, what, length) == 0)
                return p;
        }

        return nullptr;
    }

    /** Whether an XML declaration names no encoding or UTF-8 (in any letter case). */
    bool declaresUtf8 (const char* declaration, const char* end) noexcept
    {
        const auto* p = find (declaration, end, "encoding");

        if (p == nullptr)
            return true;

        for (p += 8; p < end && (isSpace (*p) || *p == '='); ++p)
        {
        }

        if (end - p < 7 || (*p != '"' && *p != '\'') || p[6] != *p)
            return false;

        for (int i = 0; i < 5; ++i)
            if ((p[1 + i] | (isLetter (p[1 + i]) ? 0x20 : 0)) != "utf-8"[i])
                return false;

        return true;
    }

    /** A quoted value from after its opening quote to its closing one, with the five named
        entities in the lower case that JUCE's writer uses; null when it holds anything else.
        validUtf8 tells, when first asked, whether the whole text is UTF-8. */
    template <typename Utf8Check>
    const char* readValue (const char* p, const char* end, char quote, juce::String* out, Utf8Check&& validUtf8)
    {
        std::string text;
        auto* runStart = p;

        for (; p < end; ++p)
        {
            const auto c = *p;

            if (c == quote)
            {
                if (out != nullptr)
                    *out = text.empty() ? juce::String::fromUTF8 (runStart, (int) (p - runStart))
                                        : juce::String::fromUTF8 (text.append (runStart, p).c_str());

                return p + 1;
            }

            // Bytes that are not UTF-8 are read as Windows-1252: only the full reader decodes them.
            if ((unsigned char) c >= 0x80)
            {
                if (! validUtf8())
                    return nullptr;

                continue;
            }

            if (c != '&')
                continue;

            text.append (runStart, p);
            static constexpr struct
            {
                const char* name;
                char value;
            } entities[] = {
                { "amp;", '&' }, { "quot;", '"' }, { "apos;", '\'' }, { "lt;", '<' }, { "gt;", '>' }
            };
            bool known = false;

            for (const auto& entity : entities)
            {
                const auto length = (std::ptrdiff_t) std::strlen (entity.name);

                if (end - (p + 1) >= length && std::memcmp (p + 1, entity.name, (size_t) length) == 0)
                {
                    text.push_back (entity.value);
                    p += length;
                    known = true;
                    break;
                }
            }

            if (! known)
                return nullptr;

            runStart = p + 1;
        }

        return nullptr;
    }

    /** From after a "&" in a value: its ";" when a reference starts there that JUCE reads to
        that ";" (it reads others on past the value's quote); null otherwise. */
    const char* skipReference (const char* p, const char* end) noexcept
    {
        for (const auto* named : { "amp;", "quot;", "apos;", "lt;", "gt;" })
            if (const auto length = (std::ptrdiff_t) std::strlen (named); end - p >= length && std::memcmp (p, named, (size_t) length) == 0)
                return p + length - 1;

        if (p == end || *p != '#')
            return nullptr;

        const bool hex = ++p < end && *p == 'x';
        const auto* first = p += hex ? 1 : 0;

        while (p < end && ((*p >= '0' && *p <= '9') || (hex && ((*p >= 'a' && *p <= 'f') || (*p >= 'A' && *p <= 'F')))))
            ++p;

        const auto digits = p - first;
        return digits > 0 && digits <= (hex ? 8 : 12) && p < end && *p == ';' ? p : nullptr;
    }

    // From the end of an attribute's name to its value's opening quote (white space, '=',
    // white space); nullptr when anything else stands there.
    const char* skipToValueQuote (const char* p, const char* end) noexcept
    {
        while (p < end && isSpace (*p))
            ++p;

        if (p == end || *p != '=')
            return nullptr;

        ++p;

        while (p < end && isSpace (*p))
            ++p;

        return p == end || (*p != '"' && *p != '\'') ? nullptr : p;
    }

    /** The root's body from after its start tag, as our writer writes it (elements with quoted
        values, white space between them): the end of the root's closing tag, read as JUCE
        reads it; null for anything else (text, comments, CDATA, instructions). */
    const char* skipPlainBody (const char* p, const char* end) noexcept
    {
        for (size_t open = 1;;)
        {
            while (p < end && isSpace (*p))
                ++p;

            if (end - p < 2 || *p != '<')
                return nullptr;

            if (p[1] == '/')
            {
                p = static_cast<const char*> (std::memchr (p, '>', (size_t) (end - p)));

                if (p == nullptr)
                    return nullptr;

                ++p;

                if (--open == 0)
                    return p;

                continue;
            }

            if (! isNameStart (*++p))
                return nullptr;

            while (p < end && isNameChar (*p))
                ++p;

            for (;;)
            {
                const auto* beforeSpace = p;

                while (p < end && isSpace (*p))
                    ++p;

                if (p == end)
                    return nullptr;

                if (*p == '>' || (*p == '/' && end - p >= 2 && p[1] == '>'))
                {
                    open += *p == '>' ? 1 : 0;
                    p += *p == '>' ? 1 : 2;
                    break;
                }

                if (p == beforeSpace || ! isNameStart (*p))
                    return nullptr;

                while (p < end && isNameChar (*p))
                    ++p;

                if ((p = skipToValueQuote (p, end)) == nullptr)
                    return nullptr;

                const auto quote = *p++;

                for (; p < end && *p != quote; ++p)
                    if (*p == '&' && (p = skipReference (p + 1, end)) == nullptr)
                        return nullptr;

                if (p == end)
                    return nullptr;

                ++p;
            }
        }
    }
}

bool PresetHeader::readDirect (const char* data, size_t size, PresetHeader& header)
{
    if (readStartTag (data, size, header))
        return true;

    header = {};
    return false;
}

bool PresetHeader::readStartTag (const char* data, size_t size, PresetHeader& header)
{
    header = {};
    static constexpr char closing[] = "</Preset>";
    constexpr auto closingLength = (std::ptrdiff_t) sizeof (closing) - 1;

    if (size < 16 || size > (size_t) Preset::maxFileSize)
        return false;

    const auto* p = data;
    const auto* end = data + size;

    // Complete: the closed root ends the text (but for comments and instructions after it).
    auto* last = Preset::endOfRoot (p, end);

    if (last - p < closingLength || std::memcmp (last - closingLength, closing, (size_t) closingLength) != 0)
        return false;

    // A NUL ends the text early for every reader.
    if (std::memchr (data, 0, size) != nullptr)
        return false;

    // Before the root: white space, instructions (the XML declaration) and comments.
    for (;;)
    {
        while (p < end && isSpace (*p))
            ++p;

        if (end - p < 4 || *p != '<')
            return false;

        if (p[1] == '?')
        {
            const auto* declaration = p;
            p = find (p + 2, end, "?>");

            // Another encoding than UTF-8 is the full reader's to decode.
            if (p != nullptr && declaration == data && std::memcmp (data, "<?xml", 5) == 0 && ! declaresUtf8 (data, p))
                return false;
        }
        else if (p[1] == '!' && p[2] == '-' && p[3] == '-')
            p = find (p + 4, end, "-->");
        else
            break;

        if (p == nullptr)
            return false;

        p += p[0] == '?' ? 2 : 3;
    }

    static constexpr char opening[] = "<Preset";
    constexpr auto openingLength = (std::ptrdiff_t) sizeof (opening) - 1;

    if (end - p <= openingLength || std::memcmp (p, opening, (size_t) openingLength) != 0 || ! isSpace (p[openingLength]))
        return false;

    p += openingLength;
    bool haveApplication = false, haveTags = false;
    int utf8 = -1;   // not known yet
    const auto validUtf8 = [&] {
        if (utf8 < 0)
            utf8 = juce::CharPointer_UTF8::isValidString (data, (int) size) ? 1 : 0;

        return utf8 == 1;
    };

    for (;;)
    {
        while (p < end && isSpace (*p))
            ++p;

        if (p == end)
            return false;

        if (*p == '>')
            break;

        if (! isNameStart (*p))
            return false;

        const auto* name = p;

        while (p < end && isNameChar (*p))
            ++p;

        const auto nameLength = p - name;

        if ((p = skipToValueQuote (p, end)) == nullptr)
            return false;

        // The first of equal names counts, as in JUCE's element.
        juce::String* target = nullptr;

        if (nameLength == 11 && std::memcmp (name, "application", 11) == 0 && ! haveApplication)
            target = &header.application, haveApplication = true;
        else if (nameLength == 4 && std::memcmp (name, "tags", 4) == 0 && ! haveTags)
            target = &header.tags, haveTags = true;

        p = readValue (p + 1, end, *p, target, validUtf8);

        if (p == nullptr)
            return false;
    }

    // Only white space, comments and instructions may follow the root: found where it ends.
    p = skipPlainBody (p + 1, end);
    return p != nullptr && BoundedXmlReader::skipMisc (p, end) == end;
}

bool PresetHeader::read (const char* data, size_t size, PresetHeader& header, juce::String& error)
{
    if (readDirect (data, size, header))
        return true;

    const auto root = Preset::readRootElement (data, size, true, error);

    if (root == nullptr)
    {
        header = {};
        return false;
    }

    header.application = root->getStringAttribute ("application");
    header.tags = root->getStringAttribute ("tags");
    return true;
}
