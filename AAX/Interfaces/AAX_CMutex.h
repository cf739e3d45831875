#pragma once

#include <memory>

// A lock that knows its owning thread: the owner's second Lock neither blocks nor
// acquires again, and only the owner's Unlock releases. When the system mutex cannot be
// made, every operation does nothing and callers run unlocked.
class AAX_CMutex
{
public:
    AAX_CMutex();
    ~AAX_CMutex();

    AAX_CMutex (const AAX_CMutex&) = delete;
    AAX_CMutex& operator= (const AAX_CMutex&) = delete;

    // True when this call acquired the lock; false without a mutex or for the owner.
    bool Lock();
    void Unlock();

    // Unlocks at the end of its scope only what its own Lock acquired, so nested
    // use on one thread neither blocks nor releases early.
    class ScopedLock
    {
    public:
        explicit ScopedLock (AAX_CMutex& iMutex) : mMutex (iMutex), mLocked (iMutex.Lock()) {}
        ~ScopedLock()
        {
            if (mLocked) mMutex.Unlock();
        }

        ScopedLock (const ScopedLock&) = delete;
        ScopedLock& operator= (const ScopedLock&) = delete;

    private:
        AAX_CMutex& mMutex;
        bool mLocked;
    };

private:
    struct Record;
    std::unique_ptr<Record> mRecord;
};
