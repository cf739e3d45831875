#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "IACFUnknown.h"

// What the host supports of one feature.
class AAX_IACFFeatureInfo : public IACFUnknown
{
public:
    virtual AAX_Result SupportLevel (AAX_ESupportLevel* outSupportLevel) const = 0;   // 4th
    // Writes a host property map (one reference added) or null.
    virtual AAX_Result AcquireProperties (IACFUnknown** outProperties) = 0;   // 5th
};
