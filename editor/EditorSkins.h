#pragma once

#include "editor/SkinRecord.h"
#include "editor/windows/AlertWindow.h"

class BasePluginEditor;
class BasePlugin;
class GFXMultiStateButton;
class ImgAnim;
class Panel;
class PresetNameDisplay;
class Skin;

/** The editor's skins: the installed ones, the one chosen, shown and asked for, the loading
    (at once on the first show, asynchronously after it), the widget tree with its named
    controls, and the "Skin error" alert.

    Owned by its BasePluginEditor, which forwards its skin operations here; the editor's hooks
    (loadSkin, guiWillChange, skinLoaded, skinChanged) are called from here. Message thread only. */
class EditorSkins
{
public:
    explicit EditorSkins (BasePluginEditor& editor);
    ~EditorSkins();

    juce::File getSkinsFolder() const;
    juce::File getSkinFile (const juce::String& name) const;
    void findSkins();
    const juce::Array<SkinRecord>& getSkins() const noexcept { return skins; }
    int getSkinIndex (const juce::String& name) const;
    SkinRecord getSkinRecord (int index) const;
    juce::String getDefaultSkinName() const;
    void setSkinName (const juce::String& name);

    /** Asks for the chosen skin, or says that none is installed. */
    void start();
    /** Message thread. */
    void changeSkin (const juce::String& name, bool force);
    void changeSkinByIndex (int index);
    bool isFirstShowDone() const noexcept { return firstShowDone; }
    /** Message thread. The host's first show: builds the pending skin now. */
    void ensureLoaded();
    /** Message thread. Builds the pending skin, falling back when it fails. */
    void loadPendingSkin();

    const juce::String& getChosenSkinName() const noexcept { return chosenSkinName; }
    const juce::String& getCurrentSkinName() const noexcept { return currentSkinName; }
    const juce::String& getPendingSkinName() const noexcept { return pendingSkinName; }
    float getGuiScale() const noexcept { return guiScale; }

    Panel* getRootPanel() const noexcept { return rootPanel.get(); }
    PresetNameDisplay* getPresetNameControl() const noexcept { return presetNameControl; }
    GFXMultiStateButton* getMidiLearnButton() const noexcept { return midiLearnButton; }
    ImgAnim* getMidiActivityControl() const noexcept { return midiActivityControl; }
    Orvik::AlertWindow* getSkinErrorAlert() const noexcept { return skinErrorAlert.get(); }

private:
    /** Builds and shows a skin; false, with the reason and the file, when it cannot. */
    bool buildSkin (const juce::String& name, juce::String& error);
    void bindNamedControls (Skin& skin);
    void releaseNamedControls();
    void showSkinError (const juce::String& message);

    BasePluginEditor& editor;
    BasePlugin& plugin;
    juce::Array<SkinRecord> skins;
    juce::String chosenSkinName, currentSkinName, pendingSkinName;
    bool firstShowDone = false;
    float guiScale = 1.0f;

    std::unique_ptr<Panel> rootPanel;
    // The named controls of the skin, inside rootPanel.
    PresetNameDisplay* presetNameControl = nullptr;
    GFXMultiStateButton* midiLearnButton = nullptr;
    ImgAnim* midiActivityControl = nullptr;
    std::unique_ptr<Orvik::AlertWindow> skinErrorAlert;

    JUCE_DECLARE_NON_COPYABLE (EditorSkins)
};
