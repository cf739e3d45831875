#include "core/content/PresetSources.h"
#include "core/content/SafeFileWriter.h"

namespace
{
    /** Moves a file to a name where nothing is. A target that exists is refused unless it is
        the file itself reached through another letter case (a file system that ignores case),
        in which case the move goes through a temporary name. */
    bool moveWithoutOverwriting (const juce::File& from, const juce::File& to)
    {
        if (! from.existsAsFile())
            return false;

        if (to.exists())
        {
            if (to.getFileIdentifier() != from.getFileIdentifier() || to.getFileIdentifier() == 0)
                return false;

            const auto temp = from.getParentDirectory().getNonexistentChildFile ("." + from.getFileNameWithoutExtension() + "-renaming",
                                                                                 from.getFileExtension(), false);
            return from.moveFileTo (temp) && temp.moveFileTo (to);
        }

        return from.moveFileTo (to);
    }

    bool isForeign (const Preset& preset, PresetTarget& plugin)
    {
        return preset.application.isNotEmpty() && preset.application != plugin.getDisplayName();
    }
}

//==============================================================================
class PresetFolderContent::FolderOverwriteStore : public ContentSource::OverwriteStore
{
public:
    juce::String presetId, author;
    int rating = Preset::defaultRating;
};

//==============================================================================
PresetFolderContent::PresetFolderContent (PresetTarget& p, const juce::File& f, const juce::String& ext, const juce::String& sourceName)
    : PresetContentSource (p, sourceName, false), folder (f), extension (ext)
{
}

void PresetFolderContent::setFolder (const juce::File& newFolder)
{
    folder = newFolder;
}

juce::File PresetFolderContent::getFileForName (const juce::String& itemName) const
{
    const auto safe = makeSafeItemName (itemName);

    if (safe.isEmpty() || folder == juce::File())
        return {};

    return folder.getChildFile (safe + extension);
}

void PresetFolderContent::scanItems (juce::Array<ItemRecord>& records)
{
    if (! folder.isDirectory())
        return;

    for (const auto& entry : juce::RangedDirectoryIterator (folder, false, "*" + extension, juce::File::findFiles))
    {
        const auto& file = entry.getFile();
        const auto fileName = file.getFileName();

        // Hidden files are ours (temporary files, overwrite backups) or the system's.
        if (fileName.startsWithChar ('.') || entry.isHidden())
            continue;

        const auto itemName = file.getFileNameWithoutExtension();

        if (entry.getFileSize() > Preset::maxFileSize || makeSafeItemName (itemName) != itemName)
        {
            log ("skipped " + fileName + ": too large or unusable name");
            continue;
        }

        juce::MemoryBlock data;

        if (! file.loadFileAsData (data))
        {
            log ("skipped " + fileName + ": unreadable");
            continue;
        }

        const auto text = juce::String::createStringFromData (data.getData(), (int) data.getSize());

        // The root's attributes are all a listing needs; the completeness check catches files
        // cut short (a value that does not parse shows when the item is loaded).
        juce::XmlDocument document (text);
        const auto root = Preset::isComplete (text) ? document.getDocumentElement (true) : nullptr;

        if (root == nullptr || ! root->hasTagName (Preset::xmlTag))
        {
            log ("skipped " + fileName + ": not a preset");
            continue;
        }

        const auto application = root->getStringAttribute ("application");

        if (application.isNotEmpty() && application != plugin.getDisplayName())
        {
            log ("skipped " + fileName + ": a preset of " + application);
            continue;
        }

        records.add ({ itemName, CategoryTagMap::fromString (root->getStringAttribute ("tags")) });
    }
}

bool PresetFolderContent::itemDataExists (const juce::String& safeName) const
{
    return getFileForName (safeName).exists();
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
    if (! preset->saveToFile (file, &plugin.getParameterManager()))
        return false;

    plugin.presetStored (*preset);
    return true;
}

bool PresetFolderContent::copyItemData (const juce::File& file, const juce::String& itemName, CategoryTagMap& itemTags)
{
    auto preset = makePreset();
    juce::String error;

    if (! preset->loadFromFile (file, &error) || isForeign (*preset, plugin))
    {
        log ("cannot copy " + file.getFullPathName() + ": " + (error.isNotEmpty() ? error : "a preset of " + preset->application));
        return false;
    }

    const auto target = getFileForName (itemName);

    if (target == juce::File() || target.exists() || ! folder.createDirectory() || ! file.copyFileTo (target))
        return false;

    auto merged = preset->getTagMap();
    merged.addAll (itemTags);
    itemTags = merged;

    if (preset->name != itemName || preset->tags != merged.toString())
    {
        preset->name = itemName;
        preset->setTagMap (merged);
        return preset->saveToFile (target);
    }

    return true;
}

bool PresetFolderContent::deleteItemData (ContentItem& item, std::unique_ptr<OverwriteStore>* store)
{
    const auto file = getFileForName (item.name);

    if (! file.existsAsFile())
        return true;   // already gone

    if (store == nullptr)
        return file.deleteFile();

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

    if (to == juce::File() || ! moveWithoutOverwriting (from, to))
        return false;

    // The name inside the file follows; a file we cannot read keeps its contents as they are.
    auto preset = makePreset();

    if (preset->loadFromFile (to))
    {
        preset->name = newName;
        preset->saveToFile (to);
    }

    return true;
}

bool PresetFolderContent::writeItemTags (ContentItem& item, const CategoryTagMap& newTags)
{
    const auto file = getFileForName (item.name);
    auto preset = makePreset();
    juce::String error;

    if (! preset->loadFromFile (file, &error))
    {
        log ("cannot write tags: " + error);
        return false;
    }

    preset->setTagMap (newTags);
    return preset->saveToFile (file);
}

bool PresetFolderContent::importItemData (const juce::String& text, const juce::String& itemName, CategoryTagMap& itemTags, bool overwrite)
{
    auto preset = makePreset();
    juce::String error;

    if (! preset->loadFromText (text, &error) || isForeign (*preset, plugin))
    {
        log ("refused to import \"" + itemName + "\": " + (error.isNotEmpty() ? error : "a preset of " + preset->application));
        return false;
    }

    const auto file = getFileForName (itemName);

    if (file == juce::File() || (file.exists() && ! overwrite) || ! folder.createDirectory())
        return false;

    // A new item's data have their copy in the archive; a replaced one waits for the disk.
    if (! SafeFileWriter::writeText (file, text, overwrite))
        return false;

    itemTags = preset->getTagMap();
    return true;
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

    if (! preset->loadFromText (data.toString(), &error) || isForeign (*preset, plugin))
    {
        log ("cannot load \"" + itemName + "\" from " + packageFile.getFileName() + ": " + error);
        return nullptr;
    }

    preset->name = itemName;
    return preset;
}
