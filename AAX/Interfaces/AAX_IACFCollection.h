#pragma once

#include "AAX.h"
#include "IACFUnknown.h"

// The host's collection: the whole description of the bundle. The library calls only
// the 8th to 12th operations; the 4th to 7th are the host's own.
class AAX_IACFCollection : public IACFUnknown
{
public:
    virtual AAX_Result ReservedOperation4() = 0;                                                  // 4th
    virtual AAX_Result ReservedOperation5() = 0;                                                  // 5th
    virtual AAX_Result ReservedOperation6() = 0;                                                  // 6th
    virtual AAX_Result ReservedOperation7() = 0;                                                  // 7th
    virtual AAX_Result AddEffect (const char* inEffectID, IACFUnknown* inEffectDescriptor) = 0;   // 8th
    virtual AAX_Result SetManufacturerName (const char* inName) = 0;                              // 9th
    virtual AAX_Result AddPackageName (const char* inName) = 0;                                   // 10th
    virtual AAX_Result SetPackageVersion (uint32_t inVersion) = 0;                                // 11th
    virtual AAX_Result SetProperties (IACFUnknown* inProperties) = 0;                             // 12th
};
