#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Look-and-feel base of the sliders of the system's own widgets. */
class DefaultSliderLAF : public juce::LookAndFeel_V3
{
public:
    DefaultSliderLAF();
    ~DefaultSliderLAF() override;

    void drawLinearSliderBackground (juce::Graphics& g, int x, int y, int width, int height,
                                     float sliderPos, float minSliderPos, float maxSliderPos,
                                     juce::Slider::SliderStyle style, juce::Slider& slider) override;
    void drawLinearSliderThumb (juce::Graphics& g, int x, int y, int width, int height,
                                float sliderPos, float minSliderPos, float maxSliderPos,
                                juce::Slider::SliderStyle style, juce::Slider& slider) override;
    int getSliderThumbRadius (juce::Slider& slider) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DefaultSliderLAF)
};
