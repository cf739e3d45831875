#include "core/parameters/StringParameter.h"

StringParameter::StringParameter (const Description& d, const juce::String& initialText)
    : Parameter (stringDescription (d)),
      text (initialText)
{
}

Parameter::Description StringParameter::stringDescription (Description d)
{
    // An empty range keeps every numeric setter, also the non-virtual ones, at 0.
    d.minimum = d.maximum = d.defaultValue = d.step = d.skewCentre = 0.0f;
    d.automatable = false;
    return d;
}

juce::String StringParameter::getString() const
{
    const juce::SpinLock::ScopedLockType sl (textLock);
    return text;
}

bool StringParameter::setString (const juce::String& newText, bool notify)
{
    juce::String previous;

    {
        const juce::SpinLock::ScopedLockType sl (textLock);

        if (text == newText)
            return false;

        previous = text;
        text = newText;
    }

    announceChange (notify);
    return true;   // previous is released here, outside the lock
}

bool StringParameter::setValue (float, bool)
{
    return false;
}

bool StringParameter::setToStoredValue (int, bool)
{
    return false;
}

juce::String StringParameter::getValueText() const
{
    return getDescription().showsValue ? getString() : juce::String ("@");
}

juce::String StringParameter::getTextForValue (float) const
{
    return getString();
}

bool StringParameter::parseDisplayText (const juce::String&, float&) const
{
    return false;
}

juce::String StringParameter::getText() const
{
    return getString();
}

bool StringParameter::setText (const juce::String& newText, bool notify)
{
    setString (newText, notify);
    return true;
}

int StringParameter::getNumSteps() const noexcept
{
    return 0;
}

juce::String StringParameter::getTypeName() const
{
    return "string";
}
