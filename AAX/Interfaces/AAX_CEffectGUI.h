#pragma once

#include "AAX.h"
#include "AAX_CHostReference.h"
#include "AAX_IACFEffectParameters.h"
#include "AAX_IEffectGUI.h"

#include <memory>

class AAX_IViewContainer;
class AAX_VController;
class AAX_VTransport;
class AAX_VViewContainer;

// Every operation: message thread (the host's UI side); none takes a lock.
// The library's effect-GUI object: connects to the host's controller, finds the
// effect-parameters object of the same effect and manages the host window. A derived
// class creates its editor and places it into, and removes it from, the window.
class AAX_CEffectGUI : public AAX_IEffectGUI
{
public:
    AAX_CEffectGUI();
    ~AAX_CEffectGUI() override;

    AAX_CEffectGUI (const AAX_CEffectGUI&) = delete;
    AAX_CEffectGUI& operator= (const AAX_CEffectGUI&) = delete;

    // Message thread: allocates the host wrappers, as SetViewContainer allocates its window's.
    AAX_Result Initialize (IACFUnknown* iController) override;
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize) override;
    AAX_Result SetViewContainer (IACFUnknown* iViewContainer) override;
    AAX_Result GetViewSize (AAX_Point* oViewSize) const override;
    AAX_Result ReservedOperation9() override;
    AAX_Result ReservedOperation10() override;
    AAX_Result ParameterUpdated (AAX_CParamID inParamID) override;
    AAX_Result ReservedOperation12() override;
    AAX_Result SetControlHighlightInfo (AAX_CParamID inParamID, AAX_CBoolean inIsHighlighted, AAX_EHighlightColor inColor) override;

    // Any thread: takes no lock; the reference count is atomic.
    ACFRESULT InternalQueryInterface (const acfIID& riid, void** ppvObjOut) override;

    // The host window, or null.
    AAX_IViewContainer* GetViewContainer();
    const AAX_IViewContainer* GetViewContainer() const;
    // The window's AAX_EViewContainer_Type, 0 without a window.
    int32_t GetViewContainerType() const;
    // The window's native view, null without a window.
    void* GetViewContainerPtr() const;

    // The effect-parameters object of the same effect, or null.
    AAX_IACFEffectParameters* GetEffectParameters();
    const AAX_IACFEffectParameters* GetEffectParameters() const;

protected:
    virtual void CreateViewContents() = 0;
    virtual void CreateViewContainer() = 0;
    virtual void DeleteViewContainer() = 0;

    // Calls ParameterUpdated for every parameter of the effect.
    virtual void UpdateAllParameters();

private:
    // Lets go of the host's objects without calling into the derived class.
    void ReleaseHostObjects();

    std::unique_ptr<AAX_VController> mController;
    AAX_CHostReference<AAX_IACFEffectParameters> mEffectParameters;
    std::unique_ptr<AAX_VViewContainer> mViewContainer;
    std::unique_ptr<AAX_VTransport> mTransport;
};
