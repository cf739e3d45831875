#pragma once

#include "editor/MidiMapComponent.h"
#include "editor/windows/AlertWindow.h"

class AboutWindow;
class BasePlugin;
class BasePluginEditor;
class DefaultSettingsComponent;
class MidiSettingsComponent;
class OptionsWindow;
class PresetSettingsComponent;

/** The editor's dialogs and windows: the options window and the pages it shows, the about
    window, the snapshot's file chooser and overwrite alert, and the closed dialogs waiting to
    be deleted.

    Owned by its BasePluginEditor, which forwards to it and stays the listener and alert caller
    of what is shown here. Message thread only. */
class EditorDialogs
{
public:
    static constexpr int optionsWidth = 560, optionsHeight = 250;

    using FileRequest = MidiMapComponent::FileRequest;

    /** Creates the hidden options window inside the editor. */
    explicit EditorDialogs (BasePluginEditor& editor);
    ~EditorDialogs();

    /** The quality, presets and MIDI pages. */
    void buildOptionsPages();
    /** The editor's user interface page, for a plug-in with a skin to pick. */
    void addUserInterfacePage();
    void showOptions();

    void showAboutWindow();
    void closeAboutWindow();

    void saveSnapshot();
    void setFileRequest (FileRequest request) { fileRequest = std::move (request); }
    bool writeSnapshot (const juce::File& file) const;
    /** Acts on the snapshot's overwrite alert; false for any other alert. */
    bool snapshotAlertClosed (Orvik::AlertWindow* alert, int buttonKind);

    /** Hides a dialog or pop-up and deletes it after the current event: it may be closing from
        inside one of its own handlers. */
    void retire (std::unique_ptr<juce::Component> component);

    OptionsWindow* getOptionsWindow() const noexcept { return optionsWindow.get(); }
    PresetSettingsComponent* getPresetsPage() const noexcept { return presetsPage.get(); }
    MidiSettingsComponent* getMidiPage() const noexcept { return midiPage.get(); }
    DefaultSettingsComponent* getQualityPage() const noexcept { return qualityPage.get(); }
    juce::Component* getUserInterfacePage() const noexcept { return userInterfacePage.get(); }
    AboutWindow* getAboutWindow() const noexcept { return aboutWindow.get(); }
    Orvik::AlertWindow* getSnapshotAlert() const noexcept { return snapshotAlert.get(); }

private:
    void askSnapshotOverwrite (const juce::File& file);
    void requestFile (const juce::String& title, const juce::String& patterns,
                      std::function<void (const juce::File&)> done);

    BasePluginEditor& editor;
    BasePlugin& plugin;
    FileRequest fileRequest;
    juce::File pendingSnapshotFile;

    // The pages belong here; the options window, deleted before them, only shows them.
    std::unique_ptr<MidiSettingsComponent> midiPage;
    std::unique_ptr<DefaultSettingsComponent> qualityPage;
    std::unique_ptr<juce::Component> userInterfacePage;
    std::unique_ptr<PresetSettingsComponent> presetsPage;
    std::unique_ptr<OptionsWindow> optionsWindow;

    std::unique_ptr<AboutWindow> aboutWindow;
    std::unique_ptr<Orvik::AlertWindow> snapshotAlert;
    std::unique_ptr<juce::FileChooser> snapshotChooser;
    juce::OwnedArray<juce::Component> retiredComponents;

    JUCE_DECLARE_WEAK_REFERENCEABLE (EditorDialogs)
    JUCE_DECLARE_NON_COPYABLE (EditorDialogs)
};
