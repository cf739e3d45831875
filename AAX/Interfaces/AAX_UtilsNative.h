#pragma once

// What a native process procedure works with: the basic types, the field positions of
// its context (AAX_FIELD_INDEX) and the MIDI nodes the host places in it.

#include "AAX.h"
#include "AAX_Enums.h"
#include "AAX_IMIDINode.h"
