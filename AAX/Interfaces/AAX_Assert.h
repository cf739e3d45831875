#pragma once

#include "AAX.h"
#include "AAX_Enums.h"

// Trace lines and assertion failures go to the host's services while the bundle is
// started; otherwise they are dropped. Neither ever stops the caller.

AAX_Result AAX_HandleAssertFailure (const char* iFile, int32_t iLine, const char* iNote, int32_t iFlags);

// Formats with printf rules into 512 bytes; longer texts are cut.
AAX_Result AAX_Trace (int32_t iPriority, const char* iFormat, ...)
#if defined(__GNUC__)
    __attribute__ ((format (printf, 2, 3)))
#endif
    ;

// Reports a failed condition with its text; iSource is the path the host is told,
// e.g. "AAX/Interfaces/AAX_CParameter".
#define AAX_ASSERT_SOURCE(iSource, iCondition) \
    ((iCondition) ? (void) 0                   \
                  : (void) AAX_HandleAssertFailure ((iSource), __LINE__, #iCondition, AAX_eAssertFailureType_Default))
