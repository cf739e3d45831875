#include "skin/DefaultSliderLAF.h"

DefaultSliderLAF::DefaultSliderLAF()
{
    setColour (juce::Slider::backgroundColourId, juce::Colour (0xFF404040));
    setColour (juce::Slider::thumbColourId, juce::Colour (0xFFE0E0E0));
    setColour (juce::Slider::trackColourId, juce::Colour (0xFFEB6E2A));
}

DefaultSliderLAF::~DefaultSliderLAF() = default;

void DefaultSliderLAF::drawLinearSliderBackground (juce::Graphics& g, int x, int y, int width, int height,
                                                   float sliderPos, float, float,
                                                   juce::Slider::SliderStyle style, juce::Slider& slider)
{
    const bool horizontal = slider.isHorizontal();
    const auto thickness = 4.0f;
    juce::Rectangle<float> track;

    if (horizontal)
        track = { (float) x, (float) y + ((float) height - thickness) / 2.0f, (float) width, thickness };
    else
        track = { (float) x + ((float) width - thickness) / 2.0f, (float) y, thickness, (float) height };

    g.setColour (slider.findColour (juce::Slider::backgroundColourId));
    g.fillRoundedRectangle (track, thickness / 2.0f);

    if (style == juce::Slider::LinearBar || style == juce::Slider::LinearBarVertical)
        return;

    // The filled part runs from the start of the range to the thumb.
    auto filled = horizontal ? track.withRight (sliderPos) : track.withTop (sliderPos);
    g.setColour (slider.findColour (juce::Slider::trackColourId));
    g.fillRoundedRectangle (filled, thickness / 2.0f);
}

void DefaultSliderLAF::drawLinearSliderThumb (juce::Graphics& g, int x, int y, int width, int height,
                                              float sliderPos, float, float,
                                              juce::Slider::SliderStyle, juce::Slider& slider)
{
    const auto radius = (float) getSliderThumbRadius (slider);
    const auto centre = slider.isHorizontal()
        ? juce::Point<float> (sliderPos, (float) y + (float) height / 2.0f)
        : juce::Point<float> ((float) x + (float) width / 2.0f, sliderPos);

    g.setColour (slider.findColour (juce::Slider::thumbColourId));
    g.fillEllipse (juce::Rectangle<float> (2.0f * radius, 2.0f * radius).withCentre (centre));
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.drawEllipse (juce::Rectangle<float> (2.0f * radius, 2.0f * radius).withCentre (centre), 1.0f);
}

int DefaultSliderLAF::getSliderThumbRadius (juce::Slider& slider)
{
    const auto across = slider.isHorizontal() ? slider.getHeight() : slider.getWidth();
    return juce::jlimit (3, 8, across / 3);
}
