#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The editor as the plug-in core sees it: created once with the plug-in, driven by a timer,
    shown in the host's window through AudioProcessorEditorWrapper. The editor subsystem
    derives its BasePluginEditor from this, which keeps the core free of editor code.
    Every operation: message thread only, like every component. */
class PluginEditor : public juce::Component,
                     public juce::Timer
{
public:
    /** Called once by the plug-in right after construction. */
    virtual void initialise() {}
    /** Called by the host wrapper before the editor is first shown. */
    virtual void ensureSkinLoaded() {}

    /** Message thread. The "Editor" element of the plug-in state (null: nothing to store). The
        editor hands it to the plug-in whenever it changes; hosts never reach the editor. */
    virtual std::unique_ptr<juce::XmlElement> getStateXml() const { return nullptr; }
    /** Message thread: the plug-in posts a restored "Editor" element here. */
    virtual void setStateFromXml (const juce::XmlElement&) {}

    /** The "Editor" element of the user settings (null: nothing to store). */
    virtual std::unique_ptr<juce::XmlElement> saveSettings() const { return nullptr; }

    /** Message thread: the 25 ms timer the plug-in starts. */
    void timerCallback() override {}
};
