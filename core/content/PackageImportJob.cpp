#include "core/content/PackageImportJob.h"
#include "core/content/NameFolding.h"
#include <limits>

void PackageImportJob::WriteBatch::perform()
{
    for (auto& entry : entries)
    {
        if (control->stopped.load (std::memory_order_relaxed))
            break;

        entry.import->perform();

        // No later write can succeed.
        if (const auto failure = entry.import->getFailure();
            failure == ContentSource::Failure::diskFull || failure == ContentSource::Failure::noPermission)
            control->stopped.store (true, std::memory_order_relaxed);
    }

    // Release: the job that sees done sees every write's outcome.
    done.store (true, std::memory_order_release);
}

PackageImportJob::PackageImportJob() = default;

PackageImportJob::~PackageImportJob()
{
    cancel();
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
    cancel();
    finish();
    counts = {};
    notAZip = empty = writesFail = false;
    nextIndex = numEntries = 0;
    bytesInflated = 0;
    replaceAllChosen = skipAllChosen = false;
    target = &newTarget;
    holding = stopping = false;
    control = std::make_shared<WriteBatch::Control>();
    returned.clear();
    notTriedInFlight = currentTries = 0;

    zip = std::move (openedZip);

    if (zip == nullptr || ! zip->isValid())
    {
        notAZip = true;
        finish();
        return state;
    }

    numEntries = zip->getNumEntries();
    empty = numEntries == 0;
    writing = writeThread != nullptr && newTarget.canImportElsewhere() && numEntries > writeAtOnceUpTo;
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

        if (step == Step::wait)
        {
            land (started);

            if (hasWritesInFlight())
                return pause (true);

            // Entries returned before it are decided first; after a stop or a full disk, an
            // entry read but not decided counts as not walked.
            if (stopping || writesFail || ! returned.empty())
            {
                if (currentTries == 0 && (stopping || writesFail))
                    --nextIndex;
                else
                    returned.push_back ({ entryName, pendingName, std::move (entryData), currentTries });

                step = Step::next;
                continue;
            }

            step = importCurrent (false);
            continue;
        }

        if (step == Step::retry && ++retries <= 8)
        {
            step = importCurrent (false);
            continue;
        }

        if (step == Step::retry)
            refuse (writeFailed);

        retries = 0;
        const bool landed = (isDraining() || isReadyToLand()) && land (started);

        // An entry whose name was taken as it was written is decided again, in the entries'
        // order, once nothing else is in flight.
        if (! returned.empty() && ! writesFail && ! stopping)
        {
            if (hasWritesInFlight())
                return pause (false);

            auto next = std::move (returned.front());
            returned.pop_front();
            entryName = next.entryName;
            pendingName = next.pendingName;
            entryData = std::move (next.data);
            currentTries = next.tries;

            if (currentTries > 8)
                refuse (writeFailed);
            else
                step = importCurrent (false);

            continue;
        }

        // No later write can succeed: the rest is not tried.
        if (writesFail || stopping)
        {
            if (hasWritesInFlight())
                return pause (false);

            if (writesFail)
                counts.notTried = numEntries - nextIndex + notTriedInFlight + (int) returned.size();

            break;
        }

        if (writesInFlight >= maxWritesInFlight || ((nextIndex > firstIndex || landed) && isTimeUp (started)))
            return pause (false);

        if (! loadNextEntry (stopAt, started))
        {
            if (zip == nullptr || nextIndex >= numEntries)
            {
                if (hasWritesInFlight())
                    return pause (false);

                break;
            }

            return pause (false);
        }

        currentTries = 0;
        step = importCurrent (false);
    }

    finish();
    return state;
}

PackageImportJob::State PackageImportJob::pause (bool holdCurrent)
{
    handOver();
    holding = holdCurrent;
    state = State::paused;
    return state;
}

bool PackageImportJob::isReadyToLand() const
{
    size_t written = 0;

    while (written < inFlight.size() && written < (size_t) batchesLandedAtOnce && inFlight[written]->isDone())
        ++written;

    return written == (size_t) batchesLandedAtOnce || (written > 0 && written == inFlight.size());
}

bool PackageImportJob::isWaitingForWrites() const
{
    if (state != State::paused || inFlight.empty())
        return false;

    return isDraining() ? ! inFlight.front()->isDone() : writesInFlight >= maxWritesInFlight && ! isReadyToLand();
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
    // A name among the writes in flight is in no list yet.
    const bool twinInFlight = writing && namesInFlight.count (NameFolding::fold (pendingName)) > 0;
    // Writes look at the disk themselves (a name taken there fails them); an entry that came
    // back from one is looked at here.
    const bool lookOnDisk = ! writing || currentTries > 0;

    if (existing != nullptr || twinInFlight || (lookOnDisk && target->isNameTaken (pendingName)))
    {
        if (twinInFlight)
            return Step::wait;

        if (skipAllChosen && ! replaceExisting)
        {
            ++counts.skipped;
            return Step::next;
        }

        // Data that is no item (or that another instance just wrote) cannot be replaced from
        // here: only the user can choose another name or skip it.
        if (existing == nullptr || (! replaceExisting && ! replaceAllChosen))
            return hasWritesInFlight() ? Step::wait : Step::ask;
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

    if (writing)
        return hand (std::move (store), existing);

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

    return importFailed (existing, existing != nullptr ? existing->name : juce::String());
}

void PackageImportJob::listedAgain (ContentItem* replaced, const juce::String& replacedName)
{
    // Found by name: a refresh since the replacement began may have deleted the item.
    if (replaced != nullptr && target->findItem (replacedName) == replaced && onItemAdded)
        onItemAdded (replaced);
}

PackageImportJob::Step PackageImportJob::importFailed (ContentItem* replaced, const juce::String& replacedName)
{
    // A failed replacement lists the old item again.
    listedAgain (replaced, replacedName);

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

PackageImportJob::Step PackageImportJob::hand (std::unique_ptr<ContentSource::OverwriteStore> store, ContentItem* replaced)
{
    const auto replacedName = replaced != nullptr ? replaced->name : juce::String();
    // A copy: a retry or a question may need the entry again.
    auto import = target->prepareImport (entryData, pendingName, std::move (store));

    if (import == nullptr)
        return importFailed (replaced, replacedName);

    namesInFlight.insert (NameFolding::fold (import->itemName));

    if (filling == nullptr)
    {
        filling = std::make_shared<WriteBatch>();
        filling->control = control;
    }

    filling->entries.push_back ({ std::move (import), entryName, replacedName, replaced, currentTries });
    ++writesInFlight;

    if ((int) filling->entries.size() >= writesPerBatch)
        handOver();

    return Step::next;
}

void PackageImportJob::handOver()
{
    if (filling == nullptr)
        return;

    inFlight.push_back (filling);
    writeThread->write (std::move (filling));
    filling.reset();
}

bool PackageImportJob::land (double started)
{
    int landed = 0;

    while (! inFlight.empty() && inFlight.front()->isDone() && (landed == 0 || ! isTimeUp (started)))
    {
        const auto batch = std::move (inFlight.front());
        inFlight.pop_front();

        for (auto& entry : batch->entries)
            land (entry);

        ++landed;
    }

    return landed > 0;
}

void PackageImportJob::land (WriteBatch::Entry& entry)
{
    auto& import = *entry.import;
    --writesInFlight;
    namesInFlight.erase (NameFolding::fold (import.itemName));

    if (auto* item = target->applyImport (import))
    {
        ++counts.imported;

        if (onItemAdded)
            onItemAdded (item);

        return;
    }

    if (! import.wasPerformed())
    {
        // Left behind by a write that found the disk full.
        listedAgain (entry.replaced, entry.replacedName);
        ++notTriedInFlight;

        return;
    }

    if (target->getLastFailure() == ContentSource::Failure::nameTaken)
    {
        listedAgain (entry.replaced, entry.replacedName);
        returned.push_back ({ entry.entryName, import.itemName, import.data, entry.tries + 1 });
        return;
    }

    importFailed (entry.replaced, entry.replacedName);
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
    return state == State::paused ? run (std::exchange (holding, false) ? Step::wait : Step::next) : state;
}

void PackageImportJob::cancel()
{
    if (hasWritesInFlight())
    {
        // What was handed over is written, and becomes items.
        handOver();
        writeThread->waitForWrites();

        while (! inFlight.empty())
        {
            const auto batch = std::move (inFlight.front());
            inFlight.pop_front();

            for (auto& entry : batch->entries)
                land (entry);
        }

        returned.clear();
        holding = false;
    }

    if (state != State::idle || zip != nullptr)
        finish();
}

void PackageImportJob::finish()
{
    zip.reset();
    entryData.reset();
    state = target != nullptr ? State::finished : State::idle;
}
