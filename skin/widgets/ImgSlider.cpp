#include "skin/widgets/ImgSlider.h"
#include "skin/EmbeddedIcons.h"

ImgSlider::ImgSlider (const juce::ValueTree& element, Skin& skin)
    : ImgKnob (element, skin, EmbeddedIconKey::imgSlider)
{
}

ImgSlider::~ImgSlider() = default;

float ImgSlider::getDragDelta (juce::Point<float> movement) const
{
    if (isHorizontal())
        return movement.x / (float) juce::jmax (1, getWidth());

    return -movement.y / (float) juce::jmax (1, getHeight());
}
