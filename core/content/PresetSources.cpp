#include "core/content/PresetSources.h"
#include "core/content/XmlFileText.h"
#include "core/parameters/AtomicFile.h"
#include "core/parameters/FolderLock.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <functional>
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

    /** The preset file with one attribute of its root changed and nothing else: the root's
        other attributes, unknown elements, comments, line ends and the encoding stay as they
        are. */
    juce::Result rewriteRootAttribute (const juce::File& file, const char* attribute,
                                       const std::function<juce::String (const juce::XmlElement& root)>& newValue)
    {
        juce::MemoryBlock data;
        juce::String error;

        if (! BoundedXmlReader::readFile (file, (size_t) Preset::maxFileSize, data, error, false, nullptr))
            return juce::Result::fail (error);

        // Only the root's start tag is parsed (a file cut short is refused before).
        const auto root = Preset::readRootElement (data.getData(), data.getSize(), true, error);

        if (root == nullptr)
            return juce::Result::fail (error);

        const auto value = newValue (*root);

        if (setRootAttribute (data, attribute, value))
            return AtomicFile::write (file, data.getData(), data.getSize());

        // A start tag that cannot be found whole is written from the whole element instead.
        const auto whole = Preset::readRootElement (data.getData(), data.getSize(), false, error);

        if (whole == nullptr)
            return juce::Result::fail (error);

        whole->setAttribute (attribute, value);
        return AtomicFile::write (file, *whole);
    }

    /** The disk part of a tag change: under the folder's lock, this instance's change (from
        before to tags) applied to the tags the file holds now and written whole; tags then
        holds what was written. */
    juce::Result writeTagChange (const juce::File& folder, const juce::File& file, const CategoryTagMap& before, CategoryTagMap& tags)
    {
        // Read, change and write in one go against other instances doing the same.
        const FolderLock lock (folder);

        if (! lock.isLocked())
            return lock.getResult();

        // Only the attribute changes: whatever else the file holds stays as it is.
        CategoryTagMap written;
        const auto result = rewriteRootAttribute (file, "tags", [&] (const juce::XmlElement& root) {
            written = applyTagChange (CategoryTagMap::fromString (root.getStringAttribute ("tags")), before, tags);
            return written.toString();
        });

        if (result.failed())
            return result;

        tags = written;
        return juce::Result::ok();
    }

    /** The write of an imported preset's data. A new item's data are not synced (their copy is
        the archive) and never replace what another instance wrote under the name after the
        list was read; a replaced item's wait for the disk. errorNumber: the failure's errno. */
    juce::Result writeImportedPreset (const juce::File& file, const juce::MemoryBlock& data, bool replacing, int& errorNumber)
    {
        return replacing ? AtomicFile::write (file, data.getData(), data.getSize(), true, false, &errorNumber)
                         : AtomicFile::writeNew (file, data.getData(), data.getSize(), false, &errorNumber);
    }

    juce::Result changedOnDisk (const juce::String& itemName)
    {
        return juce::Result::fail ("\"" + itemName + "\" was changed on disk since the list was read (by another instance?): refresh the list and try again");
    }

    /** The disk part of a plain delete: a file already gone is fine; one that is not the file
        listed (when known) is refused. */
    juce::Result deletePresetFile (const juce::File& file, const juce::String& itemName, const BoundedXmlReader::FileStamp* listed)
    {
        if (! file.existsAsFile())
            return juce::Result::ok();

        if (listed != nullptr && ! (*listed == BoundedXmlReader::stampOf (file)))
            return changedOnDisk (itemName);

        // The name itself goes (a link, not what it leads to), in one call.
        if (::unlink (file.getFullPathName().toRawUTF8()) == 0 || errno == ENOENT)
            return juce::Result::ok();

        return juce::Result::fail ("\"" + itemName + "\" could not be deleted: " + juce::String (std::strerror (errno)));
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

bool PresetFolderContent::getListedStamp (const ContentItem& item, FileStamp& listed) const
{
    if (const auto own = ownWrites.find (item.name); own != ownWrites.end())
    {
        listed = own->second.stamp;
        return own->second.known;
    }

    if (const auto* entry = listing != nullptr ? listing->find (item.name) : nullptr)
    {
        listed = entry->stamp;
        return true;
    }

    return false;
}

juce::Result PresetFolderContent::checkUnchangedSinceListed (const ContentItem& item) const
{
    FileStamp listed;

    if (! getListedStamp (item, listed) || listed == BoundedXmlReader::stampOf (getFileForName (item.name)))
        return juce::Result::ok();

    return changedOnDisk (item.name);
}

void PresetFolderContent::noteWritten (const juce::String& itemName)
{
    ownWrites[itemName] = { BoundedXmlReader::stampOf (getFileForName (itemName)), true };
}

juce::Result PresetFolderContent::rewritePreset (const juce::String& itemName, const Preset& preset, const ParameterManager* manager)
{
    const auto file = getFileForName (itemName);

    if (file == juce::File())
        return juce::Result::fail ("\"" + itemName + "\" is not a usable name");

    const auto result = preset.saveToFile (file, manager);

    if (result.wasOk())
        noteWritten (itemName);

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

    if (file == juce::File() || ! folder.createDirectory())
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

    // Written beside the old file and renamed over it: the old preset stays until then.
    if (const auto result = preset->saveToFile (file, &plugin.getParameterManager()); result.failed())
    {
        fail (result.getErrorMessage());
        return false;
    }

    noteWritten (itemName);
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

    if (target == juce::File() || anythingAt (target))
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
    }

    if ((spliced ? AtomicFile::write (target, data.getData(), data.getSize()) : AtomicFile::write (target, *root)).failed())
        return false;

    noteWritten (itemName);
    return true;
}

bool PresetFolderContent::deleteItemData (ContentItem& item, std::unique_ptr<OverwriteStore>* store)
{
    const auto file = getFileForName (item.name);

    if (store == nullptr)
    {
        FileStamp listed;
        const auto deleted = deletePresetFile (file, item.name, getListedStamp (item, listed) ? &listed : nullptr);

        if (deleted.failed())
            fail (deleted.getErrorMessage());

        return deleted.wasOk();
    }

    if (! file.existsAsFile())
        return true;   // already gone

    if (const auto unchanged = checkUnchangedSinceListed (item); unchanged.failed())
    {
        fail (unchanged.getErrorMessage());
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

    if (const auto unchanged = checkUnchangedSinceListed (item); unchanged.failed())
    {
        fail (unchanged.getErrorMessage());
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
    if (const auto renamed = rewriteRootAttribute (to, "name", [&] (const juce::XmlElement&) { return newName; }); renamed.failed())
        log ("renamed \"" + item.name + "\" to \"" + newName + "\" without its inner name: " + renamed.getErrorMessage());

    ownWrites[item.name] = { {}, false };
    noteWritten (newName);
    return true;
}

juce::Result PresetFolderContent::writeItemTags (ContentItem& item, CategoryTagMap& newTags)
{
    const auto result = writeTagChange (folder, getFileForName (item.name), item.tags, newTags);

    if (result.wasOk())
        noteWritten (item.name);

    return result;
}

//==============================================================================
// The disk parts of tag changes and deletes, done on any thread from copies made on the
// source's thread; the stamp of what was written comes back with the change.
class PresetFolderContent::FolderChange : public ContentSource::ItemChange
{
public:
    FolderChange (ContentItem& changed, bool isDeletion, const CategoryTagMap& wanted, const juce::File& folderToLock, const juce::File& presetFile)
        : ItemChange (changed, isDeletion, wanted), folder (folderToLock), file (presetFile), itemName (changed.name), before (changed.tags)
    {
    }

    void performOnDisk() override
    {
        if (deletion)
        {
            result = deletePresetFile (file, itemName, stampKnown ? &listed : nullptr);
            return;
        }

        result = writeTagChange (folder, file, before, tags);

        if (result.wasOk())
            written = BoundedXmlReader::stampOf (file);
    }

    const juce::File folder, file;
    const juce::String itemName;
    const CategoryTagMap before;
    FileStamp listed, written;
    bool stampKnown = false;
};

std::unique_ptr<ContentSource::ItemChange> PresetFolderContent::makeTagChange (ContentItem& item, const CategoryTagMap& newTags)
{
    return std::make_unique<FolderChange> (item, false, newTags, folder, getFileForName (item.name));
}

std::unique_ptr<ContentSource::ItemChange> PresetFolderContent::makeDeleteChange (ContentItem& item)
{
    auto change = std::make_unique<FolderChange> (item, true, CategoryTagMap(), folder, getFileForName (item.name));
    change->stampKnown = getListedStamp (item, change->listed);
    return change;
}

void PresetFolderContent::changePerformed (ItemChange& change)
{
    if (auto* done = dynamic_cast<FolderChange*> (&change); done != nullptr && ! done->deletion)
        ownWrites[done->itemName] = { done->written, true };
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

    int errorNumber = 0;
    const auto result = writeImportedPreset (file, data, overwrite, errorNumber);

    if (result.failed())
    {
        log ("could not import \"" + itemName + "\": " + result.getErrorMessage());
        lastFailure = failureOfErrno (errorNumber);
        return false;
    }

    noteWritten (itemName);
    itemTags = presetTags;
    return true;
}

//==============================================================================
// The write of an imported preset, done on any thread from copies made on the source's thread.
class PresetFolderContent::FolderImport : public ContentSource::ItemImport
{
public:
    FolderImport (const juce::String& name, juce::MemoryBlock itemData, CategoryTagMap itemTags, const juce::File& folderToLock,
                  const juce::File& presetFile)
        : ItemImport (name, std::move (itemData), std::move (itemTags)), folder (folderToLock), file (presetFile)
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

        // A file gone meanwhile is written anew, as a save over it would be.
        if (replacing && stampKnown)
        {
            if (const auto now = BoundedXmlReader::stampOf (file); ! (now == FileStamp {}) && ! (listed == now))
            {
                failure = Failure::writeFailed;
                error = changedOnDisk (itemName).getErrorMessage();
                return;
            }
        }

        int errorNumber = 0;
        const auto result = writeImportedPreset (file, data, replacing, errorNumber);

        if (result.failed())
        {
            failure = failureOfErrno (errorNumber);
            error = result.getErrorMessage();
            return;
        }

        written = BoundedXmlReader::stampOf (file);
    }

    const juce::File folder, file;
    FileStamp listed, written;
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

    auto import = std::make_unique<FolderImport> (itemName, std::move (data), std::move (presetTags), folder, file);

    if (replaced != nullptr)
    {
        import->replacing = true;
        import->stampKnown = getListedStamp (*replaced, import->listed);
    }

    return import;
}

void PresetFolderContent::importPerformed (ItemImport& import)
{
    if (auto* done = dynamic_cast<FolderImport*> (&import))
        ownWrites[done->itemName] = { done->written, true };
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
