#include "skin/CheckBox.h"
#include "skin/DefaultLookAndFeel.h"
#include <cmath>

CheckBox::CheckBox (const juce::String& name)
    : juce::TextButton (name)
{
    setClickingTogglesState (true);
}

CheckBox::~CheckBox() = default;

void CheckBox::setChecked (bool shouldBeChecked, juce::NotificationType notification)
{
    setToggleState (shouldBeChecked, notification);
}

juce::Font CheckBox::getTextFont() const
{
    if (auto* laf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
        return laf->getPrimaryFont();

    return juce::Font (14.0f);
}

void CheckBox::fitWidthToText (int height)
{
    const auto textWidth = getTextFont().getStringWidthFloat (getButtonText());
    setSize ((int) std::ceil (textWidth + 1.2f * (float) height), getHeight());
}

void CheckBox::paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown)
{
    // The box takes 0.2h..0.8h, the text starts at h: fitWidthToText leaves exactly its width.
    const auto h = (float) getHeight();
    const auto side = juce::jmax (4.0f, juce::jmin (h * 0.6f, 16.0f));
    const juce::Rectangle<float> box (h * 0.2f, (h - side) / 2.0f, side, side);
    const auto alpha = isEnabled() ? 1.0f : 0.5f;
    // Taken from the nearest parent that says it: light windows set a dark text once.
    const auto textColour = findColourOr (*this, textColourId, juce::Colours::white, true).withMultipliedAlpha (alpha);

    auto fill = juce::Colours::white.withMultipliedAlpha (alpha);

    if (isButtonDown)
        fill = fill.darker (0.15f);
    else if (isMouseOverButton)
        fill = fill.darker (0.05f);

    fillRoundedWithColour (g, box, fill, 2.0f);
    g.setColour (juce::Colour (0xFF606060).withMultipliedAlpha (alpha));
    g.drawRoundedRectangle (box, 2.0f, 1.0f);

    if (getToggleState())
    {
        juce::Path tick;
        tick.startNewSubPath (box.getX() + side * 0.2f, box.getCentreY());
        tick.lineTo (box.getX() + side * 0.42f, box.getBottom() - side * 0.22f);
        tick.lineTo (box.getRight() - side * 0.18f, box.getY() + side * 0.2f);
        g.setColour (juce::Colour (0xFF202020).withMultipliedAlpha (alpha));
        g.strokePath (tick, juce::PathStrokeType (juce::jmax (1.5f, side * 0.15f), juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    g.setColour (textColour);
    g.setFont (getTextFont());
    g.drawText (getButtonText(), juce::Rectangle<float> (h, 0.0f, juce::jmax (0.0f, (float) getWidth() - h), h),
                juce::Justification::centredLeft, true);
}

void CheckBox::buttonStateChanged()
{
    juce::TextButton::buttonStateChanged();

    toggleBinding.buttonStateChanged();
}

void CheckBox::parameterValueChanged (Parameter* parameter)
{
    toggleBinding.parameterValueChanged (parameter);
}
