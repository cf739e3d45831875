#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <array>

/** The "Amount" ruler of a modulation-matrix row: a horizontal slider over -1..+1 with a scale
    of five labelled major ticks, a white pointer for the amount and a dark red bar from the
    centre showing the modulation applied now (source value x amount). Message thread only. */
class ModulationSlider : public juce::Slider
{
public:
    /** Draws only ModulationSliders. */
    class OwnLookAndFeel : public juce::LookAndFeel_V2
    {
    public:
        void drawLinearSliderBackground (juce::Graphics& g, int x, int y, int width, int height,
                                         float sliderPos, float minSliderPos, float maxSliderPos,
                                         juce::Slider::SliderStyle style, juce::Slider& slider) override;
        void drawLinearSliderThumb (juce::Graphics& g, int x, int y, int width, int height,
                                    float sliderPos, float minSliderPos, float maxSliderPos,
                                    juce::Slider::SliderStyle style, juce::Slider& slider) override;
        int getSliderThumbRadius (juce::Slider& slider) override;
    };

    static constexpr juce::uint32 barColour = 0xFFA90000;

    ModulationSlider();
    ~ModulationSlider() override;

    /** Message thread (the matrix widget's timer). Clamps to -1..1 (NaN shows as 0) and
        repaints only when the value changed. */
    void setSourceValue (float value);
    float getSourceValue() const noexcept { return sourceValue; }

    /** The modulation bar: from the centre to the applied modulation, at scaleY + 10. */
    juce::Line<float> getModulationBar() const;

    float getMargin() const noexcept { return margin; }
    float getScaleY() const noexcept { return scaleY; }
    float getScaleLength() const noexcept { return scaleLength; }
    float getScaleStart() const noexcept { return scaleStart; }
    float getTickFactor() const noexcept { return tickFactor; }
    const juce::Font& getFont() const noexcept { return font; }
    /** Text widths of "-1.0", "-0.5", "-0", "0.0", "+0", "+0.5", "+1.0", in that order. */
    const std::array<int, 7>& getLabelWidths() const noexcept { return labelWidths; }

    void resized() override;

private:
    void drawScale (juce::Graphics& g);
    void drawPointer (juce::Graphics& g, float position);

    float sourceValue = 0.0f;
    float margin = 16.0f;
    juce::Font font { "Tahoma", 13.0f, juce::Font::plain };
    std::array<int, 7> labelWidths {};
    float scaleY = 0.0f, scaleLength = 0.0f, scaleStart = 0.0f, tickFactor = 0.0f;
    OwnLookAndFeel ownLookAndFeel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModulationSlider)
};
