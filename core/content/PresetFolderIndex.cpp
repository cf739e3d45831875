#include "core/content/PresetFolderIndex.h"
#include "core/content/ContentSource.h"
#include "core/content/PresetHeader.h"
#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace
{
    juce::int64 nowInNanoseconds()
    {
        return (juce::int64) std::chrono::duration_cast<std::chrono::nanoseconds> (std::chrono::system_clock::now().time_since_epoch()).count();
    }
}

std::shared_ptr<PresetFolderIndex> PresetFolderIndex::forFolder (const juce::File& folder, const juce::String& extension)
{
    static std::mutex registryLock;
    static std::map<std::pair<juce::String, juce::String>, std::weak_ptr<PresetFolderIndex>> registry;
    static std::shared_ptr<PresetFolderIndex> lastHandedOut;

    const std::lock_guard<std::mutex> guard (registryLock);

    for (auto it = registry.begin(); it != registry.end();)
        it = it->second.expired() ? registry.erase (it) : std::next (it);

    auto& slot = registry[{ folder.getFullPathName(), extension }];
    auto index = slot.lock();

    if (index == nullptr)
    {
        index = std::make_shared<PresetFolderIndex> (folder, extension);
        slot = index;
    }

    lastHandedOut = index;
    return index;
}

PresetFolderIndex::PresetFolderIndex (const juce::File& f, const juce::String& ext)
    : folder (f), extension (ext)
{
}

int PresetFolderIndex::getFilesReadByLastListing() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return filesRead;
}

std::shared_ptr<const CategoryTagMap> PresetFolderIndex::parseTags (const juce::String& text)
{
    // Most presets share a few tag texts: each is parsed once.
    auto& parsed = tagTexts[text];

    if (parsed == nullptr)
        parsed = std::make_shared<const CategoryTagMap> (CategoryTagMap::fromString (text));

    return parsed;
}

std::shared_ptr<const PresetFolderIndex::Entry> PresetFolderIndex::readEntry (int folderFd, const std::string& name, bool listedAsRegular,
                                                                              const juce::String& itemName, const juce::String& sortKey, juce::int64 now)
{
    auto entry = std::make_shared<Entry>();
    entry->fileName = name;
    entry->itemName = itemName;
    entry->sortKey = sortKey;
    ++filesRead;

    // Bounded whatever the size claims, and only regular files: a link to a device or a FIFO
    // is skipped without waiting on it. Files cut short are skipped (a value that does not
    // parse shows when the item is loaded).
    juce::String error;
    PresetHeader header;

    if (! BoundedXmlReader::readFileIn (folderFd, name.c_str(), (size_t) Preset::maxFileSize, buffer, error, listedAsRegular, &entry->stamp)
        || ! PresetHeader::read (buffer.data(), buffer.size(), header, error))
    {
        entry->skipReason = error;
    }
    else
    {
        entry->application = header.application;
        entry->tags = parseTags (header.tags);
    }

    // A file whose stamp is older than the listing by more than a tick of any file system's
    // clock cannot change again without changing its stamp.
    entry->settled = entry->stamp.modified != 0 && entry->stamp.modified < now - settleNanoseconds;
    return entry;
}

bool PresetFolderIndex::isUnchangedSinceListed (const BoundedXmlReader::FileStamp& stampNow) const
{
    return current != nullptr && stampNow == folderStamp && stampNow.modified < lastListingStart - settleNanoseconds;
}

bool PresetFolderIndex::mayHoldHiddenFiles() const
{
    {
        const std::lock_guard<std::mutex> guard (lock);

        if (isUnchangedSinceListed (BoundedXmlReader::stampOf (folder)))
            return holdsHiddenFiles;
    }

    // A look at the names alone: no look-up per file.
    auto* dir = ::opendir (folder.getFullPathName().toRawUTF8());

    if (dir == nullptr)
        return true;

    bool hidden = false;

    while (const auto* found = ::readdir (dir))
    {
        if (found->d_name[0] == '.' && std::strcmp (found->d_name, ".") != 0 && std::strcmp (found->d_name, "..") != 0)
        {
            hidden = true;
            break;
        }
    }

    ::closedir (dir);
    return hidden;
}

std::shared_ptr<const PresetFolderIndex::Listing> PresetFolderIndex::list (bool checkEveryFile)
{
    const std::lock_guard<std::mutex> guard (lock);
    const auto stampNow = BoundedXmlReader::stampOf (folder);

    if (! checkEveryFile && isUnchangedSinceListed (stampNow))
    {
        filesRead = 0;
        return current;
    }

    const auto start = nowInNanoseconds();
    const auto ignoreCase = ! juce::File::areFileNamesCaseSensitive();
    const auto wildcard = "*" + extension;
    filesRead = 0;

    // Known files are marked as seen in place: a listing of a large folder makes no new table.
    const auto listing = ++listings;
    std::vector<std::pair<size_t, std::shared_ptr<const Entry>>> changed;
    size_t numSeen = 0;
    bool namesChanged = current == nullptr, hidden = false;
    std::string name;

    const auto folderFd = ::open (folder.getFullPathName().toRawUTF8(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);

    if (auto* dir = folderFd >= 0 ? ::fdopendir (folderFd) : nullptr)
    {
        while (const auto* found = ::readdir (dir))
        {
            if (found->d_type == DT_DIR)
                continue;

            // Hidden files are ours (temporary files, overwrite backups) or the system's.
            if (found->d_name[0] == '.')
            {
                hidden = true;
                continue;
            }

            name.assign (found->d_name);

            if (const auto known = byFileName.find (name); known != byFileName.end())
            {
                auto& file = known->second;
                const auto& old = *file.entry;
                file.seenBy = listing;
                ++numSeen;

                if (old.settled && (old.stamp.modified == 0 || BoundedXmlReader::stampIn (folderFd, name.c_str()) == old.stamp))
                    continue;

                // A known name (the wildcard and the name's checks passed before): read again.
                file.entry = readEntry (folderFd, name, found->d_type == DT_REG, old.itemName, old.sortKey, start);
                changed.emplace_back (file.position, file.entry);
                continue;
            }

            // Names of other files are not kept: only a new preset's name is a change.
            const auto fileName = juce::String::fromUTF8 (name.c_str());

            if (! fileName.matchesWildcard (wildcard, ignoreCase))
                continue;

            const auto itemName = fileName.dropLastCharacters (extension.length());
            std::shared_ptr<const Entry> entry;

            if (ContentSource::makeSafeItemName (itemName) != itemName)
            {
                // Known by its name alone.
                auto unusable = std::make_shared<Entry>();
                unusable->fileName = name;
                unusable->itemName = itemName;
                unusable->sortKey = itemName.toUpperCase();
                unusable->skipReason = "unusable name";
                unusable->settled = true;
                entry = std::move (unusable);
            }
            else
            {
                entry = readEntry (folderFd, name, found->d_type == DT_REG, itemName, itemName.toUpperCase(), start);
            }

            byFileName.emplace (name, KnownFile { std::move (entry), listing, 0 });
            ++numSeen;
            namesChanged = true;
        }

        ::closedir (dir);
    }
    else if (folderFd >= 0)
    {
        ::close (folderFd);
    }

    // Files gone since the last listing.
    if (numSeen != byFileName.size())
    {
        namesChanged = true;

        for (auto it = byFileName.begin(); it != byFileName.end();)
            it = it->second.seenBy != listing ? byFileName.erase (it) : std::next (it);
    }

    holdsHiddenFiles = hidden;
    folderStamp = stampNow;
    lastListingStart = start;

    // Nothing changed: the same listing, so sources see at once that nothing did.
    if (! namesChanged && changed.empty())
        return current;

    auto next = std::make_shared<Listing>();

    if (namesChanged)
    {
        std::vector<KnownFile*> files;
        files.reserve (byFileName.size());

        for (auto& [fileName, file] : byFileName)
            files.push_back (&file);

        // UTF-8 bytes order as their code points do: the order of juce::String::compare.
        std::sort (files.begin(), files.end(), [] (const KnownFile* a, const KnownFile* b) {
            return std::strcmp (a->entry->sortKey.toRawUTF8(), b->entry->sortKey.toRawUTF8()) < 0;
        });

        auto byName = std::make_shared<std::unordered_map<juce::String, size_t, NameHash, NameEqual>>();
        byName->reserve (files.size());
        next->entries.reserve (files.size());

        for (auto* file : files)
        {
            file->position = next->entries.size();
            byName->emplace (file->entry->itemName, file->position);
            next->entries.push_back (file->entry);
        }

        next->byName = std::move (byName);
    }
    else
    {
        // The same names in the same order: only changed entries are new.
        next->entries = current->entries;
        next->byName = current->byName;

        for (auto& [position, entry] : changed)
            next->entries[position] = std::move (entry);
    }

    // The memo keeps about the texts of the files listed.
    if (tagTexts.size() > 2 * byFileName.size() + 64)
        tagTexts.clear();

    current = std::move (next);
    return current;
}

std::shared_ptr<const ContentListing> PresetFolderIndex::itemsOf (const std::shared_ptr<const Listing>& listing, const juce::String& application)
{
    const std::lock_guard<std::mutex> guard (lock);

    for (const auto& [forApplication, made] : listing->items)
        if (forApplication == application)
            return made;

    auto last = std::find_if (lastItems.begin(), lastItems.end(), [&] (const MadeItems& m) { return m.application == application; });

    if (last == lastItems.end())
        last = lastItems.insert (lastItems.end(), { application, nullptr, nullptr });

    std::shared_ptr<const ContentListing> items;

    if (last->from != nullptr && listsTheSame (*last->from, *listing))
    {
        items = last->items;
    }
    else
    {
        std::vector<ContentListing::Record> records;
        juce::StringArray logLines;
        records.reserve (listing->entries.size());

        for (const auto& entry : listing->entries)
        {
            if (entry->skipReason.isNotEmpty())
                logLines.add ("skipped " + juce::String::fromUTF8 (entry->fileName.c_str()) + ": " + entry->skipReason);
            else if (entry->application.isNotEmpty() && entry->application != application)
                logLines.add ("skipped " + juce::String::fromUTF8 (entry->fileName.c_str()) + ": a preset of " + entry->application);
            else
                records.push_back ({ entry->itemName, entry->sortKey, entry->tags });
        }

        items = std::make_shared<const ContentListing> (std::move (records), std::move (logLines));
    }

    listing->items.emplace_back (application, items);
    last->from = listing;
    last->items = items;
    return items;
}

bool PresetFolderIndex::listsTheSame (const Listing& a, const Listing& b)
{
    // Texts carried over from entry to entry share their characters: most compare by address.
    const auto same = [] (const juce::String& x, const juce::String& y) {
        return x.getCharPointer() == y.getCharPointer() || x == y;
    };

    if (a.entries.size() != b.entries.size())
        return false;

    for (size_t i = 0; i < a.entries.size(); ++i)
    {
        const auto& x = *a.entries[i];
        const auto& y = *b.entries[i];

        if (&x != &y
            && (x.tags != y.tags || x.fileName != y.fileName || ! same (x.itemName, y.itemName)
                || ! same (x.skipReason, y.skipReason) || ! same (x.application, y.application)))
            return false;
    }

    return true;
}

const PresetFolderIndex::Entry* PresetFolderIndex::Listing::find (const juce::String& itemName) const
{
    const auto found = byName->find (itemName);
    return found != byName->end() ? entries[found->second].get() : nullptr;
}
