#pragma once

#include "AAX.h"
#include "AAX_UIDs.h"
#include "IACFUnknown.h"

// The description host of newer hosts: answers questions about the host's features.
class AAX_IACFDescriptionHost : public IACFUnknown
{
public:
    // Writes the feature-information object (one reference added) or null.
    virtual AAX_Result AcquireFeatureProperties (const AAX_Feature_UID& inFeatureID, IACFUnknown** outFeatureInfo) = 0;   // 4th
};
