#pragma once

#include "AAX.h"

// The library's view of the host's automation service.
class AAX_IAutomationDelegate
{
public:
    virtual ~AAX_IAutomationDelegate() = default;

    virtual AAX_Result RegisterParameter (AAX_CParamID iParameterID) = 0;
    virtual AAX_Result UnregisterParameter (AAX_CParamID iParameterID) = 0;
    virtual AAX_Result PostSetValueRequest (AAX_CParamID iParameterID, double iNormalizedValue) = 0;
    virtual AAX_Result PostCurrentValue (AAX_CParamID iParameterID, double iNormalizedValue) = 0;
    virtual AAX_Result PostTouchRequest (AAX_CParamID iParameterID) = 0;
    virtual AAX_Result PostReleaseRequest (AAX_CParamID iParameterID) = 0;
    virtual AAX_Result GetTouchState (AAX_CParamID iParameterID, AAX_CBoolean* oTouched) = 0;
};
