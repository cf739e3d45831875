#pragma once

#include "editor/ParameterInfo.h"

class BasePlugin;
class BasePluginEditor;
class GUIController;
class Parameter;
class ParameterController;

/** The editor's mouse gestures on the skin and the MIDI CC learn pop-up: a click on the preset
    name toggles the browser, shift-click and double-click restore a control's parameter, a
    right-click opens the pop-up (ParameterInfo), and value messages in the status bar.

    Owned by its BasePluginEditor, which stays the mouse listener and the pop-up's listener and
    forwards here; the editor's hooks (parameterRestored, showParameterInfo, closeParameterInfo,
    handleHiddenCommand, getHiddenCommandParameterId) are called from here. Message thread only. */
class EditorGestures
{
public:
    explicit EditorGestures (BasePluginEditor& editor);
    ~EditorGestures();

    void mouseDown (const juce::MouseEvent& event);
    void mouseDoubleClick (const juce::MouseEvent& event);
    void restoreControlParameter (juce::Component* control, const juce::MouseEvent& event);
    void restoreParameter (Parameter* parameter);
    void showParameterValue (Parameter* parameter);

    void openParameterInfo (Parameter* parameter, juce::Component* anchor);
    void showParameterInfo (ParameterInfo* info);
    void popupClosed (juce::Component* popup);
    ParameterInfo* getParameterInfo() const noexcept { return parameterInfo.get(); }
    /** The anchor was a widget of the skin that is going. */
    void releaseAnchor() { parameterInfoAnchor = nullptr; }

    void handleHiddenCommand (GUIController* control);
    void controllerValueChanged (ParameterController* controller);

private:
    bool isInsideRootPanel (juce::Component* component) const;
    /** The nearest of pressed and its parents inside the skin that binds parameters (a
        GUIController or a ParameterController), or null. */
    juce::Component* findControl (juce::Component* pressed) const;
    /** The parameter a press on that control means; anchor becomes the component it belongs to. */
    static Parameter* getControlParameter (juce::Component* control, const juce::MouseEvent& event,
                                           juce::Component*& anchor);
    static bool isResetAllowed (juce::Component* control);
    Parameter* findControlParameter (juce::Component* pressed, const juce::MouseEvent& event,
                                     juce::Component*& anchor) const;

    BasePluginEditor& editor;
    BasePlugin& plugin;
    bool parameterInfoOption = false;
    juce::Component::SafePointer<juce::Component> parameterInfoAnchor;
    std::unique_ptr<ParameterInfo> parameterInfo;

    JUCE_DECLARE_NON_COPYABLE (EditorGestures)
};
