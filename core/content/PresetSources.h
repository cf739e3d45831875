#pragma once

#include "core/content/ContentPackage.h"
#include "core/content/PresetContentSource.h"
#include "core/content/PresetFolderIndex.h"
#include <atomic>
#include <functional>
#include <vector>

/** The user's preset folder: one preset file per item, named after the item, with the
    preset file extension. Writable. (The template PresetsDirectoryContent<Preset> below gives
    the product's preset class.)

    The folder's listing is shared with the other sources of the process that show it
    (PresetFolderIndex), with the items it gives: the first refresh of a source takes the
    listing as the others left it while the folder is unchanged; every later refresh looks at
    each file's stamp, and changes only the items of files that changed. Made on any thread,
    then the thread of its owner (ContentSource). */
class PresetFolderContent : public PresetContentSource
{
public:
    PresetFolderContent (PresetTarget& plugin, const juce::File& folder,
                         const juce::String& extension = Preset::fileExtension,
                         const juce::String& sourceName = "User");

    const juce::File& getFolder() const noexcept { return folder; }
    /** Points the source at another folder (the user settings may move "UserStore"). */
    void setFolder (const juce::File& newFolder);

    /** The preset file of a name in the folder; none when the name is unusable. */
    juce::File getFileForName (const juce::String& itemName) const;

    /** Writes the preset over the named item's file as this source's own write, so the item
        stays renamable and deletable (developer mode's Normalize); refused, as a rename is,
        when the file is gone or is not the one listed. */
    juce::Result rewritePreset (const juce::String& itemName, const Preset& preset, const ParameterManager* manager);

    /** Start-up: deletes the temporaries of saves that were killed and puts back the presets
        an older version had moved aside for a save over them (a backup whose preset is missing
        comes back; one whose preset is there goes). Returns how many files it dealt with. */
    int recoverLeftovers();

    bool canSaveItems() const override { return true; }
    bool canImportElsewhere() const override { return true; }
    juce::String getItemExtension() const override { return extension; }
    juce::File getItemFile (const juce::String& itemName) const override { return getFileForName (itemName); }
    std::unique_ptr<Preset> loadPresetByName (const juce::String& itemName, int flag) override;

protected:
    std::shared_ptr<const ContentListing> listItems() override;
    void scanItems (juce::Array<ItemRecord>&) override {}
    bool itemDataExists (const juce::String& safeName) const override;
    bool createItemData (const juce::String& itemName, CategoryTagMap& itemTags, OverwriteStore* store) override;
    bool copyItemData (const juce::File& file, const juce::String& itemName, CategoryTagMap& itemTags) override;
    bool deleteItemData (ContentItem& item, std::unique_ptr<OverwriteStore>* store) override;
    bool renameItemData (ContentItem& item, const juce::String& newName) override;
    juce::Result writeItemTags (ContentItem& item, CategoryTagMap& newTags) override;
    std::unique_ptr<ItemChange> makeTagChange (ContentItem& item, const CategoryTagMap& newTags) override;
    std::unique_ptr<ItemChange> makeDeleteChange (ContentItem& item) override;
    void changePerformed (ItemChange& change) override;
    bool importItemData (const juce::MemoryBlock& data, const juce::String& itemName, CategoryTagMap& itemTags, bool overwrite) override;
    std::unique_ptr<ItemImport> makeImport (juce::MemoryBlock data, const juce::String& itemName, const ContentItem* replaced) override;
    void importPerformed (ItemImport& import) override;

private:
    class FolderOverwriteStore;
    class FolderChange;
    class FolderImport;
    struct ChangeTarget;

    /** The tags of data to import, or false (lastFailure notAnItem, a log line) when they
        are no preset of this plug-in. */
    bool readImportedTags (const juce::MemoryBlock& data, const juce::String& itemName, CategoryTagMap& itemTags);

    /** Tells whether a file was replaced or changed: every save makes a new file (AtomicFile). */
    using FileStamp = BoundedXmlReader::FileStamp;
    /** Whether a stamp is one a writer may act on; empty: any. */
    using StampCheck = std::function<bool (const FileStamp&)>;
    /** Takes the stamps of the named item's file that this source knows: the one the last
        listing saw (or this source's own last write), or one that a change of its own wrote
        that the model has not taken yet. Empty when nothing is known (nothing to check). */
    StampCheck getStampCheck (const juce::String& itemName) const;
    /** The stamp the item's file had when it was listed (or last written here); false when
        unknown (nothing to check against). */
    bool getListedStamp (const juce::String& itemName, FileStamp& listed) const;
    /** Under the folder's lock: the place of this source's write in the order of its writes. */
    juce::uint64 nextWrite() { return ++*writeCount; }
    /** Notes this source's write of the item's file (known false: the file went elsewhere),
        unless a later write was noted already. */
    void noteWritten (const juce::String& itemName, const FileStamp& stamp, bool known, juce::uint64 order);
    /** The changes made for the worker, followed by their file. */
    std::shared_ptr<ChangeTarget> trackChange (const ContentItem& item, bool deletion);
    /** Under the folder's lock, after a rename of from to to: the changes not performed yet
        follow the file; a delete's listed stamp follows it when it was the stamp moved. */
    void followRename (const juce::File& from, const juce::File& to, const juce::String& newName, const FileStamp& moved,
                       const FileStamp& renamed);

    juce::File folder;
    const juce::String extension;
    std::shared_ptr<PresetFolderIndex> index;
    bool listedOnce = false;
    /** The listing the items came from, and the stamps of this source's writes since then
        (none: an item renamed away). */
    std::shared_ptr<const PresetFolderIndex::Listing> listing;
    struct Written
    {
        FileStamp stamp;
        bool known = true;
        juce::uint64 order = 0;
    };
    std::unordered_map<juce::String, Written, PresetFolderIndex::NameHash, PresetFolderIndex::NameEqual> ownWrites;
    /** Counts this source's writes, on any thread, always under the folder's lock. */
    std::shared_ptr<std::atomic<juce::uint64>> writeCount = std::make_shared<std::atomic<juce::uint64>> (0);
    /** The changes handed out, for as long as their owner keeps them. */
    std::vector<std::weak_ptr<ChangeTarget>> changesInFlight;
    size_t pruneChangesAt = 64;
};

template <class PresetType>
class PresetsDirectoryContent : public PresetFolderContent
{
public:
    using PresetFolderContent::PresetFolderContent;

protected:
    std::unique_ptr<Preset> makePreset() const override { return std::make_unique<PresetType>(); }
};

//==============================================================================
/** A read-only content package of presets (the factory presets). The package is read and
    checked at every refresh; a package that fails the check gives no items and a log line. */
class PresetPackageContent : public PresetContentSource
{
public:
    PresetPackageContent (PresetTarget& plugin, const juce::File& packageFile,
                          const juce::String& extension = Preset::fileExtension,
                          const juce::String& sourceName = "Factory");

    const juce::File& getPackageFile() const noexcept { return packageFile; }
    /** Empty when the last refresh read the package; else why not. */
    const juce::String& getPackageError() const noexcept { return packageError; }

    juce::String getItemExtension() const override { return extension; }
    std::unique_ptr<Preset> loadPresetByName (const juce::String& itemName, int flag) override;

protected:
    void scanItems (juce::Array<ItemRecord>& records) override;

private:
    void openPackage();

    const juce::File packageFile;
    const juce::String extension;
    ContentPackage package;
    juce::String packageError;
    bool opened = false;
};

template <class PresetType>
class PresetsPackageContent : public PresetPackageContent
{
public:
    using PresetPackageContent::PresetPackageContent;

protected:
    std::unique_ptr<Preset> makePreset() const override { return std::make_unique<PresetType>(); }
};
