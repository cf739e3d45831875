#include "editor/PresetChangedAlert.h"

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
    dontShowAgain.setColour (CheckBox::textColourId, juce::Colour::greyLevel (0.9f));
    dontShowAgain.addListener (this);
    addAndMakeVisible (dontShowAgain);
    updateLayout();
    showInParent (parent);
}

PresetChangedAlert::~PresetChangedAlert() = default;

void PresetChangedAlert::updateLayout()
{
    const auto font = message.getFont();
    const int width = juce::jmax (buttonRow.getWidth(), (int) font.getStringWidthFloat (message.getText()));
    setContentSize (width, (int) font.getHeight() + buttonRow.getHeight() + 60);
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
