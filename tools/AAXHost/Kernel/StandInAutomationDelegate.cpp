#include "StandInAutomationDelegate.h"
#include "StandInHost.h"

#include "AAX_UIDs.h"

#include <cstdio>

namespace
{
    std::string valueText (double value)
    {
        char text[32];
        std::snprintf (text, sizeof (text), "%g", value);
        return text;
    }
}

std::string StandInAutomationDelegate::Event::ToString() const
{
    switch (kind)
    {
        case EventKind::Register: return "register " + parameterID;
        case EventKind::Unregister: return "unregister " + parameterID;
        case EventKind::SetValueRequest: return "request " + parameterID + " " + valueText (value);
        case EventKind::CurrentValue: return "current " + parameterID + " " + valueText (value);
        case EventKind::Touch: return "touch " + parameterID;
        case EventKind::Release: return "release " + parameterID;
        case EventKind::TouchState: return "touch state " + parameterID;
    }
    return {};
}

StandInAutomationDelegate::StandInAutomationDelegate (StandInHost& host)
    : StandInObject ("automation delegate"), mHost (host)
{
}

void StandInAutomationDelegate::SetValueSink (ValueSink sink)
{
    const std::lock_guard<std::mutex> lock (mLock);
    mSink = std::move (sink);
}

size_t StandInAutomationDelegate::Pending() const
{
    const std::lock_guard<std::mutex> lock (mLock);
    return mPending.size();
}

std::vector<StandInAutomationDelegate::Event> StandInAutomationDelegate::Events() const
{
    const std::lock_guard<std::mutex> lock (mLock);
    return mEvents;
}

std::vector<std::string> StandInAutomationDelegate::Log() const
{
    std::vector<std::string> lines;
    for (const auto& event : Events())
        lines.push_back (event.ToString());
    return lines;
}

void StandInAutomationDelegate::ClearRecords()
{
    const std::lock_guard<std::mutex> lock (mLock);
    mEvents.clear();
}

std::multiset<std::string> StandInAutomationDelegate::Registered() const
{
    const std::lock_guard<std::mutex> lock (mLock);
    return mRegistered;
}

bool StandInAutomationDelegate::Touched (const std::string& id) const
{
    const std::lock_guard<std::mutex> lock (mLock);
    return mTouched.count (id) != 0;
}

int StandInAutomationDelegate::Flush()
{
    // Answers may post new requests; those wait for the next flush.
    std::deque<std::pair<std::string, double>> pending;

    {
        const std::lock_guard<std::mutex> lock (mLock);
        pending.swap (mPending);
    }

    for (const auto& request : pending)
        Reply (request.first, request.second);

    return static_cast<int> (pending.size());
}

// Outside the lock: the effect answers an update with its current value, which comes back
// in here.
void StandInAutomationDelegate::Reply (const std::string& id, double value)
{
    ValueSink sink;

    {
        const std::lock_guard<std::mutex> lock (mLock);
        sink = mSink;
    }

    if (sink)
        sink (id, value);
}

void StandInAutomationDelegate::Record (const char* operation, EventKind kind, AAX_CParamID id, double value)
{
    const std::lock_guard<std::mutex> lock (mLock);
    Keep (operation, mEvents, Event { kind, Text (id), value });
}

// Registrations and touches are counted: each release takes back one.
AAX_Result StandInAutomationDelegate::Hold (const char* operation, EventKind kind, AAX_CParamID id, std::multiset<std::string>& held)
{
    Record (operation, kind, id);
    const std::lock_guard<std::mutex> lock (mLock);
    held.insert (Text (id));
    return mResult;
}

AAX_Result StandInAutomationDelegate::Drop (const char* operation, EventKind kind, AAX_CParamID id, std::multiset<std::string>& held)
{
    Record (operation, kind, id);
    const std::lock_guard<std::mutex> lock (mLock);

    if (const auto found = held.find (Text (id)); found != held.end())
        held.erase (found);

    return mResult;
}

ACFRESULT StandInAutomationDelegate::QueryInterface (const acfIID& iid, void** ppOut)
{
    const bool known = iid == IID_IACFUnknown || iid == IID_IAAXAutomationDelegateV1;
    return Answer (mHost.Offers (iid), known ? static_cast<AAX_IACFAutomationDelegate*> (this) : nullptr, ppOut);
}

acfUInt32 StandInAutomationDelegate::AddRef() { return CountAddRef(); }
acfUInt32 StandInAutomationDelegate::Release() { return CountRelease(); }

AAX_Result StandInAutomationDelegate::RegisterParameter (AAX_CParamID iParameterID)
{
    return Hold ("RegisterParameter", EventKind::Register, iParameterID, mRegistered);
}

AAX_Result StandInAutomationDelegate::UnregisterParameter (AAX_CParamID iParameterID)
{
    return Drop ("UnregisterParameter", EventKind::Unregister, iParameterID, mRegistered);
}

AAX_Result StandInAutomationDelegate::PostSetValueRequest (AAX_CParamID iParameterID, double iNormalizedValue)
{
    Record ("PostSetValueRequest", EventKind::SetValueRequest, iParameterID, iNormalizedValue);

    switch (mMode.load())
    {
        case AnswerMode::Echo: Reply (Text (iParameterID), iNormalizedValue); break;
        case AnswerMode::Deferred:
        {
            const std::lock_guard<std::mutex> lock (mLock);
            mPending.emplace_back (Text (iParameterID), iNormalizedValue);
            break;
        }
        case AnswerMode::Never: break;
    }

    return mResult;
}

AAX_Result StandInAutomationDelegate::PostCurrentValue (AAX_CParamID iParameterID, double iNormalizedValue)
{
    Record ("PostCurrentValue", EventKind::CurrentValue, iParameterID, iNormalizedValue);
    return mResult;
}

AAX_Result StandInAutomationDelegate::PostTouchRequest (AAX_CParamID iParameterID)
{
    return Hold ("PostTouchRequest", EventKind::Touch, iParameterID, mTouched);
}

AAX_Result StandInAutomationDelegate::PostReleaseRequest (AAX_CParamID iParameterID)
{
    return Drop ("PostReleaseRequest", EventKind::Release, iParameterID, mTouched);
}

AAX_Result StandInAutomationDelegate::GetTouchState (AAX_CParamID iParameterID, AAX_CBoolean* oTouched)
{
    Record ("GetTouchState", EventKind::TouchState, iParameterID);

    if (oTouched != nullptr)
    {
        const std::lock_guard<std::mutex> lock (mLock);
        *oTouched = mTouched.count (Text (iParameterID)) != 0 ? 1 : 0;
    }

    return mResult;
}
