#pragma once

#include <juce_core/juce_core.h>

/** An XML file's bytes in the encoding they are in: a byte-order mark (UTF-8, UTF-16 little or
    big endian) or the declaration (UTF-8, ISO-8859-1, Windows-1252) says which; a file that
    declares another encoding, or none and is not UTF-8, is read as JUCE reads files (UTF-8
    when valid, else Windows-1252). Presets stay in their own encoding: an edit changes the
    bytes of one attribute's value, written in the file's encoding (characters the encoding
    cannot hold become character references), and nothing else.

    Any thread: it keeps no state. */
class XmlFileText
{
public:
    enum class Encoding
    {
        utf8,
        utf16LittleEndian,
        utf16BigEndian,
        latin1,   // ISO-8859-1
        windows1252,
        other   // read as JUCE reads it, written in ASCII
    };

    struct Format
    {
        Encoding encoding = Encoding::utf8;
        size_t byteOrderMarkSize = 0;

        size_t unitSize() const noexcept { return isUtf16() ? 2 : 1; }
        bool isUtf16() const noexcept { return encoding == Encoding::utf16LittleEndian || encoding == Encoding::utf16BigEndian; }
    };

    static Format detect (const void* data, size_t size);

    /** The text of the bytes, without the byte-order mark; a NUL ends it, as it ends it for
        every reader. */
    static juce::String decode (const void* data, size_t size);

    /** Makes every line end ("\n", "\r" or "\r\n") a "\r\n", in the text's own code units, in
        one pass. */
    static void normaliseLineEnds (juce::MemoryBlock& data);

    /** Gives the root element's attribute the value: only the bytes between its quotes change
        (an attribute the root lacks is added after its last one). False, the data unchanged,
        when the root's start tag is not plain XML that can be found whole. */
    static bool setRootAttribute (juce::MemoryBlock& data, const char* attributeName, const juce::String& value);
};
