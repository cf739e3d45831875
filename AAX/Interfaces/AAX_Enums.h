#pragma once

#include "AAX.h"

// Automation behaviour of a parameter.
enum AAX_EParameterType : int32_t
{
    AAX_eParameterType_Discrete   = 0,
    AAX_eParameterType_Continuous = 1
};

// Orientation bits of a parameter's controls; the library only stores them.
typedef int32_t AAX_EParameterOrientation;

enum AAX_EParameterOrientationBits : int32_t
{
    AAX_eParameterOrientation_Default = 0
};

// Trace priorities the library sends with its own trace lines.
enum AAX_ETracePriority : int32_t
{
    AAX_eTracePriority_Normal   = 0x4000000,   // checked results that throw
    AAX_eTracePriority_Critical = 0x8000000    // registration exceptions and chunk errors
};

// Assertion type the library passes with its assertion failures.
enum AAX_EAssertFailureType : int32_t
{
    AAX_eAssertFailureType_Default = 1
};
