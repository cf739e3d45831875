#pragma once

#include "core/content/ContentSource.h"
#include "core/content/ZipReader.h"
#include <atomic>
#include <deque>
#include <unordered_set>
#include <vector>

/** One import of a ZIP file of items (such as the browser's ".grzip" export) into a content
    source, walked one entry at a time. The job stops at every name that an item of the source
    has already (in any letter case) and waits for the caller's decision.

    Hostile archives are expected: an entry's path is reduced to a plain item name (folders
    dropped; absolute paths, drive letters and ".." refused; control characters and the tag
    separators ";:|" replaced), its data are read up to the source's item size (at most
    maxEntrySize) whatever its header says, and its CRC is checked. The first write that finds
    the disk full or the folder read-only ends the job: the entries after it are not tried. Nothing is ever written outside the source, and a new item never
    replaces what took its name after the check (another instance importing too): that is a
    conflict. Each entry costs the same however many came before it (the walk is a loop, the
    name checks are hashed).

    With a write thread (setWriteThread), the writes into a source that can write elsewhere go
    to that thread in batches, in order, while the job reads on; the job's thread makes the
    items of what was written, in the same order, and a name that an entry still in flight has
    waits for it to land. Every question comes when nothing is in flight, so it is asked about
    the list as it is, in the entries' order. Message thread only (the batches' perform is the
    write thread's). */
class PackageImportJob
{
public:
    /** No item comes near it; a larger entry is refused unread past the limit (or the
        source's own, ContentSource::getMaxItemSize, when smaller). */
    static constexpr juce::int64 maxEntrySize = 16 * 1024 * 1024;

    /** Why entries were refused, kind by kind. */
    enum Reason
    {
        unsafeName,    // absolute, climbing, holding a NUL, or nothing usable left
        nameTooLong,   // longer than ContentSource::maxNameLength bytes
        tooLarge,
        notAnItem,   // not text, or not a preset of this plug-in
        damaged,     // data cut short or not matching their CRC
        encrypted,
        unsupportedMethod,   // packed otherwise than stored or deflated
        diskFull,
        noPermission,   // a read-only folder or file system
        writeFailed,    // any other write error
        numReasons
    };

    struct Counts
    {
        /** Items made. */
        int imported = 0;
        /** Entries of other kinds and entries the user chose to skip. */
        int skipped = 0;
        /** Entries refused, by reason. */
        int refusedFor[numReasons] = {};
        /** Entries left when a full disk or a read-only folder ended the job. */
        int notTried = 0;

        int refused() const noexcept
        {
            int sum = 0;

            for (auto n : refusedFor)
                sum += n;

            return sum;
        }
    };

    enum class State
    {
        idle,       // no job
        conflict,   // waiting for a decision about the current entry
        paused,     // a slice ended with entries left: resume() goes on
        finished    // the last job ended (getCounts tells how)
    };

    /** Writes of the job on their way through the write thread, in the order they were read. */
    class WriteBatch
    {
    public:
        /** The write thread: performs the writes in order. After a write that found the disk
            full or the folder read-only, the rest are not tried. */
        void perform();
        /** Whether perform() has ended: what it wrote is then visible to the job. */
        bool isDone() const noexcept { return done.load (std::memory_order_acquire); }

    private:
        friend class PackageImportJob;

        struct Control
        {
            std::atomic<bool> stopped { false };
        };

        struct Entry
        {
            std::unique_ptr<ContentSource::ItemImport> import;
            juce::String entryName, replacedName;
            ContentItem* replaced = nullptr;
            int tries = 0;
        };

        std::vector<Entry> entries;
        std::shared_ptr<Control> control;
        std::atomic<bool> done { false };
    };

    /** The thread that performs the job's batches. */
    class WriteThread
    {
    public:
        virtual ~WriteThread() = default;
        /** The job's thread: runs the batch's perform() on the other thread, after every batch
            handed before. */
        virtual void write (std::shared_ptr<WriteBatch> batch) = 0;
        /** The job's thread: waits until every batch handed over has been performed. */
        virtual void waitForWrites() = 0;
    };

    /** Writes handed over at once, at most in flight, and the batches written that the job
        waits for before it makes their items (fewer while it waits for every write: a
        question, a stop, the end). Items made in larger groups cost the list one merge each. */
    static constexpr int writesPerBatch = 32, maxWritesInFlight = 512, batchesLandedAtOnce = 8;

    PackageImportJob();
    /** Lands the writes in flight first (as cancel). */
    ~PackageImportJob();

    /** Between jobs: where the writes go (null: written at once, on the job's thread), for
        archives of more than fewEntries entries (a few are written at once, as a single import
        is). The thread must outlive the job's writes. */
    void setWriteThread (WriteThread* thread, int fewEntries = 0) noexcept
    {
        writeThread = thread;
        writeAtOnceUpTo = fewEntries;
    }

    /** Opens the ZIP file and runs until the first conflict or the end. A file that is not a
        readable ZIP ends the job at once (isNotAZip). */
    State start (const juce::File& zipFile, ContentSource& target);
    /** As above, with the ZIP file opened already (its directory read elsewhere, on any
        thread). */
    State start (std::unique_ptr<ZipReader> openedZip, ContentSource& target);

    // Decisions at a conflict; each runs on until the next conflict or the end.
    State replace();
    State skip();
    State replaceAll();
    State skipAll();
    /** Imports under another name (asks again when that one is taken too). */
    State rename (const juce::String& newName);
    /** Ends the job; the remaining entries are not imported. The writes in flight (at most
        maxWritesInFlight) are waited for and become items: every entry walked is dealt with. */
    void cancel();
    /** While paused: no further entry is read; the job ends once the writes in flight have
        landed (resume goes on until then). */
    void stopReading() noexcept { stopping = true; }
    /** Whether the paused job can do nothing before the oldest batch in flight is written. */
    bool isWaitingForWrites() const;

    /** Makes every start, decision and resume walk at most maxEntries entries or for about
        maxMs (the first entry always), then pause; 0 for no limit (the default). */
    void setSliceLimits (int maxEntries, double maxMs) noexcept
    {
        sliceEntries = maxEntries;
        sliceMs = maxMs;
    }
    /** Goes on after a pause, until the next pause, conflict or the end. */
    State resume();
    /** Entries walked so far, of how many. */
    int getPosition() const noexcept { return nextIndex; }
    int getNumEntries() const noexcept { return numEntries; }

    State getState() const noexcept { return state; }
    bool isNotAZip() const noexcept { return notAZip; }
    /** The archive holds no entry at all. */
    bool wasEmpty() const noexcept { return empty; }
    /** At a conflict: whether the name belongs to an item that Replace can replace (not data
        that is no item, such as a damaged preset or a folder, or a file another instance put
        there meanwhile). */
    bool canReplace() const;
    const Counts& getCounts() const noexcept { return counts; }
    /** How many bytes the last job inflated, all entries together. */
    juce::int64 getBytesInflated() const noexcept { return bytesInflated; }
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
    static juce::String reduceEntryName (const juce::String& entryPath, const juce::String& extension, bool* tooLong = nullptr);

private:
    enum class Step
    {
        next,    // go on with the next entry
        ask,     // a conflict: wait for a decision
        retry,   // the name was taken meanwhile: look at it again
        wait     // decide about the current entry once the writes in flight have landed
    };

    /** Walks from the current entry on, until a conflict or the end; every decision enters it. */
    State run (Step first);
    /** Reads the next entry of the item kind before index stopAt; false when there is none,
        or when the slice's time is up (after one entry at least). */
    bool loadNextEntry (int stopAt, double started);
    bool isTimeUp (double started) const noexcept;
    Step importCurrent (bool replaceExisting);
    /** Why the current entry (replacing the item replaced, if any) made no item. */
    Step importFailed (ContentItem* replaced, const juce::String& replacedName);
    /** Tells of a replaced item that is listed again. */
    void listedAgain (ContentItem* replaced, const juce::String& replacedName);
    /** The current entry's write goes to the write thread. */
    Step hand (std::unique_ptr<ContentSource::OverwriteStore> store, ContentItem* replaced);
    void handOver();
    bool hasWritesInFlight() const noexcept { return filling != nullptr || ! inFlight.empty(); }
    /** Whether the job waits for every write in flight before it goes on. */
    bool isDraining() const noexcept { return holding || stopping || writesFail || ! returned.empty() || nextIndex >= numEntries; }
    /** Whether enough batches are written for their items to be made now. */
    bool isReadyToLand() const;
    /** Makes the items of the batches written (at least one, then while the slice has time). */
    bool land (double started);
    void land (WriteBatch::Entry& entry);
    State pause (bool holdCurrent);
    ContentItem* findConflict() const;
    void refuse (Reason reason) noexcept { ++counts.refusedFor[reason]; }
    void finish();

    std::unique_ptr<ZipReader> zip;
    int nextIndex = 0, numEntries = 0, sliceEntries = 0;
    juce::int64 bytesInflated = 0;
    double sliceMs = 0;
    juce::MemoryBlock entryData;

    ContentSource* target = nullptr;
    juce::String entryName, pendingName;
    bool replaceAllChosen = false, skipAllChosen = false, notAZip = false, empty = false, writesFail = false;
    State state = State::idle;
    Counts counts;

    // The writes on their way: the batch being filled, those handed over (oldest first), the
    // folded names they take, and the entries whose name was taken as they were written.
    struct Returned
    {
        juce::String entryName, pendingName;
        juce::MemoryBlock data;
        int tries = 0;
    };

    WriteThread* writeThread = nullptr;
    bool writing = false, holding = false, stopping = false;
    std::shared_ptr<WriteBatch::Control> control;
    std::shared_ptr<WriteBatch> filling;
    std::deque<std::shared_ptr<WriteBatch>> inFlight;
    std::unordered_set<juce::String> namesInFlight;
    std::deque<Returned> returned;
    int writesInFlight = 0, notTriedInFlight = 0, currentTries = 0, writeAtOnceUpTo = 0;

    JUCE_DECLARE_NON_COPYABLE (PackageImportJob)
};
