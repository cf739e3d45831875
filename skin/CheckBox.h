#pragma once

#include "skin/ParameterController.h"
#include "skin/ParameterToggleBinding.h"
#include <juce_gui_basics/juce_gui_basics.h>

/** A check box bound to a parameter: a tick box followed by its text. Clicking toggles it;
    its state sets the main parameter to its minimum (off) or maximum (on). */
class CheckBox : public juce::TextButton,
                 public ParameterController
{
public:
    enum ColourIds
    {
        textColourId = 0x0F010000
    };

    explicit CheckBox (const juce::String& name = {});
    ~CheckBox() override;

    // Both bases keep listeners; each overload takes its own kind.
    using juce::Button::addListener;
    using juce::Button::removeListener;
    using ParameterController::addListener;
    using ParameterController::removeListener;

    bool isChecked() const noexcept { return getToggleState(); }
    void setChecked (bool shouldBeChecked, juce::NotificationType notification);

    /** Width := text width in the check box's font + 1.2 x height; the height is kept. */
    void fitWidthToText (int height);

    juce::Font getTextFont() const;

    void paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override;
    void buttonStateChanged() override;
    void parameterValueChanged (Parameter* parameter) override;

private:
    ParameterToggleBinding toggleBinding { *this, *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CheckBox)
};
