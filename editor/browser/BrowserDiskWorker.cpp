#include "editor/browser/BrowserDiskWorker.h"

BrowserDiskWorker::~BrowserDiskWorker()
{
    dropQueued();
    waitUntilIdle();

    if (thread.joinable())
        thread.join();
}

void BrowserDiskWorker::add (std::shared_ptr<Task> task)
{
    std::unique_lock<std::mutex> held (lock);
    queue.push_back (std::move (task));

    if (threadRunning)
    {
        changed.notify_all();
        return;
    }

    // The last thread has ended (or is just returning): a new one takes over.
    held.unlock();

    if (thread.joinable())
        thread.join();

    held.lock();
    threadRunning = true;
    thread = std::thread ([this] { work(); });
}

void BrowserDiskWorker::work()
{
    std::unique_lock<std::mutex> held (lock);

    while (! queue.empty())
    {
        auto task = std::move (queue.front());
        queue.pop_front();
        task->state.store (Task::running, std::memory_order_relaxed);
        taskRunning = true;
        held.unlock();

        task->run();
        // Release: the caller that sees done sees everything run() wrote.
        task->state.store (Task::done, std::memory_order_release);
        task.reset();

        held.lock();
        taskRunning = false;
        changed.notify_all();
    }

    threadRunning = false;
    changed.notify_all();
}

void BrowserDiskWorker::dropQueued()
{
    const std::lock_guard<std::mutex> held (lock);

    for (auto& task : queue)
        task->state.store (Task::dropped, std::memory_order_release);

    queue.clear();
}

void BrowserDiskWorker::waitUntilIdle()
{
    std::unique_lock<std::mutex> held (lock);
    changed.wait (held, [this] { return queue.empty() && ! taskRunning; });
}

void BrowserDiskWorker::waitForTask (int timeoutMs)
{
    std::unique_lock<std::mutex> held (lock);

    if (queue.empty() && ! taskRunning)
        return;

    changed.wait_for (held, std::chrono::milliseconds (timeoutMs));
}

bool BrowserDiskWorker::isIdle() const
{
    const std::lock_guard<std::mutex> held (lock);
    return queue.empty() && ! taskRunning;
}
