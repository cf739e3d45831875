#pragma once

#include "core/BasePlugin.h"
#include "core/CommandParameter.h"
#include "core/PluginEditor.h"
#include "editor/AboutWindow.h"
#include "editor/windows/AlertWindow.h"
#include "editor/windows/FrontWindow.h"
#include "editor/windows/ModalComponent.h"
#include "editor/MidiMapComponent.h"
#include "editor/ParameterInfo.h"
#include "editor/windows/ScopedLookAndFeel.h"
#include "editor/SkinRecord.h"
#include "editor/browser/ContentBrowser.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/DefaultResourceCheckBox.h"
#include "skin/GUIController.h"
#include "skin/ParameterController.h"

class DefaultSettingsComponent;
class EditorDialogs;
class EditorGestures;
class EditorPresetCommands;
class EditorSettings;
class EditorSkins;
class GFXMultiStateButton;
class ImgAnim;
class ImgButton;
class MidiSettingsComponent;
class OptionsWindow;
class Panel;
class PresetChangedAlert;
class PresetNameDisplay;
class PresetSettingsComponent;
class Skin;
class StatusBar;

/** The plug-in's editor: the skin's widget tree with the status bar below it, the options
    window, the front pop-up layer and the MIDI CC learn pop-up.

    The plug-in creates it once and owns it; the host window only borrows it. The chosen skin
    is built at once on the first show (ensureSkinLoaded) and asynchronously on every later
    change. Message thread only (the entries check it in debug builds): the plug-in keeps the
    editor's part of its state, so hosts saving or restoring on their threads never reach here.

    The editor is the listener of what it shows and forwards to a helper per concern:
    EditorSkins, EditorSettings, EditorDialogs, EditorPresetCommands and EditorGestures. */
class BasePluginEditor : public PluginEditor,
                         public FrontWindow,
                         public FrontWindow::Callback,
                         public juce::AsyncUpdater,
                         public Parameter::Listener,
                         public GUIController::Listener,
                         public ParameterController::Listener,
                         public DefaultResourceCheckBox::Listener,
                         public ModalComponent::Desktop,
                         public Orvik::AlertWindow::Caller,
                         public ContentBrowser::Listener,
                         public ParameterInfo::Listener,
                         public AboutWindow::Listener,
                         public juce::Button::Listener
{
public:
    /** The size of the skin area while no skin is shown. */
    static constexpr int noSkinWidth = 800, noSkinHeight = 600;
    static constexpr int timerIntervalMs = 25;
    static constexpr int valueMessageLevel = 6;
    /** Problems the plug-in reports outrank value messages while they show. */
    static constexpr int problemMessageLevel = 7;
    /** The progress of a tag edit or delete over many items: above values, below problems. */
    static constexpr int bulkProgressLevel = 6;
    static constexpr const char* skinsFolderName = "Skins";
    static constexpr const char* hiddenCommandWord = "trombix";

    /** Message thread. */
    explicit BasePluginEditor (BasePlugin& plugin);
    /** Message thread. */
    ~BasePluginEditor() override;

    BasePlugin& getPlugin() const noexcept { return plugin; }

    //==============================================================================
    // Lifecycle (PluginEditor)
    /** Message thread. Finds the skins, builds the options pages, reads the user settings and
        starts loading the chosen skin (or reports that there is none). Called once by the
        plug-in. */
    void initialise() override;
    /** Message thread. The host's first show: builds the pending skin now. */
    void ensureSkinLoaded() override;

    //==============================================================================
    // Layout
    /** Message thread. Skin area of w x h with the status bar row below it; the parent (host
        wrapper) follows, and the whole window is repainted. */
    void setContentSize (int width, int height);
    /** The skin area's height: the editor's height without the status bar row. */
    int getContentHeight() const;
    /** Where modal windows centre: the skin area. */
    juce::Rectangle<int> getDesktopArea() override;
    virtual bool isStatusBarShown() const { return true; }
    /** The status bar row's height; 0 without a status bar. */
    int getStatusBarHeight() const;
    virtual void getDialogSize (int& width, int& height);

    //==============================================================================
    // Skins
    juce::File getSkinsFolder() const;
    juce::File getSkinFile (const juce::String& name) const;
    /** Rebuilds the skin list from the skins folder and chooses the default skin. */
    void findSkins();
    const juce::Array<SkinRecord>& getSkins() const noexcept;
    int getNumSkins() const noexcept;
    int getSkinIndex (const juce::String& name) const;
    SkinRecord getSkinRecord (int index) const;
    /** The skin a fresh editor shows: the largest one not wider than the default width. */
    juce::String getDefaultSkinName() const;
    /** Chooses a skin for the next start; names that are not installed are ignored. */
    void setSkinName (const juce::String& name);
    /** Message thread. Asks for a skin to be shown: recorded before the first show, loaded
        asynchronously after it. Without force, the skin shown now is not loaded again. */
    void changeSkin (const juce::String& name, bool force);
    void changeSkinByIndex (int index);
    /** Message thread. */
    juce::String getCurrentSkinName() const;
    /** Message thread. */
    const juce::String& getChosenSkinName() const noexcept;
    /** Message thread: the skin asked for last, which the state names. */
    const juce::String& getPendingSkinName() const noexcept;
    /** Message thread. Loads the pending skin now; when it fails, the skin shown stays (or the
        default one is loaded when none is shown yet) and the "Skin error" alert says why. */
    virtual void loadSkin();
    /** Message thread. The asynchronous skin load that changeSkin asked for. */
    void handleAsyncUpdate() override;

    /** The current skin's widget tree, or null. */
    Panel* getRootPanel() const noexcept;
    float getGuiScale() const noexcept;
    virtual juce::String getDefaultWidthText() const { return {}; }
    virtual int getDefaultWidth() const;

    //==============================================================================
    // Settings, state, snapshot
    virtual juce::String getSettingsTag() const { return "Editor"; }
    virtual bool hasSettings (const juce::XmlElement& element) const;
    /** Message thread. The "Editor" element of the user settings. */
    std::unique_ptr<juce::XmlElement> saveSettings() const override;
    virtual void loadSettings (const juce::XmlElement& element);
    virtual juce::String getStateTag() const { return "Editor"; }
    virtual bool hasState (const juce::XmlElement& element) const;
    /** Message thread. The "Editor" element of the plug-in state: the skin asked for last. */
    std::unique_ptr<juce::XmlElement> getStateXml() const override;
    /** Message thread (the plug-in posts a restored state here). Asks for the state's skin
        (changeSkin) when it is installed. */
    void setStateFromXml (const juce::XmlElement& element) override;

    /** Asks for a file (asynchronously) and writes the skin area there as a PNG image. */
    void saveSnapshot();
    /** Replaces the native file chooser (tests answer it). */
    using FileRequest = MidiMapComponent::FileRequest;
    void setFileRequest (FileRequest request);
    /** Writes the skin area as a PNG file, replacing the file; false when there is no skin
        or the file cannot be written. */
    bool writeSnapshot (const juce::File& file) const;

    //==============================================================================
    // Gestures and the MIDI CC learn pop-up
    /** Restores the parameter of a control from the reload preset (shift-click). */
    void restoreControlParameter (juce::Component* control, const juce::MouseEvent& event);
    void restoreParameter (Parameter* parameter);
    void openParameterInfo (Parameter* parameter, juce::Component* anchor);
    /** "name: value" in the status bar for 3 s. */
    void showParameterValue (Parameter* parameter);
    ParameterInfo* getParameterInfo() const noexcept;
    void showParameterInfo (ParameterInfo* info) override;
    bool closeParameterInfo (juce::Component* info) override;

    //==============================================================================
    // Commands, presets and the content browser
    /** Message thread. Steps to the previous or next preset, asking first (PresetChangedAlert)
        when parameters changed and the presets page's warning is on. */
    void selectPreviousPreset();
    void selectNextPreset();
    /** Remembers the step and opens the preset-change warning. */
    void confirmPresetChange (bool next);
    PresetChangedAlert* getPresetChangedAlert() const noexcept;
    void savePresetAs();
    void togglePresetBrowser();
    /** The content browser (null when the plug-in has no presets). */
    ContentBrowser* getContentBrowser() const noexcept;
    /** Message thread. Replaces the about window with a new one from createAboutWindow and
        shows it modally at the dialog size. */
    void showAboutWindow();
    AboutWindow* getAboutWindow() const noexcept;

    //==============================================================================
    // Parts, for the windows that work with the editor
    StatusBar* getStatusBar() const noexcept { return statusBar.get(); }
    OptionsWindow* getOptionsWindow() const noexcept;
    PresetSettingsComponent* getPresetsPage() const noexcept;
    MidiSettingsComponent* getMidiPage() const noexcept;
    DefaultSettingsComponent* getQualityPage() const noexcept;
    juce::Component* getUserInterfacePage() const noexcept;
    Orvik::AlertWindow* getSkinErrorAlert() const noexcept;
    Orvik::AlertWindow* getSnapshotAlert() const noexcept;
    juce::Label& getBuildInfoLabel() noexcept { return buildInfoLabel; }
    DefaultLookAndFeel& getDefaultLookAndFeel() noexcept { return lookAndFeel; }

    PresetNameDisplay* getPresetNameControl() const noexcept;
    /** The skin's button that sends a command (CommandParameter::button), or null. */
    ImgButton* getCommandButton (int commandId) const;
    ImgButton* getOptionsButton() const { return getCommandButton (CommandParameter::optionsId); }
    ImgButton* getPreviousButton() const { return getCommandButton (CommandParameter::presetPreviousId); }
    ImgButton* getNextButton() const { return getCommandButton (CommandParameter::presetNextId); }
    ImgButton* getBrowseButton() const { return getCommandButton (CommandParameter::presetBrowseId); }
    GFXMultiStateButton* getMidiLearnButton() const noexcept;
    ImgAnim* getMidiActivityControl() const noexcept;

    //==============================================================================
    // Listener operations
    /** Message thread (parameters tell their listeners there). Acts on the commands. */
    void parameterChanged (Parameter* parameter) override;
    void controlDragEnded (GUIController* control) override;
    virtual void handleHiddenCommand (GUIController* control);
    void controllerValueChanged (ParameterController* controller) override;
    void resourceCheckBoxChanged (DefaultResourceCheckBox*) override {}
    void buttonClicked (juce::Button* button) override;
    void buttonStateChanged (juce::Button* button) override;
    void alertWindowClosed (Orvik::AlertWindow* alert, int buttonKind) override;
    void frontWindowClosed (juce::Component* popup, juce::Component* pressedComponent) override;
    /** Message thread. Takes the snapshot that a cancelled browse returns to. */
    void contentBrowserOpened (ContentBrowser* browser) override;
    /** Message thread. A cancelled browse loads the snapshot back. */
    void contentBrowserClosed (ContentBrowser* browser, int mode, bool keep) override;
    /** Message thread. Shows the progress of a long operation in the status bar. */
    void bulkOperationProgress (ContentBrowser* browser, const juce::String& progress) override;
    virtual void aboutWindowClosed();
    /** Message thread. "Close" in the about window. */
    void aboutWindowCloseRequested (AboutWindow* window) override;

    //==============================================================================
    // juce::Component, juce::Timer
    /** Message thread, every 25 ms once the plug-in has started the editor. */
    void timerCallback() override;
    void resized() override;
    /** Message thread. */
    void visibilityChanged() override;
    void childBoundsChanged (juce::Component* child) override;
    void mouseDown (const juce::MouseEvent& event) override;
    void mouseDoubleClick (const juce::MouseEvent& event) override;

protected:
    /** Hooks for product editors. */
    virtual std::unique_ptr<juce::Component> createUserInterfacePage();
    virtual void afterInitialise() {}
    virtual void updateDisplay (bool visible);
    virtual int getHiddenCommandParameterId() const { return -1; }
    virtual void skinChanged() {}
    virtual void guiWillChange() {}
    virtual void skinLoaded (Skin&) {}
    virtual void parameterRestored (Parameter*) {}
    /** Moves the browser's result selection one preset back or on (which loads it). */
    virtual void stepPresetSelection (bool next);
    virtual std::unique_ptr<AboutWindow> createAboutWindow();

    /** Lays out the status bar row below the skin area. */
    void layoutStatusBar();

    bool forceQualityPage = false;

private:
    friend class EditorDialogs;
    friend class EditorGestures;
    friend class EditorPresetCommands;
    friend class EditorSettings;
    friend class EditorSkins;

    /** Shows the plug-in's reported problems one after another, each as a timed message, once
        the editor is on screen (problems from before it opened included). */
    void showReportedProblems();
    void updateBuildLabel();

    // Members go in reverse order of declaration, after the destructor has closed the front
    // layer: the pop-up, the preset-change warning and the content browser first, then the
    // dialogs (the options window before its pages), the skin error alert and the skin's
    // widgets, and the look-and-feel last of all. The helpers are made in the constructor,
    // all but the dialogs before the first child, so the children keep their order.
    ScopedLookAndFeel<DefaultLookAndFeel> lookAndFeel { *this };
    BasePlugin& plugin;
    juce::Image makerLogo, pluginLogo;
    int contentHeight = noSkinHeight;

    juce::Label buildInfoLabel;
    std::unique_ptr<juce::TooltipWindow> tooltipWindow;
    std::unique_ptr<StatusBar> statusBar;
    std::unique_ptr<EditorSettings> editorSettings;
    std::unique_ptr<EditorSkins> editorSkins;
    std::unique_ptr<EditorDialogs> editorDialogs;
    std::unique_ptr<EditorPresetCommands> presetCommands;
    std::unique_ptr<EditorGestures> gestures;
    juce::StringArray problemsToShow;
    juce::uint32 problemShownUntil = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasePluginEditor)
};
