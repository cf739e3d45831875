#pragma once

#include "AAX.h"
#include "IACFUnknown.h"

// The host's services interface in its three versions; each version carries the
// operations of the one before it.

class AAX_IACFHostServices : public IACFUnknown
{
public:
    virtual AAX_Result Assert (const char* iFile, int32_t iLine, const char* iNote) = 0;   // 4th
    virtual AAX_Result Trace (int32_t iPriority, const char* iMessage) = 0;                // 5th
};

class AAX_IACFHostServices_V2 : public AAX_IACFHostServices
{
public:
    virtual AAX_Result StackTrace (int32_t iTracePriority, int32_t iStackTracePriority, const char* iMessage) = 0;   // 6th
};

class AAX_IACFHostServices_V3 : public AAX_IACFHostServices_V2
{
public:
    virtual AAX_Result HandleAssertFailure (const char* iFile, int32_t iLine, const char* iNote, int32_t iFlags) = 0;   // 7th
};
