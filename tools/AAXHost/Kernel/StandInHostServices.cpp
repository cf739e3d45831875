#include "StandInHostServices.h"
#include "StandInHost.h"

#include "AAX_UIDs.h"

#include <atomic>

namespace
{
    std::atomic<StandInHostServices::AssertionHook> assertionHook { nullptr };

    void tellHook (const char* file, int32_t line, const char* note)
    {
        if (const auto hook = assertionHook.load())
            hook (file != nullptr ? file : "", line, note != nullptr ? note : "");
    }
}

void StandInHostServices::SetAssertionHook (AssertionHook hook)
{
    assertionHook.store (hook);
}

StandInHostServices::StandInHostServices (StandInHost& host)
    : StandInObject ("host services"), mHost (host)
{
}

void StandInHostServices::ClearRecords()
{
    mTraces.clear();
    mAssertFailures.clear();
    mAsserts.clear();
    mStackTraces.clear();
}

ACFRESULT StandInHostServices::QueryInterface (const acfIID& iid, void** ppOut)
{
    void* answer = nullptr;

    if (iid == IID_IACFUnknown || iid == IID_IAAXHostServicesV1)
        answer = static_cast<AAX_IACFHostServices*> (this);
    else if (iid == IID_IAAXHostServicesV2)
        answer = static_cast<AAX_IACFHostServices_V2*> (this);
    else if (iid == IID_IAAXHostServicesV3)
        answer = static_cast<AAX_IACFHostServices_V3*> (this);

    return Answer (mHost.Offers (iid), answer, ppOut);
}

acfUInt32 StandInHostServices::AddRef() { return CountAddRef(); }
acfUInt32 StandInHostServices::Release() { return CountRelease(); }

AAX_Result StandInHostServices::Assert (const char* iFile, int32_t iLine, const char* iNote)
{
    tellHook (iFile, iLine, iNote);
    return Keep ("Assert", mAsserts, Text (iFile) + ":" + std::to_string (iLine) + " " + Text (iNote));
}

AAX_Result StandInHostServices::Trace (int32_t iPriority, const char* iMessage)
{
    return Keep ("Trace", mTraces, TraceLine { iPriority, Text (iMessage) });
}

AAX_Result StandInHostServices::StackTrace (int32_t iTracePriority, int32_t, const char* iMessage)
{
    return Keep ("StackTrace", mStackTraces, TraceLine { iTracePriority, Text (iMessage) });
}

AAX_Result StandInHostServices::HandleAssertFailure (const char* iFile, int32_t iLine, const char* iNote, int32_t iFlags)
{
    tellHook (iFile, iLine, iNote);
    return Keep ("HandleAssertFailure", mAssertFailures, AssertFailure { Text (iFile), iLine, Text (iNote), iFlags });
}
