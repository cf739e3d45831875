#include "StandInAutomationDelegate.h"
#include "StandInHost.h"

#include "AAX_UIDs.h"

#include <cstdio>

namespace
{
    std::string idText (AAX_CParamID id) { return id != nullptr ? id : "(null)"; }

    // Registrations and touches are counted: each release takes back one.
    void eraseOne (std::multiset<std::string>& ids, AAX_CParamID id)
    {
        const auto found = ids.find (idText (id));
        if (found != ids.end())
            ids.erase (found);
    }

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
        case EventKind::Register:        return "register " + parameterID;
        case EventKind::Unregister:      return "unregister " + parameterID;
        case EventKind::SetValueRequest: return "request " + parameterID + " " + valueText (value);
        case EventKind::CurrentValue:    return "current " + parameterID + " " + valueText (value);
        case EventKind::Touch:           return "touch " + parameterID;
        case EventKind::Release:         return "release " + parameterID;
        case EventKind::TouchState:      return "touch state " + parameterID;
    }
    return {};
}

StandInAutomationDelegate::StandInAutomationDelegate (StandInHost& host)
    : StandInObject ("automation delegate"), mHost (host)
{
}

std::vector<std::string> StandInAutomationDelegate::Log() const
{
    std::vector<std::string> lines;
    for (const auto& event : mEvents)
        lines.push_back (event.ToString());
    return lines;
}

int StandInAutomationDelegate::Flush()
{
    // Answers may post new requests; those wait for the next flush.
    auto pending = std::move (mPending);
    mPending.clear();

    for (const auto& request : pending)
        Answer (request.first, request.second);

    return static_cast<int> (pending.size());
}

void StandInAutomationDelegate::Answer (const std::string& id, double value)
{
    if (mSink)
        mSink (id, value);
}

void StandInAutomationDelegate::Record (EventKind kind, AAX_CParamID id, double value)
{
    mEvents.push_back ({ kind, idText (id), value });
}

ACFRESULT StandInAutomationDelegate::QueryInterface (const acfIID& iid, void** ppOut)
{
    if (ppOut == nullptr)
        return ACF_E_POINTER;

    *ppOut = nullptr;

    if (! mHost.Offers (iid) || ! (iid == IID_IACFUnknown || iid == IID_IAAXAutomationDelegateV1))
        return ACF_E_NOINTERFACE;

    *ppOut = static_cast<AAX_IACFAutomationDelegate*> (this);
    AddRef();
    return ACF_OK;
}

acfUInt32 StandInAutomationDelegate::AddRef()  { return CountAddRef(); }
acfUInt32 StandInAutomationDelegate::Release() { return CountRelease(); }

AAX_Result StandInAutomationDelegate::RegisterParameter (AAX_CParamID iParameterID)
{
    NoteCall ("RegisterParameter");
    Record (EventKind::Register, iParameterID);
    mRegistered.insert (idText (iParameterID));
    return mResult;
}

AAX_Result StandInAutomationDelegate::UnregisterParameter (AAX_CParamID iParameterID)
{
    NoteCall ("UnregisterParameter");
    Record (EventKind::Unregister, iParameterID);
    eraseOne (mRegistered, iParameterID);
    return mResult;
}

AAX_Result StandInAutomationDelegate::PostSetValueRequest (AAX_CParamID iParameterID, double iNormalizedValue)
{
    NoteCall ("PostSetValueRequest");
    Record (EventKind::SetValueRequest, iParameterID, iNormalizedValue);

    switch (mMode)
    {
        case AnswerMode::Echo:     Answer (idText (iParameterID), iNormalizedValue); break;
        case AnswerMode::Deferred: mPending.emplace_back (idText (iParameterID), iNormalizedValue); break;
        case AnswerMode::Never:    break;
    }

    return mResult;
}

AAX_Result StandInAutomationDelegate::PostCurrentValue (AAX_CParamID iParameterID, double iNormalizedValue)
{
    NoteCall ("PostCurrentValue");
    Record (EventKind::CurrentValue, iParameterID, iNormalizedValue);
    return mResult;
}

AAX_Result StandInAutomationDelegate::PostTouchRequest (AAX_CParamID iParameterID)
{
    NoteCall ("PostTouchRequest");
    Record (EventKind::Touch, iParameterID);
    mTouched.insert (idText (iParameterID));
    return mResult;
}

AAX_Result StandInAutomationDelegate::PostReleaseRequest (AAX_CParamID iParameterID)
{
    NoteCall ("PostReleaseRequest");
    Record (EventKind::Release, iParameterID);
    eraseOne (mTouched, iParameterID);
    return mResult;
}

AAX_Result StandInAutomationDelegate::GetTouchState (AAX_CParamID iParameterID, AAX_CBoolean* oTouched)
{
    NoteCall ("GetTouchState");
    Record (EventKind::TouchState, iParameterID);

    if (oTouched != nullptr)
        *oTouched = mTouched.count (idText (iParameterID)) != 0 ? 1 : 0;

    return mResult;
}
