#pragma once

#include "editor/windows/FrontWindow.h"
#include "skin/widgets/ButtonListPopup.h"
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
    PresetNameDisplay (const juce::ValueTree& element, Skin& skin);
    ~PresetNameDisplay() override;

    /** Opens the list of preset actions (nothing without presets or a front layer). */
    void showActions();
    bool areActionsOpen() const;
    ButtonListPopup* getActions() const noexcept { return actions.get(); }
    /** The command parameter id of an action; -1 for no action. */
    static int getActionCommandId (int index);
    /** Sends a command as a momentary value: 1, then 0, each delivered to the listeners. */
    void sendCommand (int parameterId);

    void mouseDown (const juce::MouseEvent& e) override;
    void frontWindowClosed (juce::Component* popup, juce::Component* pressedComponent) override;

private:
    BasePlugin* plugin = nullptr;
    std::unique_ptr<ButtonListPopup> actions;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetNameDisplay)
};
