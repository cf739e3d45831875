#pragma once

#include "AAX_IACFEffectGUI.h"
#include "CACFUnknown.h"

// The effect's GUI object, reference counted by the library; the host's three
// IACFUnknown operations go to the counting object.
class AAX_IEffectGUI : public AAX_IACFEffectGUI, public CACFUnknown
{
public:
    ACF_DECLARE_STANDARD_UNKNOWN()
};
