#include "core/parameters/NoteParameter.h"
#include "core/parameters/ParameterText.h"

namespace
{
    // Per semitone: the letter and whether it is sharp.
    constexpr char letters[] = "CCDDEFFGGAAB";
    constexpr bool sharps[] = { false, true, false, true, false, false, true, false, true, false, true, false };
}

NoteParameter::NoteParameter (const Description& d)
    : IntParameter (noteDescription (d))
{
}

Parameter::Description NoteParameter::noteDescription (Description d)
{
    d = integerDescription (d);
    d.minimum = juce::jlimit (0.0f, 127.0f, d.minimum);
    d.maximum = juce::jlimit (d.minimum, 127.0f, d.maximum);
    return d;
}

juce::String NoteParameter::getNoteName (int noteNumber)
{
    if (noteNumber < 0 || noteNumber > 127)
        return {};

    const int semitone = noteNumber % 12;
    const int octave = noteNumber / 12;

    char name[4] = { letters[semitone], sharps[semitone] ? '#' : '-',
                     octave < 10 ? (char) ('0' + octave) : 'H', 0 };
    return name;
}

int NoteParameter::getNoteNumber (const juce::String& name)
{
    const auto text = name.trim().toUpperCase();

    if (text.length() != 3)
        return -1;

    const auto letter = text[0], accidental = text[1], octaveChar = text[2];

    if (accidental != '-' && accidental != '#')
        return -1;

    int octave = -1;

    if (octaveChar >= '0' && octaveChar <= '9')
        octave = (int) (octaveChar - '0');
    else if (octaveChar == 'H')
        octave = 10;
    else
        return -1;

    for (int semitone = 0; semitone < 12; ++semitone)
    {
        if (letters[semitone] == letter && sharps[semitone] == (accidental == '#'))
        {
            const int note = octave * 12 + semitone;
            return note <= 127 ? note : -1;
        }
    }

    return -1;
}

juce::String NoteParameter::getTextForValue (float plainValue) const
{
    return getNoteName (juce::roundToInt (constrain (plainValue)));
}

bool NoteParameter::parseDisplayText (const juce::String& text, float& plainValue) const
{
    int note = getNoteNumber (text);

    if (note < 0 && (! ParameterText::parseInteger (text, note) || note < 0 || note > 127))
        return false;

    plainValue = (float) note;
    return true;
}

juce::String NoteParameter::getTypeName() const
{
    return "note";
}
