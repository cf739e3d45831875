#pragma once

#include <juce_core/juce_core.h>

/** The key under which two item names are the same name: in any letter case, and composed or
    decomposed alike ("Café" with "é" as one character or as "e" and a combining accent), as
    macOS, the product's platform, takes both spellings for one file name. Names are
    decomposed canonically (the Basic Multilingual Plane but for U+2000-U+2FFF and
    U+F900-U+FAFF, which HFS+ leaves composed; Hangul syllables too), their combining marks put
    in canonical order, then set in upper case. Any thread: it keeps no state. */
class NameFolding
{
public:
    static juce::String fold (const juce::String& name);
};
