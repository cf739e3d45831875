#pragma once

#include "AAX.h"

class IACFUnknown;
class IACFPluginDefinition;

// Describes the effect to the host and hands it the finished plug-in definition;
// the routine behind ACFRegisterPlugin.
AAX_Result AAXRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition);
