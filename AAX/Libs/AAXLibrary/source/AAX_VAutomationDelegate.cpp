#include "AAX_VAutomationDelegate.h"
#include "AAX_Errors.h"
#include "AAX_UIDs.h"

AAX_VAutomationDelegate::AAX_VAutomationDelegate (IACFUnknown* pUnknown)
{
    if (pUnknown == nullptr)
        return;

    void* answer = nullptr;

    try
    {
        // A refused query leaves the reference empty; the result itself is not needed.
        pUnknown->QueryInterface (IID_IAAXAutomationDelegateV1, &answer);
    }
    catch (...)
    {
        if (answer != nullptr)
            static_cast<IACFUnknown*> (answer)->Release();
        throw;
    }

    mIAutomationDelegate = static_cast<AAX_IACFAutomationDelegate*> (answer);
}

AAX_VAutomationDelegate::~AAX_VAutomationDelegate()
{
    if (mIAutomationDelegate != nullptr)
        mIAutomationDelegate->Release();
}

AAX_Result AAX_VAutomationDelegate::RegisterParameter (AAX_CParamID iParameterID)
{
    return mIAutomationDelegate != nullptr ? mIAutomationDelegate->RegisterParameter (iParameterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::UnregisterParameter (AAX_CParamID iParameterID)
{
    return mIAutomationDelegate != nullptr ? mIAutomationDelegate->UnregisterParameter (iParameterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostSetValueRequest (AAX_CParamID iParameterID, double iNormalizedValue)
{
    return mIAutomationDelegate != nullptr ? mIAutomationDelegate->PostSetValueRequest (iParameterID, iNormalizedValue) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostCurrentValue (AAX_CParamID iParameterID, double iNormalizedValue)
{
    return mIAutomationDelegate != nullptr ? mIAutomationDelegate->PostCurrentValue (iParameterID, iNormalizedValue) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostTouchRequest (AAX_CParamID iParameterID)
{
    return mIAutomationDelegate != nullptr ? mIAutomationDelegate->PostTouchRequest (iParameterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostReleaseRequest (AAX_CParamID iParameterID)
{
    return mIAutomationDelegate != nullptr ? mIAutomationDelegate->PostReleaseRequest (iParameterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::GetTouchState (AAX_CParamID iParameterID, AAX_CBoolean* oTouched)
{
    return mIAutomationDelegate != nullptr ? mIAutomationDelegate->GetTouchState (iParameterID, oTouched) : AAX_ERROR_NULL_OBJECT;
}
