#pragma once

#include "AAX_IACFEffectParameters.h"
#include "CACFUnknown.h"

// The effect-parameters object in all its host versions, reference counted by the
// library; the host's three IACFUnknown operations go to the counting object.
class AAX_IEffectParameters : public AAX_IACFEffectParameters_V4, public CACFUnknown
{
public:
    ACF_DECLARE_STANDARD_UNKNOWN()
};
