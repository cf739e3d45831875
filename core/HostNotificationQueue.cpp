#include "core/HostNotificationQueue.h"

HostNotificationQueue::HostNotificationQueue (int indices, Deliver d)
    : fifo (juce::jmax (1, indices) + 1),   // the FIFO keeps one slot free
      entries ((size_t) juce::jmax (1, indices) + 1),
      waiting (std::make_unique<std::atomic<bool>[]> ((size_t) juce::jmax (1, indices))),
      numIndices (juce::jmax (0, indices)),
      deliver (std::move (d))
{
    for (int i = 0; i < juce::jmax (1, indices); ++i)
        waiting[(size_t) i].store (false);

    startTimer (10);
}

HostNotificationQueue::~HostNotificationQueue()
{
    stopTimer();
}

void HostNotificationQueue::post (int index) noexcept
{
    if (! juce::isPositiveAndBelow (index, numIndices) || waiting[(size_t) index].exchange (true, std::memory_order_acq_rel))
        return;

    const auto scope = fifo.write (1);

    if (scope.blockSize1 > 0)
        entries[(size_t) scope.startIndex1] = index;
    else if (scope.blockSize2 > 0)
        entries[(size_t) scope.startIndex2] = index;
}

void HostNotificationQueue::deliverPending()
{
    while (fifo.getNumReady() > 0)
    {
        int index = -1;

        {
            const auto scope = fifo.read (1);

            if (scope.blockSize1 > 0)
                index = entries[(size_t) scope.startIndex1];
            else if (scope.blockSize2 > 0)
                index = entries[(size_t) scope.startIndex2];
        }

        if (index < 0)
            break;

        // Cleared before the delivery reads the value: a change after this posts again. An
        // exchange, not a store: a store lets the value's loads move before the clear, and a
        // post that lands between them would be skipped with the new value never delivered.
        waiting[(size_t) index].exchange (false, std::memory_order_acq_rel);

        if (deliver)
            deliver (index);
    }
}
