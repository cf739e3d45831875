#include "skin/GUIController.h"
#include "core/parameters/ParameterManager.h"
#include "skin/Skin.h"
#include <cmath>

const juce::Identifier GUIController::paramAttribute ("param");
const juce::Identifier GUIController::paramResetAttribute ("paramReset");

GUIController::GUIController() = default;

GUIController::~GUIController()
{
    // A gesture left open would keep the host's automation in touch mode.
    endGesture();
    setParameter (nullptr);
}

void GUIController::loadFromXml (const juce::ValueTree& element, Skin& skin)
{
    resetAllowed = element.hasProperty (paramResetAttribute) ? (bool) element.getProperty (paramResetAttribute)
                                                             : true;

    if (! element.hasProperty (paramAttribute))
        return;

    const auto name = element.getProperty (paramAttribute).toString();
    auto* manager = skin.getParameterManager();
    auto* found = manager != nullptr ? manager->getParameterByName (name) : nullptr;

    if (found == nullptr)
        skin.log ("Skin: no parameter \"" + name + "\" for widget \""
                  + element.getProperty ("name").toString() + "\"");

    setParameter (found);
}

void GUIController::setParameter (Parameter* newParameter)
{
    if (newParameter == parameter)
        return;

    endGesture();

    if (parameter != nullptr)
        parameter->removeListener (this);

    parameter = newParameter;

    if (parameter != nullptr)
    {
        parameter->addListener (this);
        updateFromParameter();
    }
}

Parameter* GUIController::getParameterForMouseEvent (const juce::MouseEvent&, juce::Component*&)
{
    return parameter;
}

void GUIController::parameterChanged (Parameter* changed)
{
    if (changed == parameter && parameter != nullptr)
        updateFromParameter();
}

void GUIController::addListener (Listener* listener)
{
    listeners.add (listener);
}

void GUIController::removeListener (Listener* listener)
{
    listeners.remove (listener);
}

void GUIController::sendAction (int action)
{
    listeners.call ([this, action] (Listener& l) { l.controlActionSent (this, action); });
}

void GUIController::notifyDragStarted()
{
    listeners.call ([this] (Listener& l) { l.controlDragStarted (this); });
}

void GUIController::notifyValueChanged()
{
    listeners.call ([this] (Listener& l) { l.controlValueChanged (this); });
}

void GUIController::notifyDragEnded()
{
    listeners.call ([this] (Listener& l) { l.controlDragEnded (this); });
}

void GUIController::beginGesture()
{
    if (parameter == nullptr || inGesture)
        return;

    inGesture = true;
    parameter->beginChangeGesture();
}

void GUIController::endGesture()
{
    if (parameter == nullptr || ! inGesture)
        return;

    inGesture = false;
    parameter->endChangeGesture();
}

void GUIController::setParameterNormalised (float normalised)
{
    if (parameter == nullptr || std::isnan (normalised))
        return;

    parameter->setNormalisedValue (juce::jlimit (0.0f, 1.0f, normalised), true);
}
