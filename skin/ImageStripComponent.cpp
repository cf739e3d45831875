#include "skin/ImageStripComponent.h"

void ImageStripComponent::setImageStrip (const ImageStrip& newStrip)
{
    if (strip == newStrip)
        return;

    strip = newStrip;
    frame = strip.clampFrame (frame);
    stripFrameChanged();
}

void ImageStripComponent::setValue (float value)
{
    // setFrame repaints when the frame changes.
    setRestingFrame (strip.valueToFrame (value));
}

bool ImageStripComponent::setFrame (int newFrame)
{
    if (! AnimatedComponent::setFrame (newFrame))
        return false;

    stripFrameChanged();
    return true;
}

void ImageStripComponent::drawCurrentFrame (juce::Graphics& g, juce::Rectangle<int> area) const
{
    strip.drawFrame (g, frame, area);
}
