#include "core/content/ContentSource.h"
#include "core/content/NameFolding.h"
#include "core/content/XmlFileText.h"
#include <cerrno>
#include <numeric>
#include <unordered_map>

//==============================================================================
ContentItem::ContentItem (ContentSource& owner, const juce::String& itemName, CategoryTagMap itemTags)
    : source (&owner), name (itemName), tags (std::move (itemTags))
{
}

bool ContentItem::isReadOnly() const { return source->isReadOnly(); }
bool ContentItem::canRenameTo (const juce::String& newName) const { return source->canRenameItemTo (*this, newName); }
bool ContentItem::rename (const juce::String& newName) { return source->renameItem (*this, newName); }
bool ContentItem::deleteFromSource() { return source->deleteItem (this); }
bool ContentItem::load (int flag) { return source->loadItem (*this, flag); }
juce::Result ContentItem::setTags (const CategoryTagMap& newTags) { return source->setItemTags (*this, newTags); }

void ContentItem::filterByAllTags (const TagIdSet& ids)
{
    filteredOut = ! tagIds.containsAll (ids);
}

void ContentItem::filterByAnyTag (const TagIdSet& ids)
{
    filteredOut = ! tagIds.containsAny (ids);
}

//==============================================================================
ContentSource::ContentSource (const juce::String& sourceName, bool isReadOnly)
    : name (sourceName), readOnly (isReadOnly)
{
}

ContentSource::~ContentSource() = default;

ContentSource::ItemChange::ItemChange (ContentItem& changed, bool isDeletion, CategoryTagMap wanted)
    : item (&changed), deletion (isDeletion), tags (std::move (wanted))
{
}

ContentSource::ItemChange::~ItemChange() = default;

ContentSource::ItemImport::ItemImport (const juce::String& name, juce::MemoryBlock itemData, CategoryTagMap itemTags)
    : itemName (name), data (std::move (itemData)), tags (std::move (itemTags))
{
}

ContentSource::ItemImport::~ItemImport() = default;

ContentSource::OverwriteStore::~OverwriteStore()
{
    if (! committed && owner != nullptr && replacedItem != nullptr)
        owner->relistItem (replacedItem);
}

void ContentSource::relistItem (ContentItem* item)
{
    // Still in the array (its removal was left for later): listed again where it stands.
    if (unlisted.erase (item) != 0)
    {
        changedHere = true;
        tags.addAll (item->tags);
        indexItem (item);
        countTags (item->tags, 1);
        return;
    }

    if (! removedItems.contains (item))
        return;

    removedItems.removeObject (item, false);
    tags.addAll (item->tags);
    appendItem (item);
}

ContentItem* ContentSource::appendItem (ContentItem* item)
{
    changedHere = itemsMade = true;
    items.add (item);
    indexItem (item);
    countTags (item->tags, 1);
    return item;
}

void ContentSource::unlistItem (ContentItem* item)
{
    changedHere = true;
    unindexItem (item);
    countTags (item->tags, -1);
    unlisted.insert (item);
}

void ContentSource::removeUnlistedItems() const
{
    if (unlisted.empty())
        return;

    // One pass over the array; the removed items stay alive until the next refresh.
    int kept = 0;

    for (int i = 0; i < items.size(); ++i)
    {
        auto* item = items.getUnchecked (i);

        if (unlisted.count (item) != 0)
            removedItems.add (item);
        else
            items.getRawDataPointer()[kept++] = item;
    }

    while (items.size() > kept)
        items.removeLast (1, false);

    unlisted.clear();
}

void ContentSource::indexItem (ContentItem* item)
{
    indexItem (item, foldCase (item->name));
}

void ContentSource::indexItem (ContentItem* item, const juce::String& foldedName)
{
    byName.emplace (item->name, item);
    byFoldedName[foldedName].push_back (item);
}

void ContentSource::unindexItem (ContentItem* item)
{
    if (const auto found = byName.find (item->name); found != byName.end() && found->second == item)
    {
        byName.erase (found);

        // A twin of the same exact name (listed twice) takes its place.
        for (auto* other : byFoldedName[foldCase (item->name)])
            if (other != item && other->name == item->name)
            {
                byName.emplace (other->name, other);
                break;
            }
    }

    if (const auto folded = byFoldedName.find (foldCase (item->name)); folded != byFoldedName.end())
    {
        auto& list = folded->second;
        list.erase (std::remove (list.begin(), list.end(), item), list.end());

        if (list.empty())
            byFoldedName.erase (folded);
    }
}

void ContentSource::clearItems()
{
    // Items removed but still in the array stay alive like every removed item.
    removeUnlistedItems();
    ++generation;
    items.clear();
    byName.clear();
    byFoldedName.clear();
    tagUses.clear();
    pendingListing = nullptr;
    itemsMade = false;
}

void ContentSource::countTags (const CategoryTagMap& itemTags, int delta)
{
    if (delta > 0)
        tagUses.add (itemTags, delta);
    else
        tagUses.remove (itemTags, tags);
}

ContentSource::Failure ContentSource::failureOfErrno (int errorNumber)
{
    switch (errorNumber)
    {
        case EEXIST: return Failure::nameTaken;
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return Failure::diskFull;
        case EACCES:
        case EPERM:
        case EROFS: return Failure::noPermission;
        default: return Failure::writeFailed;
    }
}

bool ContentSource::canTakeName (const juce::String& safe, const OverwriteStore* store) const
{
    // The name of the item being saved over is free once that item left the list.
    if (isReplacedBy (store, safe))
        return ! safe.isEmpty() && findItem (safe) == nullptr;

    return ! isNameTaken (safe);
}

bool ContentSource::isReplacedBy (const OverwriteStore* store, const juce::String& safe) const noexcept
{
    return store != nullptr && store->owner == this && store->itemName == safe;
}

ContentItem* ContentSource::listNewItem (const juce::String& safe, const CategoryTagMap& newTags)
{
    tags.addAll (newTags);
    getTagDictionary().addAll (newTags);
    return appendItem (makeItem (safe, newTags));
}

void ContentSource::log (const juce::String& message) const
{
    if (logger)
        logger (name + " presets: " + message);
}

void ContentSource::fail (const juce::String& message)
{
    if (lastError.isNotEmpty())
    {
        log (message);
        return;
    }

    lastError = message;

    if (reporter)
        reporter (name + " presets: " + message);
    else
        log (message);
}

juce::String ContentSource::makeSafeItemName (const juce::String& itemName, bool* tooLong)
{
    if (tooLong != nullptr)
        *tooLong = false;

    static const juce::String forbidden ("\\/:*?\"<>|");

    const auto isBad = [] (juce::juce_wchar c) { return c < 0x20 || c == 0x7f || forbidden.containsChar (c); };
    const auto reordersText = [] (juce::juce_wchar c) {
        return c == 0x061c || c == 0x200e || c == 0x200f || (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069);
    };
    bool needsChange = false;

    for (auto c : itemName)
        if (reordersText (c))
            return {};

    for (auto c : itemName)
        needsChange = needsChange || isBad (c);

    juce::String safe;

    if (needsChange)
        for (auto c : itemName)
            safe << (isBad (c) ? (juce::juce_wchar) '_' : c);
    else
        safe = itemName;

    safe = safe.trim();

    while (safe.endsWithChar ('.'))
        safe = safe.dropLastCharacters (1).trimEnd();

    // A leading dot would hide the file (and names like ".." climb out of the folder).
    if (safe.startsWithChar ('.'))
        safe = "_" + safe.substring (1);

    if (safe.isEmpty())
        return {};

    if (safe.getNumBytesAsUTF8() > (size_t) maxNameLength)
    {
        if (tooLong != nullptr)
            *tooLong = true;

        return {};
    }

    // Names that Windows reserves for devices, alone or before an extension.
    static const juce::StringArray reserved { "CON", "PRN", "AUX", "NUL",
                                              "COM0", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9",
                                              "LPT0", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9" };

    const auto stem = safe.upToFirstOccurrenceOf (".", false, false).trimEnd();

    if (stem.length() <= 4 && reserved.contains (stem, true))
        safe = stem + "_" + safe.substring (stem.length());

    return safe;
}

//==============================================================================
ContentItem* ContentSource::makeItem (const juce::String& itemName, CategoryTagMap itemTags)
{
    auto* item = new ContentItem (*this, itemName, std::move (itemTags));
    item->tagIds.setFromTags (getTagDictionary(), item->tags);
    return item;
}

void ContentSource::endBulkChange()
{
    if (bulkChanges > 0 && --bulkChanges == 0 && tagsStale)
        rebuildTags();
}

void ContentSource::rebuildTags()
{
    ensureItems();
    tagsStale = bulkChanges > 0;

    if (tagsStale)
        return;

    tags.clear();
    tagUses.clear();

    for (auto* item : getItems())
    {
        tags.addAll (item->tags);
        countTags (item->tags, 1);
    }
}

std::shared_ptr<const ContentListing> ContentSource::listItems()
{
    juce::Array<ItemRecord> scanned;
    scanItems (scanned);

    // Sorted through indices: records are costly to move. The upper-case keys order as
    // compareIgnoreCase does, at one conversion per name instead of one per comparison.
    std::vector<juce::String> keys;
    keys.reserve ((size_t) scanned.size());

    for (const auto& r : scanned)
        keys.push_back (r.name.toUpperCase());

    std::vector<int> order ((size_t) scanned.size());
    std::iota (order.begin(), order.end(), 0);

    if (! scansInNameOrder())
        std::sort (order.begin(), order.end(), [&keys] (int a, int b) {
            return keys[(size_t) a].compare (keys[(size_t) b]) < 0;
        });

    // Records that share one tag map keep sharing it: merged and counted once.
    std::unordered_map<const void*, std::shared_ptr<const CategoryTagMap>> shared;
    std::vector<ContentListing::Record> records;
    records.reserve (order.size());

    for (auto i : order)
    {
        auto& r = scanned.getReference (i);
        std::shared_ptr<const CategoryTagMap> itemTags;

        if (r.sharedTags != nullptr)
        {
            auto& known = shared[r.sharedTags];

            if (known == nullptr)
                known = std::make_shared<const CategoryTagMap> (std::move (r.tags));

            itemTags = known;
        }
        else
        {
            itemTags = std::make_shared<const CategoryTagMap> (std::move (r.tags));
        }

        records.push_back ({ r.name, keys[(size_t) i], std::move (itemTags) });
    }

    return std::make_shared<const ContentListing> (std::move (records), juce::StringArray());
}

void ContentSource::refresh()
{
    auto next = listItems();
    itemsChanged = 0;

    for (const auto& line : next->getLogLines())
        log (line);

    // Items deleted since the last refresh were kept alive for pointers held elsewhere; changes
    // prepared before a refresh apply to nothing.
    removeUnlistedItems();
    removedItems.clear();
    ++generation;

    const bool changed = next != lastListing || changedHere;
    lastListing = next;
    changedHere = false;

    if (changed)
    {
        tags = next->getTags();
        getTagDictionary().addAll (tags);
    }

    if (! active)
    {
        clearItems();
        return;
    }

    // Items nobody asked for yet are made when first asked for.
    if (! itemsMade)
        pendingListing = std::move (next);
    else if (changed)
        applyListing (*next);
}

void ContentSource::makeItems()
{
    const auto listing = std::move (pendingListing);
    pendingListing = nullptr;
    itemsMade = true;
    applyListing (*listing);
}

void ContentSource::applyListing (const ContentListing& listing)
{
    const auto& records = listing.getRecords();
    const auto refresh = ++refreshes;
    auto& dict = getTagDictionary();
    removeUnlistedItems();
    const bool hadItems = ! items.isEmpty();

    // Items with the same tag map have the same ids: looked up once per map.
    std::unordered_map<const CategoryTagMap*, const ContentItem*> firstWithTags;
    const auto takeListedTags = [&] (ContentItem& item, const CategoryTagMap* listedTags) {
        item.listedTags = listedTags;
        const auto [first, isNew] = firstWithTags.try_emplace (listedTags, &item);

        if (isNew)
            item.tagIds.setFromTags (dict, item.tags);
        else
            item.tagIds = first->second->tagIds;
    };

    std::vector<ContentItem*> inOrder;
    inOrder.reserve (records.size());
    byName.reserve (records.size());
    byFoldedName.reserve (records.size());

    for (const auto& r : records)
    {
        ContentItem* item = nullptr;

        if (hadItems)
            if (const auto found = byName.find (r.name); found != byName.end() && found->second->keptInRefresh != refresh)
                item = found->second;

        if (item == nullptr)
        {
            item = new ContentItem (*this, r.name, *r.tags);
            takeListedTags (*item, r.tags.get());
            indexItem (item, r.foldedName);
            ++itemsChanged;
        }
        else if (item->listedTags != r.tags.get())
        {
            // Tags set here (a new item, an edit) are mostly what the file says now.
            if (item->tags != *r.tags)
            {
                item->tags = *r.tags;
                takeListedTags (*item, r.tags.get());
                ++itemsChanged;
            }
            else
            {
                item->listedTags = r.tags.get();
            }
        }

        item->keptInRefresh = refresh;
        inOrder.push_back (item);
    }

    for (auto* item : items)
    {
        if (item->keptInRefresh != refresh)
        {
            unindexItem (item);
            delete item;
            ++itemsChanged;
        }
    }

    items.clearQuick (false);
    items.ensureStorageAllocated ((int) inOrder.size());

    for (auto* item : inOrder)
        items.add (item);

    tagUses = listing.getTagUses();
}

void ContentSource::setActive (bool shouldBeActive)
{
    if (active == shouldBeActive)
        return;

    active = shouldBeActive;

    if (active)
    {
        refresh();
    }
    else
    {
        clearItems();
    }
}

void ContentSource::setSelected (bool shouldBeSelected, bool notify)
{
    selected = shouldBeSelected;
    setActive (shouldBeSelected);

    if (notify)
        sendChangeMessage();
}

void ContentSource::sendChangeMessage()
{
    listeners.call ([this] (Listener& l) { l.contentSourceChanged (this); });
}

void ContentSource::setTagDictionary (TagDictionary* newDictionary)
{
    dictionary = newDictionary;
    getTagDictionary().addAll (tags);

    removeUnlistedItems();
    for (auto* item : items)
        item->tagIds.setFromTags (getTagDictionary(), item->tags);
}

ContentItem* ContentSource::findItem (const juce::String& itemName) const
{
    ensureItems();
    const auto found = byName.find (itemName);
    return found != byName.end() ? found->second : nullptr;
}

ContentItem* ContentSource::findItemIgnoringCase (const juce::String& itemName) const
{
    if (auto* exact = findItem (itemName))
        return exact;

    const auto found = byFoldedName.find (foldCase (itemName));

    if (found == byFoldedName.end())
        return nullptr;

    return found->second.empty() ? nullptr : found->second.front();
}

juce::String ContentSource::foldCase (const juce::String& name)
{
    return NameFolding::fold (name);
}

bool ContentSource::isNameTaken (const juce::String& itemName) const
{
    const auto safe = makeSafeItemName (itemName);

    if (safe.isEmpty() || findItem (safe) != nullptr)
        return true;

    // Data of that name (an item differing in case on a file system that ignores case resolves
    // to the same file; so does a file the source skipped as unreadable).
    return itemDataExists (safe);
}

//==============================================================================
ContentItem* ContentSource::addNewItem (const juce::String& itemName, const CategoryTagMap& itemTags, OverwriteStore* store)
{
    const auto safe = makeSafeItemName (itemName);
    lastError = {};

    if (readOnly || ! canTakeName (safe, store))
        return nullptr;

    auto newTags = itemTags;

    if (! createItemData (safe, newTags, store))
    {
        fail ("could not save \"" + safe + "\"");
        return nullptr;
    }

    if (store != nullptr)
        store->committed = true;

    return listNewItem (safe, newTags);
}

ContentItem* ContentSource::addItemCopy (const juce::File& file, const juce::String& itemName, const CategoryTagMap& itemTags)
{
    const auto safe = makeSafeItemName (itemName);
    lastError = {};

    if (readOnly || isNameTaken (safe))
        return nullptr;

    auto newTags = itemTags;

    if (! copyItemData (file, safe, newTags))
    {
        fail ("could not copy " + file.getFullPathName() + " as \"" + safe + "\"");
        return nullptr;
    }

    return listNewItem (safe, newTags);
}

bool ContentSource::deleteItem (ContentItem* item, bool keepStore, std::unique_ptr<OverwriteStore>* store)
{
    lastError = {};

    if (readOnly || item == nullptr || ! item->belongsTo (this) || findItem (item->name) != item)
        return false;

    if (! deleteItemData (*item, keepStore ? store : nullptr))
    {
        fail ("could not delete \"" + item->name + "\"");
        return false;
    }

    if (keepStore && store != nullptr && *store != nullptr)
    {
        (*store)->owner = this;
        (*store)->replacedItem = item;
    }

    unlistItem (item);
    return true;
}

ContentItem* ContentSource::importItemFromStream (juce::InputStream& stream, const juce::String& itemName, OverwriteStore* store)
{
    const auto safe = makeSafeItemName (itemName);
    lastError = {};
    lastFailure = Failure::none;

    if (readOnly)
    {
        lastFailure = Failure::noPermission;
        return nullptr;
    }

    if (! canTakeName (safe, store))
    {
        lastFailure = safe.isEmpty() ? Failure::notAnItem : Failure::nameTaken;
        return nullptr;
    }

    // Nothing that is an item comes near the limit: a larger entry is refused unread.
    const auto limit = getMaxItemSize();
    const auto length = stream.getTotalLength();
    juce::MemoryBlock data;

    if (length <= limit)
    {
        juce::MemoryOutputStream out (data, false);

        if (out.writeFromInputStream (stream, limit + 1) > limit)
            lastFailure = Failure::tooLarge;
    }
    else
    {
        lastFailure = Failure::tooLarge;
    }

    if (lastFailure == Failure::tooLarge)
    {
        log ("refused to import \"" + safe + "\": too large");
        return nullptr;
    }

    // In the text's own encoding, in one pass.
    XmlFileText::normaliseLineEnds (data);
    CategoryTagMap newTags;

    if (! importItemData (data, safe, newTags, isReplacedBy (store, safe)))
    {
        if (lastFailure == Failure::none)
            lastFailure = Failure::writeFailed;

        // A name taken meanwhile is a conflict, not a failure of the user's disk.
        if (lastFailure != Failure::nameTaken)
            fail ("could not import \"" + safe + "\"");

        return nullptr;
    }

    if (store != nullptr)
        store->committed = true;

    return listNewItem (safe, newTags);
}

std::unique_ptr<ContentSource::ItemImport> ContentSource::prepareImport (juce::MemoryBlock data, const juce::String& itemName,
                                                                         std::unique_ptr<OverwriteStore> store)
{
    const auto safe = makeSafeItemName (itemName);
    lastError = {};
    lastFailure = Failure::none;

    if (readOnly || ! canImportElsewhere())
    {
        lastFailure = Failure::noPermission;
        return nullptr;
    }

    const bool replacing = isReplacedBy (store.get(), safe);

    // The list only: what the disk has under the name makes the write fail, off this thread.
    if (safe.isEmpty() || findItem (safe) != nullptr)
    {
        lastFailure = safe.isEmpty() ? Failure::notAnItem : Failure::nameTaken;
        return nullptr;
    }

    if ((juce::int64) data.getSize() > getMaxItemSize())
    {
        lastFailure = Failure::tooLarge;
        log ("refused to import \"" + safe + "\": too large");
        return nullptr;
    }

    XmlFileText::normaliseLineEnds (data);
    auto import = makeImport (std::move (data), safe, replacing ? store->replacedItem : nullptr);

    if (import == nullptr)
    {
        if (lastFailure == Failure::none)
            lastFailure = Failure::notAnItem;

        return nullptr;
    }

    import->store = std::move (store);
    import->generation = generation;
    return import;
}

ContentItem* ContentSource::applyImport (ItemImport& import)
{
    lastError = {};
    lastFailure = Failure::none;
    // A replaced item whose replacement failed is listed again as the store goes, here.
    const auto store = std::move (import.store);

    if (! import.performed || import.failure != Failure::none)
    {
        lastFailure = import.performed ? import.failure : Failure::writeFailed;

        if (import.performed)
        {
            log ("could not import \"" + import.itemName + "\": " + import.error);

            // A name taken meanwhile is a conflict, not a failure of the user's disk.
            if (lastFailure != Failure::nameTaken)
                fail ("could not import \"" + import.itemName + "\"");
        }

        return nullptr;
    }

    if (store != nullptr)
        store->committed = true;

    importPerformed (import);

    // The list was read again after the write: the item may be in it already.
    if (import.generation != generation)
        if (auto* listed = findItem (import.itemName))
            return listed;

    return listNewItem (import.itemName, import.tags);
}

bool ContentSource::canRenameItemTo (const ContentItem& item, const juce::String& newName) const
{
    if (readOnly || ! item.belongsTo (this))
        return false;

    const auto safe = makeSafeItemName (newName);

    if (safe.isEmpty())
        return false;

    if (safe == item.name || foldCase (safe) == foldCase (item.name))
    {
        // The item's own name (or a change of case or composition only) is free unless another
        // item has it.
        for (auto* other : getItems())
            if (other != &item && other->name == safe)
                return false;

        return true;
    }

    return ! isNameTaken (safe);
}

bool ContentSource::renameItem (ContentItem& item, const juce::String& newName)
{
    const auto safe = makeSafeItemName (newName);
    lastError = {};

    if (! canRenameItemTo (item, safe))
        return false;

    if (safe == item.name)
        return true;

    if (! renameItemData (item, safe))
    {
        fail ("could not rename \"" + item.name + "\" to \"" + safe + "\"");
        return false;
    }

    unindexItem (&item);
    item.name = safe;
    indexItem (&item);
    changedHere = true;
    return true;
}

juce::Result ContentSource::setItemTags (ContentItem& item, const CategoryTagMap& newTags)
{
    lastError = {};

    if (readOnly || ! item.belongsTo (this))
        return juce::Result::fail ("\"" + item.name + "\" cannot be changed");

    auto written = newTags;

    if (const auto result = writeItemTags (item, written); result.failed())
    {
        fail ("could not write the tags of \"" + item.name + "\": " + result.getErrorMessage());
        return juce::Result::fail (lastError);
    }

    takeTags (item, written);
    return juce::Result::ok();
}

void ContentSource::takeTags (ContentItem& item, const CategoryTagMap& written)
{
    // The new tags are counted before the old ones go: a tag on both keeps its place.
    tags.addAll (written);
    countTags (written, 1);
    countTags (item.tags, -1);
    item.tags = written;
    item.listedTags = nullptr;
    changedHere = true;
    getTagDictionary().addAll (written);
    item.tagIds.setFromTags (getTagDictionary(), written);
}

std::unique_ptr<ContentSource::ItemChange> ContentSource::prepareTagChange (ContentItem& item, const CategoryTagMap& newTags)
{
    struct OnApply : ItemChange
    {
        OnApply (ContentItem& i, const CategoryTagMap& t) : ItemChange (i, false, t) {}
    };

    auto change = readOnly || ! item.belongsTo (this) ? nullptr : makeTagChange (item, newTags);

    if (change == nullptr)
    {
        change = std::make_unique<OnApply> (item, newTags);
        change->doneOnApply = true;
    }

    change->generation = generation;
    return change;
}

std::unique_ptr<ContentSource::ItemChange> ContentSource::prepareDelete (ContentItem& item)
{
    struct OnApply : ItemChange
    {
        explicit OnApply (ContentItem& i) : ItemChange (i, true, {}) {}
    };

    auto change = readOnly || ! item.belongsTo (this) || findItem (item.name) != &item ? nullptr : makeDeleteChange (item);

    if (change == nullptr)
    {
        change = std::make_unique<OnApply> (item);
        change->doneOnApply = true;
    }

    change->generation = generation;
    return change;
}

void ContentSource::failChange (const ItemChange& change)
{
    const auto& item = *change.item;

    if (change.deletion)
    {
        fail (change.result.getErrorMessage());
        fail ("could not delete \"" + item.name + "\"");
    }
    else
    {
        fail ("could not write the tags of \"" + item.name + "\": " + change.result.getErrorMessage());
    }
}

bool ContentSource::applyChange (ItemChange& change)
{
    lastError = {};

    if (change.generation != generation)
        return false;

    auto& item = *change.item;

    if (change.doneOnApply)
        return change.deletion ? deleteItem (&item) : setItemTags (item, change.tags).wasOk();

    if (! change.performed)
        change.perform();

    if (change.result.failed())
    {
        failChange (change);
        return false;
    }

    changePerformed (change);

    if (change.deletion)
    {
        // Another call may have taken it out meanwhile.
        if (findItem (item.name) == &item)
            unlistItem (&item);
    }
    else
    {
        takeTags (item, change.tags);
    }

    return true;
}

bool ContentSource::loadItem (ContentItem& item, int flag)
{
    return item.belongsTo (this) && loadItemData (item, flag);
}

juce::File ContentSource::getItemFile (const juce::String&) const
{
    return {};
}

std::unique_ptr<Preset> ContentSource::loadPresetByName (const juce::String&, int)
{
    return nullptr;
}

void ContentSource::preparePreset (Preset&)
{
}

//==============================================================================
juce::String makeUniqueCopyName (const ContentSource& source, const juce::String& name)
{
    if (! source.isNameTaken (name))
        return name;

    for (int n = 1; n <= 1000; ++n)
    {
        const auto candidate = name + " (" + juce::String (n) + ")";

        if (! source.isNameTaken (candidate))
            return candidate;
    }

    return name + " - Copy (" + juce::Time::getCurrentTime().formatted ("%Y-%m-%d %H-%M-%S") + ")";
}
