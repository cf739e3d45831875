#pragma once

#include "core/parameters/Parameter.h"
#include "skin/BlinkingComponent.h"
#include "core/parameters/ListenerArray.h"
#include <juce_gui_basics/juce_gui_basics.h>

class Skin;

/** The binding of an image-strip widget to one parameter.

    Values from the parameter reach updateFromParameter on the message thread; the widget's
    own changes go to the parameter with notification, framed by change gestures. */
class GUIController : public Parameter::Listener,
                      public BlinkingComponent
{
public:
    /** Told of what the user does with a control; called last added first. */
    class Listener
    {
    public:
        virtual ~Listener() = default;
        /** Message thread. The control sent an action code. */
        virtual void controlActionSent (GUIController*, int /*action*/) {}
        /** Message thread. The user started changing the control (mouse down). */
        virtual void controlDragStarted (GUIController*) {}
        /** Message thread. The user changed the control's value. */
        virtual void controlValueChanged (GUIController*) {}
        /** Message thread. The user finished a change (mouse up, or a text entered). */
        virtual void controlDragEnded (GUIController*) {}
    };

    static const juce::Identifier paramAttribute, paramResetAttribute;

    GUIController();
    ~GUIController() override;

    /** Binds the parameter named by "param" (through the skin's plug-in) and reads
        "paramReset" (true when missing). */
    virtual void loadFromXml (const juce::ValueTree& element, Skin& skin);

    /** Stores the code of a named action; false for a name the control does not know. */
    virtual bool setAction (const juce::String& /*name*/, int /*code*/) { return false; }

    /** Binds a parameter (null unbinds) and shows its value. */
    void setParameter (Parameter* parameter);
    Parameter* getParameter() const noexcept { return parameter; }

    /** Whether the editor's double-click restore may reset this control ("paramReset"). */
    bool isResetAllowed() const noexcept { return resetAllowed; }
    void setResetAllowed (bool allowed) noexcept { resetAllowed = allowed; }

    /** The parameter that a mouse event on this control is about; anchor may be set to the
        component that a pop-up for it belongs to (left unchanged by default). */
    virtual Parameter* getParameterForMouseEvent (const juce::MouseEvent& event, juce::Component*& anchor);

    /** Message thread (through parameterChanged, so the parameter manager's timer too).
        Shows the bound parameter's current value. */
    virtual void updateFromParameter() {}

    void addListener (Listener* listener);
    void removeListener (Listener* listener);
    int getNumListeners() const noexcept { return listeners.size(); }

    void sendAction (int action);
    void notifyDragStarted();
    void notifyValueChanged();
    void notifyDragEnded();

    /** Message thread (a parameter's asynchronous update, or the parameter manager's 10 ms
        timer for changes made on other threads). */
    void parameterChanged (Parameter* changed) override;

protected:
    /** Gesture-framed changes of the bound parameter; nothing when unbound. */
    void beginGesture();
    void endGesture();
    void setParameterNormalised (float normalised);

private:
    Parameter* parameter = nullptr;
    bool resetAllowed = true;
    bool inGesture = false;
    ListenerArray<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE (GUIController)
};
