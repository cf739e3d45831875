#pragma once

#include "skin/widgets/ImgKnob.h"

/** A linear fader drawn from its image strip: horizontal when wider than high, else vertical.
    Dragging along its length over the whole length covers the whole range (up and right
    raise it); the fine mode and the wheel work as on a knob. */
class ImgSlider : public ImgKnob
{
public:
    ImgSlider (const juce::ValueTree& element, Skin& skin);
    ~ImgSlider() override;

    bool isHorizontal() const noexcept { return getWidth() > getHeight(); }

protected:
    float getDragDelta (juce::Point<float> movement) const override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImgSlider)
};
