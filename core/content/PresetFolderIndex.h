#pragma once

#include "core/content/ContentListing.h"
#include "core/parameters/BoundedXmlReader.h"
#include <memory>
#include <cstring>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <vector>

/** The listing of one user preset folder, shared by every preset source of the process that
    shows the folder: an instance that starts takes the listing the instances before it made,
    and a refresh reads only the files whose stamps changed.

    Threads: any thread (instances are made on the host's threads). Listings are made one at a
    time per folder, under the index's lock; a listing handed out never changes, and stays
    valid for as long as it is held. */
class PresetFolderIndex
{
public:
    struct Entry
    {
        juce::String itemName;
        /** Empty when the file is listed; else why it is skipped (for the log). */
        juce::String skipReason;
        /** The root's "application" attribute. */
        juce::String application;
        /** The root's "tags" attribute, parsed (shared by the entries with the same text). */
        std::shared_ptr<const CategoryTagMap> tags;
        BoundedXmlReader::FileStamp stamp;

        juce::String sortKey;   // the item name in upper case: the item list's order
        std::string fileName;   // as the folder lists it
        bool settled = false;   // the stamp can tell a later change of the file (see list)
    };

    /** Names and tag texts hashed and compared as their UTF-8 bytes (juce::String's own hash
        and comparison decode every character). */
    struct NameHash
    {
        size_t operator() (const juce::String& s) const noexcept { return std::hash<std::string_view>() (s.toRawUTF8()); }
    };

    struct NameEqual
    {
        bool operator() (const juce::String& a, const juce::String& b) const noexcept
        {
            return a.getCharPointer() == b.getCharPointer() || std::strcmp (a.toRawUTF8(), b.toRawUTF8()) == 0;
        }
    };

    struct Listing
    {
        /** Ordered by name ignoring case, as ContentSource::refresh orders items. */
        std::vector<std::shared_ptr<const Entry>> entries;
        /** The entry of an item name, or null. */
        const Entry* find (const juce::String& itemName) const;

        /** Positions in entries by item name; listings of the same names share it. */
        std::shared_ptr<const std::unordered_map<juce::String, size_t, NameHash, NameEqual>> byName;

    private:
        friend class PresetFolderIndex;
        /** The items made of it, by application (itemsOf, under the index's lock). */
        mutable std::vector<std::pair<juce::String, std::shared_ptr<const ContentListing>>> items;
    };

    /** Any thread: the index of the folder for files with the extension. One index per folder
        lives while a source holds it; the one handed out last stays beyond that, so an
        instance made right after another one ends (a host's description instance) finds it. */
    static std::shared_ptr<PresetFolderIndex> forFolder (const juce::File& folder, const juce::String& extension);

    /** Any thread: the folder's entries now. checkEveryFile: every file's stamp is looked at
        and only the changed files are read again. Without it, the last listing is taken as it
        is when the folder's own stamp has not changed since that listing was made (every file
        added, removed or saved anew changes it; a file rewritten in place by another program
        does not, and shows at the next listing that checks every file). Either way, when no
        file changed the last listing itself is handed out again. */
    std::shared_ptr<const Listing> list (bool checkEveryFile);

    /** Any thread: the items a source of the application's presets shows of a listing this
        index made (presets of other applications are left out, with a log line). Made once
        per listing and application and shared by every source that asks; a listing that lists
        the same as the last one (its files changed, not what they list) gives the same items. */
    std::shared_ptr<const ContentListing> itemsOf (const std::shared_ptr<const Listing>& listing, const juce::String& application);

    const juce::File& getFolder() const noexcept { return folder; }

    /** Any thread: whether the folder holds hidden files (temporaries and backups are
        hidden), from the last listing when the folder has not changed since, else from the
        folder's names. */
    bool mayHoldHiddenFiles() const;

    /** How many files the last call of list read (the rest were known by their stamps). */
    int getFilesReadByLastListing() const;

    /** Stamps not older than this before the moment they were taken may hide a change made in
        the same tick of the file system's clock; such files are read again. */
    static constexpr juce::int64 settleNanoseconds = 2'000'000'000;

    PresetFolderIndex (const juce::File& folder, const juce::String& extension);

private:
    std::shared_ptr<const Entry> readEntry (int folderFd, const std::string& fileName, bool listedAsRegular,
                                            const juce::String& itemName, const juce::String& sortKey, juce::int64 now);
    std::shared_ptr<const CategoryTagMap> parseTags (const juce::String& text);
    /** Whether two listings list the same files with the same items, tags and reasons. */
    static bool listsTheSame (const Listing& a, const Listing& b);
    /** The last listing is the folder's now, as far as its stamp can tell. */
    bool isUnchangedSinceListed (const BoundedXmlReader::FileStamp& stampNow) const;

    const juce::File folder;
    const juce::String extension;

    mutable std::mutex lock;
    std::shared_ptr<const Listing> current;
    struct KnownFile
    {
        std::shared_ptr<const Entry> entry;
        unsigned seenBy = 0;   // the last listing that found the file
        size_t position = 0;   // in the current listing's entries
    };
    std::unordered_map<std::string, KnownFile> byFileName;
    unsigned listings = 0;
    std::unordered_map<juce::String, std::shared_ptr<const CategoryTagMap>, NameHash, NameEqual> tagTexts;
    struct MadeItems
    {
        juce::String application;
        std::shared_ptr<const Listing> from;
        std::shared_ptr<const ContentListing> items;
    };
    std::vector<MadeItems> lastItems;
    BoundedXmlReader::FileStamp folderStamp;
    juce::int64 lastListingStart = 0;
    int filesRead = 0;
    bool holdsHiddenFiles = true;
    std::vector<char> buffer;
};
