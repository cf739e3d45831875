#pragma once

#include "AAX.h"
#include "ACFBaseTypes.h"

#include <atomic>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// Reference bookkeeping of a stand-in host object. The stand-in host owns its objects
// for the whole test, so that their records stay readable; the count is that of the
// references the library holds. Releasing without a reference, and calling an
// object after the library's last release, are recorded as violations.
class StandInObject
{
public:
    explicit StandInObject (std::string name);
    virtual ~StandInObject();

    StandInObject (const StandInObject&) = delete;
    StandInObject& operator= (const StandInObject&) = delete;

    const std::string& ObjectName() const { return mName; }
    int References() const { return mReferences.load(); }
    // A copy: host threads may record one meanwhile.
    std::vector<std::string> Violations() const;

    // A text argument as the records show it: "(null)" for a null pointer.
    static std::string Text (const char* text) { return text != nullptr ? text : "(null)"; }

protected:
    acfUInt32 CountAddRef();
    acfUInt32 CountRelease();

    // To be called by every operation other than the three of IACFUnknown.
    void NoteCall (const char* operation);

    // The usual recording operation: noted, its value added to the record, answered
    // with success.
    template <typename Record, typename Value>
    AAX_Result Keep (const char* operation, Record& record, Value&& value)
    {
        NoteCall (operation);
        record.push_back (std::forward<Value> (value));
        return 0;
    }

    // The usual query answer: the interface pointer with a reference added, or
    // ACF_E_NOINTERFACE when the object has no such interface or the host refuses it.
    ACFRESULT Answer (bool offered, void* answer, void** ppOut);

private:
    std::string mName;
    // Atomic: a play head is read on the audio thread while the main thread counts.
    std::atomic<int> mReferences { 0 };
    std::atomic<bool> mEverReferenced { false };
    // Calls come from the host's threads at once; violations are kept under a lock.
    mutable std::mutex mViolationsLock;
    std::vector<std::string> mViolations;

    void AddViolation (std::string violation);
};
