#pragma once

#include "AAX.h"

class IACFUnknown;
class AAX_IHostServices;

// Sets the process-wide host-services object over the host object, or destroys it
// when given null. A second start-up keeps the first object; a shut-down without
// start-up does nothing. Not to run concurrently with other calls into the library.
void AAX_SetHostServices (IACFUnknown* pUnkHost);

// The process-wide host-services object, or null outside start-up and shut-down.
AAX_IHostServices* AAX_GetHostServices();
