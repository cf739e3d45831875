#include "ChunkFuzzHarness.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (! RunChunkFuzzHarness (data, size))
        std::abort();

    return 0;
}
