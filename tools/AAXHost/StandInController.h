#pragma once

#include "IACFUnknown.h"
#include "StandInObject.h"

class StandInHost;

// The controller object the host hands to an effect; it answers for the host's
// automation interface.
class StandInController : public IACFUnknown, public StandInObject
{
public:
    explicit StandInController (StandInHost& host);

    // Makes every query throw, as a misbehaving host might.
    void ThrowOnQuery (bool shouldThrow) { mThrowOnQuery = shouldThrow; }

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

private:
    StandInHost& mHost;
    bool         mThrowOnQuery = false;
};
