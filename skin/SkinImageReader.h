#pragma once

#include <juce_graphics/juce_graphics.h>

/** Decodes a skin's PNG images.

    JUCE's PNG loader, built against the system's libpng, does not survive libpng's error
    path: one damaged chunk or a short image stream brings down the host. So skin images are
    decoded here, with libpng and an error handler that returns to us, which checks and
    decodes in one pass. Too large images are refused. Other formats are not read. */
class SkinImageReader
{
public:
    static constexpr juce::uint32 maxSide = 65535;
    static constexpr juce::int64 maxPixels = 32 * 1024 * 1024;

    /** The decoded image, or a null image when the data is not a sound PNG. */
    static juce::Image decode (const void* data, size_t size);

    /** Whether the data is a PNG that decodes without an error. */
    static bool isSoundPng (const void* data, size_t size);
};
