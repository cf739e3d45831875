#include "skin/widgets/ModulationSlider.h"
#include <cmath>

namespace
{
    ModulationSlider& asModulationSlider (juce::Slider& slider)
    {
        // This look-and-feel is set by ModulationSlider on itself only.
        auto* s = dynamic_cast<ModulationSlider*> (&slider);
        jassert (s != nullptr);
        return *s;
    }
}

ModulationSlider::ModulationSlider()
    : juce::Slider (juce::String())
{
    setValue (0.0, juce::sendNotificationAsync);
    setRange (-1.0, 1.0, 0.0001);
    setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    setSliderStyle (juce::Slider::LinearHorizontal);
    setLookAndFeel (&ownLookAndFeel);
}

ModulationSlider::~ModulationSlider()
{
    setLookAndFeel (nullptr);
}

void ModulationSlider::setSourceValue (float value)
{
    const float v = std::isnan (value) ? 0.0f : juce::jlimit (-1.0f, 1.0f, value);

    if (v == sourceValue)
        return;

    sourceValue = v;
    repaint();
}

void ModulationSlider::resized()
{
    juce::Slider::resized();

    int i = 0;
    for (auto* text : { "-1.0", "-0.5", "-0", "0.0", "+0", "+0.5", "+1.0" })
        labelWidths[(size_t) i++] = font.getStringWidth (text);

    scaleY = (float) getHeight() * 0.5f;
    scaleLength = (float) getWidth() - margin;
    scaleStart = margin * 0.5f;
    tickFactor = getWidth() > 0 ? scaleLength / (float) getWidth() : 0.0f;
}

juce::Line<float> ModulationSlider::getModulationBar() const
{
    const float centre = (float) getWidth() * 0.5f;
    const float m = sourceValue * (float) getValue();
    return { centre, scaleY + 10.0f, centre + m * scaleLength * 0.5f, scaleY + 10.0f };
}

void ModulationSlider::drawScale (juce::Graphics& g)
{
    const int w = getWidth();
    const float fw = (float) w;
    g.setFont (font);

    g.setColour (juce::Colour (barColour));
    g.drawLine (getModulationBar(), 4.0f);

    g.setColour (juce::Colours::black);
    g.fillRect ((int) std::floor (scaleStart) - 2, (int) (scaleY + 12.0f), (int) std::ceil (fw - scaleStart - 3.0f), 3);

    for (int i = 0; i < 20; ++i)
    {
        if (i % 5 == 0)
            continue;

        const int x = (int) (fw * (float) i * tickFactor / 20.0f) + (int) scaleStart;
        g.drawVerticalLine (x, scaleY + 7.0f, scaleY + 14.0f);
    }

    const int top = (int) (scaleY - 1.0f);
    g.fillRect ((int) (scaleStart - 2.0f), top, 3, 15);
    g.fillRect (w / 2 - 1, top, 3, 15);
    g.fillRect ((int) (scaleLength + scaleStart), top, 3, 15);
    g.fillRect ((int) (scaleLength * 0.25f + scaleStart), top, 2, 15);
    g.fillRect ((int) (scaleLength * 0.75f + scaleStart - 1.0f), top, 2, 15);

    const int labelY = (int) (scaleY - 15.0f);
    const auto label = [&g, labelY] (const char* text, int x, int width, juce::Justification j) {
        g.drawText (text, x, labelY, width, 13, j, true);
    };
    label ("-1.0", (int) (margin * 0.5f), labelWidths[0], juce::Justification::right);
    label ("-0.5", (int) (scaleLength * 0.25f + scaleStart - (float) labelWidths[2]), labelWidths[1], juce::Justification::left);
    label ("0.0", (int) (scaleLength * 0.5f + scaleStart - (float) labelWidths[3] / 2.0f), labelWidths[3], juce::Justification::centred);
    label ("+0.5", (int) (scaleLength * 0.75f + scaleStart - (float) labelWidths[4] - 1.0f), labelWidths[5], juce::Justification::left);
    label ("+1.0", (int) (fw - (float) labelWidths[6] - margin * 0.5f), labelWidths[6], juce::Justification::left);
}

void ModulationSlider::drawPointer (juce::Graphics& g, float position)
{
    juce::Path triangle;
    triangle.addTriangle (1.0f, 0.5f, margin - 1.0f, 0.5f, margin * 0.5f, 13.0f);
    triangle.applyTransform (juce::AffineTransform::translation (position + 0.5f - margin * 0.5f,
                                                                 (float) getHeight() * 0.5f));
    g.setColour (juce::Colours::white);
    g.fillPath (triangle);
    g.setColour (juce::Colours::black);
    g.strokePath (triangle, juce::PathStrokeType (1.0f));
}

//==============================================================================
void ModulationSlider::OwnLookAndFeel::drawLinearSliderBackground (juce::Graphics& g, int, int, int, int, float, float, float,
                                                                   juce::Slider::SliderStyle, juce::Slider& slider)
{
    asModulationSlider (slider).drawScale (g);
}

void ModulationSlider::OwnLookAndFeel::drawLinearSliderThumb (juce::Graphics& g, int, int, int, int, float sliderPos, float, float,
                                                              juce::Slider::SliderStyle, juce::Slider& slider)
{
    asModulationSlider (slider).drawPointer (g, sliderPos);
}

int ModulationSlider::OwnLookAndFeel::getSliderThumbRadius (juce::Slider& slider)
{
    return (int) (asModulationSlider (slider).getMargin() * 0.5f);
}
