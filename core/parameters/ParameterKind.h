#pragma once

#include "core/parameters/Parameter.h"

#include <memory>
#include <vector>

/** One kind of parameter in "parameters.xml": its "type" name, the attributes it takes, whether
    the host may ever automate it, and the reader that makes it from its element.

    The table of kinds is the one list of them: the known types of an error message, the allowed
    attributes and the never-automatable rule all read it, so a new kind is a new row. How a
    kind shows and parses its values stays in its own class (getTextForValue, getText and the
    parsers); a product's formatValue and parseValue choose by unit, never by kind.
*/
struct ParameterKind
{
    /** The attributes of one "param" element, read with checks; keeps the first problem. */
    class Attributes;

    /** Reads the kind's own attributes into the description (the common ones are already in it)
        and makes the parameter; null when an attribute is invalid, the problem kept in the
        attributes. */
    using Reader = std::unique_ptr<Parameter> (*) (Attributes& attributes, Parameter::Description description);

    const char* name;               // the "type" attribute
    juce::StringArray attributes;   // besides the common ones
    bool automatable;               // false: never, and auto="1" is an error
    Reader read;

    /** Whether a "param" of this kind may have the attribute (a common one or its own). */
    bool accepts (const juce::String& attribute) const;

    /** Every kind, in the order messages list them; the first is the kind of a "param" without
        a type. */
    static const std::vector<ParameterKind>& getAll();
    /** The kind of a "type" name (exact), or null. */
    static const ParameterKind* find (const juce::String& typeName);

    /** Makes a parameter from a "param" element (see docs/parameters.md); null with the first
        problem in error when the element is invalid. */
    static std::unique_ptr<Parameter> createParameter (const juce::XmlElement& element,
                                                       const juce::String& groupName,
                                                       juce::String& error);
};
