#pragma once

#include <juce_core/juce_core.h>
#include <functional>

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
    /** Writes the bytes over the target (creating its folder when missing). A link under the
        name stays: the file it leads to is written; one that leads nowhere is refused.
        waitForDisk false skips the flush: only for a new file whose data have another copy
        (an item imported from an archive), which a crash may leave short but never replaces
        anything with. */
    static juce::Result write (const juce::File& target, const void* data, size_t numBytes, bool waitForDisk = true);
    /** The text as UTF-8, without a byte-order mark. */
    static juce::Result write (const juce::File& target, const juce::String& text, bool waitForDisk = true);
    /** The element as an XML document in JUCE's default format. */
    static juce::Result write (const juce::File& target, const juce::XmlElement& xml);

    /** Start-up: deletes the temporaries in the folder that no running writer owns (a killed
        save left them), and hidden "_temp" files of JUCE's own writer older than ten minutes.
        For folders that are the plug-in's own. Returns how many files went. */
    static int removeLeftovers (const juce::File& folder);
    /** Start-up: deletes the temporaries of one file that no running writer owns, and the
        "_temp" files JUCE's own writer (an older version) left beside it. Safe in any folder. */
    static int removeLeftoversOf (const juce::File& target);
    /** Whether the name is one of this class's temporaries. */
    static bool isTemporaryName (const juce::String& fileName);

private:
    static int removeMatching (const juce::File& folder, const std::function<bool (const juce::String&, const juce::File&)>& isForeignLeftover,
                               const juce::String& onlyFor = {});
};
