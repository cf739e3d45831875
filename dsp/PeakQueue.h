#pragma once

#include <atomic>

/** One meter's peaks on their way from the audio thread to the reader that takes them: the
    audio thread adds a peak every few milliseconds of audio, the reader takes the largest of
    those that came since its last take. Neither side locks, waits or makes a read-modify-write:
    the audio thread stores peaks and its count, the reader stores how far it took. When the
    reader falls behind by the whole queue, the audio thread gathers what comes in one peak
    until there is room, so no peak is lost and none is shown twice. */
class PeakQueue
{
public:
    /** Audio thread (the one writer): never allocates or locks. A peak, at least 0. */
    void add (float peak) noexcept
    {
        waiting = peak > waiting ? peak : waiting;
        const auto count = added.load (std::memory_order_relaxed);

        // Acquired: the reader has read the slots it took before one of them is written again.
        if (count - taken.load (std::memory_order_acquire) >= capacity)
            return;

        peaks[count % capacity].store (waiting, std::memory_order_relaxed);
        added.store (count + 1, std::memory_order_release);
        waiting = -1.0f;
    }
    /** Any thread (the one reader that takes): lock-free. The largest peak added since the
        last take, or the last value taken when none was. */
    float take() noexcept;
    /** Any thread: lock-free. As take, without taking. */
    float peek() const noexcept;

    /** Peaks the queue holds for a reader that falls behind: at 5 ms a peak, 80 ms. */
    static constexpr unsigned capacity = 16;

private:
    float largestSince (unsigned first, unsigned end) const noexcept;

    std::atomic<float> peaks[capacity] {};
    std::atomic<unsigned> added { 0 }, taken { 0 };   // counts; the slot of peak n is n % capacity
    std::atomic<float> lastTaken { 0.0f };
    float waiting = -1.0f;   // audio thread only: gathered while the queue was full (-1: none)
};
