#pragma once

#include "skin/AnimatedComponent.h"
#include "skin/ImageStrip.h"

/** Mix-in of widgets that show one frame of an image strip. The widget repaints in
    stripFrameChanged, which is called only when the shown frame changes. */
class ImageStripComponent : public AnimatedComponent
{
public:
    ImageStripComponent() = default;

    void setImageStrip (const ImageStrip& newStrip);
    const ImageStrip& getImageStrip() const noexcept { return strip; }

    /** Shows the frame nearest to a value 0..1 (clamped; NaN shows frame 0). */
    void setValue (float value);

    /** Message thread (the shared action timer too, when an action ends). */
    bool setFrame (int newFrame) override;
    int getNumFrames() const override { return strip.getFrameCount(); }

    /** Draws the shown frame into the area. */
    void drawCurrentFrame (juce::Graphics& g, juce::Rectangle<int> area) const;

protected:
    virtual void stripFrameChanged() {}

    ImageStrip strip;
};
