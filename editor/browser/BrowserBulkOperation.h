#pragma once

#include "core/content/ContentSource.h"
#include <functional>
#include <juce_gui_basics/juce_gui_basics.h>

/** One change over many items (a tag edit, a delete) done on the message thread in short
    slices: each slice ends after maxItemsPerSlice items or sliceBudgetMs, whichever comes
    first, and the next one runs on a later turn of the message loop, so the editor keeps
    painting and taking input. The sources of the items gather their tags once, at the end.

    At most one operation runs; starting another ends the first where it stands. Every item
    goes through the same single-item call as before, so each write stays atomic, takes the
    folder lock and is refused for an item changed elsewhere. Message thread only. */
class BrowserBulkOperation : private juce::AsyncUpdater
{
public:
    static constexpr int maxItemsPerSlice = 32;
    static constexpr double sliceBudgetMs = 40.0;

    /** Does the change to items[index]; false when it failed. */
    using Step = std::function<bool (int index, ContentItem& item)>;
    /** After the last item (or a stop): how many items were done and how many failed; the
        reason of the first failure. */
    using Finished = std::function<void (int done, int failed, const juce::String& firstError)>;

    BrowserBulkOperation();
    ~BrowserBulkOperation() override;

    /** Starts over the items; activity names it in the progress text ("Deleting"). Runs the
        first slice at once; afterSlice (may be empty) runs at the end of every slice. */
    void start (const juce::String& activity, const juce::Array<ContentItem*>& items, Step step, Finished finished,
                std::function<void()> afterSlice = {});
    /** Ends the running operation where it stands, telling its Finished. */
    void stop();
    /** Drops the running operation without telling anyone (its items are going away). */
    void abandon();

    bool isRunning() const noexcept { return step != nullptr; }
    const juce::String& getActivity() const noexcept { return activity; }

    /** The text of the progress ("Deleting: 320 of 10,000 items"), empty when idle. */
    std::function<void (const juce::String& progress)> onProgress;

    /** Runs one slice now; false when nothing is left. */
    bool runSlice();

    /** The most items any slice of this object has done, and the slices run (tests). */
    int getLargestSlice() const noexcept { return largestSlice; }
    int getSlicesRun() const noexcept { return slicesRun; }

private:
    void handleAsyncUpdate() override;
    void end (bool tell);

    juce::String activity;
    juce::Array<ContentItem*> items;
    juce::Array<ContentSource*> sources;
    Step step;
    Finished finished;
    std::function<void()> afterSlice;
    int next = 0, failed = 0;
    juce::String firstError;
    int largestSlice = 0, slicesRun = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BrowserBulkOperation)
};
