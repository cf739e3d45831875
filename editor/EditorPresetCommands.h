#pragma once

#include "core/CommandParameter.h"
#include "core/content/Preset.h"
#include "editor/windows/AlertWindow.h"

class BasePlugin;
class BasePluginEditor;
class ContentBrowser;
class ImgButton;
class Parameter;
class PresetChangedAlert;
class Skin;

/** The editor's commands and its link to the presets: the command parameters and the skin's
    command buttons, preset stepping with the preset-change warning, save-as, and the content
    browser with the snapshot that a cancelled browse returns to.

    Owned by its BasePluginEditor, which stays the listener of the browser, the buttons and the
    alert and forwards their calls here. Message thread only. */
class EditorPresetCommands
{
public:
    explicit EditorPresetCommands (BasePluginEditor& editor);
    ~EditorPresetCommands();

    /** Message thread (parameters tell their listeners there). Acts on a command parameter. */
    void parameterChanged (Parameter* parameter);

    /** The skin's command buttons, by CommandParameter::table row, with the editor listening. */
    void bindCommandButtons (Skin& skin);
    void releaseCommandButtons();
    ImgButton* getCommandButton (int commandId) const;
    void buttonClicked (juce::Button* button);
    void buttonStateChanged (juce::Button* button);

    /** The hidden browser on the plug-in's presets: user folder current, factory added, the
        start preset selected. */
    void createContentBrowser();
    ContentBrowser* getContentBrowser() const noexcept { return contentBrowser.get(); }
    void browserOpened (ContentBrowser* browser);
    void browserClosed (ContentBrowser* browser, int mode, bool keep);

    void stepPreset (bool next);
    void confirmPresetChange (bool next);
    /** Moves the browser's result selection one preset back or on (which loads it). */
    void stepSelection (bool next);
    PresetChangedAlert* getPresetChangedAlert() const noexcept { return presetChangedAlert.get(); }
    /** Acts on the preset-change warning; false for any other alert. */
    bool presetAlertClosed (Orvik::AlertWindow* alert, int buttonKind);
    void savePresetAs();
    void togglePresetBrowser();
    /** Closes an open browser keeping what was auditioned, for good: a save-as it was in
        does not open it again. A skin change does this before the new skin comes. */
    void closeBrowserKeeping();

private:
    void setCommandParameter (int id, int which);
    /** The command of one of the skin's command buttons; null for any other button. */
    const CommandParameter* findCommand (juce::Button* button) const;

    BasePluginEditor& editor;
    BasePlugin& plugin;
    bool pendingStepIsNext = false;
    Preset browserPreset;
    bool browserWasVisible = false;
    /** Inside the skin's widget tree. */
    std::array<ImgButton*, CommandParameter::count> commandButtons {};

    std::unique_ptr<ContentBrowser> contentBrowser;
    std::unique_ptr<PresetChangedAlert> presetChangedAlert;

    JUCE_DECLARE_NON_COPYABLE (EditorPresetCommands)
};
