#pragma once

#include "core/content/ContentPackage.h"
#include "core/content/PresetContentSource.h"
#include "core/content/PresetFolderIndex.h"

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
        stays renamable and deletable (developer mode's Normalize). */
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

    /** The tags of data to import, or false (lastFailure notAnItem, a log line) when they
        are no preset of this plug-in. */
    bool readImportedTags (const juce::MemoryBlock& data, const juce::String& itemName, CategoryTagMap& itemTags);

    /** Tells whether a file was replaced or changed: every save makes a new file (AtomicFile). */
    using FileStamp = BoundedXmlReader::FileStamp;
    /** Fails when the item's file is not the one the last listing (or this source's own last
        write) saw: another instance changed it. */
    juce::Result checkUnchangedSinceListed (const ContentItem& item) const;
    /** The stamp the item's file had when it was listed (or last written here); false when
        unknown (nothing to check against). */
    bool getListedStamp (const ContentItem& item, FileStamp& listed) const;
    void noteWritten (const juce::String& itemName);

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
    };
    std::unordered_map<juce::String, Written, PresetFolderIndex::NameHash, PresetFolderIndex::NameEqual> ownWrites;
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
