#include "core/parameters/MidiControlMap.h"
#include "core/parameters/AtomicFile.h"
#include "core/parameters/BoundedXmlReader.h"
#include "core/parameters/ParameterText.h"

MidiControlMap::MidiControlMap (ParameterManager& m) : manager (m)
{
    for (auto& slot : backup)
        slot.store (nullptr);

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

int MidiControlMap::getControllerFor (const Parameter* parameter) const noexcept
{
    if (parameter != nullptr)
        for (int cc = 0; cc < numSlots; ++cc)
            if (slots[(size_t) cc].load() == parameter)
                return cc;

    return -1;
}

void MidiControlMap::clear() noexcept
{
    for (auto& slot : slots)
        slot.store (nullptr);

    changed = true;
}

bool MidiControlMap::handleController (int controller, int value) noexcept
{
    if (! juce::isPositiveAndBelow (controller, numSlots))
        return false;

    if (auto* target = learnTarget.load())
    {
        for (size_t cc = 0; cc < (size_t) numSlots; ++cc)
        {
            auto* before = backup[cc].load();
            slots[cc].store (before == target ? nullptr : before);
        }

        slots[(size_t) controller].store (target);
        learntController.store (controller);
        changed = true;
    }

    auto* parameter = getParameter (controller);

    if (parameter == nullptr)
        return false;

    parameter->setNormalisedValue ((float) juce::jlimit (0, 127, value) / 127.0f, true);
    return true;
}

void MidiControlMap::startLearning (Parameter* target)
{
    if (target == nullptr)
    {
        endLearning (true);
        return;
    }

    // A new learn ends the one before without keeping it.
    endLearning (false);

    for (size_t cc = 0; cc < (size_t) numSlots; ++cc)
        backup[cc].store (slots[cc].load());

    learntController.store (-1);
    learnTarget.store (target);
}

void MidiControlMap::endLearning (bool keep)
{
    if (learnTarget.exchange (nullptr) == nullptr)
        return;

    if (! keep)
    {
        for (size_t cc = 0; cc < (size_t) numSlots; ++cc)
            slots[cc].store (backup[cc].load());

        learntController.store (-1);
        changed = true;
    }
}

std::unique_ptr<juce::XmlElement> MidiControlMap::createXml() const
{
    auto xml = std::make_unique<juce::XmlElement> (xmlTag);

    for (int cc = 0; cc < numSlots; ++cc)
    {
        if (auto* parameter = getParameter (cc))
        {
            auto* assign = xml->createNewChildElement (assignTag);
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

    for (auto* assign : element.getChildWithTagNameIterator (assignTag))
    {
        // Only a plain number names a CC: "abc" is not CC 0, nor 4294967370 CC 74.
        int cc = -1;

        if (! ParameterText::parseInteger (assign->getStringAttribute ("cc"), cc) || ! juce::isPositiveAndBelow (cc, numSlots))
            continue;

        // Commands and parameters the host cannot automate are not for controllers.
        if (auto* parameter = manager.getParameterByName (assign->getStringAttribute ("param")); manager.canLearnMidi (parameter))
            parsed[(size_t) cc] = parameter;
    }

    for (int cc = 0; cc < numSlots; ++cc)
        slots[(size_t) cc].store (parsed[(size_t) cc]);

    changed = true;
    return true;
}

bool MidiControlMap::loadFromFile (const juce::File& file, juce::String* error)
{
    juce::String reason;
    const auto root = BoundedXmlReader::parseFile (file, BoundedXmlReader::standardLimits, reason);

    if (root != nullptr && readFromXml (*root))
        return true;

    if (error != nullptr)
        *error = file.getFullPathName() + ": " + (root != nullptr ? "not a <" + juce::String (xmlTag) + ">" : reason);

    return false;
}

juce::Result MidiControlMap::saveToFile (const juce::File& file) const
{
    return AtomicFile::write (file, *createXml());
}
