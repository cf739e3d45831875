#include "AAX_CMutex.h"

#include <pthread.h>

#include <atomic>

// The system side: a POSIX mutex and the owning thread.
struct AAX_CMutex::Record
{
    pthread_mutex_t mutex;
    std::atomic<bool> owned { false };
    std::atomic<pthread_t> owner {};

    bool OwnedByCaller() const
    {
        return owned.load() && pthread_equal (owner.load(), pthread_self()) != 0;
    }
};

AAX_CMutex::AAX_CMutex()
    : mRecord (std::make_unique<Record>())
{
    if (pthread_mutex_init (&mRecord->mutex, nullptr) != 0)
        mRecord.reset();
}

AAX_CMutex::~AAX_CMutex()
{
    if (mRecord != nullptr)
        pthread_mutex_destroy (&mRecord->mutex);
}

bool AAX_CMutex::Lock()
{
    if (mRecord == nullptr || mRecord->OwnedByCaller())
        return false;

    if (pthread_mutex_lock (&mRecord->mutex) != 0)
        return false;

    mRecord->owner.store (pthread_self());
    mRecord->owned.store (true);
    return true;
}

void AAX_CMutex::Unlock()
{
    if (mRecord == nullptr || ! mRecord->OwnedByCaller())
        return;

    mRecord->owned.store (false);
    pthread_mutex_unlock (&mRecord->mutex);
}
