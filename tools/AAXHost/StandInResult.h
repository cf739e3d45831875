#pragma once

#include "AAX.h"

#include <string>

// Any thread. A result code as a user reads it: its name and what it means, then the number,
// as "AAX_ERROR_INCORRECT_CHUNK_SIZE: a chunk's size does not match its data (-20008)".
class StandInResult
{
public:
    static std::string Describe (AAX_Result result);
};
