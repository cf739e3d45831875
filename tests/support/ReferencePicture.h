#pragma once

#include <gtest/gtest.h>
#include <juce_graphics/juce_graphics.h>

namespace test
{
    /** Pictures of what the program draws, compared with committed reference pictures.

        A picture matches its reference when both have the same size and at most
        maxDifferentPixels pixels differ by more than channelTolerance levels (of 255) in any
        of red, green and blue: room for rounding differences between builds, none for a moved
        label or a missing line. On a mismatch the picture and a difference image (differing
        pixels red over a faded copy) are written to the differences folder.

        With the environment variable GRINDEL_UPDATE_PICTURES=1 the pictures replace their
        references instead (docs/testing.md). */
    class ReferencePicture
    {
    public:
        static constexpr int channelTolerance = 32;
        static constexpr int maxDifferentPixels = 8;

        ReferencePicture (juce::File referenceFolder, juce::File differencesFolder);

        ::testing::AssertionResult matches (const juce::Image& picture, const juce::String& name) const;

        /** Pixels of b that differ from a by more than the tolerance (sizes must agree). */
        static int countDifferentPixels (const juce::Image& a, const juce::Image& b, juce::Image* difference = nullptr);

        static bool isUpdating();

    private:
        juce::File references, differences;
    };
}
