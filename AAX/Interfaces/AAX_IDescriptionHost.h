#pragma once

#include "AAX_UIDs.h"

class AAX_IFeatureInfo;

// Questions about the host's features, on hosts that answer them.
class AAX_IDescriptionHost
{
public:
    virtual ~AAX_IDescriptionHost() = default;

    // What the host supports of a feature, owned by the caller; null when it cannot tell.
    virtual const AAX_IFeatureInfo* AcquireFeatureProperties (const AAX_Feature_UID& inFeatureID) const = 0;
};
