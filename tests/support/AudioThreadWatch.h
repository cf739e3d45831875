#pragma once

#include <cstddef>
#include <memory>
#include <string>

// Watches what the calling thread does while a watch is active: heap allocations, locks and
// system calls.
// - Allocations: through the program's own aligned allocation functions (aligned_alloc,
//   posix_memalign, memalign, valloc, pvalloc), and malloc, calloc, realloc and reallocarray,
//   which every operator new reaches; in sanitizer builds (ASan, TSan), where the sanitizer
//   owns malloc and operator new, through its allocation hooks and, for the aligned ones,
//   which TSan's hooks miss, the program's functions in front of the sanitizer's.
// - Locks: through the program's own pthread mutex, read-write lock and spin lock functions,
//   try-locks and timed locks included; a lock counts when it is asked for, taken or not.
// - System calls (Linux): a seccomp filter on the thread hands each of its system calls to a
//   supervising thread, which counts it and lets it go on. A filter cannot be taken off again,
//   so the watch installs one only on a thread other than the process's first, which should
//   end after the watch (its later calls are let through uncounted). Calls that the sanitizer
//   runtime makes for itself are not the program's and are not counted.
// A program that loads a bundle exports these functions so the bundle binds to them.
class AudioThreadWatch
{
public:
    AudioThreadWatch();
    ~AudioThreadWatch();

    size_t Allocations() const;
    // The number of distinct locks asked for.
    size_t DistinctLocks() const;
    // The system calls made so far; 0 too when the thread is not watched for them.
    size_t SystemCalls() const;
    // Whether this watch sees the thread's system calls.
    bool WatchesSystemCalls() const;
    // The first few system calls seen: number and where they came from, for a test's message.
    std::string SystemCallsSeen() const;

    // Allocates and locks in every watched way while watching: a watch that misses one cannot
    // be trusted to report zero. Kept from the optimiser through volatile function pointers.
    // The ways missed are added to unseen.
    static bool SeesAllocationsAndLocks (std::string* unseen = nullptr);
    // Makes a system call on a thread of its own while watching it.
    static bool SeesSystemCalls();

    struct SystemCallWatch;

private:
    explicit AudioThreadWatch (bool withSystemCalls);

    std::shared_ptr<SystemCallWatch> systemCalls;
};
