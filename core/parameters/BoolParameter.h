#pragma once

#include "core/parameters/Parameter.h"

/** A switch 0/1, shown "Off"/"On"; the base of the kinds that only name the states otherwise. */
class BoolParameter : public Parameter
{
public:
    explicit BoolParameter (const Description& description);

    bool getBoolValue() const noexcept override;
    juce::String getTextForValue (float plainValue) const override;
    /** One of the kind's state names, ignoring case; nothing else. */
    bool parseDisplayText (const juce::String& text, float& plainValue) const override;
    juce::String getText() const override;
    int getNumSteps() const noexcept override;
    juce::String getTypeName() const override;

protected:
    BoolParameter (const Description& description, const juce::String& offText, const juce::String& onText);

private:
    static Description boolDescription (Description d);

    const juce::String offName, onName;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BoolParameter)
};
