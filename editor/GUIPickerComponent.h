#pragma once

#include "editor/StatusBarPage.h"

class BasePlugin;

/** The status bar's skin page: one button per skin of the open editor; the lit one is the
    skin shown. */
class GUIPickerComponent : public StatusBarPage,
                           public juce::Button::Listener
{
public:
    explicit GUIPickerComponent (BasePlugin& plugin);
    ~GUIPickerComponent() override;

    /** Builds one button per skin of the open editor; the page's height follows. */
    void fillSkinButtons();
    int getNumSkinButtons() const noexcept { return skinButtons.size(); }
    juce::TextButton* getSkinButton (int index) const { return skinButtons[index]; }
    /** Listens to every skin button, also to the ones a later fill builds. */
    void addSkinButtonListener (juce::Button::Listener* listener);
    void removeSkinButtonListener (juce::Button::Listener* listener);
    /** Lights the button of the editor's current skin. */
    void updateToggles();

    void buttonClicked (juce::Button* button) override;
    void paint (juce::Graphics& g) override;
    void resized() override;

    static constexpr int width = 80;

private:
    BasePlugin& plugin;
    juce::OwnedArray<juce::TextButton> skinButtons;
    juce::Array<juce::Button::Listener*> buttonListeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GUIPickerComponent)
};
