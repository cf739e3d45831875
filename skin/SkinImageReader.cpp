#include "skin/SkinImageReader.h"
#include <csetjmp>
#include <cstring>
#include <png.h>

namespace
{
    struct MemoryInput
    {
        const png_byte* data;
        size_t size, position = 0;
    };

    // Everything that must survive libpng's error jump lives here, outside the function that
    // calls setjmp, so nothing is left half-built or leaked when a damaged image jumps out.
    struct Decoding
    {
        std::jmp_buf errorJump;
        MemoryInput input;
        png_uint_32 width = 0, height = 0;
        bool hasAlpha = false;
        juce::HeapBlock<png_byte> pixels;
        juce::HeapBlock<png_bytep> rows;
    };

    void onError (png_structp png, png_const_charp)
    {
        std::longjmp (static_cast<Decoding*> (png_get_error_ptr (png))->errorJump, 1);
    }

    void onWarning (png_structp, png_const_charp) {}

    void onRead (png_structp png, png_bytep out, png_size_t length)
    {
        auto& in = static_cast<Decoding*> (png_get_io_ptr (png))->input;

        if (length > in.size - in.position)
            png_error (png, "image data ends early");

        std::memcpy (out, in.data + in.position, length);
        in.position += length;
    }

    // Reads the whole image, checks included: every CRC, the compressed stream to its end and
    // the chunks after it. False when anything is wrong.
    bool readPng (png_structp png, png_infop info, Decoding& d)
    {
        if (setjmp (d.errorJump) != 0)
            return false;

        png_set_read_fn (png, &d, onRead);
        png_set_user_limits (png, SkinImageReader::maxSide, SkinImageReader::maxSide);
        png_set_crc_action (png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
        png_read_info (png, info);

        int bitDepth = 0, colourType = 0;
        png_get_IHDR (png, info, &d.width, &d.height, &bitDepth, &colourType, nullptr, nullptr, nullptr);

        if ((juce::int64) d.width * d.height > SkinImageReader::maxPixels)
            return false;

        d.hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid (png, info, PNG_INFO_tRNS) != 0;

        if (bitDepth == 16)
            png_set_strip_16 (png);

        if (colourType == PNG_COLOR_TYPE_PALETTE || bitDepth < 8 || png_get_valid (png, info, PNG_INFO_tRNS))
            png_set_expand (png);

        if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
            png_set_gray_to_rgb (png);

        png_set_add_alpha (png, 0xff, PNG_FILLER_AFTER);
        png_set_interlace_handling (png);
        png_read_update_info (png, info);

        if (png_get_rowbytes (png, info) != (size_t) d.width * 4)
            return false;

        d.pixels.malloc ((size_t) d.width * d.height * 4);
        d.rows.malloc (d.height);

        for (png_uint_32 y = 0; y < d.height; ++y)
            d.rows[y] = d.pixels + (size_t) y * d.width * 4;

        png_read_image (png, d.rows);
        png_read_end (png, nullptr);
        return true;
    }

    juce::Image toImage (const Decoding& d)
    {
        juce::Image image (d.hasAlpha ? juce::Image::ARGB : juce::Image::RGB, (int) d.width, (int) d.height, false);
        const juce::Image::BitmapData out (image, juce::Image::BitmapData::writeOnly);

        for (int y = 0; y < (int) d.height; ++y)
        {
            const png_byte* src = d.rows[y];
            auto* dest = out.getLinePointer (y);

            for (int x = 0; x < (int) d.width; ++x, src += 4, dest += out.pixelStride)
            {
                if (d.hasAlpha)
                {
                    auto* pixel = reinterpret_cast<juce::PixelARGB*> (dest);
                    pixel->setARGB (src[3], src[0], src[1], src[2]);
                    pixel->premultiply();
                }
                else
                {
                    reinterpret_cast<juce::PixelRGB*> (dest)->setARGB (0xff, src[0], src[1], src[2]);
                }
            }
        }

        return image;
    }

    bool decodeInto (const void* data, size_t size, Decoding& d)
    {
        if (data == nullptr || size < 8 || png_sig_cmp (static_cast<png_const_bytep> (data), 0, 8) != 0)
            return false;

        d.input = { static_cast<const png_byte*> (data), size };

        auto png = png_create_read_struct (PNG_LIBPNG_VER_STRING, &d, onError, onWarning);

        if (png == nullptr)
            return false;

        auto info = png_create_info_struct (png);
        const bool ok = info != nullptr && readPng (png, info, d);
        png_destroy_read_struct (&png, info != nullptr ? &info : nullptr, nullptr);
        return ok;
    }
}

bool SkinImageReader::isSoundPng (const void* data, size_t size)
{
    Decoding d;
    return decodeInto (data, size, d);
}

juce::Image SkinImageReader::decode (const void* data, size_t size)
{
    Decoding d;
    return decodeInto (data, size, d) ? toImage (d) : juce::Image();
}
