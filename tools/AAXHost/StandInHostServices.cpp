#include "StandInHostServices.h"
#include "StandInHost.h"

#include "AAX_UIDs.h"

namespace
{
    std::string text (const char* s) { return s != nullptr ? s : "(null)"; }
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
    if (ppOut == nullptr)
        return ACF_E_POINTER;

    *ppOut = nullptr;

    if (! mHost.Offers (iid))
        return ACF_E_NOINTERFACE;

    if (iid == IID_IACFUnknown || iid == IID_IAAXHostServicesV1)
        *ppOut = static_cast<AAX_IACFHostServices*> (this);
    else if (iid == IID_IAAXHostServicesV2)
        *ppOut = static_cast<AAX_IACFHostServices_V2*> (this);
    else if (iid == IID_IAAXHostServicesV3)
        *ppOut = static_cast<AAX_IACFHostServices_V3*> (this);
    else
        return ACF_E_NOINTERFACE;

    AddRef();
    return ACF_OK;
}

acfUInt32 StandInHostServices::AddRef()  { return CountAddRef(); }
acfUInt32 StandInHostServices::Release() { return CountRelease(); }

AAX_Result StandInHostServices::Assert (const char* iFile, int32_t iLine, const char* iNote)
{
    NoteCall ("Assert");
    mAsserts.push_back (text (iFile) + ":" + std::to_string (iLine) + " " + text (iNote));
    return 0;
}

AAX_Result StandInHostServices::Trace (int32_t iPriority, const char* iMessage)
{
    NoteCall ("Trace");
    mTraces.push_back ({ iPriority, text (iMessage) });
    return 0;
}

AAX_Result StandInHostServices::StackTrace (int32_t iTracePriority, int32_t, const char* iMessage)
{
    NoteCall ("StackTrace");
    mStackTraces.push_back ({ iTracePriority, text (iMessage) });
    return 0;
}

AAX_Result StandInHostServices::HandleAssertFailure (const char* iFile, int32_t iLine, const char* iNote, int32_t iFlags)
{
    NoteCall ("HandleAssertFailure");
    mAssertFailures.push_back ({ text (iFile), iLine, text (iNote), iFlags });
    return 0;
}
