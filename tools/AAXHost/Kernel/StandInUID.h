#pragma once

#include "ACFBaseTypes.h"

#include <string>

// Text form of identifiers: 8-4-4-4-12 upper-case hexadecimal digits.
class StandInUID
{
public:
    static std::string ToText (const acfUID& uid);
};
