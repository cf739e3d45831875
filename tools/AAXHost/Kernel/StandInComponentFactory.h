#pragma once

#include "IACFComponentFactory.h"
#include "StandInObject.h"

class StandInHost;

// The host's component factory: answers the host-services component, and creates the
// description objects (collection, effect and component descriptors, property maps) and
// page tables, each for any offered version. Other classes are not available.
class StandInComponentFactory : public IACFComponentFactory, public StandInObject
{
public:
    explicit StandInComponentFactory (StandInHost& host);

    // Creations asked for, in order, each as "<class> <interface>" in text form.
    const std::vector<std::string>& Creations() const { return mCreations; }

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override;
    acfUInt32 AddRef() override;
    acfUInt32 Release() override;
    ACFRESULT CreateInstance (const acfCLSID& clsid, IACFUnknown* pUnkOuter, const acfIID& iid, void** ppOut) override;

private:
    StandInHost& mHost;
    std::vector<std::string> mCreations;
};
