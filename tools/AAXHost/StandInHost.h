#pragma once

#include "IACFUnknown.h"
#include "StandInObject.h"

#include <memory>
#include <string>
#include <vector>

class StandInAutomationDelegate;
class StandInComponentFactory;
class StandInController;
class StandInHostServices;

// The stand-in host: the host object handed to the entry functions, and the owner of
// every other stand-in object. Interface versions can be refused one by one, so that
// the library's fallbacks are reachable.
class StandInHost : public IACFUnknown, public StandInObject
{
public:
    StandInHost();
    ~StandInHost();

    // The host object, as passed to ACFStartup and ACFRegisterPlugin.
    IACFUnknown* HostUnknown() { return this; }

    // The controller object, as passed to an effect's Initialize.
    IACFUnknown* ControllerUnknown();

    void Refuse (const acfIID& iid);
    bool Offers (const acfIID& iid) const;

    // The component factory query then succeeds without giving an object.
    void AnswerFactoryQueryWithoutObject (bool withoutObject) { mFactoryWithoutObject = withoutObject; }

    StandInComponentFactory&   Factory()    { return *mFactory; }
    StandInHostServices&       Services()   { return *mServices; }
    StandInController&         Controller() { return *mController; }
    StandInAutomationDelegate& Automation() { return *mAutomation; }

    // References the library still holds on any stand-in object.
    int OutstandingReferences() const;
    std::vector<std::string> Violations() const;
    bool Balanced() const { return OutstandingReferences() == 0 && Violations().empty(); }

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;

private:
    std::vector<const StandInObject*> Objects() const;

    std::vector<acfIID>                        mRefused;
    bool                                       mFactoryWithoutObject = false;
    std::unique_ptr<StandInComponentFactory>   mFactory;
    std::unique_ptr<StandInHostServices>       mServices;
    std::unique_ptr<StandInAutomationDelegate> mAutomation;
    std::unique_ptr<StandInController>         mController;
};
