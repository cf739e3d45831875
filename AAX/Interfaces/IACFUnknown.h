#pragma once

#include "ACFBaseTypes.h"

// 00000000-0000-0000-C000-000000000046
inline constexpr acfIID IID_IACFUnknown = { 0x00000000, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };

// First three operations of every host and plug-in object. Interfaces carry no
// virtual destructor: their operation tables must hold exactly the declared operations.
class IACFUnknown
{
public:
    virtual ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) = 0;   // 1st
    virtual acfUInt32 AddRef() = 0;                                           // 2nd
    virtual acfUInt32 Release() = 0;                                          // 3rd
};
