#include "skin/ParameterToggleBinding.h"

ParameterToggleBinding::ParameterToggleBinding (juce::Button& b, ParameterController& c) noexcept
    : button (b), controller (c)
{
}

void ParameterToggleBinding::buttonStateChanged()
{
    // Only the user's changes go to the parameter, never one that came from it.
    auto* parameter = controller.getParameter (0);

    if (updatingFromParameter || parameter == nullptr || button.getToggleState() == parameter->getBoolValue())
        return;

    controller.beginChangeGesture (nullptr);
    controller.setToStoredValue (button.getToggleState() ? 1 : 0, nullptr);
    controller.endChangeGesture (nullptr);
}

void ParameterToggleBinding::parameterValueChanged (Parameter* parameter)
{
    if (parameter == nullptr || parameter != controller.getParameter (0))
        return;

    const juce::ScopedValueSetter<bool> guard (updatingFromParameter, true);
    button.setToggleState (parameter->getBoolValue(), juce::dontSendNotification);
}
