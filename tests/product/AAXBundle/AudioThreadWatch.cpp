#include "AudioThreadWatch.h"

#include <atomic>
#include <dlfcn.h>
#include <pthread.h>

#if defined(__SANITIZE_ADDRESS__)
extern "C" int __sanitizer_install_malloc_and_free_hooks (void (*) (const volatile void*, size_t), void (*) (const volatile void*));
#define GRINDEL_WATCH_ALLOCATIONS 1
#else
#define GRINDEL_WATCH_ALLOCATIONS 0
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

#if GRINDEL_WATCH_ALLOCATIONS
    void onAllocation (const volatile void*, size_t)
    {
        if (watching)
            ++allocations;
    }

    void onFree (const volatile void*) {}
#endif
}

// Every lock in the process comes here first: the program exports it, so the bundle binds to it.
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
#if GRINDEL_WATCH_ALLOCATIONS
    static const bool installed = __sanitizer_install_malloc_and_free_hooks (onAllocation, onFree) != 0;
    (void) installed;
#endif
    watching = true;
}

AudioThreadWatch::~AudioThreadWatch()
{
    watching = false;
}

bool AudioThreadWatch::CanSeeAllocations() { return GRINDEL_WATCH_ALLOCATIONS != 0; }
size_t AudioThreadWatch::Allocations() const { return allocations.load(); }
size_t AudioThreadWatch::DistinctLocks() const { return distinctLocks.load(); }
