#include "skin/ImageStrip.h"
#include <cmath>

ImageStrip::ImageStrip (const juce::Image& im, int count)
    : image (im)
{
    if (! image.isValid())
    {
        image = {};
        return;
    }

    // More frames than pixel rows would give empty frames and a zero frame height.
    frameCount = juce::jlimit (1, juce::jmax (1, image.getHeight()), count);
    frameWidth = image.getWidth();
    frameHeight = image.getHeight() / frameCount;
}

int ImageStrip::getFrameCountFromName (const juce::String& fileName)
{
    const auto stem = juce::File::createFileWithoutCheckingPath (fileName.replaceCharacter ('\\', '/'))
                          .getFileNameWithoutExtension();
    const int underscore = stem.lastIndexOfChar ('_');

    if (underscore < 0)
        return 1;

    const auto digits = stem.substring (underscore + 1);

    if (digits.isEmpty() || ! digits.containsOnly ("0123456789"))
        return 1;

    // A long run of digits must not overflow into a negative count.
    if (digits.length() > 6)
        return 1;

    return juce::jmax (1, digits.getIntValue());
}

ImageStrip ImageStrip::fromNamedImage (const juce::Image& im, const juce::String& fileName)
{
    return ImageStrip (im, getFrameCountFromName (fileName));
}

int ImageStrip::clampFrame (int frame) const noexcept
{
    return juce::jlimit (0, juce::jmax (0, frameCount - 1), frame);
}

float ImageStrip::frameToValue (int frame) const noexcept
{
    if (! isValid() || frameCount < 2)
        return 0.0f;

    return (float) clampFrame (frame) / (float) (frameCount - 1);
}

int ImageStrip::valueToFrame (float value) const noexcept
{
    if (! isValid() || std::isnan (value))
        return 0;

    const float v = juce::jlimit (0.0f, 1.0f, value);
    return clampFrame ((int) std::floor (v * (float) (frameCount - 1) + 0.5f));
}

juce::Rectangle<int> ImageStrip::getFrameBounds (int frame) const noexcept
{
    if (! isValid())
        return {};

    return { 0, clampFrame (frame) * frameHeight, frameWidth, frameHeight };
}

void ImageStrip::drawFrame (juce::Graphics& g, int frame, juce::Rectangle<int> area) const
{
    if (! isValid() || area.isEmpty())
        return;

    const auto source = getFrameBounds (frame);
    g.drawImage (image, area.getX(), area.getY(), area.getWidth(), area.getHeight(),
                 source.getX(), source.getY(), source.getWidth(), source.getHeight());
}

bool ImageStrip::operator== (const ImageStrip& other) const noexcept
{
    return image == other.image && frameCount == other.frameCount
        && frameWidth == other.frameWidth && frameHeight == other.frameHeight;
}
