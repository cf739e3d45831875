#include "StandInEffectLink.h"

#include "AAX_UIDs.h"

ACFRESULT StandInEffectLink::QueryInterface (const acfIID& iid, void** ppOut)
{
    if (ppOut == nullptr)
        return ACF_E_POINTER;

    *ppOut = nullptr;

    const bool effectInterface = iid == IID_IAAXEffectParametersV1 || iid == IID_IAAXEffectParametersV2
        || iid == IID_IAAXEffectParametersV3 || iid == IID_IAAXEffectParametersV4;

    if (effectInterface)
        return mEffect != nullptr ? mEffect->QueryInterface (iid, ppOut) : ACF_E_NOINTERFACE;

    if (iid == IID_IAAXTransportV1 || iid == IID_IAAXTransportV2)
        return mPlayHead.QueryInterface (iid, ppOut);

    if (iid == IID_IAAXAutomationDelegateV1 && mAutomation != nullptr)
        return mAutomation->QueryInterface (iid, ppOut);

    return mController != nullptr ? mController->QueryInterface (iid, ppOut) : ACF_E_NOINTERFACE;
}

acfUInt32 StandInEffectLink::AddRef()
{
    return static_cast<acfUInt32> (++mReferences);
}

acfUInt32 StandInEffectLink::Release()
{
    const int left = --mReferences;
    return static_cast<acfUInt32> (left < 0 ? 0 : left);
}
