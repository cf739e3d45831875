#include "StandInObject.h"

StandInObject::StandInObject (std::string name) : mName (std::move (name)) {}

StandInObject::~StandInObject() = default;

acfUInt32 StandInObject::CountAddRef()
{
    mEverReferenced = true;
    return static_cast<acfUInt32> (++mReferences);
}

acfUInt32 StandInObject::CountRelease()
{
    if (mReferences.load() == 0)
    {
        AddViolation ("Release without a reference on " + mName);
        return 0;
    }

    return static_cast<acfUInt32> (--mReferences);
}

void StandInObject::NoteCall (const char* operation)
{
    if (mEverReferenced.load() && mReferences.load() == 0)
        AddViolation (std::string (operation) + " on " + mName + " after its last release");
}

std::vector<std::string> StandInObject::Violations() const
{
    const std::lock_guard<std::mutex> lock (mViolationsLock);
    return mViolations;
}

void StandInObject::AddViolation (std::string violation)
{
    const std::lock_guard<std::mutex> lock (mViolationsLock);
    mViolations.push_back (std::move (violation));
}

ACFRESULT StandInObject::Answer (bool offered, void* answer, void** ppOut)
{
    if (ppOut == nullptr)
        return ACF_E_POINTER;

    *ppOut = nullptr;

    if (! offered || answer == nullptr)
        return ACF_E_NOINTERFACE;

    *ppOut = answer;
    CountAddRef();
    return ACF_OK;
}
