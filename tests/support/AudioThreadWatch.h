#pragma once

#include <cstddef>

// Watches what the calling thread does while a watch is active: heap allocations and mutex
// locks. Allocations are seen through the sanitizer's allocation hooks in sanitizer builds (ASan, TSan: the sanitizer owns malloc)
// and through the program's own malloc, calloc and realloc otherwise; locks through the
// program's own pthread_mutex_lock. A program that loads a bundle exports these symbols so
// the bundle binds to them.
class AudioThreadWatch
{
public:
    AudioThreadWatch();
    ~AudioThreadWatch();

    size_t Allocations() const;
    // The number of distinct mutexes locked.
    size_t DistinctLocks() const;

    // Allocates and locks once each while watching: a watch that sees neither cannot be
    // trusted to report zero. Kept from the optimiser through volatile function pointers.
    static bool SeesAllocationsAndLocks();
};
