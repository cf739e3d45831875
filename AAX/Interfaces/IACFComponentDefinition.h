#pragma once

#include "IACFUnknown.h"

// A component definition; the library registers none of its own.
class IACFComponentDefinition : public IACFUnknown
{
};
