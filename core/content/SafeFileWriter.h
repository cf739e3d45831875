#pragma once

#include <juce_core/juce_core.h>
#include <functional>

/** The one road by which the content model writes a file: the data go into a hidden temporary
    file in the target's own folder, are flushed to the disk, and the temporary file is then
    renamed over the target in one step. A crash or a full disk on the way leaves the old file
    whole (or no file, when there was none); there is never a moment without one.

    syncToDisk false skips waiting for the disk: only for a new file whose data have another
    copy (an item imported from an archive), which a crash can leave incomplete but never
    replaces anything with. */
class SafeFileWriter
{
public:
    using Writer = std::function<bool (juce::OutputStream&)>;

    /** Any thread but the audio thread: allocates and waits on the disk. False, with the target
        untouched, when the folder cannot be made or written, the writer fails, or the flush or
        rename fails. */
    static bool write (const juce::File& target, const Writer& writer, bool syncToDisk = true);
    /** Any thread but the audio thread. The text as UTF-8 without a byte-order mark. */
    static bool writeText (const juce::File& target, const juce::String& text, bool syncToDisk = true);
};
