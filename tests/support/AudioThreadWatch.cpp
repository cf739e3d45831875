#include "support/AudioThreadWatch.h"

#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <new>
#include <pthread.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
extern "C" int __sanitizer_install_malloc_and_free_hooks (void (*) (const volatile void*, size_t), void (*) (const volatile void*));
#define GRINDEL_WATCH_HOOKS 1
#else
#define GRINDEL_WATCH_HOOKS 0
// glibc's own allocator behind its public names, so the program's malloc can count and forward
// (free, memalign and the rest stay glibc's: the heap is the same).
extern "C" void* __libc_malloc (size_t);
extern "C" void* __libc_calloc (size_t, size_t);
extern "C" void* __libc_realloc (void*, size_t);
#endif

namespace
{
    using LockFn = int (*) (pthread_mutex_t*);
    std::atomic<LockFn> realLock { nullptr };
    thread_local bool watching = false;
    std::atomic<size_t> allocations { 0 };

    constexpr size_t kMaxLocks = 16;
    std::atomic<void*> locks[kMaxLocks];
    std::atomic<size_t> distinctLocks { 0 };

    void noteLock (void* mutex)
    {
        const auto known = distinctLocks.load();
        for (size_t i = 0; i < known && i < kMaxLocks; ++i)
            if (locks[i].load() == mutex)
                return;

        const auto slot = distinctLocks++;
        if (slot < kMaxLocks)
            locks[slot] = mutex;
    }

    void noteAllocation()
    {
        if (watching)
            ++allocations;
    }

#if GRINDEL_WATCH_HOOKS
    void onAllocation (const volatile void*, size_t)
    {
        noteAllocation();
    }
    void onFree (const volatile void*) {}
#endif
}

#if ! GRINDEL_WATCH_HOOKS
extern "C" void* malloc (size_t size)
{
    noteAllocation();
    return __libc_malloc (size);
}

extern "C" void* calloc (size_t count, size_t size)
{
    noteAllocation();
    return __libc_calloc (count, size);
}

extern "C" void* realloc (void* p, size_t size)
{
    noteAllocation();
    return __libc_realloc (p, size);
}
#endif

// Every lock in the process comes here first: the program exports it, so a bundle binds to it.
extern "C" int pthread_mutex_lock (pthread_mutex_t* mutex)
{
    auto real = realLock.load();

    // No function-local static: its guard could lock and come back here.
    if (real == nullptr)
    {
        real = reinterpret_cast<LockFn> (dlsym (RTLD_NEXT, "pthread_mutex_lock"));
        realLock.store (real);
    }

    if (watching)
        noteLock (mutex);

    return real (mutex);
}

AudioThreadWatch::AudioThreadWatch()
{
    allocations = 0;
    distinctLocks = 0;
#if GRINDEL_WATCH_HOOKS
    static const bool installed = __sanitizer_install_malloc_and_free_hooks (onAllocation, onFree) != 0;
    (void) installed;
#endif
    watching = true;
}

AudioThreadWatch::~AudioThreadWatch()
{
    watching = false;
}

size_t AudioThreadWatch::Allocations() const { return allocations.load(); }
size_t AudioThreadWatch::DistinctLocks() const { return distinctLocks.load(); }

bool AudioThreadWatch::SeesAllocationsAndLocks()
{
    void* (*volatile allocate) (std::size_t) = &::operator new;
    void (*volatile release) (void*) = &::operator delete;
    int (*volatile lock) (pthread_mutex_t*) = &pthread_mutex_lock;
    int (*volatile unlock) (pthread_mutex_t*) = &pthread_mutex_unlock;
    pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;

    size_t seenAllocations = 0, seenLocks = 0;
    {
        AudioThreadWatch watch;
        release (allocate (16));
        lock (&mutex);
        unlock (&mutex);
        seenAllocations = watch.Allocations();
        seenLocks = watch.DistinctLocks();
    }

    return seenAllocations > 0 && seenLocks > 0;
}
