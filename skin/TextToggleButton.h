#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A toggle button whose text follows its state. */
class TextToggleButton : public juce::TextButton
{
public:
    TextToggleButton (const juce::String& onText, const juce::String& offText);
    ~TextToggleButton() override;

    void buttonStateChanged() override;

private:
    const juce::String onText, offText;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TextToggleButton)
};
