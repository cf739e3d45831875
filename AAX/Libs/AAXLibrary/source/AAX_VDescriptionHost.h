#pragma once

#include "AAX_CHostReference.h"
#include "AAX_IACFDescriptionHost.h"
#include "AAX_IDescriptionHost.h"
#include "IACFDefinition.h"

// Any thread: takes no lock and allocates; lives within one registration, never shared.
// Wraps the description host of newer hosts, and the host definition reached with it.
class AAX_VDescriptionHost : public AAX_IDescriptionHost
{
public:
    explicit AAX_VDescriptionHost (IACFUnknown* inHostUnknown);
    ~AAX_VDescriptionHost() override;

    AAX_VDescriptionHost (const AAX_VDescriptionHost&) = delete;
    AAX_VDescriptionHost& operator= (const AAX_VDescriptionHost&) = delete;

    const AAX_IFeatureInfo* AcquireFeatureProperties (const AAX_Feature_UID& inFeatureID) const override;

    bool Supported() const { return static_cast<bool> (mIACFDescriptionHost); }
    IACFDefinition* HostDefinition() const { return mIACFDefinition.Get(); }

private:
    AAX_CHostReference<AAX_IACFDescriptionHost> mIACFDescriptionHost;
    AAX_CHostReference<IACFDefinition> mIACFDefinition;
};
