#include "core/parameters/ParameterKind.h"
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

namespace
{
    constexpr double maxMagnitude = 1.0e9;
    constexpr double maxIntegerMagnitude = 16777216.0;   // exact in a float

    const juce::StringArray commonAttributes { "id", "name", "displayName", "type", "auto", "meta",
                                               "latency", "presets", "showValue" };

    juce::String quoted (const juce::String& text)
    {
        return "\"" + text + "\"";
    }
}

//==============================================================================
class ParameterKind::Attributes
{
public:
    Attributes (const juce::XmlElement& elementToRead, juce::String& errorToSet)
        : element (elementToRead), error (errorToSet) {}

    bool has (const char* attribute) const { return element.hasAttribute (attribute); }
    juce::String text (const char* attribute) const { return element.getStringAttribute (attribute); }
    bool failed() const noexcept { return error.isNotEmpty(); }

    bool fail (const juce::String& message)
    {
        if (error.isEmpty())
            error = message;

        return false;
    }

    bool number (const char* attribute, double fallback, double& result)
    {
        result = fallback;

        if (! has (attribute))
            return true;

        if (! ParameterText::parseNumber (text (attribute), result))
            return fail ("attribute " + juce::String (attribute) + " is not a number: " + quoted (text (attribute)));

        if (std::abs (result) > maxMagnitude)
            return fail ("attribute " + juce::String (attribute) + " is out of range (-1e9 to 1e9): " + quoted (text (attribute)));

        return true;
    }

    bool integer (const char* attribute, double fallback, double& result)
    {
        if (! number (attribute, fallback, result))
            return false;

        if (result != std::round (result) || std::abs (result) > maxIntegerMagnitude)
            return fail ("attribute " + juce::String (attribute) + " is not an integer within +-16777216: " + quoted (text (attribute)));

        return true;
    }

    bool flag (const char* attribute, bool fallback, bool& result)
    {
        result = fallback;

        if (! has (attribute))
            return true;

        const auto t = text (attribute).trim();

        if (t == "1" || t.equalsIgnoreCase ("true"))
        {
            result = true;
            return true;
        }
        if (t == "0" || t.equalsIgnoreCase ("false"))
        {
            result = false;
            return true;
        }

        return fail ("attribute " + juce::String (attribute) + " must be 1 or 0: " + quoted (t));
    }

    bool note (const char* attribute, double fallback, double& result)
    {
        result = fallback;

        if (! has (attribute))
            return true;

        const int byName = NoteParameter::getNoteNumber (text (attribute));

        if (byName >= 0)
        {
            result = byName;
            return true;
        }

        int n = 0;

        if (! ParameterText::parseInteger (text (attribute), n) || n < 0 || n > 127)
            return fail ("attribute " + juce::String (attribute) + " is not a note name or a note 0 to 127: " + quoted (text (attribute)));

        result = n;
        return true;
    }

    bool range (double minimum, double maximum, double defaultValue)
    {
        if (! (minimum < maximum))
            return fail ("min (" + juce::String (minimum) + ") must be less than max (" + juce::String (maximum) + ")");

        if (defaultValue < minimum || defaultValue > maximum)
            return fail ("default (" + juce::String (defaultValue) + ") is outside min to max");

        return true;
    }

private:
    const juce::XmlElement& element;
    juce::String& error;
};

//==============================================================================
namespace
{
    using Attributes = ParameterKind::Attributes;
    using Description = Parameter::Description;

    std::unique_ptr<Parameter> readFloat (Attributes& a, Description d)
    {
        double minimum = 0.0, maximum = 1.0, defaultValue = 0.0;
        double step = 0.0, centre = 0.0, decimals = 2.0;

        if (a.number ("min", 0.0, minimum) && a.number ("max", 1.0, maximum)
            && a.number ("default", minimum, defaultValue)
            && a.number ("step", 0.0, step) && a.number ("skewCentre", 0.0, centre)
            && a.integer ("decimals", 2.0, decimals)
            && a.range (minimum, maximum, defaultValue))
        {
            if (step < 0.0 || step > maximum - minimum)
                a.fail ("step must be from 0 to max - min: " + quoted (a.text ("step")));
            else if (a.has ("skewCentre") && ! (centre > minimum && centre < maximum && centre != 0.0))
                a.fail ("skewCentre must lie strictly between min and max and must not be 0: " + quoted (a.text ("skewCentre")));
            else if (decimals < 0.0 || decimals > 6.0)
                a.fail ("decimals must be from 0 to 6: " + quoted (a.text ("decimals")));
        }

        if (a.failed())
            return {};

        d.minimum = (float) minimum;
        d.maximum = (float) maximum;
        d.defaultValue = (float) defaultValue;
        d.step = (float) step;
        d.skewCentre = (float) centre;
        d.decimals = (int) decimals;
        return std::make_unique<FloatParameter> (d);
    }

    // The whole-number kinds differ only in how one value is written (a number or a note) and
    // in the maximum a param without one gets.
    using WholeNumber = bool (Attributes::*) (const char*, double, double&);

    template <typename Kind, WholeNumber wholeNumber, int defaultMaximum>
    std::unique_ptr<Parameter> readWholeRange (Attributes& a, Description d)
    {
        double minimum = 0.0, maximum = 0.0, defaultValue = 0.0;

        if (! ((a.*wholeNumber) ("min", 0.0, minimum) && (a.*wholeNumber) ("max", defaultMaximum, maximum)
               && (a.*wholeNumber) ("default", minimum, defaultValue)
               && a.range (minimum, maximum, defaultValue)))
            return {};

        d.minimum = (float) minimum;
        d.maximum = (float) maximum;
        d.defaultValue = (float) defaultValue;
        return std::make_unique<Kind> (d);
    }

    std::unique_ptr<Parameter> readEnum (Attributes& a, Description d)
    {
        juce::StringArray items;

        if (a.has ("items"))
            items.addTokens (a.text ("items"), "|", {});

        items.trim();

        if (items.size() < 2)
        {
            a.fail ("an enum needs at least two items, separated by |: " + quoted (a.text ("items")));
            return {};
        }

        for (int i = 0; i < items.size(); ++i)
        {
            if (items[i].isEmpty())
                a.fail ("item " + juce::String (i + 1) + " is empty: " + quoted (a.text ("items")));
            else if (items.indexOf (items[i], true) != i)
                a.fail ("item " + quoted (items[i]) + " appears twice");
        }

        const double last = items.size() - 1;
        double minimum = 0.0, maximum = 0.0, index = 0.0;

        // Writers of generic XML may give the implied range; it must match the items.
        if (a.integer ("min", 0.0, minimum) && a.integer ("max", last, maximum)
            && (minimum != 0.0 || maximum != last))
            a.fail ("min and max of an enum must be 0 and " + juce::String (items.size() - 1));

        if (a.has ("default") && ! a.failed())
        {
            index = items.indexOf (a.text ("default").trim());

            if (index < 0 && (! ParameterText::parseNumber (a.text ("default"), index) || index != std::round (index) || index < 0.0 || index > last))
                a.fail ("default is neither an item nor an index 0 to " + juce::String (items.size() - 1)
                        + ": " + quoted (a.text ("default")));
        }

        if (a.failed())
            return {};

        d.defaultValue = (float) index;
        return std::make_unique<EnumParameter> (d, items);
    }

    // The switches; generic writers may give the default as a number.
    template <typename Kind>
    std::unique_ptr<Parameter> readSwitch (Attributes& a, Description d)
    {
        bool on = false;
        double number = 0.0;

        if (ParameterText::parseNumber (a.text ("default"), number) && (number == 0.0 || number == 1.0))
            on = number == 1.0;
        else if (! a.flag ("default", false, on))
            return {};

        d.defaultValue = on ? 1.0f : 0.0f;
        return std::make_unique<Kind> (d);
    }

    std::unique_ptr<Parameter> readString (Attributes& a, Description d)
    {
        return std::make_unique<StringParameter> (d, a.text ("default"));
    }

    // The known types for a message: "float, int, ... or string".
    juce::String listNames (const std::vector<ParameterKind>& kinds)
    {
        juce::String list;

        for (size_t i = 0; i < kinds.size(); ++i)
            list << (i == 0 ? "" : i + 1 < kinds.size() ? ", "
                                                        : " or ")
                 << kinds[i].name;

        return list;
    }
}

//==============================================================================
const std::vector<ParameterKind>& ParameterKind::getAll()
{
    // clang-format off
    static const std::vector<ParameterKind> kinds {
        { "float",  { "min", "max", "default", "step", "skewCentre", "decimals", "unit" }, true,  readFloat },
        { "int",    { "min", "max", "default", "unit" },                                     true,  readWholeRange<IntParameter, &Attributes::integer, 1> },
        { "enum",   { "items", "min", "max", "default" },                                    true,  readEnum },
        { "note",   { "min", "max", "default" },                                             true,  readWholeRange<NoteParameter, &Attributes::note, 127> },
        { "bool",   { "default" },                                                           true,  readSwitch<BoolParameter> },
        { "answer", { "default" },                                                           true,  readSwitch<AnswerParameter> },
        { "logic",  { "default" },                                                           true,  readSwitch<LogicParameter> },
        { "state",  { "min", "max", "default" },                                             false, readWholeRange<StateParameter, &Attributes::integer, 1> },
        { "string", { "default" },                                                           false, readString },
    };
    // clang-format on

    return kinds;
}

const ParameterKind* ParameterKind::find (const juce::String& typeName)
{
    for (const auto& kind : getAll())
        if (typeName == kind.name)
            return &kind;

    return nullptr;
}

bool ParameterKind::accepts (const juce::String& attribute) const
{
    return commonAttributes.contains (attribute) || attributes.contains (attribute);
}

std::unique_ptr<Parameter> ParameterKind::createParameter (const juce::XmlElement& element,
                                                           const juce::String& groupName,
                                                           juce::String& error)
{
    Attributes reader (element, error);
    const auto type = element.getStringAttribute ("type", getAll().front().name);
    const auto* kind = find (type);

    if (kind == nullptr)
    {
        reader.fail ("unknown type " + quoted (type) + " (" + listNames (getAll()) + ")");
        return {};
    }

    for (int i = 0; i < element.getNumAttributes(); ++i)
    {
        const auto name = element.getAttributeName (i);

        if (! kind->accepts (name))
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

    if (d.automatable && ! kind->automatable && reader.has ("auto"))
        reader.fail ("a " + type + " parameter is never automatable: auto must be 0");

    if (reader.failed())
        return {};

    return kind->read (reader, d);
}
