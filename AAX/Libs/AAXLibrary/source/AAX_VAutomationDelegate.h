#pragma once

#include "AAX_IAutomationDelegate.h"
#include "AAX_IACFAutomationDelegate.h"

class IACFUnknown;

// Every operation: any thread; takes no lock, allocates nothing and calls the host's object synchronously.
// Forwards automation requests to the host's automation interface; without it every
// operation answers AAX_ERROR_NULL_OBJECT.
class AAX_VAutomationDelegate : public AAX_IAutomationDelegate
{
public:
    explicit AAX_VAutomationDelegate (IACFUnknown* pUnknown);
    ~AAX_VAutomationDelegate() override;

    AAX_VAutomationDelegate (const AAX_VAutomationDelegate&) = delete;
    AAX_VAutomationDelegate& operator= (const AAX_VAutomationDelegate&) = delete;

    AAX_Result RegisterParameter (AAX_CParamID iParameterID) override;
    AAX_Result UnregisterParameter (AAX_CParamID iParameterID) override;
    AAX_Result PostSetValueRequest (AAX_CParamID iParameterID, double iNormalizedValue) override;
    AAX_Result PostCurrentValue (AAX_CParamID iParameterID, double iNormalizedValue) override;
    AAX_Result PostTouchRequest (AAX_CParamID iParameterID) override;
    AAX_Result PostReleaseRequest (AAX_CParamID iParameterID) override;
    AAX_Result GetTouchState (AAX_CParamID iParameterID, AAX_CBoolean* oTouched) override;

private:
    AAX_IACFAutomationDelegate* mIAutomationDelegate = nullptr;
};
