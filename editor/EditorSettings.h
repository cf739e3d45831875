#pragma once

#include <juce_core/juce_core.h>

class BasePlugin;
class BasePluginEditor;

/** The editor's part of the user settings (the preset-change warning and the chosen skin) and
    of the plug-in state (the skin asked for last), both in an element named by the editor's
    tags.

    Owned by its BasePluginEditor, whose settings and state operations forward here; the
    editor's virtual tags and tests (getSettingsTag, hasSettings, loadSettings, ...) are called
    from here. Message thread only. */
class EditorSettings
{
public:
    explicit EditorSettings (BasePluginEditor& editor);
    ~EditorSettings();

    /** Loads the editor's element of the user settings file, when there is one. */
    void readUserSettings();
    /** Message thread. */
    std::unique_ptr<juce::XmlElement> saveSettings() const;
    void loadSettings (const juce::XmlElement& element);
    /** Message thread. */
    std::unique_ptr<juce::XmlElement> getStateXml() const;
    /** Message thread (the plug-in posts a restored state here). */
    void setStateFromXml (const juce::XmlElement& element);
    /** Hands the editor's part of the state to the plug-in, which saves it for the host. */
    void publishState();

private:
    BasePluginEditor& editor;
    BasePlugin& plugin;

    JUCE_DECLARE_NON_COPYABLE (EditorSettings)
};
