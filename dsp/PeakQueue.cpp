#include "dsp/PeakQueue.h"
#include <algorithm>

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
