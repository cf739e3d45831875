#include "StandInController.h"
#include "StandInAutomationDelegate.h"
#include "StandInHost.h"

#include "AAX_UIDs.h"

#include <stdexcept>

StandInController::StandInController (StandInHost& host)
    : StandInObject ("controller"), mHost (host)
{
}

ACFRESULT StandInController::QueryInterface (const acfIID& iid, void** ppOut)
{
    if (mThrowOnQuery)
        throw std::runtime_error ("stand-in controller query failed");

    if (ppOut == nullptr)
        return ACF_E_POINTER;

    *ppOut = nullptr;

    if (! mHost.Offers (iid))
        return ACF_E_NOINTERFACE;

    if (iid == IID_IACFUnknown)
    {
        *ppOut = static_cast<IACFUnknown*> (this);
        AddRef();
        return ACF_OK;
    }

    if (iid == IID_IAAXAutomationDelegateV1)
        return mHost.Automation().QueryInterface (iid, ppOut);

    return ACF_E_NOINTERFACE;
}

acfUInt32 StandInController::AddRef()  { return CountAddRef(); }
acfUInt32 StandInController::Release() { return CountRelease(); }
