#pragma once

#include "AAX.h"
#include "IACFUnknown.h"

// The host's automation interface.
class AAX_IACFAutomationDelegate : public IACFUnknown
{
public:
    virtual AAX_Result RegisterParameter (AAX_CParamID iParameterID) = 0;                              // 4th
    virtual AAX_Result UnregisterParameter (AAX_CParamID iParameterID) = 0;                            // 5th
    virtual AAX_Result PostSetValueRequest (AAX_CParamID iParameterID, double iNormalizedValue) = 0;   // 6th
    virtual AAX_Result PostCurrentValue (AAX_CParamID iParameterID, double iNormalizedValue) = 0;      // 7th
    virtual AAX_Result PostTouchRequest (AAX_CParamID iParameterID) = 0;                               // 8th
    virtual AAX_Result PostReleaseRequest (AAX_CParamID iParameterID) = 0;                             // 9th
    virtual AAX_Result GetTouchState (AAX_CParamID iParameterID, AAX_CBoolean* oTouched) = 0;          // 10th
};
