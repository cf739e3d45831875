#include "skin/TextToggleButton.h"

TextToggleButton::TextToggleButton (const juce::String& on, const juce::String& off)
    : onText (on), offText (off)
{
    setClickingTogglesState (true);
    setWantsKeyboardFocus (false);
    setButtonText (getToggleState() ? onText : offText);
}

TextToggleButton::~TextToggleButton() = default;

void TextToggleButton::buttonStateChanged()
{
    juce::TextButton::buttonStateChanged();
    setButtonText (getToggleState() ? onText : offText);
}
