#pragma once

#include "core/content/ContentListing.h"
#include "core/content/Preset.h"
#include "core/parameters/ListenerArray.h"
#include "core/content/TagDictionary.h"
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class ContentSource;

/** One entry of a content source: a preset (or sample) with its tags. */
class ContentItem
{
public:
    ContentItem (ContentSource& owner, const juce::String& itemName, CategoryTagMap itemTags);

    ContentSource* const source;
    juce::String name;
    CategoryTagMap tags;
    /** The ids of the tags through the source's TagDictionary. */
    TagIdSet tagIds;
    /** Set and cleared by the filter panel, read by the result list. */
    bool filteredOut = false;

    bool belongsTo (const ContentSource* s) const noexcept { return source == s; }
    bool isReadOnly() const;
    /** False for a read-only source; true when no other item of the source has that name (the
        item's own name counts as free). */
    bool canRenameTo (const juce::String& newName) const;
    bool rename (const juce::String& newName);
    bool deleteFromSource();
    /** True when the item's tag ids lack any of the ids (an empty set filters nothing out). */
    void filterByAllTags (const TagIdSet& ids);
    /** True when the item's tag ids contain none of the ids. */
    void filterByAnyTag (const TagIdSet& ids);
    /** Asks the source to load the item (a preset is applied to the plug-in's parameters). */
    bool load (int flag);
    /** Asks the source to replace the item's tags (ContentSource::setItemTags). */
    juce::Result setTags (const CategoryTagMap& newTags);

private:
    friend class ContentSource;
    /** The listing's map that the tags equal (null once they changed here): a refresh that
        lists the same map leaves the item as it is. */
    const CategoryTagMap* listedTags = nullptr;
    /** The last refresh that kept the item. */
    unsigned keptInRefresh = 0;

    JUCE_DECLARE_NON_COPYABLE (ContentItem)
};

/** A source of presets or samples: a user folder or a content package. Message thread only.

    Item names are file names: every operation that takes a new name makes it safe first
    (makeSafeItemName) and refuses names that stay unusable; two names that differ only in
    letter case count as the same when the file system says so (isNameTaken). */
class ContentSource
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void contentSourceChanged (ContentSource* source) = 0;
    };

    /** Handed from deleteItem to addNewItem (or importItemFromStream) when an item is saved
        over; the caller deletes it. The old item's data stay where they are until the new data
        are written over them in one step; a store deleted unused (the write failed or never
        came) lists the old item again. */
    class OverwriteStore
    {
    public:
        virtual ~OverwriteStore();
        juce::String itemName;
        CategoryTagMap tags;
        /** Set once the new item has replaced the old one. */
        bool committed = false;

    private:
        friend class ContentSource;
        ContentSource* owner = nullptr;
        ContentItem* replacedItem = nullptr;
    };

    /** A tag change or a delete of one item, split in three so that its disk part can run
        off the source's thread: made from the item on the source's thread (prepareTagChange,
        prepareDelete), performed once on any thread (perform touches only the change's own
        copies and the disk, and keeps every check of the single-item call: the folder lock,
        the refusal of data changed elsewhere, the atomic write), then taken by the item and
        the source on the source's thread (applyChange). */
    class ItemChange
    {
    public:
        virtual ~ItemChange();
        /** Any thread, once: the disk part. */
        void perform()
        {
            performOnDisk();
            performed = true;
        }

        /** The item changed; only the source's thread may look at it. */
        ContentItem* const item;
        const bool deletion;
        /** A tag change: the tags wanted, then the tags written. */
        CategoryTagMap tags;
        /** Set by perform: whether the disk part took place, and why not. */
        juce::Result result { juce::Result::ok() };

    protected:
        ItemChange (ContentItem& changed, bool isDeletion, CategoryTagMap wanted);
        virtual void performOnDisk() {}

    private:
        friend class ContentSource;
        int generation = 0;
        bool performed = false;
        // The source does the disk part itself, on its own thread, when the change is applied.
        bool doneOnApply = false;
    };

    /** Why the last add, copy or import that made no item failed. */
    enum class Failure
    {
        none,
        nameTaken,   // something has the name (also when it was taken after the check)
        notAnItem,   // the data are not an item of this source
        tooLarge,
        diskFull,
        noPermission,   // a read-only folder or file system
        writeFailed     // any other write error
    };

    /** A new item's data written off the source's thread, in three steps as ItemChange: made
        on the source's thread (prepareImport: the name and the data checked as
        importItemFromStream checks them), written once on any thread (perform touches only its
        own copies and the disk: under the folder lock, the new data take a free name in one
        step and never replace what took the name meanwhile; a replaced item's data are
        replaced only while they are the data listed), then made an item on the source's thread
        (applyImport). */
    class ItemImport
    {
    public:
        virtual ~ItemImport();
        /** Any thread, once: the write. */
        void perform()
        {
            performOnDisk();
            performed = true;
        }

        bool wasPerformed() const noexcept { return performed; }
        /** After perform: why the write failed, or none. */
        Failure getFailure() const noexcept { return failure; }

        /** The item's name, and its data as they are written. */
        const juce::String itemName;
        const juce::MemoryBlock data;

    protected:
        ItemImport (const juce::String& name, juce::MemoryBlock itemData, CategoryTagMap itemTags);
        virtual void performOnDisk() = 0;

        /** Set by perform: why the write failed (none when it took place), in words. */
        Failure failure = Failure::none;
        juce::String error;

    private:
        friend class ContentSource;
        CategoryTagMap tags;
        std::unique_ptr<OverwriteStore> store;
        int generation = 0;
        bool performed = false;
    };

    ContentSource (const juce::String& sourceName, bool isReadOnly);
    virtual ~ContentSource();

    juce::String name;
    bool selected = false;
    /** An inactive source has no items. */
    bool active = true;
    /** Tags of all the source's items. */
    CategoryTagMap tags;

    /** The items are made when first asked for (an instance that never shows them pays
        nothing for them); from then on each refresh changes only the items whose data
        changed. Items removed since are taken out of the array here, all in one pass. */
    const juce::OwnedArray<ContentItem>& getItems() const
    {
        ensureItems();
        removeUnlistedItems();
        return items;
    }

    int getNumItems() const { return pendingListing != nullptr ? (int) pendingListing->getRecords().size() : getItems().size(); }
    bool isReadOnly() const noexcept { return readOnly; }

    //==============================================================================
    /** Collects the source's tags, merges them into its TagDictionary and brings the item list
        (none while inactive) to the data as they are, in name order ignoring case. Items whose
        data did not change stay as they are (pointers to them stay valid); the others are
        made again or deleted. */
    void refresh();
    /** How many items the last refresh made, changed or deleted (making the items of a
        listing when they are first asked for counts as part of the refresh that listed it);
        the others stayed as they were. */
    int getItemsChangedByLastRefresh() const noexcept { return itemsChanged; }
    /** When the flag changes: activates (refresh) or deactivates (clears the items). */
    void setActive (bool shouldBeActive);
    /** Stores the flag, activates or deactivates accordingly, and with notify tells every
        listener. */
    void setSelected (bool shouldBeSelected, bool notify);
    void setTagDictionary (TagDictionary* dictionary);
    TagDictionary& getTagDictionary() noexcept { return dictionary != nullptr ? *dictionary : ownDictionary; }

    /** The item whose name equals the text exactly, or null. Hashed: constant time. */
    ContentItem* findItem (const juce::String& itemName) const;
    /** Whether a new item may not take the name: an item has it, an item has it but for letter
        case on a file system that ignores case, or data of that name exists already (even data
        the source cannot read: it is never overwritten). Unusable names count as taken. */
    virtual bool isNameTaken (const juce::String& itemName) const;

    /** Null when the name is taken or the create operation fails; else merges the tags into the
        source and its dictionary, makes the item, appends it and returns it. The preset folder
        writes the plug-in's current settings as a preset file. With the store of the item
        deleted for it, the name counts as free and the new data replace the old in one step. */
    ContentItem* addNewItem (const juce::String& itemName, const CategoryTagMap& itemTags, OverwriteStore* store = nullptr);
    /** Null when the name is taken or the copy fails; else as addNewItem, from a copy of the file. */
    ContentItem* addItemCopy (const juce::File& file, const juce::String& itemName, const CategoryTagMap& itemTags);
    /** False when read-only or the delete fails; else removes the item (kept alive until the next
        refresh, so pointers held elsewhere stay valid) and rebuilds the tags. With keepStore
        and a store pointer the item's data are not deleted: a new OverwriteStore holds what
        the item that replaces it inherits, and the new data replace the old in one step.
        Refused when the data changed on disk since the item was listed (or something else
        stands in their place); data already gone count as deleted, but are refused with a
        store. */
    bool deleteItem (ContentItem* item, bool keepStore = false, std::unique_ptr<OverwriteStore>* store = nullptr);
    /** Null when the name is taken; writes the stream's text (with "\r\n" line ends, in the
        text's own encoding) as the item's data, then makes the item; null when the text is
        not an item of this source or is larger than getMaxItemSize (read no further). With an
        overwrite store, as addNewItem. */
    ContentItem* importItemFromStream (juce::InputStream& stream, const juce::String& itemName,
                                       OverwriteStore* store = nullptr);
    /** The item whose name equals the text ignoring case and composition (a twin in another
        letter case, or with "é" as one character or two: NameFolding; the exact one when
        there is one), or null. Hashed: constant time. */
    ContentItem* findItemIgnoringCase (const juce::String& itemName) const;

    Failure getLastFailure() const noexcept { return lastFailure; }

    /** False when the name is taken, or the item's data changed on disk since it was listed
        or are gone (another instance), or the move fails; getLastError says which. */
    bool renameItem (ContentItem& item, const juce::String& newName);
    bool canRenameItemTo (const ContentItem& item, const juce::String& newName) const;
    /** Applies the change from the item's listed tags to newTags to the tags its data holds now
        (another instance's edits stay), writes them whole, and gives the item the result.
        Fails, item unchanged, for a read-only source, a failed write or data gone from disk
        (never made again). */
    juce::Result setItemTags (ContentItem& item, const CategoryTagMap& newTags);
    bool loadItem (ContentItem& item, int flag);

    /** Message thread: the change of an item's tags (as setItemTags) or its delete (as
        deleteItem without a store), to be performed on any thread and then applied. */
    std::unique_ptr<ItemChange> prepareTagChange (ContentItem& item, const CategoryTagMap& newTags);
    std::unique_ptr<ItemChange> prepareDelete (ContentItem& item);
    /** Message thread: the item and the source take a performed change (a change not performed
        is performed here). False when it failed (getLastError says why) or when the list was
        read again since it was prepared (the item is gone then, and is not looked at). */
    bool applyChange (ItemChange& change);
    /** Whether the list was read again since the change was prepared (its item is gone). */
    bool isStale (const ItemChange& change) const noexcept { return change.generation != generation; }

    /** Whether prepareImport can hand the writes of imported items to another thread. */
    virtual bool canImportElsewhere() const { return false; }
    /** Message thread: an import of the data (at most getMaxItemSize bytes; line ends are made
        "\r\n") under the name, with the store of the item it replaces, if any, to be performed
        on any thread and then applied; null, with getLastFailure, when it is refused before
        any write. Only the list is asked whether the name is taken (data of that name on disk
        make the write fail with nameTaken). */
    std::unique_ptr<ItemImport> prepareImport (juce::MemoryBlock data, const juce::String& itemName,
                                               std::unique_ptr<OverwriteStore> store = nullptr);
    /** Message thread: the item of a performed import, as importItemFromStream makes it; null
        when the write failed (getLastFailure says why; a replaced item is listed again) or
        never took place. An item the list has already read is the one returned. */
    ContentItem* applyImport (ItemImport& import);

    /** Message thread: between begin and end, deletes and tag writes leave the source's tags
        to be gathered once, at the end (each would otherwise walk every item). Nests. */
    void beginBulkChange() noexcept { ++bulkChanges; }
    void endBulkChange();

    /** The largest item the source takes, in bytes: an import reads no further. */
    virtual juce::int64 getMaxItemSize() const { return Preset::maxFileSize; }

    virtual bool canImportSamples() const { return false; }
    virtual bool canSaveItems() const { return false; }
    /** With its dot; empty by default. */
    virtual juce::String getItemExtension() const { return {}; }
    /** The file that holds the item; none by default. */
    virtual juce::File getItemFile (const juce::String& itemName) const;

    /** Preset sources: a new preset read from the named item, or null. */
    virtual std::unique_ptr<Preset> loadPresetByName (const juce::String& itemName, int flag);
    /** Preset sources: prepares a preset before it is applied. */
    virtual void preparePreset (Preset& preset);

    void addListener (Listener* listener) { listeners.add (listener); }
    void removeListener (Listener* listener) { listeners.remove (listener); }
    void sendChangeMessage();

    /** Where the source's log lines go (the plug-in's log). */
    std::function<void (const juce::String&)> logger;
    void log (const juce::String& message) const;
    /** Where failures of the user's actions go besides the log (the plug-in's problems). */
    std::function<void (const juce::String&)> reporter;
    /** Why the last operation that failed did (a user-facing sentence); cleared as each
        operation starts. */
    const juce::String& getLastError() const noexcept { return lastError; }

    /** Trims spaces and trailing dots, replaces a leading dot, path separators, characters that file systems
        forbid (\ / : * ? " < > |) and control characters with "_", appends "_" to names that
        file systems reserve (CON, NUL, COM1 ...). Empty when nothing usable remains ("", ".",
        "..", or longer than maxNameLength bytes: tooLong, when given, tells that case), or when
        the name holds a character that reorders text (bidirectional overrides, embeddings,
        isolates and marks), which could make a file look like another. */
    static juce::String makeSafeItemName (const juce::String& itemName, bool* tooLong = nullptr);
    static constexpr int maxNameLength = 200;

protected:
    struct ItemRecord
    {
        juce::String name;
        CategoryTagMap tags;
        /** Records with the same non-null value have equal tags (merged once per refresh). */
        const void* sharedTags = nullptr;
    };

    /** What a refresh lists; by default scanItems' records in name order. A source may hand
        out the same listing again while its data have not changed: the refresh then changes
        nothing. */
    virtual std::shared_ptr<const ContentListing> listItems();
    /** Lists the source's items with their tags (sorted by the caller). */
    virtual void scanItems (juce::Array<ItemRecord>& records) = 0;
    /** Whether scanItems gives its records in the item list's order already. */
    virtual bool scansInNameOrder() const { return false; }
    /** Whether data of the (safe) name exists, whether or not it is an item. */
    virtual bool itemDataExists (const juce::String&) const { return false; }

    // The write operations of writable sources; each gets safe names only.
    virtual bool createItemData (const juce::String&, CategoryTagMap&, OverwriteStore*) { return false; }
    virtual bool copyItemData (const juce::File&, const juce::String&, CategoryTagMap&) { return false; }
    virtual bool deleteItemData (ContentItem&, std::unique_ptr<OverwriteStore>*) { return false; }
    virtual bool renameItemData (ContentItem&, const juce::String&) { return false; }
    /** In: the tags wanted; out: the tags written. */
    virtual juce::Result writeItemTags (ContentItem&, CategoryTagMap&) { return juce::Result::fail ("read-only"); }
    /** data: the bytes to write, line ends made "\r\n". overwrite: the item's old data may
        be replaced (an overwrite store of it was given). */
    virtual bool importItemData (const juce::MemoryBlock&, const juce::String&, CategoryTagMap&, bool /*overwrite*/) { return false; }
    virtual bool loadItemData (ContentItem&, int) { return false; }
    /** A change whose perform() does the disk part off the source's thread, or null (the
        default): the change is then done by writeItemTags or deleteItemData when applied. */
    virtual std::unique_ptr<ItemChange> makeTagChange (ContentItem&, const CategoryTagMap&) { return nullptr; }
    virtual std::unique_ptr<ItemChange> makeDeleteChange (ContentItem&) { return nullptr; }
    /** The source's thread: a change made by makeTagChange or makeDeleteChange took place. */
    virtual void changePerformed (ItemChange&) {}
    /** The import of checked data under a safe name (replacing the listed item replaced, when
        given), or null with lastFailure set (notAnItem) when the data are no item of the
        source. Only sources that canImportElsewhere make them. */
    virtual std::unique_ptr<ItemImport> makeImport (juce::MemoryBlock, const juce::String&, const ContentItem* /*replaced*/)
    {
        return nullptr;
    }
    /** The source's thread: an import made by makeImport was written. */
    virtual void importPerformed (ItemImport&) {}
    /** The error of a failed change, as the single-item call would say it. */
    void failChange (const ItemChange& change);

    ContentItem* makeItem (const juce::String& itemName, CategoryTagMap itemTags);
    void rebuildTags();
    /** Logs and reports the failure (once per operation) and keeps it as the last error. */
    void fail (const juce::String& message);

    juce::String lastError;
    Failure lastFailure = Failure::none;

    /** The failure of a write from its errno. */
    static Failure failureOfErrno (int errorNumber);

private:
    /** Whether the name is free for a new item, given the store of an item saved over. */
    bool canTakeName (const juce::String& safeName, const OverwriteStore* store) const;
    /** Whether the store is of this source's item of that name (the new data replace it). */
    bool isReplacedBy (const OverwriteStore* store, const juce::String& safeName) const noexcept;
    /** A new item of written data: its tags join the source's and the dictionary, and it is listed. */
    ContentItem* listNewItem (const juce::String& safeName, const CategoryTagMap& newTags);
    /** A replaced item whose replacement failed comes back into the list. */
    void relistItem (ContentItem* item);

    /** Keeps the name indexes and the tag counts in step with items. */
    ContentItem* appendItem (ContentItem* item);
    /** Takes the item out of the indexes at once, and out of the item array later, all
        removed items in one pass (a delete of many items stays linear). */
    void unlistItem (ContentItem* item);
    void removeUnlistedItems() const;
    /** The model's part of a tag change that was written. */
    void takeTags (ContentItem& item, const CategoryTagMap& written);
    void indexItem (ContentItem* item);
    void indexItem (ContentItem* item, const juce::String& foldedName);
    void unindexItem (ContentItem* item);
    void clearItems();
    /** Counts the uses of each category and tag by the listed items: a removed item's tags
        leave the source's tags when nothing else uses them, without a walk of every item. */
    void countTags (const CategoryTagMap& itemTags, int delta);
    static juce::String foldCase (const juce::String& name);

    /** Makes the items of a listing not yet shown. Logically const: what the source lists
        does not change, only whether its items exist yet. */
    void ensureItems() const
    {
        if (pendingListing != nullptr)
            const_cast<ContentSource*> (this)->makeItems();
    }

    void makeItems();
    /** Brings the items to the listing: unchanged items stay, changed ones take the listed
        tags, the rest are made or deleted; the order becomes the listing's. */
    void applyListing (const ContentListing& listing);

    const bool readOnly;
    int bulkChanges = 0;
    bool tagsStale = false;
    // Counts the times the item list was dropped: a change prepared before applies to nothing.
    int generation = 0;
    mutable juce::OwnedArray<ContentItem> items, removedItems;
    mutable std::unordered_set<const ContentItem*> unlisted;
    std::unordered_map<juce::String, ContentItem*> byName;
    std::unordered_map<juce::String, std::vector<ContentItem*>> byFoldedName;
    TagUseCounts tagUses;
    /** The last refresh's listing; the one whose items are not made yet (null once made). */
    std::shared_ptr<const ContentListing> lastListing, pendingListing;
    /** The items exist (made from lastListing, with this source's changes since). */
    bool itemsMade = false;
    /** This source changed its items since lastListing: the next refresh brings them back to the
        listing even when the listing is the same. */
    bool changedHere = false;
    unsigned refreshes = 0;
    int itemsChanged = 0;
    TagDictionary* dictionary = nullptr;
    TagDictionary ownDictionary;
    ListenerArray<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE (ContentSource)
};

/** The name itself when no item has it; else the first free "name (n)" for n = 1 to 1000;
    else "name - Copy (" + the current time + ")". */
juce::String makeUniqueCopyName (const ContentSource& source, const juce::String& name);
