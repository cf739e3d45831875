#pragma once

#include "skin/ParameterController.h"
#include <juce_gui_basics/juce_gui_basics.h>

/** Keeps a toggling button and the main parameter of its controller in step: the button's
    state sets the parameter to its minimum (off) or maximum (on) in one gesture, and the
    parameter's value sets the button's state without being sent back.
    The button owns one and calls it from its buttonStateChanged() and parameterValueChanged(). */
class ParameterToggleBinding
{
public:
    ParameterToggleBinding (juce::Button& button, ParameterController& controller) noexcept;

    /** Sends the button's state to the main parameter when it differs. */
    void buttonStateChanged();
    /** Takes the main parameter's value; other parameters are ignored. */
    void parameterValueChanged (Parameter* parameter);

private:
    juce::Button& button;
    ParameterController& controller;
    bool updatingFromParameter = false;

    JUCE_DECLARE_NON_COPYABLE (ParameterToggleBinding)
};
