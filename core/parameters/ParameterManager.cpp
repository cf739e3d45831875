#include "core/parameters/ParameterManager.h"
#include "core/parameters/BoundedXmlReader.h"
#include "core/parameters/ParameterKind.h"
#include "core/parameters/StringParameter.h"

#include <set>

namespace
{
    constexpr int deferredUpdateIntervalMs = 10;

    juce::String quoted (const juce::String& text)
    {
        return "\"" + text + "\"";
    }
}

//==============================================================================
ParameterManager::ParameterManager()
{
    // Without a message loop there is nobody to deliver to; flushPendingUpdates() still works.
    if (juce::MessageManager::getInstanceWithoutCreating() != nullptr)
        startTimer (deferredUpdateIntervalMs);
}

ParameterManager::~ParameterManager()
{
    stopTimer();
}

//==============================================================================
juce::String ParameterManager::loadFromFile (const juce::File& file)
{
    const auto path = file.getFullPathName();
    juce::String readError;
    const auto root = BoundedXmlReader::parseFile (file, BoundedXmlReader::standardLimits, readError);

    if (root == nullptr)
        return path + ": " + readError;

    const auto error = loadFromXml (*root);
    return error.isEmpty() ? error : path + ": " + error;
}

juce::String ParameterManager::loadFromXml (const juce::XmlElement& root)
{
    if (! BoundedXmlReader::hasTag (root, "PluginParameters"))
        return "the root element is <" + root.getTagName() + ">, expected <PluginParameters>";

    struct NewParameter
    {
        std::unique_ptr<Parameter> parameter;
        juce::String group;
    };

    std::vector<NewParameter> made;
    std::set<int> ids;
    std::set<juce::String> names;
    juce::StringArray groupNames;

    // Held throughout, so the checks against the tables stay true until everything is added.
    const juce::ScopedLock sl (lock);

    for (auto* groupElement : root.getChildIterator())
    {
        if (groupElement->isTextElement())
        {
            if (groupElement->getText().trim().isNotEmpty())
                return "unexpected text in <PluginParameters>: " + quoted (groupElement->getText().trim().substring (0, 40));

            continue;
        }

        if (! BoundedXmlReader::hasTag (*groupElement, "group"))
            return "unexpected element <" + groupElement->getTagName() + "> in <PluginParameters> (expected <group>)";

        const auto groupName = groupElement->getStringAttribute ("name");
        const auto where = "<group> " + quoted (groupName);

        for (int i = 0; i < groupElement->getNumAttributes(); ++i)
            if (groupElement->getAttributeName (i) != "name")
                return where + ": unknown attribute " + groupElement->getAttributeName (i);

        if (groupName.trim().isEmpty())
            return "a <group> has no name attribute";

        if (groupNames.contains (groupName))
            return where + ": the group name is used twice";

        groupNames.add (groupName);
        int index = 0;

        for (auto* element : groupElement->getChildIterator())
        {
            if (element->isTextElement())
            {
                if (element->getText().trim().isNotEmpty())
                    return where + ": unexpected text " + quoted (element->getText().trim().substring (0, 40));

                continue;
            }

            ++index;
            auto paramWhere = where + ", <param> " + juce::String (index);

            if (element->hasAttribute ("name"))
                paramWhere << " (" << quoted (element->getStringAttribute ("name")) << ")";

            if (! BoundedXmlReader::hasTag (*element, "param"))
                return where + ": unexpected element <" + element->getTagName() + "> (expected <param>)";

            juce::String error;
            auto parameter = createParameter (*element, groupName, error);

            if (parameter == nullptr)
                return paramWhere + ": " + (error.isNotEmpty() ? error : juce::String ("cannot be made"));

            const int id = parameter->getId();

            if (ids.count (id) != 0)
                return paramWhere + ": id " + juce::String (id) + " is used twice";

            if (names.count (parameter->getName()) != 0)
                return paramWhere + ": the name is used twice";

            const auto clash = checkNewParameter (*parameter);

            if (clash.isNotEmpty())
                return paramWhere + ": " + clash;

            ids.insert (id);
            names.insert (parameter->getName());
            made.push_back ({ std::move (parameter), groupName });
        }
    }

    for (auto& entry : made)
    {
        const bool added = addParameter (std::move (entry.parameter), entry.group);
        jassert (added);
        juce::ignoreUnused (added);
    }

    return {};
}

std::unique_ptr<Parameter> ParameterManager::createParameter (const juce::XmlElement& element,
                                                              const juce::String& groupName,
                                                              juce::String& error) const
{
    return ParameterKind::createParameter (element, groupName, error);
}

//==============================================================================
juce::String ParameterManager::checkNewParameter (const Parameter& parameter) const
{
    const juce::ScopedLock sl (lock);

    if (auto it = byId.find (parameter.getId()); it != byId.end())
        return "id " + juce::String (parameter.getId()) + " is already used by " + quoted (it->second->getName());

    if (byName.count (parameter.getName()) != 0)
        return "the name is already used by id " + juce::String (byName.at (parameter.getName())->getId());

    return {};
}

bool ParameterManager::addParameter (std::unique_ptr<Parameter> parameter, const juce::String& groupName)
{
    if (parameter == nullptr || parameter->getId() < 0 || parameter->getName().isEmpty())
        return false;

    const juce::ScopedLock sl (lock);

    if (checkNewParameter (*parameter).isNotEmpty())
        return false;

    auto* p = parameters.add (std::move (parameter));
    p->owner = this;

    if (groupName.isNotEmpty())
        p->description.group = groupName;

    byId[p->getId()] = p;
    byName[p->getName()] = p;
    addToGroup (p->getId(), p->getGroupName());
    return true;
}

void ParameterManager::addToGroup (int id, const juce::String& groupName)
{
    if (groupName.isEmpty())
        return;

    for (auto& group : groups)
    {
        if (group.name == groupName)
        {
            group.ids.add (id);
            return;
        }
    }

    groups.add ({ groupName, { id } });
}

Parameter* ParameterManager::getParameterByIndex (int id) const
{
    const juce::ScopedLock sl (lock);
    const auto it = byId.find (id);
    return it != byId.end() ? it->second : nullptr;
}

Parameter* ParameterManager::getParameterByName (const juce::String& name) const
{
    const juce::ScopedLock sl (lock);
    const auto it = byName.find (name);
    return it != byName.end() ? it->second : nullptr;
}

// Listener lists are changed outside the manager's lock: a parameter holds its list's lock while
// it calls listeners, and a listener may look parameters up.
void ParameterManager::addListenerToAll (Parameter::Listener* listener)
{
    for (auto* p : snapshotParameters())
        p->addListener (listener);
}

void ParameterManager::removeListenerFromAll (Parameter::Listener* listener)
{
    for (auto* p : snapshotParameters())
        p->removeListener (listener);
}

void ParameterManager::setImmediateListenerForAll (Parameter::ImmediateListener* listener)
{
    for (auto* p : snapshotParameters())
        p->setImmediateListener (listener);
}

void ParameterManager::setParameterToStoredValue (int id, int which)
{
    const juce::ScopedLock sl (lock);

    if (auto* p = getParameterByIndex (id))
        p->setToStoredValue (which, true);
}

bool ParameterManager::canLearnMidi (Parameter* parameter) const
{
    return parameter != nullptr
        && parameter->isAutomatable()
        && dynamic_cast<const StringParameter*> (parameter) == nullptr
        && parameter->getId() < firstCommandId;
}

juce::String ParameterManager::formatValue (const Parameter& parameter, float plainValue) const
{
    return parameter.getTextWithUnit (plainValue);
}

bool ParameterManager::parseValue (const Parameter& parameter, const juce::String& text, float& plainValue) const
{
    return parameter.parseDisplayText (text, plainValue);
}

//==============================================================================
juce::Array<Parameter*> ParameterManager::snapshotParameters() const
{
    const juce::ScopedLock sl (lock);
    return juce::Array<Parameter*> (parameters.begin(), parameters.size());
}

void ParameterManager::flushPendingUpdates()
{
    for (auto* p : snapshotParameters())
        p->flushPendingUpdate();
}

void ParameterManager::timerCallback()
{
    // Outside the lock: a listener may reach the host, which may hold its own locks while it
    // looks a parameter up. A copy, because a listener may run a modal loop that re-enters
    // this callback.
    for (auto* p : snapshotParameters())
        p->deliverDeferredUpdate();
}
