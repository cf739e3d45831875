#pragma once

#include <juce_graphics/juce_graphics.h>

/** Decodes a skin's PNG images after checking them completely.

    JUCE's PNG loader, built against the system's libpng, does not survive libpng's error
    path: one damaged critical chunk or a short image stream brings down the host. So every
    image is checked first (chunk order and CRCs, header values, palette, the whole
    compressed stream and every row's filter byte) and decoded only when libpng will not fail
    on it. Too large images are refused too. Other formats are not read. */
class SkinImageReader
{
public:
    static constexpr juce::int64 maxSide = 65535;
    static constexpr juce::int64 maxPixels = 32 * 1024 * 1024;

    /** The decoded image, or a null image when the data is not a sound PNG. */
    static juce::Image decode (const void* data, size_t size);

    /** Whether the data is a PNG that decodes without a libpng error. */
    static bool isSoundPng (const void* data, size_t size);
};
