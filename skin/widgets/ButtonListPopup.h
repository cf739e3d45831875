#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <functional>

/** A column of text buttons that a skin widget pops up, centred below itself, in the editor's
    front layer. A click on a button closes the list, then reports the button's index. The
    widget keeps the list for the next time. Message thread only. */
class ButtonListPopup : public juce::Component,
                        private juce::Button::Listener
{
public:
    /** owner: the widget it pops up from, told of the closing when it is a
        FrontWindow::Callback; itemHeight: each button's height; minWidth: the narrowest the
        buttons get; chosen: told the index of the clicked button. */
    ButtonListPopup (juce::Component& owner, int itemHeight, int minWidth, std::function<void (int)> chosen);
    ~ButtonListPopup() override;

    /** One button per text, the one at litIndex on (none for -1); sized to fit them. */
    void setItems (const juce::StringArray& texts, int litIndex);
    int getNumItems() const noexcept { return buttons.size(); }
    juce::TextButton* getItemButton (int index) const { return buttons[index]; }

    /** Opens the list below the owner; nothing when the owner is in no front layer. */
    void show();
    /** Whether the list is the front pop-up of the owner's front layer. */
    bool isOpen() const;
    /** Closes the list when it is open. */
    void close();

    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    void buttonClicked (juce::Button* button) override;
    void removeButtons();

    juce::Component& owner;
    const int itemHeight, minWidth;
    std::function<void (int)> chosen;
    juce::OwnedArray<juce::TextButton> buttons;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ButtonListPopup)
};
