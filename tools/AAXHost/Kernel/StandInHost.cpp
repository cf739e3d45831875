#include "StandInHost.h"
#include "StandInAutomationDelegate.h"
#include "StandInComponentFactory.h"
#include "StandInController.h"
#include "StandInDescriptionHost.h"
#include "StandInHostServices.h"
#include "StandInTransport.h"
#include "StandInViewContainer.h"

#include "AAX_UIDs.h"

#include <algorithm>

StandInHost::StandInHost()
    : StandInObject ("host object"),
      mFactory (std::make_unique<StandInComponentFactory> (*this)),
      mServices (std::make_unique<StandInHostServices> (*this)),
      mAutomation (std::make_unique<StandInAutomationDelegate> (*this)),
      mController (std::make_unique<StandInController> (*this)),
      mDescriptionHost (std::make_unique<StandInDescriptionHost> (*this)),
      mTransport (std::make_unique<StandInTransport> (*this)),
      mViewContainer (std::make_unique<StandInViewContainer> (*this))
{
}

StandInHost::~StandInHost() = default;

IACFUnknown* StandInHost::ControllerUnknown()
{
    return mController->Unknown();
}

IACFUnknown* StandInHost::ViewContainerUnknown()
{
    return mViewContainer->Unknown();
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
    std::vector<const StandInObject*> objects { this, mFactory.get(), mServices.get(), mAutomation.get(), mController.get(),
                                                mDescriptionHost.get(), mTransport.get(), mViewContainer.get() };
    for (const auto& object : mMade)
        objects.push_back (object.get());
    return objects;
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
    {
        const auto violations = object->Violations();
        all.insert (all.end(), violations.begin(), violations.end());
    }
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

    if (iid == IID_IAAXDescriptionHostV1 || iid == IID_IACFDefinition)
        return mDescriptionHost->QueryInterface (iid, ppOut);

    return ACF_E_NOINTERFACE;
}

acfUInt32 StandInHost::AddRef() { return CountAddRef(); }
acfUInt32 StandInHost::Release() { return CountRelease(); }
