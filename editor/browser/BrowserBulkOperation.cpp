#include "editor/browser/BrowserBulkOperation.h"

namespace
{
    juce::String withThousands (int n)
    {
        auto text = juce::String (n);

        for (int i = text.length() - 3; i > 0; i -= 3)
            text = text.substring (0, i) + "," + text.substring (i);

        return text;
    }

    // Changes handed to the worker ahead of the model: enough to keep it busy between slices.
    constexpr size_t aheadOfModel = 4 * BrowserBulkOperation::maxItemsPerSlice;
}

/** One operation: its items, what it does to them, and how far it got. */
struct BrowserBulkOperation::Run
{
    juce::Array<ContentItem*> items;
    Change change;
    Finished finished;
    std::function<void()> afterSlice;
    juce::Array<ContentSource*> sources;
    int prepared = 0, applied = 0, failed = 0;
    juce::String firstError;
};

/** One item's change, on its way through the worker. */
struct BrowserBulkOperation::Pending : BrowserDiskWorker::Task
{
    void run() override { change->perform(); }

    std::shared_ptr<Run> owner;
    ContentSource* source = nullptr;
    std::unique_ptr<ContentSource::ItemChange> change;
};

BrowserBulkOperation::BrowserBulkOperation() = default;

BrowserBulkOperation::~BrowserBulkOperation()
{
    abandon();
}

void BrowserBulkOperation::start (const juce::String& newActivity, const juce::Array<ContentItem*>& items, Change change,
                                  Finished finished, std::function<void()> afterSlice)
{
    stop();

    activity = newActivity;
    current = std::make_shared<Run>();
    current->items = items;
    current->change = std::move (change);
    current->finished = std::move (finished);
    current->afterSlice = std::move (afterSlice);

    for (auto* item : items)
        if (item != nullptr && current->sources.addIfNotAlreadyThere (item->source))
            item->source->beginBulkChange();

    // A few items go as the single-item calls do, unless an earlier change is still landing.
    if (items.size() <= maxItemsAtOnce && handed.empty())
    {
        runAtOnce();
        return;
    }

    if (onProgress)
        onProgress (activity + ": 0 of " + withThousands (items.size()) + " items");

    slice();
    startSlices();
}

void BrowserBulkOperation::runAtOnce()
{
    auto run = current;

    for (int i = 0; i < run->items.size(); ++i)
    {
        auto* item = run->items.getUnchecked (i);

        if (item == nullptr)
            continue;

        const bool ok = run->change.tagsFor != nullptr ? item->setTags (run->change.tagsFor (i, *item)).wasOk()
                                                       : item->deleteFromSource();

        if (ok && run->change.applied)
            run->change.applied (*item);
        else if (! ok && run->failed++ == 0)
            run->firstError = item->source->getLastError();

        ++run->applied;
    }

    run->prepared = run->items.size();
    largestSlice = juce::jmax (largestSlice, run->items.size());
    ++slicesRun;

    if (run->afterSlice)
        run->afterSlice();

    end (true);
}

void BrowserBulkOperation::apply (Pending& pending, bool withCallbacks)
{
    auto& run = *pending.owner;
    auto& change = *pending.change;

    // A change prepared before its source read its list again has no item to go to.
    if (pending.source->isStale (change))
        return;

    auto& item = *change.item;
    ++run.applied;

    if (pending.source->applyChange (change))
    {
        if (withCallbacks && run.change.applied)
            run.change.applied (item);
    }
    else if (run.failed++ == 0)
    {
        run.firstError = pending.source->getLastError();
    }
}

bool BrowserBulkOperation::slice()
{
    const auto started = juce::Time::getMillisecondCounterHiRes();
    const auto timeLeft = [started] { return juce::Time::getMillisecondCounterHiRes() - started < sliceBudgetMs; };
    int done = 0;
    std::shared_ptr<Run> touched;

    // What the worker finished goes into the model, oldest first.
    while (! handed.empty() && done < maxItemsPerSlice && (done == 0 || timeLeft()))
    {
        auto& pending = *handed.front();

        if (! pending.wasDropped())
        {
            if (! pending.isDone())
                break;

            apply (pending, true);
            touched = pending.owner;
            ++done;
        }

        handed.pop_front();
    }

    largestSlice = juce::jmax (largestSlice, done);
    ++slicesRun;

    // More of the running operation goes to the worker once nothing of an earlier one waits.
    if (current != nullptr && (handed.empty() || handed.back()->owner == current))
    {
        auto& run = *current;

        // Up to the whole window: preparing is cheap, and a worker that runs dry waits for a slice.
        for (int prepared = 0; run.prepared < run.items.size() && handed.size() < aheadOfModel
             && (prepared == 0 || timeLeft());
             ++prepared)
        {
            const int index = run.prepared++;
            auto* item = run.items.getUnchecked (index);

            if (item == nullptr)
            {
                ++run.applied;
                continue;
            }

            auto pending = std::make_shared<Pending>();
            pending->owner = current;
            pending->source = item->source;
            pending->change = run.change.tagsFor != nullptr ? item->source->prepareTagChange (*item, run.change.tagsFor (index, *item))
                                                            : item->source->prepareDelete (*item);
            handed.push_back (pending);
            worker.add (pending);
        }
    }

    if (touched != nullptr && touched->afterSlice)
        touched->afterSlice();

    if (current != nullptr)
    {
        if (current->applied >= current->items.size())
            end (true);
        else if (onProgress && done > 0)
            onProgress (activity + ": " + withThousands (current->applied) + " of " + withThousands (current->items.size()) + " items");
    }

    return current != nullptr || ! handed.empty();
}

bool BrowserBulkOperation::runSlice()
{
    // A slice's worth of results, as the timer's slices find them (or all that are left).
    const auto batch = juce::jmin (handed.size(), (size_t) maxItemsPerSlice);

    while (batch > 0 && ! handed[batch - 1]->isDone() && ! handed[batch - 1]->wasDropped())
        worker.waitForTask (1000);

    return slice();
}

void BrowserBulkOperation::stop()
{
    // The changes not started are dropped; the one in flight lands on a later slice.
    worker.dropQueued();
    end (true);
}

void BrowserBulkOperation::abandon()
{
    worker.dropQueued();
    worker.waitUntilIdle();

    // What was written is taken by the model while its items are still listed.
    while (! handed.empty())
    {
        auto pending = handed.front();
        handed.pop_front();

        if (pending->isDone())
            apply (*pending, false);
    }

    stopSlices();
    end (false);
}

void BrowserBulkOperation::end (bool tell)
{
    if (current == nullptr)
        return;

    auto run = std::move (current);

    for (auto* source : run->sources)
        source->endBulkChange();

    if (onProgress)
        onProgress ({});

    if (tell && run->finished)
        run->finished (run->applied, run->failed, run->firstError);
}
