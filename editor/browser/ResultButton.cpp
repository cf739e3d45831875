#include "editor/browser/ResultButton.h"

ResultButton::ResultButton (ContentItem& itemToShow, bool isReadOnly)
    : juce::TextButton (itemToShow.name), item (&itemToShow), readOnly (isReadOnly)
{
    setButtonText (itemToShow.name);
    setWantsKeyboardFocus (false);
}

void ResultButton::show (ContentItem& itemToShow, bool isReadOnly)
{
    item = &itemToShow;
    readOnly = isReadOnly;
    setName (itemToShow.name);
    setButtonText (itemToShow.name);
}

void ResultButton::paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown)
{
    auto& lf = getLookAndFeel();
    const bool on = getToggleState();
    lf.drawButtonBackground (g, *this, findColour (on ? buttonOnColourId : buttonColourId), isMouseOverButton, isButtonDown);

    auto* ours = dynamic_cast<DefaultLookAndFeel*> (&lf);
    const auto font = ours == nullptr ? juce::Font (14.0f)
        : readOnly                    ? ours->getPrimaryFont()
                                      : ours->getSecondaryFont();
    g.setFont (font);
    // Rows that are not selected are dimmed, but stay readable against the list's grey.
    g.setColour (on ? juce::Colours::black : juce::Colours::black.withAlpha (0.6f));
    g.drawText (getButtonText(), 3, 0, juce::jmax (getWidth() - 6, 0), getHeight(),
                juce::Justification::centredLeft, false);
}

void ResultButton::RowLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&, bool, bool)
{
    g.setColour (button.getToggleState() ? juce::Colour (selectedFill).withAlpha (0.2f) : juce::Colours::transparentBlack);
    g.fillRect (button.getLocalBounds());
}

void ResultButton::RowLookAndFeel::drawButtonText (juce::Graphics&, juce::TextButton&, bool, bool)
{
}
