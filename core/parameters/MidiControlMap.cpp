#include "core/parameters/MidiControlMap.h"

MidiControlMap::MidiControlMap (ParameterManager& m) : manager (m)
{
    clear();
}

Parameter* MidiControlMap::getParameter (int controller) const noexcept
{
    return juce::isPositiveAndBelow (controller, numSlots) ? slots[(size_t) controller].load() : nullptr;
}

void MidiControlMap::setParameter (int controller, Parameter* parameter) noexcept
{
    if (juce::isPositiveAndBelow (controller, numSlots))
    {
        slots[(size_t) controller].store (parameter);
        changed = true;
    }
}

void MidiControlMap::clear() noexcept
{
    for (auto& slot : slots)
        slot.store (nullptr);

    changed = true;
}

bool MidiControlMap::handleController (int controller, int value) noexcept
{
    auto* parameter = getParameter (controller);

    if (parameter == nullptr)
        return false;

    parameter->setNormalisedValue ((float) juce::jlimit (0, 127, value) / 127.0f, true);
    return true;
}

std::unique_ptr<juce::XmlElement> MidiControlMap::createXml() const
{
    auto xml = std::make_unique<juce::XmlElement> (xmlTag);

    for (int cc = 0; cc < numSlots; ++cc)
    {
        if (auto* parameter = getParameter (cc))
        {
            auto* assign = xml->createNewChildElement ("assign");
            assign->setAttribute ("cc", cc);
            assign->setAttribute ("param", parameter->getName());
        }
    }

    return xml;
}

bool MidiControlMap::readFromXml (const juce::XmlElement& element)
{
    if (! element.hasTagName (xmlTag))
        return false;

    std::array<Parameter*, numSlots> parsed {};

    for (auto* assign : element.getChildWithTagNameIterator ("assign"))
    {
        const auto cc = assign->getIntAttribute ("cc", -1);

        if (juce::isPositiveAndBelow (cc, numSlots))
            parsed[(size_t) cc] = manager.getParameterByName (assign->getStringAttribute ("param"));
    }

    for (int cc = 0; cc < numSlots; ++cc)
        slots[(size_t) cc].store (parsed[(size_t) cc]);

    changed = true;
    return true;
}
