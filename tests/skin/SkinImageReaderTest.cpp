// Damaged and hostile PNG data must give a null image, never reach libpng's error path.

#include "SkinTestPackage.h"
#include "skin/SkinImageReader.h"
#include <gtest/gtest.h>

namespace
{
    juce::uint32 crcOf (const juce::MemoryBlock& typeAndBody)
    {
        juce::uint32 c = 0xFFFFFFFFu;

        for (size_t i = 0; i < typeAndBody.getSize(); ++i)
        {
            c ^= (juce::uint8) typeAndBody[i];

            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }

        return c ^ 0xFFFFFFFFu;
    }

    void chunk (juce::MemoryOutputStream& out, const char* type, const juce::MemoryBlock& body)
    {
        juce::MemoryBlock typeAndBody (type, 4);
        typeAndBody.append (body.getData(), body.getSize());
        out.writeIntBigEndian ((int) body.getSize());
        out.write (typeAndBody.getData(), typeAndBody.getSize());
        out.writeIntBigEndian ((int) crcOf (typeAndBody));
    }

    /** A 2 x 2 RGB PNG, well formed except for what the arguments change. */
    juce::MemoryBlock handMadePng (juce::uint8 filter, int rowsWritten, int width = 2)
    {
        juce::MemoryOutputStream header;
        header.writeIntBigEndian (width);
        header.writeIntBigEndian (2);
        for (juce::uint8 b : { 8, 2, 0, 0, 0 })
            header.writeByte ((char) b);

        juce::MemoryOutputStream compressed;
        {
            juce::GZIPCompressorOutputStream zip (compressed, 9);

            for (int row = 0; row < rowsWritten; ++row)
            {
                zip.writeByte ((char) filter);
                for (int i = 0; i < 6; ++i)
                    zip.writeByte ((char) (40 * i));
            }
        }

        juce::MemoryOutputStream png;
        png.write ("\x89PNG\r\n\x1a\n", 8);
        chunk (png, "IHDR", header.getMemoryBlock());
        chunk (png, "IDAT", compressed.getMemoryBlock());
        chunk (png, "IEND", {});
        return png.getMemoryBlock();
    }
}

TEST (SkinImageReader, DecodesSoundImagesOnly)
{
    const auto good = test::SkinTestPackage::png (12, 8, 3);
    const auto image = SkinImageReader::decode (good.getData(), good.getSize());
    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (image.getWidth(), 12);
    EXPECT_EQ (image.getHeight(), 24);

    const auto handMade = handMadePng (0, 2);
    EXPECT_TRUE (SkinImageReader::decode (handMade.getData(), handMade.getSize()).isValid());

    // Every truncation and every flipped byte of a real image is refused or decoded, never fatal.
    for (size_t cut = 0; cut < good.getSize(); cut += 7)
        EXPECT_FALSE (SkinImageReader::decode (good.getData(), cut).isValid()) << cut;

    for (size_t i = 0; i < good.getSize(); ++i)
    {
        auto damaged = good;
        static_cast<juce::uint8*> (damaged.getData())[i] ^= 0x5A;
        SkinImageReader::decode (damaged.getData(), damaged.getSize());
    }
}

TEST (SkinImageReader, RefusesWhatLibpngWouldFailOn)
{
    const auto badFilter = handMadePng (7, 2);
    EXPECT_FALSE (SkinImageReader::isSoundPng (badFilter.getData(), badFilter.getSize()));

    const auto shortStream = handMadePng (0, 1);
    EXPECT_FALSE (SkinImageReader::isSoundPng (shortStream.getData(), shortStream.getSize()));

    const auto zeroWidth = handMadePng (0, 2, 0);
    EXPECT_FALSE (SkinImageReader::isSoundPng (zeroWidth.getData(), zeroWidth.getSize()));

    const auto enormous = handMadePng (0, 2, 1 << 20);
    EXPECT_FALSE (SkinImageReader::isSoundPng (enormous.getData(), enormous.getSize()));

    const juce::String notPng ("GIF89a this is something else");
    EXPECT_FALSE (SkinImageReader::decode (notPng.toRawUTF8(), notPng.getNumBytesAsUTF8()).isValid());
    EXPECT_FALSE (SkinImageReader::decode (nullptr, 0).isValid());
}
