// The effect-GUI base with the tests' own GUI, in the stand-in host's window.

#include "AAX_IViewContainer.h"
#include "AAX_UIDs.h"
#include "EffectSession.h"
#include "StandInController.h"
#include "StandInViewContainer.h"
#include "TestEffectGUI.h"

namespace
{
    // A GUI made through its factory procedure and counted by the host.
    struct GUIHandle
    {
        GUIHandle() : object (TestEffectGUI::Create()) { object->AddRef(); }

        ~GUIHandle()
        {
            if (object != nullptr)
            {
                EXPECT_EQ (0u, object->Release());
            }
        }

        TestEffectGUI& Test() { return *dynamic_cast<TestEffectGUI*> (object); }

        AAX_IEffectGUI* object;
    };
}

TEST (EffectGUI, OpensInTheHostWindowAndClosesAgain)
{
    EffectSession s;
    auto& window = s.host.ViewContainer();
    window.type = AAX_eViewContainer_Type_HWND;
    int nativeView = 0;
    window.view = &nativeView;

    {
        GUIHandle gui;
        EXPECT_EQ (0, gui.Test().GetViewContainerType());
        EXPECT_EQ (nullptr, gui.Test().GetViewContainer());

        ASSERT_EQ (AAX_SUCCESS, gui.object->Initialize (s.host.ControllerUnknown()));
        EXPECT_EQ (static_cast<AAX_IACFEffectParameters*> (s.effect), gui.Test().GetEffectParameters());

        ASSERT_EQ (AAX_SUCCESS, gui.object->SetViewContainer (window.Unknown()));
        EXPECT_EQ (AAX_eViewContainer_Type_HWND, gui.Test().GetViewContainerType());
        EXPECT_EQ (&nativeView, gui.Test().GetViewContainerPtr());
        EXPECT_TRUE (gui.Test().viewPresent);

        // Every parameter is refreshed once the view is in place.
        EXPECT_EQ ((std::vector<std::string> { "Gain", "Mix", "MasterBypassID" }), gui.Test().updated);
        ASSERT_EQ (1u, window.SizeRequests().size());
        EXPECT_FLOAT_EQ (300.0f, window.SizeRequests()[0].vert);
        EXPECT_FLOAT_EQ (400.0f, window.SizeRequests()[0].horz);

        AAX_Point size { 0.0f, 0.0f };
        EXPECT_EQ (AAX_SUCCESS, gui.object->GetViewSize (&size));
        EXPECT_FLOAT_EQ (400.0f, size.horz);

        EXPECT_EQ (AAX_SUCCESS, gui.object->SetViewContainer (nullptr));
        EXPECT_FALSE (gui.Test().viewPresent);
        EXPECT_EQ (nullptr, gui.Test().GetViewContainer());

        EXPECT_EQ (AAX_SUCCESS, gui.object->Uninitialize());
        EXPECT_EQ ((std::vector<std::string> { "CreateViewContents", "CreateViewContainer", "DeleteViewContainer" }), gui.Test().calls);
    }
}

TEST (EffectGUI, ParameterChangesReachTheGUIThroughTheHost)
{
    EffectSession s;
    GUIHandle gui;
    gui.object->Initialize (s.host.ControllerUnknown());
    gui.object->SetViewContainer (s.host.ViewContainer().Unknown());
    gui.Test().updated.clear();

    // The host tells the GUI of each value it echoes into the effect.
    s.host.Automation().SetValueSink ([&] (const std::string& id, double value) {
        s.effect->UpdateParameterNormalizedValue (id.c_str(), value, AAX_eUpdateSource_Unspecified);
        gui.object->ParameterUpdated (id.c_str());
    });

    s.effect->SetParameterNormalizedValue ("Mix", 0.25);
    EXPECT_EQ ((std::vector<std::string> { "Mix" }), gui.Test().updated);
    EXPECT_DOUBLE_EQ (0.25, s.Value ("Mix"));

    gui.object->Uninitialize();
}

TEST (EffectGUI, UninitializeRemovesTheViewBeforeLettingGoOfTheEffect)
{
    EffectSession s;
    GUIHandle gui;
    gui.object->Initialize (s.host.ControllerUnknown());
    gui.object->SetViewContainer (s.host.ViewContainer().Unknown());

    EXPECT_EQ (AAX_SUCCESS, gui.object->Uninitialize());
    EXPECT_EQ ("DeleteViewContainer", gui.Test().calls.back());
    EXPECT_EQ (nullptr, gui.Test().GetEffectParameters());
    EXPECT_EQ (nullptr, gui.Test().GetViewContainer());
    EXPECT_EQ (0, s.host.ViewContainer().References());
}

TEST (EffectGUI, ClosingWithoutAWindowStillAsksTheDerivedClass)
{
    EffectSession s;
    GUIHandle gui;
    gui.object->Initialize (s.host.ControllerUnknown());
    EXPECT_EQ (AAX_SUCCESS, gui.object->SetViewContainer (nullptr));
    EXPECT_EQ ("DeleteViewContainer", gui.Test().calls.back());
    gui.object->Uninitialize();
}

TEST (EffectGUI, DestroyingWithTheWindowStillSetCallsNoPureOperation)
{
    EffectSession s;
    const int controllerReferences = s.host.Controller().References();
    {
        GUIHandle gui;
        gui.object->Initialize (s.host.ControllerUnknown());
        gui.object->SetViewContainer (s.host.ViewContainer().Unknown());
        ASSERT_GT (s.host.ViewContainer().References(), 0);
        // Released with the window, the effect and the controller still held.
    }

    EXPECT_EQ (0, s.host.ViewContainer().References());
    EXPECT_EQ (controllerReferences, s.host.Controller().References());
}

TEST (EffectGUI, WithoutAControllerInitializeFails)
{
    HostSession session;
    GUIHandle gui;
    EXPECT_EQ (AAX_ERROR_NOT_INITIALIZED, gui.object->Initialize (nullptr));
    EXPECT_EQ (nullptr, gui.Test().GetEffectParameters());
    gui.object->SetViewContainer (session.host.ViewContainer().Unknown());
    EXPECT_TRUE (gui.Test().updated.empty());   // no effect to ask
    gui.object->Uninitialize();
}

TEST (EffectGUI, FixedAnswersAndTheHostsQuery)
{
    HostSession session;
    GUIHandle gui;

    EXPECT_EQ (AAX_SUCCESS, gui.object->NotificationReceived ('AXtn', nullptr, 0));
    EXPECT_EQ (AAX_SUCCESS, gui.object->ReservedOperation9());
    EXPECT_EQ (AAX_SUCCESS, gui.object->ReservedOperation10());
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, gui.object->ReservedOperation12());
    EXPECT_EQ (AAX_SUCCESS, gui.object->SetControlHighlightInfo ("Gain", 1, AAX_eHighlightColor_Red));

    void* answer = nullptr;
    ASSERT_EQ (ACF_OK, gui.object->QueryInterface (IID_IAAXEffectGUIV1, &answer));
    EXPECT_EQ (static_cast<AAX_IACFEffectGUI*> (gui.object), answer);
    static_cast<IACFUnknown*> (answer)->Release();
}

TEST (EffectGUI, TheGUIsHoldOnTheEffectEndsWithIt)
{
    EffectSession s;
    {
        GUIHandle gui;
        gui.object->Initialize (s.host.ControllerUnknown());
        gui.object->Uninitialize();
    }
    s.Destroy();
    EXPECT_EQ (0u, CACFUnknown::GetActiveObjectCount());
}
