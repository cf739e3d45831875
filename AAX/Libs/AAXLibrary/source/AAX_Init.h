#pragma once

#include "AAX.h"

class AAX_ICollection;
class IACFUnknown;
class IACFPluginDefinition;

// Describes the effect to the host and hands it the finished plug-in definition;
// the routine behind ACFRegisterPlugin. Failures come back as result codes, each
// traced to the host.
AAX_Result AAXRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition);

// The effect's description routine, defined by the plug-in (JUCE's AAX wrapper).
AAX_Result GetEffectDescriptions (AAX_ICollection* outCollection);
