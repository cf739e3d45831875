#pragma once

#include "core/parameters/Parameter.h"
#include "core/parameters/ListenerArray.h"
#include <juce_data_structures/juce_data_structures.h>

class ParameterManager;

/** Mix-in that binds a widget to one or more parameters.

    The first bound parameter is the widget's main one. Value setters and gestures take a
    parameter, which must be bound (else nothing happens), or null for the main parameter.
    Values from the host reach parameterValueChanged() on the message thread only.
*/
class ParameterController : public Parameter::Listener
{
public:
    /** Told when the user changed a bound parameter through this controller. */
    class Listener
    {
    public:
        virtual ~Listener() = default;
        /** Message thread. */
        virtual void controllerValueChanged (ParameterController* controller) = 0;
    };

    ParameterController();
    ~ParameterController() override;

    /** Message thread (a parameter's asynchronous update, or the parameter manager's 10 ms
        timer for changes made on other threads). Calls parameterValueChanged. */
    void parameterChanged (Parameter* parameter) override;
    /** Message thread. */
    void parameterGestureBegan (Parameter*) override {}
    /** Message thread. */
    void parameterGestureEnded (Parameter*) override {}

    /** Whether this widget can be bound to the parameter (widgets test the kind here). */
    virtual bool acceptsParameter (Parameter* parameter);
    /** Message thread (through parameterChanged, so the parameter manager's timer too). A
        bound parameter's value changed; also called once on binding. */
    virtual void parameterValueChanged (Parameter*) {}
    /** A parameter was just bound. */
    virtual void parameterAdded (Parameter*) {}
    /** A parameter was not bound: null, not accepted or already bound. */
    virtual void parameterRefused (Parameter*) {}

    /** Binds the parameter named by the element's "param" attribute; false without one. */
    bool bindParameterFromXml (const juce::ValueTree& element, const ParameterManager* manager);
    /** Binds every "param" child (by its "name") of a "parameters" node, in order. */
    void bindParametersFromXml (const juce::ValueTree& node, const ParameterManager* manager);

    bool addParameter (Parameter* parameter);
    void removeAllParameters();

    Parameter* getParameter (int index) const;
    int getNumParameters() const noexcept { return parameters.size(); }
    bool hasParameter (Parameter* parameter) const;

    void setValue (Parameter* parameter, float value);
    void setNormalisedValue (Parameter* parameter, float value);
    void setIntValue (int value, Parameter* parameter);
    void setToStoredValue (juce::uint8 which, Parameter* parameter);
    void beginChangeGesture (Parameter* parameter);
    void endChangeGesture (Parameter* parameter);

    /** Whether the editor's double-click restore may reset this control. */
    bool isResetAllowed() const noexcept { return resetAllowed; }
    void setResetAllowed (bool allowed) noexcept { resetAllowed = allowed; }

    /** Each listener is added once; null is ignored. */
    void addListener (Listener* listener);
    void removeListener (Listener* listener);
    int getNumListeners() const noexcept { return listeners.size(); }

protected:
    /** Tells the listeners, last added first. Called after a value set through this controller. */
    void notifyListeners();

    /** The parameter an operation acts on: a bound one as given, the first for null. */
    Parameter* resolve (Parameter* parameter) const;

    juce::Array<Parameter*> parameters;
    bool resetAllowed = true;

private:
    ListenerArray<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE (ParameterController)
};
