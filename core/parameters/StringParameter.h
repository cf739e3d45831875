#pragma once

#include "core/parameters/Parameter.h"

/** Holds a text (such as the preset name); its numeric value is unused and stays 0.
    Never automatable. The text is guarded by a spin lock, so it may be read and set from any
    thread but the audio thread (replacing a text may free memory). A changed text tells the
    observers like a changed value. */
class StringParameter : public Parameter
{
public:
    explicit StringParameter (const Description& description, const juce::String& initialText = {});

    juce::String getString() const;
    /** True when the text changed. */
    bool setString (const juce::String& newText, bool notify);

    /** The numeric setters do nothing. */
    bool setValue (float newValue, bool notify) override;
    bool setToStoredValue (int which, bool notify) override;

    /** The text itself ("@" when the description hides the value). */
    juce::String getValueText() const override;
    juce::String getTextForValue (float plainValue) const override;
    bool parseDisplayText (const juce::String& text, float& plainValue) const override;
    juce::String getText() const override;
    /** Always accepted. */
    bool setText (const juce::String& text, bool notify) override;
    int getNumSteps() const noexcept override;
    juce::String getTypeName() const override;

private:
    static Description stringDescription (Description d);

    mutable juce::SpinLock textLock;
    juce::String text;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StringParameter)
};
