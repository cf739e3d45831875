#pragma once

#include "core/content/ContentSource.h"
#include "core/content/ZipReader.h"

/** One import of a ZIP file of items (such as the browser's ".grzip" export) into a content
    source, walked one entry at a time. The job stops at every name that an item of the source
    has already (in any letter case) and waits for the caller's decision.

    Hostile archives are expected: an entry's path is reduced to a plain item name (folders
    dropped; absolute paths, drive letters and ".." refused; control characters and the tag
    separators ";:|" replaced), and its data are read up to maxEntrySize whatever its header
    says. Nothing is ever written outside the source. Message thread only. */
class PackageImportJob
{
public:
    /** No item comes near it; a larger entry is refused unread past the limit. */
    static constexpr juce::int64 maxEntrySize = 16 * 1024 * 1024;

    struct Counts
    {
        /** Items made. */
        int imported = 0;
        /** Entries of other kinds and entries the user chose to skip. */
        int skipped = 0;
        /** Unsafe names, entries too large or unreadable, and data the source did not take. */
        int refused = 0;
    };

    enum class State
    {
        idle,       // no job
        conflict,   // waiting for a decision about the current entry
        finished    // the last job ended (getCounts tells how)
    };

    PackageImportJob();
    ~PackageImportJob();

    /** Opens the ZIP file and runs until the first conflict or the end. A file that is not a
        readable ZIP ends the job at once (isNotAZip). */
    State start (const juce::File& zipFile, ContentSource& target);

    // Decisions at a conflict; each runs on until the next conflict or the end.
    State replace();
    State skip();
    State replaceAll();
    State skipAll();
    /** Imports under another name (asks again when that one is taken too). */
    State rename (const juce::String& newName);
    /** Ends the job; the remaining entries are not imported. */
    void cancel();

    State getState() const noexcept { return state; }
    bool isNotAZip() const noexcept { return notAZip; }
    const Counts& getCounts() const noexcept { return counts; }
    /** The current entry's file name without its extension, and the name it is imported as. */
    const juce::String& getEntryName() const noexcept { return entryName; }
    const juce::String& getPendingName() const noexcept { return pendingName; }
    ContentSource* getTarget() const noexcept { return target; }
    /** A name for Rename to suggest: the pending name, or the first "name (n)" that no item
        has in any letter case. */
    juce::String suggestName() const;

    /** Told of every item the job adds, and of every item that Replace removes (or puts back,
        through onItemAdded, when its replacement fails). */
    std::function<void (ContentItem*)> onItemAdded, onItemRemoved;

    /** The item name of an entry path (its file name without the extension), or empty when
        the path is absolute, names a drive, climbs with ".." or leaves nothing usable. */
    static juce::String reduceEntryName (const juce::String& entryPath, const juce::String& extension);

private:
    State nextEntry();
    State importCurrent (bool replaceExisting);
    ContentItem* findConflict() const;
    void finish();

    // Released in reverse order: the entry stream before the iterator and the reader it reads.
    std::unique_ptr<ZipReader> zip;
    std::unique_ptr<ZipReader::Iterator> iterator;
    std::unique_ptr<juce::InputStream> stream;
    juce::MemoryBlock entryData;

    ContentSource* target = nullptr;
    juce::String entryName, pendingName;
    bool replaceAllChosen = false, skipAllChosen = false, notAZip = false;
    State state = State::idle;
    Counts counts;

    JUCE_DECLARE_NON_COPYABLE (PackageImportJob)
};
