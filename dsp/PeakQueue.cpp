#include "dsp/PeakQueue.h"
#include <algorithm>

void PeakQueue::add (float peak) noexcept
{
    waiting = std::max (waiting, peak);
    const auto count = added.load (std::memory_order_relaxed);

    // Acquired: the reader has read the slots it took before one of them is written again.
    if (count - taken.load (std::memory_order_acquire) >= capacity)
        return;

    peaks[count % capacity].store (waiting, std::memory_order_relaxed);
    added.store (count + 1, std::memory_order_release);
    waiting = -1.0f;
}

float PeakQueue::largestSince (unsigned first, unsigned end) const noexcept
{
    float largest = 0.0f;

    for (auto n = first; n != end; ++n)
        largest = std::max (largest, peaks[n % capacity].load (std::memory_order_relaxed));

    return largest;
}

float PeakQueue::take() noexcept
{
    const auto end = added.load (std::memory_order_acquire);
    const auto first = taken.load (std::memory_order_relaxed);

    if (first == end)
        return lastTaken.load (std::memory_order_relaxed);

    const auto largest = largestSince (first, end);
    taken.store (end, std::memory_order_release);
    lastTaken.store (largest, std::memory_order_relaxed);
    return largest;
}

float PeakQueue::peek() const noexcept
{
    const auto end = added.load (std::memory_order_acquire);
    const auto first = taken.load (std::memory_order_acquire);

    // A take between the two loads leaves first ahead of end's count from before it.
    if (end - first - 1 >= capacity)
        return lastTaken.load (std::memory_order_relaxed);

    return largestSince (first, end);
}
