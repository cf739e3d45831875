#include "core/HostNotificationQueue.h"
#include <gtest/gtest.h>
#include <thread>

// The audio thread changes a value in bursts, posting each change, while the message thread
// empties the queue without pause. Two whole passes after a burst its last value must have
// reached the message thread: a post skipped because the entry was still waiting is covered by
// the delivery that clears it only when that delivery reads the value after the clear.
TEST (HostNotificationQueue, TheLastChangeOfEveryBurstIsDelivered)
{
    std::atomic<int> value { 0 }, delivered { 0 }, passes { 0 };
    std::atomic<bool> stop { false };
    HostNotificationQueue queue (1, [&] (int) { delivered.store (value.load (std::memory_order_relaxed), std::memory_order_relaxed); });

    constexpr int bursts = 20000;
    int stale = 0;

    std::thread audio ([&] {
        for (int burst = 1; burst <= bursts; ++burst)
        {
            for (int i = 1; i <= 3; ++i)
            {
                value.store (burst * 4 + i, std::memory_order_relaxed);
                queue.post (0);
            }

            const int from = passes.load();

            while (passes.load() < from + 2)
                ;

            if (delivered.load() != burst * 4 + 3)
            {
                ++stale;
                queue.post (0);   // not left stale for the next burst
            }
        }

        stop = true;
    });

    while (! stop.load())
    {
        queue.deliverPending();
        ++passes;
    }

    audio.join();
    EXPECT_EQ (stale, 0) << "of " << bursts << " bursts";
}
