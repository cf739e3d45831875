#pragma once

// Base types of the host's component model, shared by the library and the stand-in host.

#include <cstdint>
#include <cstring>

typedef int32_t ACFRESULT;
typedef uint8_t acfUInt8;
typedef uint16_t acfUInt16;
typedef uint32_t acfUInt32;
typedef int32_t acfSInt32;
typedef uint64_t acfUInt64;

// 16-byte identifier: 32-bit, 16-bit, 16-bit, then 8 bytes.
struct acfUID
{
    acfUInt32 Data1;
    acfUInt16 Data2;
    acfUInt16 Data3;
    acfUInt8 Data4[8];
};

typedef acfUID acfIID;
typedef acfUID acfCLSID;

inline bool operator== (const acfUID& a, const acfUID& b)
{
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3
        && std::memcmp (a.Data4, b.Data4, sizeof (a.Data4)) == 0;
}

inline bool operator!= (const acfUID& a, const acfUID& b) { return ! (a == b); }

// Component-layer result codes (negative as 32-bit signed values).
const ACFRESULT ACF_OK = 0;
const ACFRESULT ACF_E_NOINTERFACE = static_cast<ACFRESULT> (0x80000004u);
const ACFRESULT ACF_E_POINTER = static_cast<ACFRESULT> (0x80000005u);
const ACFRESULT ACF_E_UNEXPECTED = static_cast<ACFRESULT> (0x8000FFFFu);

inline bool ACFSUCCEEDED (ACFRESULT r) { return r >= 0; }
inline bool ACFFAILED (ACFRESULT r) { return r < 0; }
