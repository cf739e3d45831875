#pragma once

#include "AAX_IACFAutomationDelegate.h"
#include "StandInObject.h"

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class StandInHost;

// The host's automation service. Records every request, and answers value requests
// through the value sink: at once, when flushed, or never. Any thread, several at once, as
// a host's automation, chunk and UI threads call it: the records are kept under a lock, and
// the sink is called outside it (an answer comes back in as a current value).
class StandInAutomationDelegate : public AAX_IACFAutomationDelegate, public StandInObject
{
public:
    enum class AnswerMode
    {
        Echo,
        Deferred,
        Never
    };

    enum class EventKind
    {
        Register,
        Unregister,
        SetValueRequest,
        CurrentValue,
        Touch,
        Release,
        TouchState
    };

    struct Event
    {
        EventKind kind;
        std::string parameterID;
        double value;

        std::string ToString() const;
    };

    // Receives the host's answer to a value request, as the host's call back into the
    // effect would (parameter id, normalised value).
    using ValueSink = std::function<void (const std::string&, double)>;

    explicit StandInAutomationDelegate (StandInHost& host);

    void SetAnswerMode (AnswerMode mode) { mMode = mode; }
    void SetValueSink (ValueSink sink);
    void SetResult (AAX_Result result) { mResult = result; }

    // Answers the deferred value requests in order; returns how many were answered.
    int Flush();
    size_t Pending() const;

    // Copies, taken under the lock.
    std::vector<Event> Events() const;
    std::vector<std::string> Log() const;
    void ClearRecords();

    // Identifiers registered and not unregistered since.
    std::multiset<std::string> Registered() const;
    // Whether a touch of the parameter awaits its release (touches nest; each release takes back one).
    bool Touched (const std::string& id) const;

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

    AAX_Result RegisterParameter (AAX_CParamID iParameterID) override;
    AAX_Result UnregisterParameter (AAX_CParamID iParameterID) override;
    AAX_Result PostSetValueRequest (AAX_CParamID iParameterID, double iNormalizedValue) override;
    AAX_Result PostCurrentValue (AAX_CParamID iParameterID, double iNormalizedValue) override;
    AAX_Result PostTouchRequest (AAX_CParamID iParameterID) override;
    AAX_Result PostReleaseRequest (AAX_CParamID iParameterID) override;
    AAX_Result GetTouchState (AAX_CParamID iParameterID, AAX_CBoolean* oTouched) override;

private:
    // Notes the operation and adds its event to the record.
    void Record (const char* operation, EventKind kind, AAX_CParamID id, double value = 0.0);
    // Records, and counts the identifier in or out of a held set (registered or touched).
    AAX_Result Hold (const char* operation, EventKind kind, AAX_CParamID id, std::multiset<std::string>& held);
    AAX_Result Drop (const char* operation, EventKind kind, AAX_CParamID id, std::multiset<std::string>& held);
    void Reply (const std::string& id, double value);

    StandInHost& mHost;
    std::atomic<AnswerMode> mMode { AnswerMode::Echo };
    std::atomic<AAX_Result> mResult { 0 };
    // Guards the sink and every record below.
    mutable std::mutex mLock;
    ValueSink mSink;
    std::deque<std::pair<std::string, double>> mPending;
    std::vector<Event> mEvents;
    std::multiset<std::string> mRegistered;
    std::multiset<std::string> mTouched;
};
