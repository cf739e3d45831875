#include "ZipImportFuzzHarness.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static ZipImportFuzzHarness harness;

    if (! harness.run (data, size))
        std::abort();

    return 0;
}
