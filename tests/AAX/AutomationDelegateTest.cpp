// AAX_VAutomationDelegate over the stand-in host's controller.

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "AAX_VAutomationDelegate.h"
#include "StandInAutomationDelegate.h"
#include "StandInController.h"
#include "StandInHost.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST (AutomationDelegate, ForwardsEveryOperationUnchanged)
{
    StandInHost host;
    host.Automation().SetAnswerMode (StandInAutomationDelegate::AnswerMode::Never);
    {
        AAX_VAutomationDelegate delegate (host.ControllerUnknown());
        EXPECT_EQ (1, host.Automation().References());

        EXPECT_EQ (0, delegate.RegisterParameter ("Gain"));
        EXPECT_EQ (0, delegate.PostTouchRequest ("Gain"));
        EXPECT_EQ (0, delegate.PostSetValueRequest ("Gain", 0.25));
        EXPECT_EQ (0, delegate.PostCurrentValue ("Gain", 0.5));
        EXPECT_EQ (0, delegate.PostReleaseRequest ("Gain"));
        AAX_CBoolean touched = 7;
        EXPECT_EQ (0, delegate.GetTouchState ("Gain", &touched));
        EXPECT_EQ (0, touched);
        EXPECT_EQ (0, delegate.UnregisterParameter ("Gain"));
    }

    const std::vector<std::string> expected { "register Gain", "touch Gain", "request Gain 0.25", "current Gain 0.5",
                                              "release Gain", "touch state Gain", "unregister Gain" };
    EXPECT_EQ (expected, host.Automation().Log());
    EXPECT_TRUE (host.Balanced());
}

TEST (AutomationDelegate, ReturnsTheHostsResult)
{
    StandInHost host;
    AAX_VAutomationDelegate delegate (host.ControllerUnknown());
    host.Automation().SetResult (AAX_ERROR_NOTIFICATION_FAILED);

    EXPECT_EQ (AAX_ERROR_NOTIFICATION_FAILED, delegate.RegisterParameter ("a"));
    EXPECT_EQ (AAX_ERROR_NOTIFICATION_FAILED, delegate.PostCurrentValue ("a", 1.0));
}

TEST (AutomationDelegate, WithoutTheHostInterfaceEveryOperationIsNullObject)
{
    StandInHost host;
    host.Refuse (IID_IAAXAutomationDelegateV1);
    {
        AAX_VAutomationDelegate refused (host.ControllerUnknown());
        AAX_VAutomationDelegate empty (nullptr);

        for (AAX_IAutomationDelegate* delegate : { static_cast<AAX_IAutomationDelegate*> (&refused),
                                                   static_cast<AAX_IAutomationDelegate*> (&empty) })
        {
            AAX_CBoolean touched = 0;
            EXPECT_EQ (-20004, delegate->RegisterParameter ("a"));
            EXPECT_EQ (-20004, delegate->UnregisterParameter ("a"));
            EXPECT_EQ (-20004, delegate->PostSetValueRequest ("a", 0.1));
            EXPECT_EQ (-20004, delegate->PostCurrentValue ("a", 0.1));
            EXPECT_EQ (-20004, delegate->PostTouchRequest ("a"));
            EXPECT_EQ (-20004, delegate->PostReleaseRequest ("a"));
            EXPECT_EQ (-20004, delegate->GetTouchState ("a", &touched));
        }
    }

    EXPECT_TRUE (host.Automation().Events().empty());
    EXPECT_TRUE (host.Balanced());
}

TEST (AutomationDelegate, AQueryThatThrowsPassesTheExceptionOn)
{
    StandInHost host;
    host.Controller().ThrowOnQuery (true);
    EXPECT_THROW (AAX_VAutomationDelegate delegate (host.ControllerUnknown()), std::runtime_error);
    EXPECT_TRUE (host.Balanced());
}
