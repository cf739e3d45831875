#include "AAX_CEffectGUI.h"
#include "AAX_CString.h"
#include "AAX_Errors.h"
#include "AAX_HostObjects.h"
#include "AAX_UIDs.h"
#include "AAX_VController.h"
#include "AAX_VTransport.h"
#include "AAX_VViewContainer.h"

AAX_CEffectGUI::AAX_CEffectGUI() = default;

// The derived part is gone by now, so the window is let go without DeleteViewContainer;
// a derived class removes its view in its own destructor.
AAX_CEffectGUI::~AAX_CEffectGUI()
{
    ReleaseHostObjects();
    mViewContainer.reset();
}

void AAX_CEffectGUI::ReleaseHostObjects()
{
    mEffectParameters.Reset();
    mController.reset();
    mTransport.reset();
}

AAX_Result AAX_CEffectGUI::Initialize (IACFUnknown* iController)
{
    mController = std::make_unique<AAX_VController> (iController);

    if (iController == nullptr)
        return AAX_ERROR_NOT_INITIALIZED;

    mEffectParameters.Reset (static_cast<AAX_IACFEffectParameters*> (AAX_QueryHostInterface (iController, IID_IAAXEffectParametersV1)));
    mTransport = std::make_unique<AAX_VTransport> (iController);

    CreateViewContents();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::Uninitialize()
{
    if (mViewContainer != nullptr)
        SetViewContainer (nullptr);

    ReleaseHostObjects();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::NotificationReceived (AAX_CTypeID, const void*, uint32_t)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::SetViewContainer (IACFUnknown* iViewContainer)
{
    if (iViewContainer != nullptr)
    {
        auto container = std::make_unique<AAX_VViewContainer> (iViewContainer);
        mViewContainer = std::move (container);
        CreateViewContainer();
        UpdateAllParameters();
    }
    else
    {
        DeleteViewContainer();
        mViewContainer.reset();
    }

    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::GetViewSize (AAX_Point*) const { return AAX_SUCCESS; }
AAX_Result AAX_CEffectGUI::ReservedOperation9() { return AAX_SUCCESS; }
AAX_Result AAX_CEffectGUI::ReservedOperation10() { return AAX_SUCCESS; }
AAX_Result AAX_CEffectGUI::ParameterUpdated (AAX_CParamID) { return AAX_SUCCESS; }
AAX_Result AAX_CEffectGUI::ReservedOperation12() { return AAX_ERROR_NULL_OBJECT; }

AAX_Result AAX_CEffectGUI::SetControlHighlightInfo (AAX_CParamID, AAX_CBoolean, AAX_EHighlightColor)
{
    return AAX_SUCCESS;
}

void AAX_CEffectGUI::UpdateAllParameters()
{
    if (! mEffectParameters)
        return;

    int32_t numParameters = 0;

    if (mEffectParameters->GetNumberOfParameters (&numParameters) != AAX_SUCCESS || numParameters < 0)
        return;

    for (int32_t index = 0; index < numParameters; ++index)
    {
        AAX_CString id;

        if (mEffectParameters->GetParameterIDFromIndex (index, &id) == AAX_SUCCESS)
            ParameterUpdated (id.Get());
    }
}

ACFRESULT AAX_CEffectGUI::InternalQueryInterface (const acfIID& riid, void** ppvObjOut)
{
    if (ppvObjOut != nullptr && riid == IID_IAAXEffectGUIV1)
    {
        *ppvObjOut = static_cast<AAX_IACFEffectGUI*> (this);
        InternalAddRef();
        return ACF_OK;
    }

    return CACFUnknown::InternalQueryInterface (riid, ppvObjOut);
}

AAX_IViewContainer* AAX_CEffectGUI::GetViewContainer() { return mViewContainer.get(); }
const AAX_IViewContainer* AAX_CEffectGUI::GetViewContainer() const { return mViewContainer.get(); }

int32_t AAX_CEffectGUI::GetViewContainerType() const
{
    return mViewContainer != nullptr ? mViewContainer->GetType() : 0;
}

void* AAX_CEffectGUI::GetViewContainerPtr() const
{
    return mViewContainer != nullptr ? mViewContainer->GetPtr() : nullptr;
}

AAX_IACFEffectParameters* AAX_CEffectGUI::GetEffectParameters() { return mEffectParameters.Get(); }
const AAX_IACFEffectParameters* AAX_CEffectGUI::GetEffectParameters() const { return mEffectParameters.Get(); }
