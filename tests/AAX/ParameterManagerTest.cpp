// AAX_CParameterManager with parameters registered at the stand-in host.

#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_CParameterManager.h"
#include "AAX_VAutomationDelegate.h"
#include "StandInAutomationDelegate.h"
#include "StandInHost.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
    AAX_IParameter* makeParameter (const char* id)
    {
        return new AAX_CParameter<float> (id, AAX_CString (id), 0.0f, AAX_CLinearTaperDelegate<float>(),
                                          AAX_CNumberDisplayDelegate<float, 3>(), true);
    }

    using Log = std::vector<std::string>;
}

TEST (ParameterManager, KeepsTheOrderOfAddition)
{
    AAX_CParameterManager manager;
    AAX_IParameter* b = makeParameter ("b");
    AAX_IParameter* a = makeParameter ("a");
    AAX_IParameter* c = makeParameter ("c");
    manager.AddParameter (b);
    manager.AddParameter (a);
    manager.AddParameter (c);

    EXPECT_EQ (3, manager.NumParameters());
    EXPECT_EQ (b, manager.GetParameter (0));
    EXPECT_EQ (a, manager.GetParameter (1));
    EXPECT_EQ (c, manager.GetParameter (2));
    EXPECT_EQ (1, manager.GetParameterIndex ("a"));
    EXPECT_EQ (2, manager.GetParameterIndex ("c"));
    EXPECT_EQ (a, manager.GetParameterByID ("a"));

    const AAX_CParameterManager& readOnly = manager;
    EXPECT_EQ (c, readOnly.GetParameterByID ("c"));
    EXPECT_EQ (b, readOnly.GetParameter (0));
}

TEST (ParameterManager, LookupsOutsideTheTableGiveNothing)
{
    AAX_CParameterManager manager;
    EXPECT_EQ (-1, manager.GetParameterIndex ("a"));
    EXPECT_EQ (nullptr, manager.GetParameter (0));

    manager.AddParameter (makeParameter ("a"));
    manager.AddParameter (nullptr);
    EXPECT_EQ (1, manager.NumParameters());
    EXPECT_EQ (nullptr, manager.GetParameter (-1));
    EXPECT_EQ (nullptr, manager.GetParameter (1));
    EXPECT_EQ (-1, manager.GetParameterIndex ("never"));
    EXPECT_EQ (-1, manager.GetParameterIndex (nullptr));
    EXPECT_EQ (nullptr, manager.GetParameterByID ("never"));
    EXPECT_EQ (nullptr, manager.GetParameterByID (nullptr));
    EXPECT_EQ (nullptr, manager.GetParameterByID ("A"));
}

TEST (ParameterManager, ADuplicateIdentifierIsNeitherTakenNorDeleted)
{
    AAX_CParameterManager manager;
    AAX_IParameter* first = makeParameter ("gain");
    std::unique_ptr<AAX_IParameter> second (makeParameter ("gain"));

    manager.AddParameter (first);
    manager.AddParameter (second.get());   // the caller keeps it: freed here by the unique_ptr

    EXPECT_EQ (1, manager.NumParameters());
    EXPECT_EQ (first, manager.GetParameterByID ("gain"));
    EXPECT_EQ (0, manager.GetParameterIndex ("gain"));
}

TEST (ParameterManager, HandsItsDelegateToLaterParametersOnly)
{
    StandInHost host;
    {
        AAX_VAutomationDelegate delegate (host.ControllerUnknown());
        AAX_CParameterManager manager;

        manager.AddParameter (makeParameter ("early"));
        manager.Initialize (&delegate);
        manager.AddParameter (makeParameter ("late"));
        std::unique_ptr<AAX_IParameter> duplicate (makeParameter ("late"));
        manager.AddParameter (duplicate.get());   // never registered, and still ours

        EXPECT_EQ ((Log { "register late" }), host.Automation().Log());

        // Only the parameter that knows the delegate asks the host.
        host.Automation().ClearRecords();
        manager.GetParameterByID ("early")->SetNormalizedValue (0.5);
        manager.GetParameterByID ("late")->SetNormalizedValue (0.5);
        EXPECT_EQ ((Log { "touch late", "request late 0.5", "release late" }), host.Automation().Log());

        host.Automation().ClearRecords();
        manager.RemoveAllParameters();
        EXPECT_EQ ((Log { "unregister late" }), host.Automation().Log());
        EXPECT_EQ (0, manager.NumParameters());
        EXPECT_EQ (nullptr, manager.GetParameterByID ("late"));
        EXPECT_EQ (nullptr, manager.GetParameterByID ("early"));
        EXPECT_EQ (-1, manager.GetParameterIndex ("late"));

        manager.AddParameter (makeParameter ("late"));   // the identifier is free again
        EXPECT_EQ (1, manager.NumParameters());
    }
    EXPECT_TRUE (host.Automation().Registered().empty());
    EXPECT_TRUE (host.Balanced());
}
