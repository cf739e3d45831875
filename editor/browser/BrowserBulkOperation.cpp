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
}

BrowserBulkOperation::BrowserBulkOperation() = default;

BrowserBulkOperation::~BrowserBulkOperation()
{
    abandon();
}

void BrowserBulkOperation::start (const juce::String& newActivity, const juce::Array<ContentItem*>& newItems, Step newStep,
                                  Finished newFinished, std::function<void()> newAfterSlice)
{
    stop();

    activity = newActivity;
    items = newItems;
    step = std::move (newStep);
    finished = std::move (newFinished);
    afterSlice = std::move (newAfterSlice);
    next = failed = 0;
    firstError.clear();

    for (auto* item : items)
        if (item != nullptr && sources.addIfNotAlreadyThere (item->source))
            item->source->beginBulkChange();

    if (runSlice())
        triggerAsyncUpdate();
}

bool BrowserBulkOperation::runSlice()
{
    if (step == nullptr)
        return false;

    const auto started = juce::Time::getMillisecondCounterHiRes();
    int done = 0;

    // A slow disk ends a slice early; a fast one after a fixed count.
    while (next < items.size() && done < maxItemsPerSlice
           && (done == 0 || juce::Time::getMillisecondCounterHiRes() - started < sliceBudgetMs))
    {
        const int index = next++;
        ++done;

        if (auto* item = items.getUnchecked (index); item != nullptr && ! step (index, *item))
        {
            if (failed++ == 0)
                firstError = item->source->getLastError();
        }
    }

    largestSlice = juce::jmax (largestSlice, done);
    ++slicesRun;

    if (afterSlice)
        afterSlice();

    if (next < items.size())
    {
        if (onProgress)
            onProgress (activity + ": " + withThousands (next) + " of " + withThousands (items.size()) + " items");

        return true;
    }

    end (true);
    return false;
}

void BrowserBulkOperation::handleAsyncUpdate()
{
    if (runSlice())
        triggerAsyncUpdate();
}

void BrowserBulkOperation::stop()
{
    end (true);
}

void BrowserBulkOperation::abandon()
{
    end (false);
}

void BrowserBulkOperation::end (bool tell)
{
    cancelPendingUpdate();

    if (step == nullptr)
        return;

    const auto done = next;
    const auto failures = failed;
    const auto error = firstError;
    auto whenFinished = std::move (finished);
    step = nullptr;
    finished = nullptr;
    afterSlice = nullptr;
    items.clearQuick();

    for (auto* source : sources)
        source->endBulkChange();

    sources.clearQuick();

    if (onProgress)
        onProgress ({});

    if (tell && whenFinished)
        whenFinished (done, failures, error);
}
