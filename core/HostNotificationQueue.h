#pragma once

#include <juce_events/juce_events.h>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

/** Host notifications that leave the audio thread: the audio thread posts the index of a
    parameter whose value it changed, the message thread delivers it (at its next 10 ms tick or
    at once through deliverPending). An index waits in the queue at most once, so the queue never
    fills: one producer (the audio thread) and one consumer (the message thread), no lock. */
class HostNotificationQueue : private juce::Timer
{
public:
    using Deliver = std::function<void (int index)>;

    /** Message thread: may allocate. Indices 0 to numIndices - 1; deliver runs on the message
        thread. */
    HostNotificationQueue (int numIndices, Deliver deliver);
    ~HostNotificationQueue() override;

    /** Audio thread: never allocates, locks or blocks. Out-of-range indices are ignored. */
    void post (int index) noexcept;
    /** Message thread: delivers every posted index now, in the order posted. */
    void deliverPending();

private:
    void timerCallback() override { deliverPending(); }

    juce::AbstractFifo fifo;
    std::vector<int> entries;
    std::unique_ptr<std::atomic<bool>[]> waiting;
    const int numIndices;
    Deliver deliver;
};
