#pragma once

#include <juce_graphics/juce_graphics.h>

/** A film-strip image: equal frames stacked vertically.

    The frame count comes from the image's file name, the number after its last underscore
    ("Knob_64.png" holds 64 frames). A count below 1, or above the image's height, is corrected
    so that every frame is at least one pixel high. */
class ImageStrip
{
public:
    ImageStrip() = default;
    ImageStrip (const juce::Image& image, int frameCount);

    /** The frame count that a file name announces: 1 when it has none, or a count below 1. */
    static int getFrameCountFromName (const juce::String& fileName);

    /** A strip of the image with the frame count of its file name. */
    static ImageStrip fromNamedImage (const juce::Image& image, const juce::String& fileName);

    bool isValid() const noexcept { return image.isValid(); }
    const juce::Image& getImage() const noexcept { return image; }
    int getFrameWidth() const noexcept { return frameWidth; }
    int getFrameHeight() const noexcept { return frameHeight; }
    int getFrameCount() const noexcept { return frameCount; }

    /** The frame clamped to 0..count-1, as a value 0..1; 0 without an image or with one frame. */
    float frameToValue (int frame) const noexcept;
    /** The frame that shows a value 0..1 (rounded to the nearest frame; 0 without an image). */
    int valueToFrame (float value) const noexcept;
    /** The frame clamped to the strip. */
    int clampFrame (int frame) const noexcept;

    /** Where a frame lies in the image. */
    juce::Rectangle<int> getFrameBounds (int frame) const noexcept;
    /** Draws a frame scaled into the area; nothing without an image. */
    void drawFrame (juce::Graphics& g, int frame, juce::Rectangle<int> area) const;

    bool operator== (const ImageStrip& other) const noexcept;
    bool operator!= (const ImageStrip& other) const noexcept { return ! operator== (other); }

private:
    juce::Image image;
    int frameWidth = 0, frameHeight = 0, frameCount = 1;
};
