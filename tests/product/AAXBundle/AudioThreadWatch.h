#pragma once

#include <cstddef>

// Watches what the calling thread does while a watch is active: heap allocations (through
// the sanitizer's allocation hooks, so only in sanitizer builds) and mutex locks (through
// the test program's own pthread_mutex_lock, which the bundle binds to).
class AudioThreadWatch
{
public:
    AudioThreadWatch();
    ~AudioThreadWatch();

    static bool CanSeeAllocations();

    size_t Allocations() const;
    // The number of distinct mutexes locked.
    size_t DistinctLocks() const;
};
