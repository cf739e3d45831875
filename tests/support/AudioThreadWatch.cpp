#include "support/AudioThreadWatch.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <malloc.h>
#include <new>
#include <pthread.h>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <cstdio>
#include <fcntl.h>
#include <iterator>
#include <link.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <unistd.h>
#define GRINDEL_WATCH_SYSTEM_CALLS 1
#else
#define GRINDEL_WATCH_SYSTEM_CALLS 0
#endif

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
extern "C" int __sanitizer_install_malloc_and_free_hooks (void (*) (const volatile void*, size_t), void (*) (const volatile void*));
#define GRINDEL_WATCH_HOOKS 1
#else
#define GRINDEL_WATCH_HOOKS 0
// glibc's own allocator behind its public names, so the program's functions can count and
// forward (free stays glibc's: the heap is the same).
extern "C" void* __libc_malloc (size_t);
extern "C" void* __libc_calloc (size_t, size_t);
extern "C" void* __libc_realloc (void*, size_t);
extern "C" void* __libc_memalign (size_t, size_t);
extern "C" void* __libc_valloc (size_t);
extern "C" void* __libc_pvalloc (size_t);
#endif

namespace
{
    thread_local bool watching = false;
    std::atomic<size_t> allocations { 0 };

    constexpr size_t kMaxLocks = 16;
    std::atomic<const void*> locks[kMaxLocks];
    std::atomic<size_t> distinctLocks { 0 };

    void noteLock (const void* lock)
    {
        if (! watching)
            return;

        const auto known = distinctLocks.load();
        for (size_t i = 0; i < known && i < kMaxLocks; ++i)
            if (locks[i].load() == lock)
                return;

        const auto slot = distinctLocks++;
        if (slot < kMaxLocks)
            locks[slot] = lock;
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

    // The next definition of a function the program replaces (the sanitizer's interceptor or
    // glibc's), looked up once before any watch starts: the lookup itself may lock.
    template <typename Fn>
    class Real
    {
    public:
        explicit Real (const char* n) : name (n) {}

        Fn get()
        {
            auto fn = function.load();

            // No function-local static: its guard could lock and come back here.
            if (fn == nullptr)
            {
                fn = reinterpret_cast<Fn> (dlsym (RTLD_NEXT, name));
                function.store (fn);
            }

            return fn;
        }

    private:
        const char* name;
        std::atomic<Fn> function { nullptr };
    };

    Real<int (*) (pthread_mutex_t*)> realMutexLock ("pthread_mutex_lock");
    Real<int (*) (pthread_mutex_t*)> realMutexTryLock ("pthread_mutex_trylock");
    Real<int (*) (pthread_mutex_t*, const timespec*)> realMutexTimedLock ("pthread_mutex_timedlock");
    Real<int (*) (pthread_mutex_t*, clockid_t, const timespec*)> realMutexClockLock ("pthread_mutex_clocklock");
    Real<int (*) (pthread_rwlock_t*)> realReadLock ("pthread_rwlock_rdlock");
    Real<int (*) (pthread_rwlock_t*)> realWriteLock ("pthread_rwlock_wrlock");
    Real<int (*) (pthread_rwlock_t*)> realTryReadLock ("pthread_rwlock_tryrdlock");
    Real<int (*) (pthread_rwlock_t*)> realTryWriteLock ("pthread_rwlock_trywrlock");
    Real<int (*) (pthread_rwlock_t*, const timespec*)> realTimedReadLock ("pthread_rwlock_timedrdlock");
    Real<int (*) (pthread_rwlock_t*, const timespec*)> realTimedWriteLock ("pthread_rwlock_timedwrlock");
    Real<int (*) (pthread_rwlock_t*, clockid_t, const timespec*)> realClockReadLock ("pthread_rwlock_clockrdlock");
    Real<int (*) (pthread_rwlock_t*, clockid_t, const timespec*)> realClockWriteLock ("pthread_rwlock_clockwrlock");
    Real<int (*) (pthread_spinlock_t*)> realSpinLock ("pthread_spin_lock");
    Real<int (*) (pthread_spinlock_t*)> realSpinTryLock ("pthread_spin_trylock");

#if GRINDEL_WATCH_HOOKS
    // TSan's allocation hooks miss the aligned allocations: the program's own functions count
    // them and hand them to the sanitizer's.
    Real<void* (*) (size_t, size_t)> realAlignedAlloc ("aligned_alloc");
    Real<void* (*) (size_t, size_t)> realMemalign ("memalign");
    Real<int (*) (void**, size_t, size_t)> realPosixMemalign ("posix_memalign");
    Real<void* (*) (size_t)> realValloc ("valloc");
    Real<void* (*) (size_t)> realPvalloc ("pvalloc");
#endif

    void resolveRealFunctions()
    {
#if GRINDEL_WATCH_HOOKS
        realAlignedAlloc.get();
        realMemalign.get();
        realPosixMemalign.get();
        realValloc.get();
        realPvalloc.get();
#endif
        realMutexLock.get();
        realMutexTryLock.get();
        realMutexTimedLock.get();
        realMutexClockLock.get();
        realReadLock.get();
        realWriteLock.get();
        realTryReadLock.get();
        realTryWriteLock.get();
        realTimedReadLock.get();
        realTimedWriteLock.get();
        realClockReadLock.get();
        realClockWriteLock.get();
        realSpinLock.get();
        realSpinTryLock.get();
    }
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

extern "C" void* reallocarray (void* p, size_t count, size_t size)
{
    noteAllocation();
    size_t bytes = 0;

    if (__builtin_mul_overflow (count, size, &bytes))
    {
        errno = ENOMEM;
        return nullptr;
    }

    return __libc_realloc (p, bytes);
}

// The aligned allocations (libstdc++'s aligned operator new calls aligned_alloc).
extern "C" void* aligned_alloc (size_t alignment, size_t size)
{
    noteAllocation();
    return __libc_memalign (alignment, size);
}

extern "C" void* memalign (size_t alignment, size_t size)
{
    noteAllocation();
    return __libc_memalign (alignment, size);
}

extern "C" int posix_memalign (void** result, size_t alignment, size_t size)
{
    noteAllocation();

    if (alignment % sizeof (void*) != 0 || (alignment & (alignment - 1)) != 0 || alignment == 0)
        return EINVAL;

    auto* p = __libc_memalign (alignment, size);

    if (p == nullptr)
        return ENOMEM;

    *result = p;
    return 0;
}

extern "C" void* valloc (size_t size)
{
    noteAllocation();
    return __libc_valloc (size);
}

extern "C" void* pvalloc (size_t size)
{
    noteAllocation();
    return __libc_pvalloc (size);
}
#endif

#if GRINDEL_WATCH_HOOKS
extern "C" void* aligned_alloc (size_t alignment, size_t size)
{
    noteAllocation();
    return realAlignedAlloc.get() (alignment, size);
}

extern "C" void* memalign (size_t alignment, size_t size)
{
    noteAllocation();
    return realMemalign.get() (alignment, size);
}

extern "C" int posix_memalign (void** result, size_t alignment, size_t size)
{
    noteAllocation();
    return realPosixMemalign.get() (result, alignment, size);
}

extern "C" void* valloc (size_t size)
{
    noteAllocation();
    return realValloc.get() (size);
}

extern "C" void* pvalloc (size_t size)
{
    noteAllocation();
    return realPvalloc.get() (size);
}
#endif

// Every lock in the process comes here first: the program exports these, so a bundle binds to
// them.
extern "C" int pthread_mutex_lock (pthread_mutex_t* mutex)
{
    noteLock (mutex);
    return realMutexLock.get() (mutex);
}

extern "C" int pthread_mutex_trylock (pthread_mutex_t* mutex)
{
    noteLock (mutex);
    return realMutexTryLock.get() (mutex);
}

extern "C" int pthread_mutex_timedlock (pthread_mutex_t* mutex, const timespec* until)
{
    noteLock (mutex);
    return realMutexTimedLock.get() (mutex, until);
}

extern "C" int pthread_mutex_clocklock (pthread_mutex_t* mutex, clockid_t clock, const timespec* until)
{
    noteLock (mutex);
    return realMutexClockLock.get() (mutex, clock, until);
}

extern "C" int pthread_rwlock_rdlock (pthread_rwlock_t* lock)
{
    noteLock (lock);
    return realReadLock.get() (lock);
}

extern "C" int pthread_rwlock_wrlock (pthread_rwlock_t* lock)
{
    noteLock (lock);
    return realWriteLock.get() (lock);
}

extern "C" int pthread_rwlock_tryrdlock (pthread_rwlock_t* lock)
{
    noteLock (lock);
    return realTryReadLock.get() (lock);
}

extern "C" int pthread_rwlock_trywrlock (pthread_rwlock_t* lock)
{
    noteLock (lock);
    return realTryWriteLock.get() (lock);
}

extern "C" int pthread_rwlock_timedrdlock (pthread_rwlock_t* lock, const timespec* until)
{
    noteLock (lock);
    return realTimedReadLock.get() (lock, until);
}

extern "C" int pthread_rwlock_timedwrlock (pthread_rwlock_t* lock, const timespec* until)
{
    noteLock (lock);
    return realTimedWriteLock.get() (lock, until);
}

extern "C" int pthread_rwlock_clockrdlock (pthread_rwlock_t* lock, clockid_t clock, const timespec* until)
{
    noteLock (lock);
    return realClockReadLock.get() (lock, clock, until);
}

extern "C" int pthread_rwlock_clockwrlock (pthread_rwlock_t* lock, clockid_t clock, const timespec* until)
{
    noteLock (lock);
    return realClockWriteLock.get() (lock, clock, until);
}

extern "C" int pthread_spin_lock (pthread_spinlock_t* lock)
{
    noteLock ((const void*) lock);
    return realSpinLock.get() (lock);
}

extern "C" int pthread_spin_trylock (pthread_spinlock_t* lock)
{
    noteLock ((const void*) lock);
    return realSpinTryLock.get() (lock);
}

//==============================================================================
// What the supervising thread of one watch shares with it.
struct AudioThreadWatch::SystemCallWatch
{
    static constexpr int kWaiting = -1, kNone = -2;
    std::atomic<int> listener { kWaiting };   // the filter's notification descriptor
    std::atomic<bool> counting { false };
    std::atomic<size_t> count { 0 };

    static constexpr size_t kKept = 8;
    std::atomic<long> numbers[kKept] {};
    std::atomic<std::uintptr_t> places[kKept] {};

    // Where the sanitizer runtimes' code lies, and UBSan's among it: their own calls are not
    // the program's.
    struct Range
    {
        std::uintptr_t begin, end;
    };
    std::vector<Range> runtime, undefinedBehaviourRuntime;

    static bool within (const std::vector<Range>& ranges, std::uintptr_t address)
    {
        for (const auto& r : ranges)
            if (address >= r.begin && address < r.end)
                return true;

        return false;
    }

    // place: where the call was made; stack: the words at the stack pointer, when known.
    void note (long number, std::uintptr_t place, const std::uintptr_t* stack, size_t stackWords)
    {
        if (! counting || within (runtime, place))
            return;

        // UBSan intercepts nothing, so a return into it on the stack means the call is its
        // own: its first check of a dynamic type probes memory through a pipe.
        for (size_t i = 0; i < stackWords; ++i)
            if (within (undefinedBehaviourRuntime, stack[i]))
                return;

        const auto n = count++;

        if (n < kKept)
        {
            numbers[n] = number;
            places[n] = place;
        }
    }
};

#if GRINDEL_WATCH_SYSTEM_CALLS
namespace
{
    int findRuntime (dl_phdr_info* info, size_t, void* data)
    {
        const char* name = info->dlpi_name != nullptr ? info->dlpi_name : "";
        const bool undefinedBehaviour = std::strstr (name, "libubsan") != nullptr;

        if (std::strstr (name, "libasan") == nullptr && std::strstr (name, "libtsan") == nullptr && std::strstr (name, "liblsan") == nullptr
            && ! undefinedBehaviour)
            return 0;

        auto& watch = *static_cast<AudioThreadWatch::SystemCallWatch*> (data);

        for (int i = 0; i < info->dlpi_phnum; ++i)
        {
            const auto& segment = info->dlpi_phdr[i];

            if (segment.p_type == PT_LOAD && (segment.p_flags & PF_X) != 0)
            {
                const AudioThreadWatch::SystemCallWatch::Range code { info->dlpi_addr + segment.p_vaddr, info->dlpi_addr + segment.p_vaddr + segment.p_memsz };
                watch.runtime.push_back (code);

                if (undefinedBehaviour)
                    watch.undefinedBehaviourRuntime.push_back (code);
            }
        }

        return 0;
    }

    // The top of a thread's stack while it waits in a system call, from the stack pointer that
    // /proc shows for it; 0 words when it cannot be read.
    size_t readStackTop (pid_t thread, std::uintptr_t* words, size_t capacity)
    {
        char path[64];
        std::snprintf (path, sizeof (path), "/proc/self/task/%d/syscall", (int) thread);
        const int fd = open (path, O_RDONLY | O_CLOEXEC);

        if (fd < 0)
            return 0;

        char text[256] {};
        const auto length = read (fd, text, sizeof (text) - 1);
        close (fd);

        if (length <= 0)
            return 0;

        // The call's number, six arguments, the stack pointer, the instruction pointer.
        char* field = text;

        for (int i = 0; i < 7 && field != nullptr; ++i)
            if ((field = std::strchr (field, ' ')) != nullptr)
                ++field;

        if (field == nullptr)
            return 0;

        const auto stackPointer = (std::uintptr_t) std::strtoull (field, nullptr, 16);
        iovec local { words, capacity * sizeof (std::uintptr_t) };
        iovec remote { reinterpret_cast<void*> (stackPointer), capacity * sizeof (std::uintptr_t) };
        const auto copied = process_vm_readv (getpid(), &local, 1, &remote, 1, 0);
        return copied > 0 ? (size_t) copied / sizeof (std::uintptr_t) : 0;
    }

    // Answers the filter's notifications until the watched thread (and any it made) is gone:
    // counts each call, then lets it go on as if no filter were there.
    void supervise (std::shared_ptr<AudioThreadWatch::SystemCallWatch> watch)
    {
        int fd;

        while ((fd = watch->listener.load()) == AudioThreadWatch::SystemCallWatch::kWaiting)
            std::this_thread::yield();

        if (fd < 0)
            return;

        seccomp_notif_sizes sizes {};
        syscall (SYS_seccomp, SECCOMP_GET_NOTIF_SIZES, 0, &sizes);
        std::vector<char> request (std::max<size_t> (sizes.seccomp_notif, sizeof (seccomp_notif)));
        std::vector<char> response (std::max<size_t> (sizes.seccomp_notif_resp, sizeof (seccomp_notif_resp)));

        for (;;)
        {
            pollfd ready { fd, POLLIN, 0 };

            if (poll (&ready, 1, -1) < 0)
            {
                if (errno == EINTR)
                    continue;
                break;
            }

            if ((ready.revents & POLLIN) == 0)
                break;   // the watched thread has gone

            std::memset (request.data(), 0, request.size());

            if (ioctl (fd, SECCOMP_IOCTL_NOTIF_RECV, request.data()) != 0)
            {
                if (errno == EINTR || errno == ENOENT)
                    continue;
                break;
            }

            const auto& call = *reinterpret_cast<const seccomp_notif*> (request.data());
            std::uintptr_t stack[64];
            const auto stackWords = watch->undefinedBehaviourRuntime.empty() ? 0 : readStackTop ((pid_t) call.pid, stack, std::size (stack));
            watch->note (call.data.nr, (std::uintptr_t) call.data.instruction_pointer, stack, stackWords);

            std::memset (response.data(), 0, response.size());
            auto& answer = *reinterpret_cast<seccomp_notif_resp*> (response.data());
            answer.id = call.id;
            answer.flags = SECCOMP_USER_NOTIF_FLAG_CONTINUE;
            ioctl (fd, SECCOMP_IOCTL_NOTIF_SEND, &answer);   // ENOENT: the call was interrupted
        }

        close (fd);
    }

    bool isFirstThread()
    {
        return getpid() == (pid_t) syscall (SYS_gettid);
    }

    // A filter that hands every system call of this thread to the supervisor; -1 when the
    // system refuses one.
    int installFilter()
    {
        if (prctl (PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
            return -1;

        sock_filter toSupervisor[] = { BPF_STMT (BPF_RET | BPF_K, SECCOMP_RET_USER_NOTIF) };
        sock_fprog program { 1, toSupervisor };
        return (int) syscall (SYS_seccomp, SECCOMP_SET_MODE_FILTER, SECCOMP_FILTER_FLAG_NEW_LISTENER, &program);
    }
}
#endif

AudioThreadWatch::AudioThreadWatch() : AudioThreadWatch (true)
{}

AudioThreadWatch::AudioThreadWatch (bool withSystemCalls)
{
    resolveRealFunctions();
    allocations = 0;
    distinctLocks = 0;
#if GRINDEL_WATCH_HOOKS
    static const bool installed = __sanitizer_install_malloc_and_free_hooks (onAllocation, onFree) != 0;
    (void) installed;
#endif

#if GRINDEL_WATCH_SYSTEM_CALLS
    if (withSystemCalls && ! isFirstThread())
    {
        systemCalls = std::make_shared<SystemCallWatch>();
        dl_iterate_phdr (findRuntime, systemCalls.get());
        std::thread (supervise, systemCalls).detach();
        const int fd = installFilter();
        systemCalls->listener = fd >= 0 ? fd : SystemCallWatch::kNone;

        if (fd < 0)
            systemCalls.reset();
        else
            systemCalls->counting = true;
    }
#else
    (void) withSystemCalls;
#endif

    watching = true;
}

AudioThreadWatch::~AudioThreadWatch()
{
    watching = false;

    if (systemCalls != nullptr)
        systemCalls->counting = false;
}

size_t AudioThreadWatch::Allocations() const { return allocations.load(); }
size_t AudioThreadWatch::DistinctLocks() const { return distinctLocks.load(); }
size_t AudioThreadWatch::SystemCalls() const { return systemCalls != nullptr ? systemCalls->count.load() : 0; }
bool AudioThreadWatch::WatchesSystemCalls() const { return systemCalls != nullptr; }

std::string AudioThreadWatch::SystemCallsSeen() const
{
    std::string text;

    if (systemCalls == nullptr)
        return text;

    const auto count = std::min (systemCalls->count.load(), SystemCallWatch::kKept);

    for (size_t i = 0; i < count; ++i)
    {
        const auto place = systemCalls->places[i].load();
        Dl_info info {};
        const bool known = dladdr (reinterpret_cast<void*> (place), &info) != 0;
        text += (i > 0 ? ", " : "") + std::to_string (systemCalls->numbers[i].load()) + " at "
            + (known && info.dli_sname != nullptr ? info.dli_sname : "?") + " in " + (known && info.dli_fname != nullptr ? info.dli_fname : "?");
    }

    return text;
}

bool AudioThreadWatch::SeesAllocationsAndLocks (std::string* unseen)
{
    struct Way
    {
        const char* name;
        bool allocates;
        void (*run)();
    };

    // Each way through volatile function pointers, so none is optimised away or inlined.
    static const Way ways[] = {
        { "operator new", true, [] {
             void* (*volatile allocate) (std::size_t) = &::operator new;
             void (*volatile release) (void*) = &::operator delete;
             release (allocate (16));
         } },
        { "aligned operator new", true, [] {
             void* (*volatile allocate) (std::size_t, std::align_val_t) = &::operator new;
             void (*volatile release) (void*, std::align_val_t) = &::operator delete;
             release (allocate (64, std::align_val_t (64)), std::align_val_t (64));
         } },
        { "malloc", true, [] {
             void* (*volatile allocate) (size_t) = &malloc;
             free (allocate (16));
         } },
        { "calloc", true, [] {
             void* (*volatile allocate) (size_t, size_t) = &calloc;
             free (allocate (2, 8));
         } },
        { "realloc", true, [] {
             void* (*volatile allocate) (void*, size_t) = &realloc;
             free (allocate (nullptr, 16));
         } },
        { "reallocarray", true, [] {
             void* (*volatile allocate) (void*, size_t, size_t) = &reallocarray;
             free (allocate (nullptr, 2, 8));
         } },
        { "aligned_alloc", true, [] {
             void* (*volatile allocate) (size_t, size_t) = &aligned_alloc;
             free (allocate (64, 64));
         } },
        { "memalign", true, [] {
             void* (*volatile allocate) (size_t, size_t) = &memalign;
             free (allocate (64, 64));
         } },
        { "posix_memalign", true, [] {
             int (*volatile allocate) (void**, size_t, size_t) = &posix_memalign;
             void* p = nullptr;
             if (allocate (&p, 64, 64) == 0)
                 free (p);
         } },
        { "valloc", true, [] {
             void* (*volatile allocate) (size_t) = &valloc;
             free (allocate (16));
         } },
        { "pthread_mutex_lock", false, [] {
             pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
             int (*volatile lock) (pthread_mutex_t*) = &pthread_mutex_lock;
             int (*volatile unlock) (pthread_mutex_t*) = &pthread_mutex_unlock;
             lock (&mutex);
             unlock (&mutex);
         } },
        { "pthread_mutex_trylock", false, [] {
             pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
             int (*volatile lock) (pthread_mutex_t*) = &pthread_mutex_trylock;
             if (lock (&mutex) == 0)
                 pthread_mutex_unlock (&mutex);
         } },
        { "pthread_mutex_timedlock", false, [] {
             pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
             int (*volatile lock) (pthread_mutex_t*, const timespec*) = &pthread_mutex_timedlock;
             const timespec past {};
             if (lock (&mutex, &past) == 0)
                 pthread_mutex_unlock (&mutex);
         } },
        { "pthread_rwlock_rdlock", false, [] {
             pthread_rwlock_t rw = PTHREAD_RWLOCK_INITIALIZER;
             int (*volatile lock) (pthread_rwlock_t*) = &pthread_rwlock_rdlock;
             lock (&rw);
             pthread_rwlock_unlock (&rw);
         } },
        { "pthread_rwlock_wrlock", false, [] {
             pthread_rwlock_t rw = PTHREAD_RWLOCK_INITIALIZER;
             int (*volatile lock) (pthread_rwlock_t*) = &pthread_rwlock_wrlock;
             lock (&rw);
             pthread_rwlock_unlock (&rw);
         } },
        { "pthread_rwlock_tryrdlock", false, [] {
             pthread_rwlock_t rw = PTHREAD_RWLOCK_INITIALIZER;
             int (*volatile lock) (pthread_rwlock_t*) = &pthread_rwlock_tryrdlock;
             if (lock (&rw) == 0)
                 pthread_rwlock_unlock (&rw);
         } },
        { "pthread_rwlock_trywrlock", false, [] {
             pthread_rwlock_t rw = PTHREAD_RWLOCK_INITIALIZER;
             int (*volatile lock) (pthread_rwlock_t*) = &pthread_rwlock_trywrlock;
             if (lock (&rw) == 0)
                 pthread_rwlock_unlock (&rw);
         } },
        { "pthread_spin_trylock", false, [] {
             pthread_spinlock_t spin;
             pthread_spin_init (&spin, PTHREAD_PROCESS_PRIVATE);
             int (*volatile lock) (pthread_spinlock_t*) = &pthread_spin_trylock;
             if (lock (&spin) == 0)
                 pthread_spin_unlock (&spin);
             pthread_spin_destroy (&spin);
         } },
    };

    bool all = true;

    for (const auto& way : ways)
    {
        size_t seen = 0;
        {
            AudioThreadWatch watch (false);
            way.run();
            seen = way.allocates ? watch.Allocations() : watch.DistinctLocks();
        }

        if (seen == 0 && unseen != nullptr)
            *unseen += std::string (unseen->empty() ? "unseen: " : ", ") + way.name;

        all = all && seen > 0;
    }

    return all;
}

bool AudioThreadWatch::SeesSystemCalls()
{
    bool seen = false;
#if GRINDEL_WATCH_SYSTEM_CALLS
    std::thread ([&seen] {
        AudioThreadWatch watch;
        pid_t (*volatile parent)() = &getppid;
        parent();
        seen = watch.SystemCalls() > 0;
    }).join();
#endif
    return seen;
}
