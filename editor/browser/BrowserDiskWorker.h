#pragma once

#include <juce_core/juce_core.h>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

/** The one thread of a long browser operation that does its disk part (writes and their syncs,
    deletes, reading or writing an archive), so that no slow disk call holds the message
    thread. Tasks run one at a time, in the order they were added. A task touches only what it
    owns and the disk; the message thread hands it over and looks at it again once it is done.

    The thread runs while there are tasks and ends when there are none. Message thread only
    (the tasks' own run() is the worker's). */
class BrowserDiskWorker
{
public:
    class Task
    {
    public:
        virtual ~Task() = default;
        /** The worker's thread. */
        virtual void run() = 0;

        /** Whether run() has ended: what it wrote is then visible to the caller. */
        bool isDone() const noexcept { return state.load (std::memory_order_acquire) == done; }
        /** Whether it was dropped before it started (it never runs). */
        bool wasDropped() const noexcept { return state.load (std::memory_order_acquire) == dropped; }

    private:
        friend class BrowserDiskWorker;
        enum State
        {
            queued,
            running,
            done,
            dropped
        };
        std::atomic<int> state { queued };
    };

    BrowserDiskWorker() = default;
    /** Drops the tasks not started and waits for the running one. */
    ~BrowserDiskWorker();

    /** Queues a task; the thread starts when none runs. */
    void add (std::shared_ptr<Task> task);
    /** The tasks not started yet are dropped (wasDropped). */
    void dropQueued();
    /** Waits until no task runs or waits (after dropQueued: until the running one ends). */
    void waitUntilIdle();
    /** Waits until a task ends, for at most timeoutMs (benchmarks run the message thread's
        part at the pace of the worker). */
    void waitForTask (int timeoutMs);
    /** Whether no task runs or waits. */
    bool isIdle() const;

private:
    void work();

    mutable std::mutex lock;
    std::condition_variable changed;
    std::deque<std::shared_ptr<Task>> queue;
    std::thread thread;
    bool threadRunning = false;
    bool taskRunning = false;

    JUCE_DECLARE_NON_COPYABLE (BrowserDiskWorker)
};
