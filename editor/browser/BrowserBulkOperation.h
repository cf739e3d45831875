#pragma once

#include "core/content/ContentSource.h"
#include "editor/browser/BrowserDiskWorker.h"
#include "editor/browser/SliceTimer.h"
#include <deque>
#include <functional>
#include <juce_gui_basics/juce_gui_basics.h>

/** One change over many items (a tag edit, a delete). The disk part of each item (the write
    with its sync, the delete) runs on the operation's worker thread, in order; the message
    thread prepares the changes from the items and gives the items and their sources the
    results, in slices driven by a timer: each slice ends after maxItemsPerSlice items or
    sliceBudgetMs, and the message loop reads the user's input and paints between slices (a
    tick without work follows each slice: JUCE's Linux loop handles every message posted while
    it empties its queue, so back-to-back slices would never let it read the display). No
    disk call runs on the message thread, so a slow sync never holds it. A change over at most
    maxItemsAtOnce items runs at once instead, item by item, as the single-item calls do.

    Each item keeps every guarantee of the single-item call: the write is atomic, a tag write
    takes the folder lock, a delete is refused for a file changed elsewhere (checked on the
    worker right before the delete). The sources gather their tags once, at the end.

    At most one operation runs; starting another ends the first where it stands (its change
    in flight still lands in the model before the new one begins). Message thread only. */
class BrowserBulkOperation : private SliceTimer
{
public:
    static constexpr int maxItemsPerSlice = 256;
    static constexpr double sliceBudgetMs = 25.0;
    static constexpr int maxItemsAtOnce = 8;

    /** What happens to each item. */
    struct Change
    {
        /** The tags item index gets; null: the items are deleted. */
        std::function<CategoryTagMap (int index, const ContentItem& item)> tagsFor;
        /** After an item took its change (not told of failures). */
        std::function<void (ContentItem& item)> applied;
    };

    /** After the last item (or a stop): how many items were done and how many failed; the
        reason of the first failure. */
    using Finished = std::function<void (int done, int failed, const juce::String& firstError)>;

    BrowserBulkOperation();
    ~BrowserBulkOperation() override;

    /** Starts over the items; activity names it in the progress text ("Deleting"). Runs the
        first slice at once; afterSlice (may be empty) runs at the end of every slice that
        changed items. */
    void start (const juce::String& activity, const juce::Array<ContentItem*>& items, Change change, Finished finished,
                std::function<void()> afterSlice = {});
    /** Ends the running operation where it stands, telling its Finished. */
    void stop();
    /** Drops the running operation without telling anyone (its items are going away): waits
        for the change in flight, which its source takes when its items are still listed. */
    void abandon();

    bool isRunning() const noexcept { return current != nullptr; }
    /** Not running, and every change handed to the worker has landed (or was dropped). */
    bool isIdle() const noexcept { return current == nullptr && handed.empty(); }
    const juce::String& getActivity() const noexcept { return activity; }

    /** The text of the progress ("Deleting: 320 of 10,000 items"), empty when idle. */
    std::function<void (const juce::String& progress)> onProgress;

    /** Runs one slice now, waiting for a slice's worth of the worker's results (benchmarks);
        false when nothing is left. */
    bool runSlice();

    /** The most items any slice of this object has applied, and the slices run (tests). */
    int getLargestSlice() const noexcept { return largestSlice; }
    int getSlicesRun() const noexcept { return slicesRun; }

private:
    struct Run;
    struct Pending;

    bool slice() override;
    void apply (Pending& pending, bool withCallbacks);
    void end (bool tell);
    void runAtOnce();

    juce::String activity;
    std::shared_ptr<Run> current;
    // Handed to the worker, oldest first: each is taken by the model in this order.
    std::deque<std::shared_ptr<Pending>> handed;
    int largestSlice = 0, slicesRun = 0;
    BrowserDiskWorker worker;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BrowserBulkOperation)
};
