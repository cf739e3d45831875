#include "skin/SkinImageReader.h"
#include <array>

namespace
{
    juce::uint32 readBig32 (const juce::uint8* p)
    {
        return ((juce::uint32) p[0] << 24) | ((juce::uint32) p[1] << 16) | ((juce::uint32) p[2] << 8) | p[3];
    }

    juce::uint32 crc32 (const juce::uint8* p, size_t n)
    {
        static const auto table = []
        {
            std::array<juce::uint32, 256> t {};

            for (juce::uint32 i = 0; i < 256; ++i)
            {
                juce::uint32 c = i;

                for (int k = 0; k < 8; ++k)
                    c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;

                t[i] = c;
            }

            return t;
        }();

        juce::uint32 c = 0xFFFFFFFFu;

        for (size_t i = 0; i < n; ++i)
            c = table[(c ^ p[i]) & 0xFF] ^ (c >> 8);

        return c ^ 0xFFFFFFFFu;
    }

    int channelsOf (int colourType)
    {
        switch (colourType)
        {
            case 0: return 1;
            case 2: return 3;
            case 3: return 1;
            case 4: return 2;
            case 6: return 4;
            default: return 0;
        }
    }

    bool isAllowedDepth (int colourType, int depth)
    {
        switch (colourType)
        {
            case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
            case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
            case 2: case 4: case 6: return depth == 8 || depth == 16;
            default: return false;
        }
    }

    struct Pass { juce::int64 width, height; };

    /** The sub-images the rows come in: one, or the seven of Adam7 interlacing. */
    juce::Array<Pass> passesOf (juce::int64 w, juce::int64 h, bool interlaced)
    {
        juce::Array<Pass> passes;

        if (! interlaced)
        {
            passes.add ({ w, h });
            return passes;
        }

        const int starts[7][4] = { { 0, 0, 8, 8 }, { 4, 0, 8, 8 }, { 0, 4, 4, 8 }, { 2, 0, 4, 4 },
                                   { 0, 2, 2, 4 }, { 1, 0, 2, 2 }, { 0, 1, 1, 2 } };

        for (const auto& s : starts)
        {
            const juce::int64 pw = (w - s[0] + s[2] - 1) / s[2];
            const juce::int64 ph = (h - s[1] + s[3] - 1) / s[3];

            if (pw > 0 && ph > 0)
                passes.add ({ pw, ph });
        }

        return passes;
    }
}

bool SkinImageReader::isSoundPng (const void* data, size_t size)
{
    static const juce::uint8 signature[8] = { 0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A };
    const auto* bytes = static_cast<const juce::uint8*> (data);

    if (bytes == nullptr || size < 8 || memcmp (bytes, signature, 8) != 0)
        return false;

    juce::int64 width = 0, height = 0;
    int depth = 0, colourType = -1;
    bool interlaced = false, seenHeader = false, seenPalette = false, seenData = false, dataEnded = false;
    juce::MemoryOutputStream compressed;

    for (size_t pos = 8;;)
    {
        if (size - pos < 12)
            return false;

        const juce::uint32 length = readBig32 (bytes + pos);

        if (length > 0x7FFFFFFFu || (size_t) length > size - pos - 12)
            return false;

        const auto* type = bytes + pos + 4;
        const auto* body = bytes + pos + 8;

        // libpng fails on chunk names that are not letters; a damaged chunk is refused
        // whether or not libpng would only have warned.
        for (int i = 0; i < 4; ++i)
            if (! juce::CharacterFunctions::isLetter ((char) type[i]))
                return false;

        if (crc32 (type, (size_t) length + 4) != readBig32 (body + length))
            return false;

        const juce::String name ((const char*) type, 4);
        pos += 12 + (size_t) length;

        if (! seenHeader && name != "IHDR")
            return false;

        if (seenData && name != "IDAT")
            dataEnded = true;

        if (name == "IHDR")
        {
            if (seenHeader || length != 13)
                return false;

            seenHeader = true;
            width = readBig32 (body);
            height = readBig32 (body + 4);
            depth = body[8];
            colourType = body[9];
            interlaced = body[12] == 1;

            if (width < 1 || height < 1 || width > maxSide || height > maxSide || width * height > maxPixels
                || ! isAllowedDepth (colourType, depth) || body[10] != 0 || body[11] != 0 || body[12] > 1)
                return false;
        }
        else if (name == "PLTE")
        {
            if (seenData || seenPalette || length == 0 || length % 3 != 0 || length / 3 > 256
                || colourType == 0 || colourType == 4)
                return false;

            seenPalette = true;
        }
        else if (name == "IDAT")
        {
            if (dataEnded || (colourType == 3 && ! seenPalette))
                return false;

            seenData = true;
            compressed.write (body, length);
        }
        else if (name == "IEND")
        {
            if (! seenData)
                return false;

            break;
        }
        else if ((type[0] & 0x20) == 0)
        {
            // An unknown critical chunk.
            return false;
        }
    }

    // The image stream must inflate to exactly the rows the header announces, each with a
    // known filter.
    const auto passes = passesOf (width, height, interlaced);
    const juce::int64 bitsPerPixel = (juce::int64) channelsOf (colourType) * depth;
    juce::int64 expected = 0;

    for (const auto& p : passes)
        expected += p.height * (1 + (p.width * bitsPerPixel + 7) / 8);

    juce::MemoryInputStream source (compressed.getData(), compressed.getDataSize(), false);
    juce::GZIPDecompressorInputStream inflater (&source, false, juce::GZIPDecompressorInputStream::zlibFormat);
    juce::MemoryBlock rows;

    if (inflater.readIntoMemoryBlock (rows, (ssize_t) expected) != (size_t) expected)
        return false;

    const auto* r = static_cast<const juce::uint8*> (rows.getData());

    for (const auto& p : passes)
    {
        const juce::int64 rowBytes = 1 + (p.width * bitsPerPixel + 7) / 8;

        for (juce::int64 y = 0; y < p.height; ++y, r += rowBytes)
            if (*r > 4)
                return false;
    }

    return true;
}

juce::Image SkinImageReader::decode (const void* data, size_t size)
{
    if (! isSoundPng (data, size))
        return {};

    juce::MemoryInputStream stream (data, size, false);
    return juce::PNGImageFormat().decodeImage (stream);
}
