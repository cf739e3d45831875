#pragma once

#include "IACFUnknown.h"

// The host's component factory.
class IACFComponentFactory : public IACFUnknown
{
public:
    // 4th: creates a component of the class and answers it for the interface.
    virtual ACFRESULT CreateInstance (const acfCLSID& clsid, IACFUnknown* pUnkOuter, const acfIID& iid, void** ppOut) = 0;
};
