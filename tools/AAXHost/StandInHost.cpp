#include "StandInHost.h"
#include "StandInAutomationDelegate.h"
#include "StandInComponentFactory.h"
#include "StandInController.h"
#include "StandInHostServices.h"

#include "AAX_UIDs.h"

#include <algorithm>

StandInHost::StandInHost()
    : StandInObject ("host object"),
      mFactory (std::make_unique<StandInComponentFactory> (*this)),
      mServices (std::make_unique<StandInHostServices> (*this)),
      mAutomation (std::make_unique<StandInAutomationDelegate> (*this)),
      mController (std::make_unique<StandInController> (*this))
{
}

StandInHost::~StandInHost() = default;

IACFUnknown* StandInHost::ControllerUnknown()
{
    return mController.get();
}

void StandInHost::Refuse (const acfIID& iid)
{
    if (Offers (iid))
        mRefused.push_back (iid);
}

bool StandInHost::Offers (const acfIID& iid) const
{
    return std::find (mRefused.begin(), mRefused.end(), iid) == mRefused.end();
}

std::vector<const StandInObject*> StandInHost::Objects() const
{
    return { this, mFactory.get(), mServices.get(), mAutomation.get(), mController.get() };
}

int StandInHost::OutstandingReferences() const
{
    int total = 0;
    for (const auto* object : Objects())
        total += object->References();
    return total;
}

std::vector<std::string> StandInHost::Violations() const
{
    std::vector<std::string> all;
    for (const auto* object : Objects())
        all.insert (all.end(), object->Violations().begin(), object->Violations().end());
    return all;
}

ACFRESULT StandInHost::QueryInterface (const acfIID& iid, void** ppOut)
{
    if (ppOut == nullptr)
        return ACF_E_POINTER;

    *ppOut = nullptr;

    if (! Offers (iid))
        return ACF_E_NOINTERFACE;

    if (iid == IID_IACFUnknown)
    {
        *ppOut = static_cast<IACFUnknown*> (this);
        AddRef();
        return ACF_OK;
    }

    if (iid == IID_IACFComponentFactory)
    {
        if (! mFactoryWithoutObject)
            return mFactory->QueryInterface (iid, ppOut);

        return ACF_OK;
    }

    return ACF_E_NOINTERFACE;
}

acfUInt32 StandInHost::AddRef()  { return CountAddRef(); }
acfUInt32 StandInHost::Release() { return CountRelease(); }
