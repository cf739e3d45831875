#include "core/parameters/ParameterManager.h"
#include "core/parameters/AnswerParameter.h"
#include "core/parameters/BoolParameter.h"
#include "core/parameters/EnumParameter.h"
#include "core/parameters/FloatParameter.h"
#include "core/parameters/IntParameter.h"
#include "core/parameters/LogicParameter.h"
#include "core/parameters/NoteParameter.h"
#include "core/parameters/ParameterText.h"
#include "core/parameters/StateParameter.h"
#include "core/parameters/StringParameter.h"

#include <cmath>
#include <cstring>
#include <set>

namespace
{
    constexpr int deferredUpdateIntervalMs = 10;
    constexpr juce::int64 maxFileSize = 1024 * 1024;
    constexpr int maxNestingDepth = 32;       // the format needs 3; JUCE's XML reader recurses
    constexpr double maxMagnitude = 1.0e9;
    constexpr double maxIntegerMagnitude = 16777216.0;   // exact in a float

    const juce::StringArray commonAttributes { "id", "name", "displayName", "type", "auto", "meta",
                                               "latency", "presets", "showValue" };

    juce::StringArray attributesOfType (const juce::String& type)
    {
        if (type == "float")   return { "min", "max", "default", "step", "skewCentre", "decimals", "unit" };
        if (type == "int")     return { "min", "max", "default", "unit" };
        if (type == "state")   return { "min", "max", "default" };
        if (type == "note")    return { "min", "max", "default" };
        if (type == "enum")    return { "items", "min", "max", "default" };
        if (type == "bool" || type == "answer" || type == "logic" || type == "string")
                               return { "default" };
        return {};
    }

    juce::String quoted (const juce::String& text)
    {
        return "\"" + text + "\"";
    }

    /** Reads the attributes of one "param" element; the first problem is kept in error. */
    struct AttributeReader
    {
        const juce::XmlElement& element;
        juce::String& error;

        bool has (const char* name) const    { return element.hasAttribute (name); }
        juce::String text (const char* name) const   { return element.getStringAttribute (name); }

        bool fail (const juce::String& message)
        {
            if (error.isEmpty())
                error = message;

            return false;
        }

        bool number (const char* name, double fallback, double& result)
        {
            result = fallback;

            if (! has (name))
                return true;

            if (! ParameterText::parseNumber (text (name), result))
                return fail ("attribute " + juce::String (name) + " is not a number: " + quoted (text (name)));

            if (std::abs (result) > maxMagnitude)
                return fail ("attribute " + juce::String (name) + " is out of range (-1e9 to 1e9): " + quoted (text (name)));

            return true;
        }

        bool integer (const char* name, double fallback, double& result)
        {
            if (! number (name, fallback, result))
                return false;

            if (result != std::round (result) || std::abs (result) > maxIntegerMagnitude)
                return fail ("attribute " + juce::String (name) + " is not an integer within +-16777216: " + quoted (text (name)));

            return true;
        }

        bool flag (const char* name, bool fallback, bool& result)
        {
            result = fallback;

            if (! has (name))
                return true;

            const auto t = text (name).trim();

            if (t == "1" || t.equalsIgnoreCase ("true"))   { result = true;  return true; }
            if (t == "0" || t.equalsIgnoreCase ("false"))  { result = false; return true; }

            return fail ("attribute " + juce::String (name) + " must be 1 or 0: " + quoted (t));
        }

        bool note (const char* name, int fallback, double& result)
        {
            result = fallback;

            if (! has (name))
                return true;

            const int byName = NoteParameter::getNoteNumber (text (name));

            if (byName >= 0)
            {
                result = byName;
                return true;
            }

            int n = 0;

            if (! ParameterText::parseInteger (text (name), n) || n < 0 || n > 127)
                return fail ("attribute " + juce::String (name) + " is not a note name or a note 0 to 127: " + quoted (text (name)));

            result = n;
            return true;
        }
    };

    bool checkRange (AttributeReader& reader, double minimum, double maximum, double defaultValue)
    {
        if (! (minimum < maximum))
            return reader.fail ("min (" + juce::String (minimum) + ") must be less than max (" + juce::String (maximum) + ")");

        if (defaultValue < minimum || defaultValue > maximum)
            return reader.fail ("default (" + juce::String (defaultValue) + ") is outside min to max");

        return true;
    }

    // Rough start-tag nesting depth of an XML text, skipping comments, CDATA and instructions.
    int nestingDepth (const std::string& text)
    {
        int depth = 0, deepest = 0;

        for (size_t i = 0; i < text.size();)
        {
            if (text[i] != '<')
            {
                ++i;
                continue;
            }

            auto skipPast = [&] (const char* terminator)
            {
                const auto end = text.find (terminator, i);
                i = end == std::string::npos ? text.size() : end + std::strlen (terminator);
            };

            if (text.compare (i, 4, "<!--") == 0)        { skipPast ("-->"); continue; }
            if (text.compare (i, 9, "<![CDATA[") == 0)   { skipPast ("]]>"); continue; }
            if (text.compare (i, 2, "<?") == 0)          { skipPast ("?>");  continue; }
            if (text.compare (i, 2, "</") == 0)          { --depth; skipPast (">"); continue; }

            char quote = 0, previous = 0;

            for (++i; i < text.size(); ++i)
            {
                const char c = text[i];

                if (quote != 0)                 { if (c == quote) quote = 0; }
                else if (c == '"' || c == '\'') { quote = c; }
                else if (c == '>')              { break; }

                previous = c;
            }

            ++i;

            if (previous != '/')
                deepest = juce::jmax (deepest, ++depth);
        }

        return deepest;
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

    if (! file.existsAsFile())
        return path + ": the file does not exist";

    if (file.getSize() > maxFileSize)
        return path + ": the file is larger than 1 MB";

    const auto text = file.loadFileAsString();
    const auto bytes = text.toStdString();

    if (text.contains ("<!DOCTYPE") || text.contains ("<!ENTITY"))
        return path + ": document type declarations are not allowed";

    if (nestingDepth (bytes) > maxNestingDepth)
        return path + ": the elements are nested too deeply";

    juce::XmlDocument document (text);
    const auto root = document.getDocumentElement();

    if (root == nullptr)
    {
        const auto parseError = document.getLastParseError();
        return path + ": not an XML document" + (parseError.isNotEmpty() ? " (" + parseError + ")" : juce::String());
    }

    const auto error = loadFromXml (*root);
    return error.isEmpty() ? error : path + ": " + error;
}

juce::String ParameterManager::loadFromXml (const juce::XmlElement& root)
{
    if (! root.hasTagName ("PluginParameters"))
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

        if (! groupElement->hasTagName ("group"))
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

            if (! element->hasTagName ("param"))
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
    AttributeReader reader { element, error };
    const auto type = element.getStringAttribute ("type", "float");
    const auto allowed = attributesOfType (type);

    if (allowed.isEmpty())
    {
        reader.fail ("unknown type " + quoted (type) + " (float, int, enum, note, bool, answer, logic, state or string)");
        return {};
    }

    for (int i = 0; i < element.getNumAttributes(); ++i)
    {
        const auto name = element.getAttributeName (i);

        if (! commonAttributes.contains (name) && ! allowed.contains (name))
        {
            reader.fail ("attribute " + name + " is not used by type " + type);
            return {};
        }
    }

    Parameter::Description d;
    d.group = groupName;
    d.name = element.getStringAttribute ("name");
    d.displayName = element.getStringAttribute ("displayName");
    d.unitLabel = element.getStringAttribute ("unit");

    int id = 0;

    if (! reader.has ("id"))
        reader.fail ("the id attribute is missing");
    else if (! ParameterText::parseInteger (reader.text ("id"), id) || id < 0)
        reader.fail ("id must be an integer from 0 on: " + quoted (reader.text ("id")));
    else if (d.name.isEmpty())
        reader.fail ("the name attribute is missing or empty");
    else if (d.name.trim() != d.name)
        reader.fail ("the name begins or ends with white space");

    d.id = id;

    bool includedInPresets = true;
    reader.flag ("auto", true, d.automatable);
    reader.flag ("meta", false, d.meta);
    reader.flag ("latency", false, d.affectsLatency);
    reader.flag ("presets", true, includedInPresets);
    reader.flag ("showValue", true, d.showsValue);
    d.excludedFromPresets = ! includedInPresets;

    if (d.automatable && (type == "state" || type == "string") && reader.has ("auto"))
        reader.fail ("a " + type + " parameter is never automatable: auto must be 0");

    if (error.isNotEmpty())
        return {};

    double minimum = 0.0, maximum = 1.0, defaultValue = 0.0;

    if (type == "float")
    {
        double step = 0.0, centre = 0.0, decimals = 2.0;

        if (reader.number ("min", 0.0, minimum) && reader.number ("max", 1.0, maximum)
             && reader.number ("default", minimum, defaultValue)
             && reader.number ("step", 0.0, step) && reader.number ("skewCentre", 0.0, centre)
             && reader.integer ("decimals", 2.0, decimals)
             && checkRange (reader, minimum, maximum, defaultValue))
        {
            if (step < 0.0 || step > maximum - minimum)
                reader.fail ("step must be from 0 to max - min: " + quoted (reader.text ("step")));
            else if (reader.has ("skewCentre") && ! (centre > minimum && centre < maximum && centre != 0.0))
                reader.fail ("skewCentre must lie strictly between min and max and must not be 0: " + quoted (reader.text ("skewCentre")));
            else if (decimals < 0.0 || decimals > 6.0)
                reader.fail ("decimals must be from 0 to 6: " + quoted (reader.text ("decimals")));
        }

        if (error.isNotEmpty())
            return {};

        d.minimum = (float) minimum;
        d.maximum = (float) maximum;
        d.defaultValue = (float) defaultValue;
        d.step = (float) step;
        d.skewCentre = (float) centre;
        d.decimals = (int) decimals;
        return std::make_unique<FloatParameter> (d);
    }

    if (type == "int" || type == "state")
    {
        if (! (reader.integer ("min", 0.0, minimum) && reader.integer ("max", 1.0, maximum)
                && reader.integer ("default", minimum, defaultValue)
                && checkRange (reader, minimum, maximum, defaultValue)))
            return {};

        d.minimum = (float) minimum;
        d.maximum = (float) maximum;
        d.defaultValue = (float) defaultValue;

        if (type == "int")
            return std::make_unique<IntParameter> (d);

        return std::make_unique<StateParameter> (d);
    }

    if (type == "note")
    {
        if (! (reader.note ("min", 0, minimum) && reader.note ("max", 127, maximum)
                && reader.note ("default", juce::roundToInt (minimum), defaultValue)
                && checkRange (reader, minimum, maximum, defaultValue)))
            return {};

        d.minimum = (float) minimum;
        d.maximum = (float) maximum;
        d.defaultValue = (float) defaultValue;
        return std::make_unique<NoteParameter> (d);
    }

    if (type == "enum")
    {
        juce::StringArray items;

        if (reader.has ("items"))
            items.addTokens (reader.text ("items"), "|", {});

        items.trim();

        if (items.size() < 2)
        {
            reader.fail ("an enum needs at least two items, separated by |: " + quoted (reader.text ("items")));
            return {};
        }

        for (int i = 0; i < items.size(); ++i)
        {
            if (items[i].isEmpty())
                reader.fail ("item " + juce::String (i + 1) + " is empty: " + quoted (reader.text ("items")));
            else if (items.indexOf (items[i], true) != i)
                reader.fail ("item " + quoted (items[i]) + " appears twice");
        }

        const double last = items.size() - 1;
        double index = 0.0;

        // Writers of generic XML may give the implied range; it must match the items.
        if (reader.integer ("min", 0.0, minimum) && reader.integer ("max", last, maximum)
             && (minimum != 0.0 || maximum != last))
            reader.fail ("min and max of an enum must be 0 and " + juce::String (items.size() - 1));

        if (reader.has ("default") && error.isEmpty())
        {
            index = items.indexOf (reader.text ("default").trim());

            if (index < 0 && (! ParameterText::parseNumber (reader.text ("default"), index)
                               || index != std::round (index) || index < 0.0 || index > last))
                reader.fail ("default is neither an item nor an index 0 to " + juce::String (items.size() - 1)
                             + ": " + quoted (reader.text ("default")));
        }

        if (error.isNotEmpty())
            return {};

        d.defaultValue = (float) index;
        return std::make_unique<EnumParameter> (d, items);
    }

    if (type == "string")
        return std::make_unique<StringParameter> (d, reader.text ("default"));

    // The switches; generic writers may give the default as a number.
    bool on = false;
    double number = 0.0;

    if (ParameterText::parseNumber (reader.text ("default"), number) && (number == 0.0 || number == 1.0))
        on = number == 1.0;
    else if (! reader.flag ("default", false, on))
        return {};

    d.defaultValue = on ? 1.0f : 0.0f;

    if (type == "answer")
        return std::make_unique<AnswerParameter> (d);

    if (type == "logic")
        return std::make_unique<LogicParameter> (d);

    return std::make_unique<BoolParameter> (d);
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
    // Outside the lock: a listener may take the processing mutex, which the audio thread may
    // hold while it looks a parameter up. A copy, because a listener may run a modal loop that
    // re-enters this callback.
    for (auto* p : snapshotParameters())
        p->deliverDeferredUpdate();
}
