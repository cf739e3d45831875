#pragma once

#include "IACFUnknown.h"
#include "StandInTransport.h"

#include <atomic>

// Any thread: atomic reference counts, no lock; the play head is read on the audio thread.
// The controller object of one effect instance as the stand-in host hands it to the
// effect-parameters and GUI objects: it answers for the host's controller (and all the
// services the controller object answers for), with the instance's own automation
// delegate, with a play head that is safe to read on the audio thread, and, for the
// effect-parameters interface, with the instance's effect object itself, since a GUI
// finds its effect that way.
class StandInEffectLink : public IACFUnknown
{
public:
    explicit StandInEffectLink (IACFUnknown* controller) : mController (controller) {}

    // Not counted: the effect lives as long as the instance that owns this link.
    void SetEffect (IACFUnknown* effect) { mEffect = effect; }
    void SetAutomation (IACFUnknown* automation) { mAutomation = automation; }

    int References() const { return mReferences.load() + mPlayHead.References(); }

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

private:
    IACFUnknown* mController;
    IACFUnknown* mEffect = nullptr;
    IACFUnknown* mAutomation = nullptr;
    StandInTransport mPlayHead;
    std::atomic<int> mReferences { 0 };
};
