#pragma once

#include "AAX.h"

#include <functional>

class AAX_ICollection;

// The tests' own description routine behind registration: each test scripts what it
// does with the collection. The default describes nothing and succeeds.
using DescriptionScript = std::function<AAX_Result (AAX_ICollection&)>;

void SetDescriptionScript (DescriptionScript script);
void ResetDescriptionScript();
