#include "skin/ParameterController.h"
#include "core/parameters/ParameterManager.h"

namespace
{
    const juce::Identifier paramAttribute { "param" };
    const juce::Identifier nameAttribute { "name" };
    const juce::Identifier parametersType { "parameters" };
}

ParameterController::ParameterController() = default;

ParameterController::~ParameterController()
{
    removeAllParameters();
}

void ParameterController::parameterChanged (Parameter* parameter)
{
    parameterValueChanged (parameter);
}

bool ParameterController::acceptsParameter (Parameter*)
{
    return true;
}

bool ParameterController::bindParameterFromXml (const juce::ValueTree& element, const ParameterManager* manager)
{
    if (! element.hasProperty (paramAttribute))
        return false;

    auto* parameter = manager != nullptr ? manager->getParameterByName (element[paramAttribute].toString())
                                         : nullptr;
    return addParameter (parameter);
}

void ParameterController::bindParametersFromXml (const juce::ValueTree& node, const ParameterManager* manager)
{
    if (! node.isValid() || ! node.hasType (parametersType))
        return;

    for (const auto& child : node)
    {
        if (! child.hasType (paramAttribute))
            continue;

        Parameter* parameter = nullptr;

        if (manager != nullptr && child.hasProperty (nameAttribute))
            parameter = manager->getParameterByName (child[nameAttribute].toString());

        addParameter (parameter);
    }
}

bool ParameterController::addParameter (Parameter* parameter)
{
    if (parameter == nullptr || ! acceptsParameter (parameter) || parameters.contains (parameter))
    {
        parameterRefused (parameter);
        return false;
    }

    parameters.add (parameter);
    parameterAdded (parameter);
    parameterValueChanged (parameter);
    parameter->addListener (this);
    return true;
}

void ParameterController::removeAllParameters()
{
    for (auto* parameter : parameters)
        parameter->removeListener (this);

    parameters.clear();
}

Parameter* ParameterController::getParameter (int index) const
{
    return juce::isPositiveAndBelow (index, parameters.size()) ? parameters.getUnchecked (index) : nullptr;
}

bool ParameterController::hasParameter (Parameter* parameter) const
{
    return parameter != nullptr && parameters.contains (parameter);
}

Parameter* ParameterController::resolve (Parameter* parameter) const
{
    if (parameter == nullptr)
        return parameters.getFirst();

    return parameters.contains (parameter) ? parameter : nullptr;
}

void ParameterController::setValue (Parameter* parameter, float value)
{
    if (auto* p = resolve (parameter))
    {
        p->setValue (value, true);
        notifyListeners();
    }
}

void ParameterController::setNormalisedValue (Parameter* parameter, float value)
{
    if (auto* p = resolve (parameter))
    {
        p->setNormalisedValue (value, true);
        notifyListeners();
    }
}

void ParameterController::setIntValue (int value, Parameter* parameter)
{
    if (auto* p = resolve (parameter))
    {
        p->setIntValue (value, true);
        notifyListeners();
    }
}

void ParameterController::setToStoredValue (juce::uint8 which, Parameter* parameter)
{
    if (auto* p = resolve (parameter))
    {
        p->setToStoredValue (which, true);
        notifyListeners();
    }
}

void ParameterController::beginChangeGesture (Parameter* parameter)
{
    if (auto* p = resolve (parameter))
        p->beginChangeGesture();
}

void ParameterController::endChangeGesture (Parameter* parameter)
{
    if (auto* p = resolve (parameter))
        p->endChangeGesture();
}

void ParameterController::addListener (Listener* listener)
{
    listeners.add (listener);
}

void ParameterController::removeListener (Listener* listener)
{
    listeners.remove (listener);
}

void ParameterController::notifyListeners()
{
    listeners.call ([this] (Listener& l) { l.controllerValueChanged (this); });
}
