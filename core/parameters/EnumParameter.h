#pragma once

#include "core/parameters/IntParameter.h"

/** A choice among named items; the value is the item's index 0..n-1, an integer whose exact
    text and steps (one per item) are the integer kind's. */
class EnumParameter : public IntParameter
{
public:
    /** The range of the description is replaced by 0..n-1. */
    EnumParameter (const Description& description, const juce::StringArray& itemNames);

    juce::StringArray getItemNames() const override { return items; }
    int getNumItems() const noexcept { return items.size(); }

    juce::String getTextForValue (float plainValue) const override;
    /** One of the items' names, ignoring case; nothing else. */
    bool parseDisplayText (const juce::String& text, float& plainValue) const override;
    juce::String getTypeName() const override;

private:
    static Description enumDescription (Description d, int numItems);

    const juce::StringArray items;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EnumParameter)
};
