#pragma once

#include "core/parameters/IntParameter.h"

/** A MIDI note 0..127, shown as three characters: the letter, '-' or '#', and the octave
    '0'..'9' or 'H' for octave 10 (0 is "C-0", 1 "C#0", 60 "C-5", 127 "G-H"). Otherwise an
    integer: its exact text and its steps are the integer kind's. */
class NoteParameter : public IntParameter
{
public:
    /** The range of the description is limited to 0..127, with step 1. */
    explicit NoteParameter (const Description& description);

    /** The name of a note 0..127; empty for other numbers. */
    static juce::String getNoteName (int noteNumber);
    /** The note of a three-character name (letters and 'H' in either case); -1 when invalid. */
    static int getNoteNumber (const juce::String& name);

    juce::String getTextForValue (float plainValue) const override;
    /** A note name or a note number. */
    bool parseDisplayText (const juce::String& text, float& plainValue) const override;
    juce::String getTypeName() const override;

private:
    static Description noteDescription (Description d);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NoteParameter)
};
