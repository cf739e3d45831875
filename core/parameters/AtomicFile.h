#pragma once

#include <juce_core/juce_core.h>

/** The one way the plug-in writes a file of the user's (settings, maps, presets, tags).

    The new contents go to a hidden temporary file in the target's folder, are flushed to disk
    and then renamed over the target in one step: whatever happens (a full disk, a killed
    process), the target's name holds either the old or the new contents, never a part. A
    failed write says why and leaves no temporary file behind; a killed one leaves a hidden
    temporary that removeLeftovers deletes at the next start. The temporary's name is short and
    does not carry the target's (".~gr-<process>-<count>.tmp"), so any name a file system takes
    can be written.

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
    /** As above; with recorded, the temporary's path is noted in the record folder while it
        exists (for folders that no start-up looks in, such as an export's), so that
        removeRecordedLeftovers finds it after a kill. */
    static juce::Result write (const juce::File& target, const void* data, size_t numBytes, bool waitForDisk, bool recorded,
                               int* errorNumber = nullptr);
    /** Writes a new file: fails (errorNumber EEXIST) when anything has the name, also when it
        was taken by another process while the data were being written; never replaces. */
    static juce::Result writeNew (const juce::File& target, const void* data, size_t numBytes, bool waitForDisk,
                                  int* errorNumber = nullptr);
    /** Writes the bytes under the name itself, flushed: whatever has the name is replaced in one
        rename, a link too (the file it leads to stays as it was); a folder there is refused.
        For a file its writer has just looked at under its folder's lock. */
    static juce::Result replaceName (const juce::File& target, const void* data, size_t numBytes, int* errorNumber = nullptr);
    /** The text as UTF-8, without a byte-order mark. */
    static juce::Result write (const juce::File& target, const juce::String& text, bool waitForDisk = true);
    /** The element as an XML document in JUCE's default format. */
    static juce::Result write (const juce::File& target, const juce::XmlElement& xml);

    /** Any thread: makes the folder and those above it where missing. Another process making
        the same folders at the same moment is no failure (JUCE's createDirectory fails when
        it wins one of the mkdirs). On failure errno is the refused mkdir's. */
    static juce::Result makeFolder (const juce::File& folder);

    /** Start-up: deletes the temporaries in the folder that no running writer owns (a killed
        save left them). Only names of exactly this class's pattern go (and an older version's
        ".<name>.tmp-<process>-<count>"); nothing else is touched, whatever it is called.
        Returns how many files went. */
    static int removeLeftovers (const juce::File& folder);
    /** Start-up, in a folder of the user's: as removeLeftovers, but of an older version's
        temporaries only those of this one file. */
    static int removeLeftoversOf (const juce::File& target);
    /** Whether the name is one of this class's temporaries (of any version). */
    static bool isTemporaryName (const juce::String& fileName);

    /** Where recorded writes note their temporaries (the plug-in's own data folder); none by
        default, which makes recorded writes plain ones. */
    static void setRecordFolder (const juce::File& folder);
    /** Start-up: deletes the recorded temporaries that no running writer owns, and their
        records. Returns how many temporaries went. */
    static int removeRecordedLeftovers();

private:
    /** What a write does with the name: writes what a link there leads to, replaces whatever
        is there, or takes it only when nothing is. */
    enum class Mode
    {
        followLink,
        replaceName,
        newName
    };

    /** errorNumber: the errno of the failure (0 on success). */
    static juce::Result writeFile (const juce::File& named, const void* data, size_t numBytes, bool waitForDisk, bool recorded,
                                   Mode mode, int* errorNumber);
    static int removeMatching (const juce::File& folder, const juce::String& onlyFor);
};
