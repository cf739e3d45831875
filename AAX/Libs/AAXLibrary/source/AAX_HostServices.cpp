#include "AAX_HostServices.h"
#include "AAX_Assert.h"
#include "AAX_VHostServices.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace
{
    std::atomic<AAX_VHostServices*> gHostServices { nullptr };

    const size_t kTraceBufferSize = 512;

    // After a cut, drop the bytes of a UTF-8 sequence that lost its tail.
    void trimPartialCharacter (char* text, size_t length)
    {
        size_t start = length;
        while (start > 0 && (static_cast<unsigned char> (text[start - 1]) & 0xC0) == 0x80)
            --start;

        if (start == 0)
            return;

        const auto lead = static_cast<unsigned char> (text[start - 1]);
        const size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3
            : lead >= 0xC0                                    ? 2
                                                              : 1;

        if (needed > 1 && length - (start - 1) < needed)
            text[start - 1] = '\0';
    }
}

void AAX_SetHostServices (IACFUnknown* pUnkHost)
{
    if (pUnkHost != nullptr)
    {
        if (gHostServices.load() == nullptr)
            gHostServices.store (new AAX_VHostServices (pUnkHost));
    }
    else if (auto* services = gHostServices.exchange (nullptr))
    {
        delete services;
    }
}

AAX_IHostServices* AAX_GetHostServices()
{
    return gHostServices.load();
}

AAX_Result AAX_HandleAssertFailure (const char* iFile, int32_t iLine, const char* iNote, int32_t iFlags)
{
    if (auto* services = gHostServices.load())
        return services->HandleAssertFailure (iFile, iLine, iNote, iFlags);

    return 0;
}

AAX_Result AAX_Trace (int32_t iPriority, const char* iFormat, ...)
{
    auto* services = gHostServices.load();

    if (services == nullptr)
        return 0;

    char text[kTraceBufferSize];
    text[0] = '\0';

    if (iFormat != nullptr)
    {
        va_list args;
        va_start (args, iFormat);
        const int written = std::vsnprintf (text, sizeof (text), iFormat, args);
        va_end (args);

        if (written < 0)
            text[0] = '\0';
        else if (static_cast<size_t> (written) >= sizeof (text))
            trimPartialCharacter (text, sizeof (text) - 1);
    }

    return services->Trace (iPriority, text);
}
