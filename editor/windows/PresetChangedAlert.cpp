#include "editor/windows/PresetChangedAlert.h"

PresetChangedAlert::PresetChangedAlert (Orvik::AlertWindow::Caller& editor, juce::Component* parent)
    : Orvik::AlertWindow (&editor, "Preset change warning",
                          "Parameters have been changed.\nDo you want to save them before changing preset?")
{
    yesButton = addButton (Yes, false, true);
    noButton = addButton (No, false, false);
    addButton (Cancel, true, false);

    dontShowAgain.setButtonText ("Don't show this warning again");
    dontShowAgain.setWantsKeyboardFocus (false);
    dontShowAgain.setMouseClickGrabsKeyboardFocus (false);
    dontShowAgain.setColour (CheckBox::textColourId, juce::Colour (0xFF282828));
    dontShowAgain.addListener (this);
    addAndMakeVisible (dontShowAgain);
    updateLayout();
    showInParent (parent);
}

PresetChangedAlert::~PresetChangedAlert() = default;

void PresetChangedAlert::updateLayout()
{
    // The widest line, inside the label's border; two lines of message above the check box.
    const auto font = message.getFont();
    const auto labelBorder = message.getBorderSize();
    juce::StringArray lines;
    lines.addTokens (message.getText(), "\n", {});
    int width = buttonRow.getWidth();

    for (const auto& line : lines)
        width = juce::jmax (width, (int) std::ceil (font.getStringWidthFloat (line)) + labelBorder.getLeftAndRight());

    setContentSize (width, (int) std::ceil (font.getHeight() * (float) lines.size()) + labelBorder.getTopAndBottom() + buttonRow.getHeight() + 40);
}

void PresetChangedAlert::resized()
{
    WindowComponent::resized();

    const auto area = getContentArea();
    const int rowHeight = juce::jmin (area.getHeight(), buttonRow.getHeight());
    dontShowAgain.fitWidthToText (20);
    dontShowAgain.setSize (dontShowAgain.getWidth(), 20);

    const int labelHeight = juce::jmax (0, area.getHeight() - 20 - dontShowAgain.getHeight() - rowHeight);
    message.setBounds (area.getX(), area.getY(), area.getWidth(), labelHeight);
    dontShowAgain.setTopLeftPosition (area.getX(), message.getBottom() + 10);
    buttonRow.setTopRightPosition (area.getRight(), area.getBottom() - rowHeight);
}

void PresetChangedAlert::buttonClicked (juce::Button* button)
{
    if (button == &dontShowAgain)
    {
        const bool ticked = dontShowAgain.isChecked();

        if (yesButton != nullptr)
            yesButton->setEnabled (! ticked);

        if (ticked && noButton != nullptr)
            focusWhenShown (*noButton);

        return;
    }

    Orvik::AlertWindow::buttonClicked (button);
}
