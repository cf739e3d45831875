#pragma once

#include "IACFUnknown.h"

// The finished plug-in definition that registration hands to the host.
class IACFPluginDefinition : public IACFUnknown
{
};
