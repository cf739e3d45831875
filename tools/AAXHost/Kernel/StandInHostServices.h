#pragma once

#include "AAX_IACFHostServices.h"
#include "StandInObject.h"

#include <string>
#include <vector>

class StandInHost;

// The host's services component in all three versions; records what it is sent.
class StandInHostServices : public AAX_IACFHostServices_V3, public StandInObject
{
public:
    struct TraceLine
    {
        int32_t priority;
        std::string text;
    };

    struct AssertFailure
    {
        std::string file;
        int32_t line;
        std::string note;
        int32_t flags;
    };

    explicit StandInHostServices (StandInHost& host);

    // Any thread: what every host of this program does with an assertion the plug-in reports
    // (Assert or HandleAssertFailure), besides recording it; a test program's main turns it
    // into a test failure. Null: recorded only.
    using AssertionHook = void (*) (const char* file, int32_t line, const char* note);
    static void SetAssertionHook (AssertionHook hook);

    const std::vector<TraceLine>& Traces() const { return mTraces; }
    const std::vector<AssertFailure>& AssertFailures() const { return mAssertFailures; }
    const std::vector<std::string>& Asserts() const { return mAsserts; }
    const std::vector<TraceLine>& StackTraces() const { return mStackTraces; }
    void ClearRecords();

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

    AAX_Result Assert (const char* iFile, int32_t iLine, const char* iNote) override;
    AAX_Result Trace (int32_t iPriority, const char* iMessage) override;
    AAX_Result StackTrace (int32_t iTracePriority, int32_t iStackTracePriority, const char* iMessage) override;
    AAX_Result HandleAssertFailure (const char* iFile, int32_t iLine, const char* iNote, int32_t iFlags) override;

private:
    StandInHost& mHost;
    std::vector<TraceLine> mTraces;
    std::vector<AssertFailure> mAssertFailures;
    std::vector<std::string> mAsserts;
    std::vector<TraceLine> mStackTraces;
};
