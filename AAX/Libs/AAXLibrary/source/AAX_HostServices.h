#pragma once

#include "AAX.h"

class IACFUnknown;
class AAX_IHostServices;

// Any thread: takes no lock, so never while other calls into the library run.
// Sets the process-wide host-services object over the host object, or destroys it
// when given null; the pointer is atomic, but the object goes at once. A second
// start-up keeps the first object; a shut-down without start-up does nothing.
void AAX_SetHostServices (IACFUnknown* pUnkHost);

// Any thread: an atomic load, no lock.
// The process-wide host-services object, or null outside start-up and shut-down.
AAX_IHostServices* AAX_GetHostServices();
