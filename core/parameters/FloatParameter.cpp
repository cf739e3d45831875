#include "core/parameters/FloatParameter.h"

// The base class already is the continuous kind; this class names it for type tests.
FloatParameter::FloatParameter (const Description& d)
    : Parameter (d)
{
}
