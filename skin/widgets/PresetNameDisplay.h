#pragma once

#include "editor/FrontWindow.h"
#include "skin/widgets/TextDisplay.h"
#include <memory>

class BasePlugin;

/** Shows the preset name (the "Preset Name" parameter). A right click opens the preset
    actions in the editor's front layer: "Init", "Reload" and "Save As", which send the
    commands "Preset Init", "Preset Reload" and "Preset Save". */
class PresetNameDisplay : public TextDisplay,
                          public FrontWindow::Callback
{
public:
    /** The pop-up with the preset actions. */
    class Actions : public juce::Component,
                    private juce::Button::Listener
    {
    public:
        explicit Actions (PresetNameDisplay& owner);
        ~Actions() override;

        int getNumActions() const noexcept          { return buttons.size(); }
        juce::TextButton* getActionButton (int index) const { return buttons[index]; }
        /** The command parameter id of an action. */
        static int getCommandId (int index);

        void paint (juce::Graphics& g) override;
        void resized() override;

        static constexpr int buttonWidth = 90, buttonHeight = 20;

    private:
        void buttonClicked (juce::Button* button) override;

        PresetNameDisplay& owner;
        juce::OwnedArray<juce::TextButton> buttons;
    };

    PresetNameDisplay (const juce::ValueTree& element, Skin& skin);
    ~PresetNameDisplay() override;

    void showActions();
    bool areActionsOpen() const;
    Actions* getActions() const noexcept            { return actions.get(); }
    /** Sends a command as a momentary value: 1, then 0, each delivered to the listeners. */
    void sendCommand (int parameterId);

    void mouseDown (const juce::MouseEvent& e) override;
    void frontWindowClosed (juce::Component* popup, juce::Component* pressedComponent) override;

private:
    BasePlugin* plugin = nullptr;
    std::unique_ptr<Actions> actions;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetNameDisplay)
};
