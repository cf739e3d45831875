#include "core/parameters/EnumParameter.h"
#include "core/parameters/ParameterText.h"

EnumParameter::EnumParameter (const Description& d, const juce::StringArray& itemNames)
    : IntParameter (enumDescription (d, itemNames.size())),
      items (itemNames)
{
    jassert (! items.isEmpty());
}

Parameter::Description EnumParameter::enumDescription (Description d, int numItems)
{
    d.minimum = 0.0f;
    d.maximum = (float) juce::jmax (0, numItems - 1);
    return d;
}

juce::String EnumParameter::getTextForValue (float plainValue) const
{
    return items[juce::roundToInt (constrain (plainValue))];
}

bool EnumParameter::parseDisplayText (const juce::String& text, float& plainValue) const
{
    const int index = items.indexOf (text.trim(), true);

    if (index < 0)
        return false;

    plainValue = (float) index;
    return true;
}

juce::String EnumParameter::getTypeName() const
{
    return "enum";
}
