#pragma once

#include "IACFUnknown.h"

// The host's definition object, reached through the description host; the library only
// hands it on.
class IACFDefinition : public IACFUnknown
{
};
