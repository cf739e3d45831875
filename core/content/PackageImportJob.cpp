#include "core/content/PackageImportJob.h"

PackageImportJob::PackageImportJob() = default;

PackageImportJob::~PackageImportJob()
{
    finish();
}

juce::String PackageImportJob::reduceEntryName (const juce::String& entryPath, const juce::String& extension)
{
    const auto path = entryPath.replaceCharacter ('\\', '/');

    // Absolute paths and drive letters ("C:...") name places outside any folder.
    if (path.startsWithChar ('/') || (path.length() >= 2 && juce::CharacterFunctions::isLetter (path[0]) && path[1] == ':'))
        return {};

    juce::StringArray parts;
    parts.addTokens (path, "/", {});

    for (const auto& part : parts)
        if (part.trim() == "..")
            return {};

    auto fileName = parts.isEmpty() ? juce::String() : parts[parts.size() - 1];

    if (extension.isNotEmpty())
    {
        if (! fileName.endsWith (extension))
            return {};

        fileName = fileName.dropLastCharacters (extension.length());
    }

    // The tag text's separators (";", ":", "|") and control characters never reach a name.
    juce::String plain;

    for (auto c : fileName)
        plain << (c < 0x20 || c == 0x7f || c == ';' || c == ':' || c == '|' ? (juce::juce_wchar) '_' : c);

    return ContentSource::makeSafeItemName (plain);
}

PackageImportJob::State PackageImportJob::start (const juce::File& zipFile, ContentSource& newTarget)
{
    finish();
    counts = {};
    notAZip = false;
    replaceAllChosen = skipAllChosen = false;
    target = &newTarget;

    zip = std::make_unique<ZipReader> (zipFile);

    if (! zip->isValid())
    {
        notAZip = true;
        finish();
        return state;
    }

    iterator = std::make_unique<ZipReader::Iterator> (*zip);
    return nextEntry();
}

PackageImportJob::State PackageImportJob::nextEntry()
{
    state = State::idle;

    while (iterator != nullptr)
    {
        ZipReader::Entry entry;
        stream = iterator->next (entry);

        if (stream == nullptr)
            break;

        const auto extension = target->getItemExtension();
        const auto fileName = entry.fileName.replaceCharacter ('\\', '/').fromLastOccurrenceOf ("/", false, false);

        if (extension.isNotEmpty() && ! fileName.endsWith (extension))
        {
            ++counts.skipped;
            continue;
        }

        const auto name = reduceEntryName (entry.fileName, extension);
        entryData.reset();
        bool fits = false;

        if (name.isNotEmpty())
        {
            // The header's size may lie: the limit holds for what the stream gives.
            juce::MemoryOutputStream out (entryData, false);
            fits = out.writeFromInputStream (*stream, maxEntrySize + 1) <= maxEntrySize;
        }

        stream.reset();

        if (name.isEmpty() || ! fits)
        {
            entryData.reset();
            ++counts.refused;
            continue;
        }

        entryName = pendingName = name;
        return importCurrent (false);
    }

    finish();
    return state;
}

juce::String PackageImportJob::suggestName() const
{
    if (target == nullptr)
        return pendingName;

    const auto isFree = [this] (const juce::String& name) {
        return ! target->isNameTaken (name) && target->findItemIgnoringCase (name) == nullptr;
    };

    if (isFree (pendingName))
        return pendingName;

    for (int n = 1; n <= 1000; ++n)
        if (const auto candidate = pendingName + " (" + juce::String (n) + ")"; isFree (candidate))
            return candidate;

    return makeUniqueCopyName (*target, pendingName);
}

ContentItem* PackageImportJob::findConflict() const
{
    return target->findItemIgnoringCase (pendingName);
}

PackageImportJob::State PackageImportJob::importCurrent (bool replaceExisting)
{
    auto* existing = findConflict();
    const bool taken = existing != nullptr || target->isNameTaken (pendingName);

    if (taken && ! replaceExisting && ! replaceAllChosen)
    {
        if (skipAllChosen)
        {
            ++counts.skipped;
            return nextEntry();
        }

        state = State::conflict;
        return state;
    }

    std::unique_ptr<ContentSource::OverwriteStore> store;

    if (existing != nullptr)
    {
        // The replaced item keeps its name (a case twin does not leave a second file behind);
        // its data stay until the new data are written over them.
        pendingName = existing->name;

        if (target->deleteItem (existing, true, &store) && onItemRemoved)
            onItemRemoved (existing);
    }

    juce::MemoryInputStream in (entryData, false);
    auto* item = target->importItemFromStream (in, pendingName, store.get());
    entryData.reset();
    store.reset();

    if (item != nullptr)
    {
        ++counts.imported;

        if (onItemAdded)
            onItemAdded (item);
    }
    else
    {
        ++counts.refused;

        // A failed replacement lists the old item again.
        if (existing != nullptr && target->getItems().contains (existing) && onItemAdded)
            onItemAdded (existing);
    }

    return nextEntry();
}

PackageImportJob::State PackageImportJob::replace()
{
    return state == State::conflict ? importCurrent (true) : state;
}

PackageImportJob::State PackageImportJob::skip()
{
    if (state != State::conflict)
        return state;

    ++counts.skipped;
    return nextEntry();
}

PackageImportJob::State PackageImportJob::replaceAll()
{
    if (state != State::conflict)
        return state;

    replaceAllChosen = true;
    return importCurrent (false);
}

PackageImportJob::State PackageImportJob::skipAll()
{
    if (state != State::conflict)
        return state;

    skipAllChosen = true;
    return importCurrent (false);
}

PackageImportJob::State PackageImportJob::rename (const juce::String& newName)
{
    if (state != State::conflict)
        return state;

    const auto safe = ContentSource::makeSafeItemName (reduceEntryName (newName, {}));

    if (safe.isNotEmpty())
        pendingName = safe;

    return importCurrent (false);
}

void PackageImportJob::cancel()
{
    if (state != State::idle || zip != nullptr)
        finish();
}

void PackageImportJob::finish()
{
    stream.reset();
    iterator.reset();
    zip.reset();
    entryData.reset();
    state = target != nullptr ? State::finished : State::idle;
}
