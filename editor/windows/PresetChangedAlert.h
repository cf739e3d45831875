#pragma once

#include "editor/windows/AlertWindow.h"
#include "editor/windows/ScopedLookAndFeel.h"
#include "skin/CheckBox.h"
#include "skin/DefaultLookAndFeel.h"

/** "Save the changed parameters before changing preset?": Yes (Return), No, Cancel (Escape),
    and a "Don't show this warning again" box that, ticked, leaves only No and Cancel. */
class PresetChangedAlert : public Orvik::AlertWindow
{
public:
    /** The text buttons' font is the secondary font. */
    class LF : public DefaultLookAndFeel
    {
    public:
        juce::Font getTextButtonFont (juce::TextButton&, int) override { return getSecondaryFont(); }
    };

    /** editor: the editor that asks, also the caller; parent null means the editor as
        component. Shows the alert. */
    explicit PresetChangedAlert (Orvik::AlertWindow::Caller& editor, juce::Component* parent = nullptr);
    ~PresetChangedAlert() override;

    bool isDontShowAgainTicked() const noexcept { return dontShowAgain.isChecked(); }
    CheckBox& getDontShowAgainBox() noexcept { return dontShowAgain; }
    juce::TextButton* getYesButton() const noexcept { return yesButton; }
    juce::TextButton* getNoButton() const noexcept { return noButton; }

    void updateLayout() override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;

private:
    CheckBox dontShowAgain { {} };
    ScopedLookAndFeel<LF> lookAndFeel { dontShowAgain };
    juce::TextButton* yesButton = nullptr;
    juce::TextButton* noButton = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetChangedAlert)
};
