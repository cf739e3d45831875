#include "core/parameters/MidiControlMap.h"
#include "core/parameters/AtomicFile.h"
#include "core/parameters/BoundedXmlReader.h"
#include "core/parameters/ParameterText.h"

MidiControlMap::MidiControlMap (ParameterManager& m) : manager (m)
{
}

Parameter* MidiControlMap::lookUp (const Table& table, int learnt, int controller) noexcept
{
    auto* parameter = table.slots[(size_t) controller];

    if (table.learnTarget != nullptr && learnt >= 0)
    {
        if (controller == learnt)
            return table.learnTarget;

        if (parameter == table.learnTarget)
            return nullptr;
    }

    return parameter;
}

std::pair<const MidiControlMap::Table*, int> MidiControlMap::current() const noexcept
{
    const auto now = state.load();
    return { &tables[tableOf (now)], learntOf (now) };
}

void MidiControlMap::publish (const std::function<void (Table&, int)>& edit)
{
    for (;;)
    {
        auto before = state.load();
        // Neither the current table nor the one the audio thread may be reading (checked after
        // the current one: a reader marks its table, then checks it is still current).
        const auto reading = inUse.load();
        juce::uint32 spare = 0;

        while (spare == tableOf (before) || spare == reading)
            ++spare;

        auto& next = tables[spare];
        next = tables[tableOf (before)];
        edit (next, learntOf (before));

        const int learnt = next.learnTarget != nullptr && next.learnTarget == tables[tableOf (before)].learnTarget ? learntOf (before) : -1;

        // Fails only when the audio thread learnt a CC meanwhile: the edit is made again.
        if (state.compare_exchange_strong (before, makeState (spare, learnt)))
            break;
    }

    changed = true;
}

Parameter* MidiControlMap::getParameter (int controller) const
{
    if (! juce::isPositiveAndBelow (controller, numSlots))
        return nullptr;

    const juce::ScopedLock sl (lock);
    const auto [table, learnt] = current();
    return lookUp (*table, learnt, controller);
}

void MidiControlMap::setParameter (int controller, Parameter* parameter)
{
    if (! juce::isPositiveAndBelow (controller, numSlots))
        return;

    const juce::ScopedLock sl (lock);
    publish ([&] (Table& table, int) { table.slots[(size_t) controller] = parameter; });
}

int MidiControlMap::getControllerFor (const Parameter* parameter) const
{
    if (parameter == nullptr)
        return -1;

    const juce::ScopedLock sl (lock);
    const auto [table, learnt] = current();

    for (int cc = 0; cc < numSlots; ++cc)
        if (lookUp (*table, learnt, cc) == parameter)
            return cc;

    return -1;
}

void MidiControlMap::clear()
{
    const juce::ScopedLock sl (lock);
    publish ([] (Table& table, int) { table.slots.fill (nullptr); });
}

bool MidiControlMap::handleController (int controller, int value) noexcept
{
    if (! juce::isPositiveAndBelow (controller, numSlots))
        return false;

    Parameter* parameter = nullptr;

    for (;;)
    {
        auto now = state.load();
        const auto index = tableOf (now);
        inUse.store (index);

        // Marked, then checked still current: a writer that looked before the mark has
        // published another table, so this one is read again.
        now = state.load();

        if (tableOf (now) != index)
            continue;

        const auto& table = tables[index];

        if (table.learnTarget != nullptr && learntOf (now) != controller)
        {
            if (! state.compare_exchange_strong (now, makeState (index, controller)))
                continue;

            learntController.store (controller);
            changed = true;
        }

        parameter = lookUp (table, table.learnTarget != nullptr ? controller : -1, controller);
        break;
    }

    inUse.store (numTables);

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

    const juce::ScopedLock sl (lock);
    // A new learn ends the one before without keeping it.
    endLearning (false);
    learntController.store (-1);
    publish ([target] (Table& table, int) { table.learnTarget = target; });
    learnTarget.store (target);
}

void MidiControlMap::endLearning (bool keep)
{
    const juce::ScopedLock sl (lock);

    if (learnTarget.exchange (nullptr) == nullptr)
        return;

    publish ([keep] (Table& table, int learnt) {
        if (keep && learnt >= 0)
            for (int cc = 0; cc < numSlots; ++cc)
                table.slots[(size_t) cc] = lookUp (table, learnt, cc);

        table.learnTarget = nullptr;
    });

    if (! keep)
        learntController.store (-1);
}

std::unique_ptr<juce::XmlElement> MidiControlMap::createXml() const
{
    auto xml = std::make_unique<juce::XmlElement> (xmlTag);

    const juce::ScopedLock sl (lock);
    const auto [table, learnt] = current();

    for (int cc = 0; cc < numSlots; ++cc)
    {
        if (auto* parameter = lookUp (*table, learnt, cc))
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
    Slots parsed;

    if (! parseXml (element, parsed))
        return false;

    setSlots (parsed);
    return true;
}

bool MidiControlMap::parseXml (const juce::XmlElement& element, Slots& slots) const
{
    if (! BoundedXmlReader::hasTag (element, xmlTag) || BoundedXmlReader::hasMiscasedChild (element, { assignTag }))
        return false;

    slots = {};

    for (auto* assign : element.getChildIterator())
    {
        if (! BoundedXmlReader::hasTag (*assign, assignTag))
            continue;

        // Only a plain number names a CC: "abc" is not CC 0, nor 4294967370 CC 74.
        int cc = -1;

        if (! ParameterText::parseInteger (assign->getStringAttribute ("cc"), cc) || ! juce::isPositiveAndBelow (cc, numSlots))
            continue;

        // Commands and parameters the host cannot automate are not for controllers.
        if (auto* parameter = manager.getParameterByName (assign->getStringAttribute ("param")); manager.canLearnMidi (parameter))
            slots[(size_t) cc] = parameter;
    }

    return true;
}

void MidiControlMap::setSlots (const Slots& slots)
{
    const juce::ScopedLock sl (lock);
    publish ([&slots] (Table& table, int) { table.slots = slots; });
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
