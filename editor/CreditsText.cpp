#include "editor/CreditsText.h"

namespace
{
    int countLines (const juce::String& text)
    {
        // A CR LF pair is one break; a lone CR or LF is one too.
        return juce::StringArray::fromLines (text).size();
    }
}

CreditsText::CreditsText (const juce::String& text)
    : lineCount (text.isEmpty() ? 0 : countLines (text))
{
    label.setText (text, juce::dontSendNotification);
    label.setColour (juce::Label::backgroundColourId, juce::Colours::black);
    label.setColour (juce::Label::textColourId, juce::Colours::white);
    label.setFont (juce::Font ("Tahoma", 13.0f, juce::Font::plain));
    label.setJustificationType (juce::Justification::centredTop);
    label.setInterceptsMouseClicks (false, false);
    addAndMakeVisible (label);
}

CreditsText::~CreditsText() = default;

void CreditsText::resized()
{
    const auto textHeight = juce::jmax (0, (int) ((float) lineCount * label.getFont().getHeight()));
    label.setBounds (0, getHeight() + 5, getWidth(), textHeight);
}

void CreditsText::start()
{
    startTimer (scrollIntervalMs);
    label.setTopLeftPosition (0, getHeight() + 5);
}

void CreditsText::stop()
{
    stopTimer();
}

void CreditsText::timerCallback()
{
    label.setTopLeftPosition (0, label.getY() - 1);

    if (label.getBottom() < 0)
        label.setTopLeftPosition (0, getHeight() + 5);
}

void CreditsText::mouseDown (const juce::MouseEvent&)
{
    listeners.call ([this] (Listener& l) { l.creditsClicked (this); });
}
