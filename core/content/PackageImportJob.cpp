#include "core/content/PackageImportJob.h"
#include <limits>

PackageImportJob::PackageImportJob() = default;

PackageImportJob::~PackageImportJob()
{
    finish();
}

juce::String PackageImportJob::reduceEntryName (const juce::String& entryPath, const juce::String& extension, bool* tooLong)
{
    if (tooLong != nullptr)
        *tooLong = false;

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

    return ContentSource::makeSafeItemName (plain, tooLong);
}

PackageImportJob::State PackageImportJob::start (const juce::File& zipFile, ContentSource& newTarget)
{
    return start (std::make_unique<ZipReader> (zipFile), newTarget);
}

PackageImportJob::State PackageImportJob::start (std::unique_ptr<ZipReader> openedZip, ContentSource& newTarget)
{
    finish();
    counts = {};
    notAZip = empty = writesFail = false;
    nextIndex = numEntries = 0;
    bytesInflated = 0;
    replaceAllChosen = skipAllChosen = false;
    target = &newTarget;

    zip = std::move (openedZip);

    if (zip == nullptr || ! zip->isValid())
    {
        notAZip = true;
        finish();
        return state;
    }

    numEntries = zip->getNumEntries();
    empty = numEntries == 0;
    nextIndex = 0;
    return run (Step::next);
}

PackageImportJob::State PackageImportJob::run (Step step)
{
    state = State::idle;
    const auto firstIndex = nextIndex;
    const auto stopAt = sliceEntries > 0 ? firstIndex + sliceEntries : std::numeric_limits<int>::max();
    const auto started = juce::Time::getMillisecondCounterHiRes();

    // A loop, not a call per entry: an archive of any length walks in constant stack.
    for (int retries = 0;;)
    {
        if (step == Step::ask)
        {
            state = State::conflict;
            return state;
        }

        if (step == Step::retry && ++retries <= 8)
        {
            step = importCurrent (false);
            continue;
        }

        if (step == Step::retry)
            refuse (writeFailed);

        // No later write can succeed: the rest is not tried.
        if (writesFail)
        {
            counts.notTried = numEntries - nextIndex;
            break;
        }

        retries = 0;

        if ((nextIndex > firstIndex && isTimeUp (started)) || ! loadNextEntry (stopAt, started))
        {
            if (zip == nullptr || nextIndex >= numEntries)
                break;

            state = State::paused;
            return state;
        }

        step = importCurrent (false);
    }

    finish();
    return state;
}

bool PackageImportJob::isTimeUp (double started) const noexcept
{
    return sliceMs > 0 && juce::Time::getMillisecondCounterHiRes() - started >= sliceMs;
}

bool PackageImportJob::loadNextEntry (int stopAt, double started)
{
    entryData.reset();

    if (zip == nullptr || target == nullptr)
        return false;

    const auto extension = target->getItemExtension();
    // Nothing larger than the source takes is inflated.
    const auto limit = juce::jmin (maxEntrySize, target->getMaxItemSize());
    const auto first = nextIndex;

    // Entries refused on the way count against the slice too.
    while (nextIndex < numEntries && nextIndex < stopAt && (nextIndex == first || ! isTimeUp (started)))
    {
        const auto index = nextIndex++;
        const auto* entry = zip->getEntry (index);

        if (entry == nullptr || entry->isFolder())
            continue;

        // A NUL makes any name unsafe, whatever it seems to end with.
        if (entry->nameCut)
        {
            refuse (unsafeName);
            continue;
        }

        const auto fileName = entry->fileName.replaceCharacter ('\\', '/').fromLastOccurrenceOf ("/", false, false);

        if (extension.isNotEmpty() && ! fileName.endsWith (extension))
        {
            ++counts.skipped;
            continue;
        }

        bool tooLong = false;
        const auto name = reduceEntryName (entry->fileName, extension, &tooLong);

        if (name.isEmpty())
        {
            refuse (tooLong ? nameTooLong : unsafeName);
            continue;
        }

        const auto status = zip->read (index, entryData, limit);
        bytesInflated = zip->getBytesInflated();

        switch (status)
        {
            case ZipReader::Status::ok:
                entryName = pendingName = name;
                return true;
            case ZipReader::Status::tooLarge: refuse (tooLarge); break;
            case ZipReader::Status::encrypted: refuse (encrypted); break;
            case ZipReader::Status::unsupportedMethod: refuse (unsupportedMethod); break;
            case ZipReader::Status::damaged: refuse (damaged); break;
        }

        entryData.reset();
    }

    return false;
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

bool PackageImportJob::canReplace() const
{
    return state == State::conflict && target != nullptr && findConflict() != nullptr;
}

PackageImportJob::Step PackageImportJob::importCurrent (bool replaceExisting)
{
    auto* existing = findConflict();

    if (existing != nullptr || target->isNameTaken (pendingName))
    {
        if (skipAllChosen && ! replaceExisting)
        {
            ++counts.skipped;
            return Step::next;
        }

        // Data that is no item (or that another instance just wrote) cannot be replaced from
        // here: only the user can choose another name or skip it.
        if (existing == nullptr || (! replaceExisting && ! replaceAllChosen))
            return Step::ask;
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
    store.reset();

    if (item != nullptr)
    {
        ++counts.imported;

        if (onItemAdded)
            onItemAdded (item);

        return Step::next;
    }

    // A failed replacement lists the old item again.
    if (existing != nullptr && target->findItem (existing->name) == existing && onItemAdded)
        onItemAdded (existing);

    switch (target->getLastFailure())
    {
        case ContentSource::Failure::nameTaken: return Step::retry;
        case ContentSource::Failure::notAnItem: refuse (notAnItem); break;
        case ContentSource::Failure::tooLarge: refuse (tooLarge); break;
        case ContentSource::Failure::diskFull:
            refuse (diskFull);
            writesFail = true;
            break;
        case ContentSource::Failure::noPermission:
            refuse (noPermission);
            writesFail = true;
            break;
        case ContentSource::Failure::none:
        case ContentSource::Failure::writeFailed: refuse (writeFailed); break;
    }

    return Step::next;
}

PackageImportJob::State PackageImportJob::replace()
{
    return state == State::conflict ? run (importCurrent (true)) : state;
}

PackageImportJob::State PackageImportJob::skip()
{
    if (state != State::conflict)
        return state;

    ++counts.skipped;
    return run (Step::next);
}

PackageImportJob::State PackageImportJob::replaceAll()
{
    if (state != State::conflict)
        return state;

    replaceAllChosen = true;
    return run (importCurrent (false));
}

PackageImportJob::State PackageImportJob::skipAll()
{
    if (state != State::conflict)
        return state;

    skipAllChosen = true;
    return run (importCurrent (false));
}

PackageImportJob::State PackageImportJob::rename (const juce::String& newName)
{
    if (state != State::conflict)
        return state;

    const auto safe = ContentSource::makeSafeItemName (reduceEntryName (newName, {}));

    if (safe.isNotEmpty())
        pendingName = safe;

    return run (importCurrent (false));
}

PackageImportJob::State PackageImportJob::resume()
{
    return state == State::paused ? run (Step::next) : state;
}

void PackageImportJob::cancel()
{
    if (state != State::idle || zip != nullptr)
        finish();
}

void PackageImportJob::finish()
{
    zip.reset();
    entryData.reset();
    state = target != nullptr ? State::finished : State::idle;
}
