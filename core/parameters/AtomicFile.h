#pragma once

#include <juce_core/juce_core.h>

/** The one way the plug-in writes a file of the user's (settings, maps, presets, tags).

    The new contents go to a hidden temporary file in the target's folder, are flushed to disk
    and then renamed over the target in one step: whatever happens (a full disk, a killed
    process), the target's name holds either the old or the new contents, never a part. A
    failed write says why and leaves no temporary file behind; a killed one leaves a hidden
    temporary that removeLeftovers deletes at the next start.

    Any thread: each call stands alone (two writers of one file: the last rename wins whole). */
class AtomicFile
{
public:
    /** Writes the bytes over the target (creating its folder when missing). */
    static juce::Result write (const juce::File& target, const void* data, size_t numBytes);
    /** The text as UTF-8, without a byte-order mark. */
    static juce::Result write (const juce::File& target, const juce::String& text);
    /** The element as an XML document in JUCE's default format. */
    static juce::Result write (const juce::File& target, const juce::XmlElement& xml);

    /** Deletes the temporaries in the folder that no running writer owns (a killed save left
        them), and the hidden "_temp" files JUCE's own writer leaves; with ownFileNames, also
        the visible "_temp" files an older version left beside those files. Returns how many
        files went. */
    static int removeLeftovers (const juce::File& folder, const juce::StringArray& ownFileNames = {});
    /** Whether the name is one of this class's temporaries. */
    static bool isTemporaryName (const juce::String& fileName);
};
