#include "core/content/PresetSources.h"
#include "core/content/XmlFileText.h"
#include "core/parameters/AtomicFile.h"
#include "core/parameters/FolderLock.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <functional>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    /** Whether anything stands under the name: a file, a folder, or a link even when it leads
        nowhere or round in a loop. Only a name where nothing is may be taken. */
    bool anythingAt (const juce::File& file)
    {
        struct stat info;
        return ::lstat (file.getFullPathName().toRawUTF8(), &info) == 0 || errno != ENOENT;
    }

    /** Moves a file to a name where nothing is, refusing at the last moment too: a hard link
        fails when the name is taken (file systems without links fall back to a check). error:
        the errno of the failure (EEXIST when the name is taken). */
    bool moveIfFree (const juce::File& from, const juce::File& to, int& error)
    {
        const auto fromPath = from.getFullPathName(), toPath = to.getFullPathName();

        if (::link (fromPath.toRawUTF8(), toPath.toRawUTF8()) == 0)
        {
            if (::unlink (fromPath.toRawUTF8()) == 0)
                return true;

            error = errno;
            ::unlink (toPath.toRawUTF8());
            return false;
        }

        error = errno;

        if (error == EEXIST || anythingAt (to))
        {
            error = EEXIST;
            return false;
        }

        if (std::rename (fromPath.toRawUTF8(), toPath.toRawUTF8()) == 0)
            return true;

        error = errno;
        return false;
    }

    /** Calls back with every name in the folder but its subfolders, and whether it is a
        regular file (links and entries of unknown type say false). */
    template <typename Callback>
    void listFolder (const juce::File& folder, Callback&& callback)
    {
        auto* dir = ::opendir (folder.getFullPathName().toRawUTF8());

        if (dir == nullptr)
            return;

        while (const auto* entry = ::readdir (dir))
            if (entry->d_type != DT_DIR)
                callback (juce::String::fromUTF8 (entry->d_name), entry->d_type == DT_REG);

        ::closedir (dir);
    }

    /** Moves a file to a name where nothing is. A target that exists is refused unless it is
        the file itself reached through another letter case (a file system that ignores case),
        in which case the move goes through a temporary name. error: as for moveIfFree. */
    bool moveWithoutOverwriting (const juce::File& from, const juce::File& to, int& error)
    {
        if (! from.existsAsFile())
        {
            error = ENOENT;
            return false;
        }

        if (anythingAt (to))
        {
            if (to.getFileIdentifier() != from.getFileIdentifier() || to.getFileIdentifier() == 0)
            {
                error = EEXIST;
                return false;
            }

            const auto temp = from.getParentDirectory().getNonexistentChildFile ("." + from.getFileNameWithoutExtension() + "-renaming",
                                                                                 from.getFileExtension(), false);

            if (std::rename (from.getFullPathName().toRawUTF8(), temp.getFullPathName().toRawUTF8()) != 0)
            {
                error = errno;
                return false;
            }

            if (std::rename (temp.getFullPathName().toRawUTF8(), to.getFullPathName().toRawUTF8()) != 0)
            {
                error = errno;
                std::rename (temp.getFullPathName().toRawUTF8(), from.getFullPathName().toRawUTF8());
                return false;
            }

            return true;
        }

        return moveIfFree (from, to, error);
    }

    /** This instance's change of an item's tags (from before to after), applied to the tags
        its file holds now: tags another instance added or removed meanwhile stay so. */
    CategoryTagMap applyTagChange (CategoryTagMap onDisk, const CategoryTagMap& before, const CategoryTagMap& after)
    {
        for (int c = 0; c < before.getNumCategories(); ++c)
        {
            const auto category = before.getCategoryName (c);

            for (const auto& tag : before.getTagList (c))
                if (! after.contains (category, tag))
                    onDisk.removeTag (category, tag);

            if (! after.containsCategory (category) && onDisk.getTags (category).getNumTags() == 0)
                onDisk.removeCategory (category);
        }

        for (int c = 0; c < after.getNumCategories(); ++c)
        {
            const auto category = after.getCategoryName (c);

            if (! before.containsCategory (category))
                onDisk.add (category, {});

            for (const auto& tag : after.getTagList (c))
                if (! before.contains (category, tag))
                    onDisk.add (category, tag);
        }

        return onDisk;
    }

    /** A preset file's bytes with one attribute of its root set and nothing else changed, in
        the file's own encoding: false, the bytes unchanged, when the start tag is not plain
        XML or what the reader reads of the result would differ. */
    bool setRootAttribute (juce::MemoryBlock& data, const char* attribute, const juce::String& value)
    {
        auto changed = data;
        juce::String error;

        if (! XmlFileText::setRootAttribute (changed, attribute, value))
            return false;

        const auto root = Preset::readRootElement (changed.getData(), changed.getSize(), true, error);

        if (root == nullptr || root->getStringAttribute (attribute) != value)
            return false;

        data.swapWith (changed);
        return true;
    }

    using FileStamp = BoundedXmlReader::FileStamp;
    using StampCheck = std::function<bool (const FileStamp&)>;

    juce::Result changedOnDisk (const juce::String& itemName)
    {
        return juce::Result::fail ("\"" + itemName + "\" was changed on disk since the list was read (by another instance?): refresh the list and try again");
    }

    juce::Result goneFromDisk (const juce::String& itemName)
    {
        return juce::Result::fail ("\"" + itemName + "\" is no longer on disk (deleted or renamed by another instance?): refresh the list");
    }

    /** Under the folder's lock, right before a write: the name itself (a link is not followed)
        must hold a regular file whose stamp the check takes (now receives it). A name where
        nothing is says so (and sets gone); a link, FIFO or folder there counts as a change. */
    juce::Result lookBeforeWriting (const juce::File& file, const juce::String& itemName, const StampCheck& check, FileStamp& now,
                                    bool* gone = nullptr)
    {
        struct stat info;

        if (::lstat (file.getFullPathName().toRawUTF8(), &info) != 0)
        {
            const auto error = errno;

            if (error != ENOENT && error != ENOTDIR)
                return juce::Result::fail ("\"" + itemName + "\" cannot be looked at: " + juce::String (std::strerror (error)));

            if (gone != nullptr)
                *gone = true;

            return goneFromDisk (itemName);
        }

        if (! S_ISREG (info.st_mode))
            return changedOnDisk (itemName);

        now = BoundedXmlReader::stampOf (info);
        return ! check || check (now) ? juce::Result::ok() : changedOnDisk (itemName);
    }

    juce::MemoryBlock bytesOf (const juce::XmlElement& xml)
    {
        juce::MemoryOutputStream out;
        xml.writeTo (out);
        return out.getMemoryBlock();
    }

    /** Under the folder's lock: the preset file with one attribute of its root changed and
        nothing else (the root's other attributes, unknown elements, comments, line ends and
        the encoding stay as they are), once it passed lookBeforeWriting. The bytes read are
        those of the file looked at, and the new ones replace the name itself; written receives
        their stamp. */
    juce::Result rewriteRootAttribute (const juce::File& file, const juce::String& itemName, const StampCheck& check,
                                       const char* attribute, const std::function<juce::String (const juce::XmlElement& root)>& newValue,
                                       FileStamp& written)
    {
        FileStamp now, read;

        if (const auto looked = lookBeforeWriting (file, itemName, check, now); looked.failed())
            return looked;

        juce::MemoryBlock data;
        juce::String error;

        if (! BoundedXmlReader::readFile (file, (size_t) Preset::maxFileSize, data, error, true, &read))
            return juce::Result::fail (error);

        // Replaced between the look and the read (by a writer that takes no lock).
        if (! (read == now))
            return changedOnDisk (itemName);

        // Only the root's start tag is parsed (a file cut short is refused before).
        const auto root = Preset::readRootElement (data.getData(), data.getSize(), true, error);

        if (root == nullptr)
            return juce::Result::fail (error);

        const auto value = newValue (*root);

        if (! setRootAttribute (data, attribute, value))
        {
            // A start tag that cannot be found whole is written from the whole element instead.
            const auto whole = Preset::readRootElement (data.getData(), data.getSize(), false, error);

            if (whole == nullptr)
                return juce::Result::fail (error);

            whole->setAttribute (attribute, value);
            data = bytesOf (*whole);
        }

        if (const auto result = AtomicFile::replaceName (file, data.getData(), data.getSize()); result.failed())
            return result;

        written = BoundedXmlReader::stampOf (file);
        return juce::Result::ok();
    }

    /** The disk part of a tag change, under the folder's lock: this instance's change (from
        before to tags) applied to the tags the file holds now and written whole; tags then
        holds what was written. A file gone stays gone. */
    juce::Result writeTagChange (const juce::File& file, const juce::String& itemName, const CategoryTagMap& before, CategoryTagMap& tags,
                                 FileStamp& written)
    {
        // Only the attribute changes: whatever else the file holds stays as it is.
        CategoryTagMap merged;
        const auto mergedText = [&] (const juce::XmlElement& root) {
            merged = applyTagChange (CategoryTagMap::fromString (root.getStringAttribute ("tags")), before, tags);
            return merged.toString();
        };
        const auto result = rewriteRootAttribute (file, itemName, {}, "tags", mergedText, written);

        if (result.failed())
            return result;

        tags = merged;
        return juce::Result::ok();
    }

    /** The write of an imported preset's data, under the folder's lock. A new item's data are
        not synced (their copy is the archive) and never replace what another instance wrote
        under the name after the list was read; a replaced item's replace only the file the
        check takes, and wait for the disk. errorNumber: the failure's errno (0 for a refusal). */
    juce::Result writeImportedPreset (const juce::File& file, const juce::String& itemName, const juce::MemoryBlock& data, bool replacing,
                                      const StampCheck& check, int& errorNumber)
    {
        errorNumber = 0;

        if (! replacing)
            return AtomicFile::writeNew (file, data.getData(), data.getSize(), false, &errorNumber);

        FileStamp now;

        if (const auto looked = lookBeforeWriting (file, itemName, check, now); looked.failed())
            return looked;

        return AtomicFile::replaceName (file, data.getData(), data.getSize(), &errorNumber);
    }

    /** The disk part of a plain delete, under the folder's lock: a name where nothing is counts
        as deleted; anything but a regular file the check takes is refused. */
    juce::Result deletePresetFile (const juce::File& file, const juce::String& itemName, const StampCheck& check)
    {
        FileStamp now;
        bool gone = false;

        if (const auto looked = lookBeforeWriting (file, itemName, check, now, &gone); looked.failed())
            return gone ? juce::Result::ok() : looked;

        // The name itself goes, in one call.
        if (::unlink (file.getFullPathName().toRawUTF8()) == 0 || errno == ENOENT)
            return juce::Result::ok();

        return juce::Result::fail ("\"" + itemName + "\" could not be deleted: " + juce::String (std::strerror (errno)));
    }

    /** The folder's lock for a delete: a folder that is gone holds no file to delete. */
    juce::Result lockFailureOfDelete (const FolderLock& lock, const juce::File& file)
    {
        return anythingAt (file) ? lock.getResult() : juce::Result::ok();
    }

    StampCheck stampIs (const FileStamp& expected)
    {
        return [expected] (const FileStamp& now) { return now == expected; };
    }

    bool isForeign (const Preset& preset, PresetTarget& plugin)
    {
        return preset.application.isNotEmpty() && preset.application != plugin.getDisplayName();
    }
}

//==============================================================================
// The old preset stays under its name until the new one replaces it whole, so the store
// keeps only what the new preset inherits.
class PresetFolderContent::FolderOverwriteStore : public ContentSource::OverwriteStore
{
public:
    juce::String presetId, author;
    int rating = Preset::defaultRating;
};

//==============================================================================
// Where a change made for the worker acts, shared by the change and its source: a rename by
// the source moves a change not performed yet along with the file, and takes the stamp a
// performed one wrote as its own. Read and changed under the folder's lock (and the mutex,
// for the threads of this process).
struct PresetFolderContent::ChangeTarget
{
    std::mutex lock;
    juce::File file;
    juce::String itemName;
    FileStamp listed, written;
    bool stampKnown = false, performed = false;
    juce::uint64 order = 0;
};

//==============================================================================
PresetFolderContent::PresetFolderContent (PresetTarget& p, const juce::File& f, const juce::String& ext, const juce::String& sourceName)
    : PresetContentSource (p, sourceName, false), folder (f), extension (ext), index (PresetFolderIndex::forFolder (f, ext))
{
}

void PresetFolderContent::setFolder (const juce::File& newFolder)
{
    folder = newFolder;
    index = PresetFolderIndex::forFolder (folder, extension);
    listedOnce = false;
}

juce::File PresetFolderContent::getFileForName (const juce::String& itemName) const
{
    const auto safe = makeSafeItemName (itemName);

    if (safe.isEmpty() || folder == juce::File())
        return {};

    return folder.getChildFile (safe + extension);
}

bool PresetFolderContent::getListedStamp (const juce::String& itemName, FileStamp& listed) const
{
    if (const auto own = ownWrites.find (itemName); own != ownWrites.end())
    {
        listed = own->second.stamp;
        return own->second.known;
    }

    if (const auto* entry = listing != nullptr ? listing->find (itemName) : nullptr)
    {
        listed = entry->stamp;
        return true;
    }

    return false;
}

PresetFolderContent::StampCheck PresetFolderContent::getStampCheck (const juce::String& itemName) const
{
    FileStamp listed;

    if (! getListedStamp (itemName, listed))
        return {};

    return [this, listed, file = getFileForName (itemName)] (const FileStamp& now) {
        if (now == listed)
            return true;

        // A change of this source's own, written but not yet taken by the model.
        for (const auto& weak : changesInFlight)
        {
            if (const auto target = weak.lock())
            {
                const std::scoped_lock guard (target->lock);

                if (target->performed && target->file == file && target->written == now)
                    return true;
            }
        }

        return false;
    };
}

void PresetFolderContent::noteWritten (const juce::String& itemName, const FileStamp& stamp, bool known, juce::uint64 order)
{
    auto& note = ownWrites[itemName];

    if (order > note.order)
        note = { stamp, known, order };
}

std::shared_ptr<PresetFolderContent::ChangeTarget> PresetFolderContent::trackChange (const ContentItem& item, bool deletion)
{
    auto target = std::make_shared<ChangeTarget>();
    target->file = getFileForName (item.name);
    target->itemName = item.name;

    if (deletion)
        target->stampKnown = getListedStamp (item.name, target->listed);

    // Changes dropped unperformed leave entries that lead nowhere: cleared as the list doubles.
    if (changesInFlight.size() >= pruneChangesAt)
    {
        changesInFlight.erase (std::remove_if (changesInFlight.begin(), changesInFlight.end(), [] (const auto& weak) { return weak.expired(); }),
                               changesInFlight.end());
        pruneChangesAt = 2 * changesInFlight.size() + 64;
    }

    changesInFlight.push_back (target);
    return target;
}

void PresetFolderContent::followRename (const juce::File& from, const juce::File& to, const juce::String& newName, const FileStamp& moved,
                                        const FileStamp& renamed)
{
    for (const auto& weak : changesInFlight)
    {
        if (const auto target = weak.lock())
        {
            const std::scoped_lock guard (target->lock);

            if (target->performed || target->file != from)
                continue;

            target->file = to;
            target->itemName = newName;

            if (target->stampKnown && target->listed == moved)
                target->listed = renamed;
        }
    }
}

juce::Result PresetFolderContent::rewritePreset (const juce::String& itemName, const Preset& preset, const ParameterManager* manager)
{
    const auto file = getFileForName (itemName);

    if (file == juce::File())
        return juce::Result::fail ("\"" + itemName + "\" is not a usable name");

    const auto data = bytesOf (*preset.createXml (manager));
    const FolderLock lock (folder);

    if (! lock.isLocked())
        return lock.getResult();

    FileStamp now;

    if (const auto looked = lookBeforeWriting (file, itemName, getStampCheck (itemName), now); looked.failed())
        return looked;

    const auto result = AtomicFile::replaceName (file, data.getData(), data.getSize());

    if (result.wasOk())
        noteWritten (itemName, BoundedXmlReader::stampOf (file), true, nextWrite());

    return result;
}

int PresetFolderContent::recoverLeftovers()
{
    // Leftovers are hidden files: none are in a folder listed without any, unchanged since.
    if (! index->mayHoldHiddenFiles() || ! folder.isDirectory())
        return 0;

    int count = AtomicFile::removeLeftovers (folder);

    // An older version moved the old preset aside before writing the new one: a killed save
    // left only the backup, named ".<item>-overwritten<n>.bak". Only such a name holding a
    // preset is ours: the newest backup of a missing preset comes back, older ones of it and
    // those of a preset that is there go. Anything else stays as it is.
    struct Backup
    {
        juce::File file;
        juce::String itemName;
    };

    std::vector<Backup> backups;

    listFolder (folder, [&] (const juce::String& fileName, bool) {
        if (! fileName.startsWithChar ('.') || ! fileName.endsWith (".bak") || ! fileName.contains ("-overwritten"))
            return;

        const auto body = fileName.substring (1, fileName.length() - 4);
        const auto number = body.fromLastOccurrenceOf ("-overwritten", false, false);
        const auto itemName = body.upToLastOccurrenceOf ("-overwritten", false, false);

        if (! number.containsOnly ("0123456789") || itemName.isEmpty() || makeSafeItemName (itemName) != itemName)
            return;

        const auto file = folder.getChildFile (fileName);
        juce::String error;

        if (Preset::readRootElement (file, true, error) != nullptr)
            backups.push_back ({ file, itemName });
    });

    std::sort (backups.begin(), backups.end(), [] (const Backup& a, const Backup& b) {
        return a.file.getLastModificationTime() > b.file.getLastModificationTime();
    });

    for (const auto& backup : backups)
    {
        const auto original = getFileForName (backup.itemName);

        if (int error = 0; original != juce::File() && ! anythingAt (original) && moveIfFree (backup.file, original, error))
        {
            log ("restored \"" + backup.itemName + "\" from the backup of an interrupted save");
            ++count;
        }
        else if (backup.file.deleteFile())
        {
            ++count;
        }
    }

    return count;
}

std::shared_ptr<const ContentListing> PresetFolderContent::listItems()
{
    ownWrites.clear();
    listing = index->list (listedOnce);
    listedOnce = true;
    return index->itemsOf (listing, plugin.getDisplayName());
}

bool PresetFolderContent::itemDataExists (const juce::String& safeName) const
{
    return anythingAt (getFileForName (safeName));
}

bool PresetFolderContent::createItemData (const juce::String& itemName, CategoryTagMap& itemTags, OverwriteStore* store)
{
    const auto file = getFileForName (itemName);

    if (file == juce::File() || AtomicFile::makeFolder (folder).failed())
        return false;

    auto preset = makePreset();
    plugin.storePresetValues (*preset, presetSlot);
    preset->name = itemName;
    preset->setTagMap (itemTags);
    preset->author = plugin.getAuthorName();
    preset->id = juce::Uuid().toString();

    auto* old = dynamic_cast<FolderOverwriteStore*> (store);

    if (old != nullptr)
    {
        // Saving over an item keeps its identity and rating.
        if (old->presetId.isNotEmpty())
            preset->id = old->presetId;

        preset->rating = old->rating;

        if (preset->author.isEmpty())
            preset->author = old->author;
    }

    const auto data = bytesOf (*preset->createXml (&plugin.getParameterManager()));
    const FolderLock lock (folder);
    auto result = lock.getResult();

    // Written beside the old file and renamed over it: the old preset stays until then, and
    // only the file listed is replaced. A new name is taken only while nothing has it.
    if (result.wasOk() && old != nullptr && old->itemName == itemName)
    {
        FileStamp now;
        result = lookBeforeWriting (file, itemName, getStampCheck (itemName), now);

        if (result.wasOk())
            result = AtomicFile::replaceName (file, data.getData(), data.getSize());
    }
    else if (result.wasOk())
    {
        result = AtomicFile::writeNew (file, data.getData(), data.getSize(), true);
    }

    if (result.failed())
    {
        fail (result.getErrorMessage());
        return false;
    }

    noteWritten (itemName, BoundedXmlReader::stampOf (file), true, nextWrite());
    plugin.presetStored (*preset);
    return true;
}

bool PresetFolderContent::copyItemData (const juce::File& file, const juce::String& itemName, CategoryTagMap& itemTags)
{
    // Read once, and only a regular file: the bytes checked are the bytes copied.
    auto preset = makePreset();
    juce::MemoryBlock data;
    juce::String error;
    std::unique_ptr<juce::XmlElement> root;

    if (BoundedXmlReader::readFile (file, (size_t) Preset::maxFileSize, data, error))
        root = Preset::readRootElement (data.getData(), data.getSize(), false, error);

    if (root == nullptr || ! preset->readFromXml (*root) || isForeign (*preset, plugin))
    {
        log ("cannot copy " + file.getFullPathName() + ": " + (error.isNotEmpty() ? error : "a preset of " + preset->application));
        return false;
    }

    const auto target = getFileForName (itemName);

    if (target == juce::File() || anythingAt (target) || AtomicFile::makeFolder (folder).failed())
        return false;

    auto merged = preset->getTagMap();
    merged.addAll (itemTags);
    itemTags = merged;

    // The copy keeps the file's bytes but for its name and tags.
    const auto tagText = merged.toString();
    const bool spliced = (preset->name == itemName || setRootAttribute (data, "name", itemName))
        && (preset->tags == tagText || setRootAttribute (data, "tags", tagText));

    if (! spliced)
    {
        root->setAttribute ("name", itemName);
        root->setAttribute ("tags", tagText);
        data = bytesOf (*root);
    }

    // Only a name where nothing is: what took it meanwhile stays.
    const FolderLock lock (folder);

    if (! lock.isLocked() || AtomicFile::writeNew (target, data.getData(), data.getSize(), true).failed())
        return false;

    noteWritten (itemName, BoundedXmlReader::stampOf (target), true, nextWrite());
    return true;
}

bool PresetFolderContent::deleteItemData (ContentItem& item, std::unique_ptr<OverwriteStore>* store)
{
    const auto file = getFileForName (item.name);

    if (store == nullptr)
    {
        const FolderLock lock (folder);
        const auto deleted = lock.isLocked() ? deletePresetFile (file, item.name, getStampCheck (item.name)) : lockFailureOfDelete (lock, file);

        if (deleted.failed())
            fail (deleted.getErrorMessage());

        return deleted.wasOk();
    }

    // Saved over only while the file is the one listed (looked at again right before the write).
    FileStamp now;

    if (const auto looked = lookBeforeWriting (file, item.name, getStampCheck (item.name), now); looked.failed())
    {
        fail (looked.getErrorMessage());
        return false;
    }

    // The file stays: the new preset is written over it in one step (createItemData).
    auto kept = std::make_unique<FolderOverwriteStore>();
    kept->itemName = item.name;
    kept->tags = item.tags;

    juce::String error;

    if (const auto root = Preset::readRootElement (file, true, error))
    {
        kept->presetId = root->getStringAttribute ("id");
        kept->author = root->getStringAttribute ("author");
        kept->rating = juce::jlimit (0, Preset::maxRating, root->getIntAttribute ("rating", Preset::defaultRating));
    }

    *store = std::move (kept);
    return true;
}

bool PresetFolderContent::renameItemData (ContentItem& item, const juce::String& newName)
{
    const auto from = getFileForName (item.name);
    const auto to = getFileForName (newName);

    // The move and the inner name's rewrite in one hold of the lock: no other writer comes
    // between them, or between the look at the file and the move.
    const FolderLock lock (folder);
    FileStamp moved;

    if (const auto looked = lock.isLocked() ? lookBeforeWriting (from, item.name, getStampCheck (item.name), moved) : lock.getResult();
        looked.failed())
    {
        fail (looked.getErrorMessage());
        return false;
    }

    if (to == juce::File())
        return false;

    // The move's own error: a look at the target after it would overwrite errno.
    if (int error = 0; ! moveWithoutOverwriting (from, to, error))
    {
        fail (error == EEXIST ? "\"" + newName + "\" exists already on disk"
                              : "\"" + item.name + "\" could not be moved: " + juce::String (std::strerror (error)));
        return false;
    }

    // The name inside the file follows, and nothing else changes; a file we cannot read keeps
    // its contents as they are.
    FileStamp renamed = moved;
    const auto innerName = [&] (const juce::XmlElement&) { return newName; };

    if (const auto inner = rewriteRootAttribute (to, newName, stampIs (moved), "name", innerName, renamed); inner.failed())
        log ("renamed \"" + item.name + "\" to \"" + newName + "\" without its inner name: " + inner.getErrorMessage());

    const auto order = nextWrite();
    noteWritten (item.name, {}, false, order);
    ownWrites[newName] = { renamed, true, order };
    followRename (from, to, newName, moved, renamed);
    return true;
}

juce::Result PresetFolderContent::writeItemTags (ContentItem& item, CategoryTagMap& newTags)
{
    const FolderLock lock (folder);

    if (! lock.isLocked())
        return lock.getResult();

    FileStamp written;
    const auto result = writeTagChange (getFileForName (item.name), item.name, item.tags, newTags, written);

    if (result.wasOk())
        noteWritten (item.name, written, true, nextWrite());

    return result;
}

//==============================================================================
// The disk parts of tag changes and deletes, done on any thread from copies made on the
// source's thread; the stamp of what was written comes back with the change.
class PresetFolderContent::FolderChange : public ContentSource::ItemChange
{
public:
    FolderChange (ContentItem& changed, bool isDeletion, const CategoryTagMap& wanted, const juce::File& folderToLock,
                  std::shared_ptr<ChangeTarget> where, std::shared_ptr<std::atomic<juce::uint64>> writes)
        : ItemChange (changed, isDeletion, wanted), folder (folderToLock), before (changed.tags), target (std::move (where)), writeCount (std::move (writes))
    {
    }

    void performOnDisk() override
    {
        // The lock first: the source moves the target only while it holds it.
        const FolderLock lock (folder);
        const std::scoped_lock guard (target->lock);
        target->performed = true;

        if (! lock.isLocked())
        {
            result = deletion ? lockFailureOfDelete (lock, target->file) : lock.getResult();
            return;
        }

        if (deletion)
        {
            result = deletePresetFile (target->file, target->itemName, target->stampKnown ? stampIs (target->listed) : StampCheck());
            return;
        }

        result = writeTagChange (target->file, target->itemName, before, tags, target->written);

        if (result.wasOk())
            target->order = ++*writeCount;
    }

    const juce::File folder;
    const CategoryTagMap before;
    const std::shared_ptr<ChangeTarget> target;
    const std::shared_ptr<std::atomic<juce::uint64>> writeCount;
};

std::unique_ptr<ContentSource::ItemChange> PresetFolderContent::makeTagChange (ContentItem& item, const CategoryTagMap& newTags)
{
    return std::make_unique<FolderChange> (item, false, newTags, folder, trackChange (item, false), writeCount);
}

std::unique_ptr<ContentSource::ItemChange> PresetFolderContent::makeDeleteChange (ContentItem& item)
{
    return std::make_unique<FolderChange> (item, true, CategoryTagMap(), folder, trackChange (item, true), writeCount);
}

void PresetFolderContent::changePerformed (ItemChange& change)
{
    auto* done = dynamic_cast<FolderChange*> (&change);

    if (done == nullptr || done->deletion)
        return;

    // Noted under the name it was written under, unless a later write of this source (a
    // rename since) was noted already.
    const std::scoped_lock guard (done->target->lock);
    noteWritten (done->target->itemName, done->target->written, true, done->target->order);
}

bool PresetFolderContent::readImportedTags (const juce::MemoryBlock& data, const juce::String& itemName, CategoryTagMap& itemTags)
{
    // Read as the folder's listing will read the file.
    auto preset = makePreset();
    juce::String error;
    const auto root = Preset::readRootElement (data.getData(), data.getSize(), false, error);

    if (root == nullptr || ! preset->readFromXml (*root) || isForeign (*preset, plugin))
    {
        log ("refused to import \"" + itemName + "\": " + (error.isNotEmpty() ? error : "a preset of " + preset->application));
        lastFailure = Failure::notAnItem;
        return false;
    }

    itemTags = preset->getTagMap();
    return true;
}

bool PresetFolderContent::importItemData (const juce::MemoryBlock& data, const juce::String& itemName, CategoryTagMap& itemTags, bool overwrite)
{
    CategoryTagMap presetTags;

    if (! readImportedTags (data, itemName, presetTags))
        return false;

    const auto file = getFileForName (itemName);

    if (file == juce::File())
    {
        lastFailure = Failure::writeFailed;
        return false;
    }

    if (AtomicFile::makeFolder (folder).failed())
    {
        lastFailure = Failure::writeFailed;
        return false;
    }

    const FolderLock lock (folder);
    int errorNumber = 0;
    const auto result = lock.isLocked() ? writeImportedPreset (file, itemName, data, overwrite, getStampCheck (itemName), errorNumber)
                                        : lock.getResult();

    if (result.failed())
    {
        log ("could not import \"" + itemName + "\": " + result.getErrorMessage());
        lastFailure = failureOfErrno (errorNumber);
        return false;
    }

    noteWritten (itemName, BoundedXmlReader::stampOf (file), true, nextWrite());
    itemTags = presetTags;
    return true;
}

//==============================================================================
// The write of an imported preset, done on any thread from copies made on the source's thread.
class PresetFolderContent::FolderImport : public ContentSource::ItemImport
{
public:
    FolderImport (const juce::String& name, juce::MemoryBlock itemData, CategoryTagMap itemTags, const juce::File& folderToLock,
                  const juce::File& presetFile, std::shared_ptr<std::atomic<juce::uint64>> writes)
        : ItemImport (name, std::move (itemData), std::move (itemTags)), folder (folderToLock), file (presetFile), writeCount (std::move (writes))
    {
    }

    void performOnDisk() override
    {
        // The lock keeps a replacement's check and write together against other instances;
        // a folder not made yet has no holder (the write makes it).
        std::unique_ptr<FolderLock> lock;

        if (folder.isDirectory())
        {
            lock = std::make_unique<FolderLock> (folder);

            if (! lock->isLocked())
            {
                failure = Failure::writeFailed;
                error = lock->getResult().getErrorMessage();
                return;
            }
        }

        // A replaced file gone meanwhile stays gone; one changed since it was listed stays.
        int errorNumber = 0;
        const auto result = writeImportedPreset (file, itemName, data, replacing, stampKnown ? stampIs (listed) : StampCheck(), errorNumber);

        if (result.failed())
        {
            failure = failureOfErrno (errorNumber);
            error = result.getErrorMessage();
            return;
        }

        written = BoundedXmlReader::stampOf (file);
        order = ++*writeCount;
    }

    const juce::File folder, file;
    const std::shared_ptr<std::atomic<juce::uint64>> writeCount;
    FileStamp listed, written;
    juce::uint64 order = 0;
    bool replacing = false, stampKnown = false;
};

std::unique_ptr<ContentSource::ItemImport> PresetFolderContent::makeImport (juce::MemoryBlock data, const juce::String& itemName,
                                                                            const ContentItem* replaced)
{
    CategoryTagMap presetTags;
    const auto file = getFileForName (itemName);

    if (! readImportedTags (data, itemName, presetTags))
        return nullptr;

    if (file == juce::File())
    {
        lastFailure = Failure::writeFailed;
        return nullptr;
    }

    auto import = std::make_unique<FolderImport> (itemName, std::move (data), std::move (presetTags), folder, file, writeCount);

    if (replaced != nullptr)
    {
        import->replacing = true;
        import->stampKnown = getListedStamp (replaced->name, import->listed);
    }

    return import;
}

void PresetFolderContent::importPerformed (ItemImport& import)
{
    if (auto* done = dynamic_cast<FolderImport*> (&import))
        noteWritten (done->itemName, done->written, true, done->order);
}

std::unique_ptr<Preset> PresetFolderContent::loadPresetByName (const juce::String& itemName, int)
{
    auto preset = makePreset();
    juce::String error;

    if (! preset->loadFromFile (getFileForName (itemName), &error))
    {
        log ("cannot load \"" + itemName + "\": " + error);
        return nullptr;
    }

    if (isForeign (*preset, plugin))
    {
        log ("cannot load \"" + itemName + "\": a preset of " + preset->application);
        return nullptr;
    }

    preset->name = itemName;
    return preset;
}

//==============================================================================
PresetPackageContent::PresetPackageContent (PresetTarget& p, const juce::File& file, const juce::String& ext, const juce::String& sourceName)
    : PresetContentSource (p, sourceName, true), packageFile (file), extension (ext)
{
}

void PresetPackageContent::openPackage()
{
    opened = true;
    packageError = {};

    if (! package.open (packageFile, packageError))
    {
        // The package's own check failed; nothing of it is used.
    }
    else if (package.itemExtension != extension || (package.application.isNotEmpty() && package.application != plugin.getDisplayName()))
    {
        packageError = "a package of " + package.application + " (" + package.itemExtension + ")";
        package.items.clearQuick();
    }

    if (packageError.isNotEmpty())
        log ("ignored package " + packageFile.getFullPathName() + ": " + packageError);
}

void PresetPackageContent::scanItems (juce::Array<ItemRecord>& records)
{
    openPackage();

    for (const auto& item : package.items)
        if (makeSafeItemName (item.name) == item.name)
            records.add ({ item.name, CategoryTagMap::fromString (item.tags) });
}

std::unique_ptr<Preset> PresetPackageContent::loadPresetByName (const juce::String& itemName, int)
{
    if (! opened)
        openPackage();

    const auto* item = package.findItem (itemName);
    juce::MemoryBlock data;

    if (item == nullptr || ! package.readItem (item->file, data))
    {
        log ("no preset \"" + itemName + "\" in " + packageFile.getFileName());
        return nullptr;
    }

    auto preset = makePreset();
    juce::String error;
    const auto root = Preset::readRootElement (data.getData(), data.getSize(), false, error);

    if (root == nullptr || ! preset->readFromXml (*root) || isForeign (*preset, plugin))
    {
        log ("cannot load \"" + itemName + "\" from " + packageFile.getFileName() + ": " + error);
        return nullptr;
    }

    preset->name = itemName;
    return preset;
}
