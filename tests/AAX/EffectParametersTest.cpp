// The effect-parameters base as the stand-in host drives it: lifecycle, parameters,
// automation, notifications and the remaining host operations.

#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_UIDs.h"
#include "EffectSession.h"
#include "StandInPageTable.h"
#include "StandInTransport.h"

#include <cstdint>

namespace
{
    std::string Text (const AAX_CString& s) { return s.Get(); }

    // A preview switch that, unlike the float template, takes a bool.
    class PreviewSwitch : public AAX_CParameter<float>
    {
    public:
        PreviewSwitch() : AAX_CParameter<float> ("PreviewID", AAX_CString ("Preview"), 0.0f, AAX_CLinearTaperDelegate<float, 0>(),
                                                 AAX_CNumberDisplayDelegate<float, 3>(), false) {}

        bool SetValueWithBool (bool value) override { return SetValueWithFloat (value ? 1.0f : 0.0f); }
    };

    class PreviewEffect : public TestEffect
    {
    public:
        PreviewEffect() : TestEffect ({ { "Gain", "Gain", 0.5f, 0 } }) {}

    protected:
        AAX_Result EffectInit() override
        {
            mParameterManager.AddParameter (new PreviewSwitch());
            return TestEffect::EffectInit();
        }
    };

    AAX_CEffectParameters* CreateWithPreview() { return new PreviewEffect(); }

    AAX_CEffectParameters* CreateWithLongName()
    {
        return new TestEffect ({ { "Long", "abcdef\nxyz", 0.5f, -1 } });
    }
}

TEST (EffectParameters, InitializeRunsEffectInitAndCountsTheChunkedParameters)
{
    EffectSession s;
    EXPECT_EQ (1, s.Test().effectInitCalls);

    int32_t count = 0;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetNumberOfParameters (&count));
    EXPECT_EQ (3, count);
    EXPECT_EQ (2, s.Test().NumChunkedParameters());   // the master bypass is left out

    AAX_CString bypass;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetMasterBypassParameter (&bypass));
    EXPECT_EQ ("MasterBypassID", Text (bypass));

    EXPECT_NE (nullptr, s.effect->Controller());
    EXPECT_NE (nullptr, s.effect->Transport());
    EXPECT_EQ (3u, s.host.Automation().Registered().size());
}

TEST (EffectParameters, AFailingEffectInitIsReturnedAtOnce)
{
    EffectSession s (&TestEffect::Create, false);
    s.Test().effectInitResult = AAX_ERROR_UNIMPLEMENTED;
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, s.effect->Initialize (s.host.ControllerUnknown()));
    EXPECT_EQ (0, s.Test().NumChunkedParameters());
}

TEST (EffectParameters, UninitializeRemovesEveryParameterAndLetsGoOfTheHost)
{
    EffectSession s;
    EXPECT_EQ (AAX_SUCCESS, s.effect->Uninitialize());

    int32_t count = -1;
    s.effect->GetNumberOfParameters (&count);
    EXPECT_EQ (0, count);
    EXPECT_EQ (nullptr, s.effect->Controller());
    EXPECT_TRUE (s.host.Automation().Registered().empty());
    EXPECT_EQ (0, s.host.Controller().References());
    EXPECT_EQ (0, s.host.Automation().References());
    EXPECT_EQ (0, s.host.Transport().References());
    s.Destroy (false);
}

TEST (EffectParameters, DestroyingWithoutUninitializeUnregistersBeforeTheDelegateGoes)
{
    EffectSession s;
    ASSERT_EQ (3u, s.host.Automation().Registered().size());
    s.Destroy (false);
    EXPECT_TRUE (s.host.Automation().Registered().empty());
    EXPECT_EQ (0, s.host.Automation().References());
    EXPECT_EQ (0, s.host.Controller().References());
}

TEST (EffectParameters, TheHostReachesTheObjectThroughEveryVersion)
{
    EffectSession s;

    for (const acfIID* iid : { &IID_IAAXEffectParametersV1, &IID_IAAXEffectParametersV2, &IID_IAAXEffectParametersV3,
                               &IID_IAAXEffectParametersV4 })
    {
        void* answer = nullptr;
        ASSERT_EQ (ACF_OK, s.effect->QueryInterface (*iid, &answer));
        EXPECT_EQ (static_cast<AAX_IACFEffectParameters_V4*> (s.effect), answer);
        static_cast<IACFUnknown*> (answer)->Release();
    }

    void* answer = nullptr;
    EXPECT_EQ (ACF_E_NOINTERFACE, s.effect->QueryInterface (IID_IAAXEffectGUIV1, &answer));
    EXPECT_EQ (nullptr, answer);
}

TEST (EffectParameters, ParameterQueriesAnswerFromTheParameters)
{
    EffectSession s;

    AAX_CBoolean automatable = 0;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterIsAutomatable ("Gain", &automatable));
    EXPECT_EQ (1, automatable);
    automatable = 1;
    EXPECT_EQ (AAX_ERROR_INVALID_PARAMETER_ID, s.effect->GetParameterIsAutomatable ("Nope", &automatable));
    EXPECT_EQ (0, automatable);

    int32_t steps = 0;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterNumberOfSteps ("Gain", &steps));
    EXPECT_EQ (128, steps);

    AAX_CString name ("old");
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterName ("Mix", &name));
    EXPECT_EQ ("Mix", Text (name));
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterName ("Nope", &name));
    EXPECT_EQ ("", Text (name));

    double value = 0.0;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterDefaultNormalizedValue ("Gain", &value));
    EXPECT_DOUBLE_EQ (0.5, value);
    EXPECT_EQ (AAX_SUCCESS, s.effect->SetParameterDefaultNormalizedValue ("Gain", 0.75));
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterDefaultNormalizedValue ("Gain", &value));
    EXPECT_DOUBLE_EQ (0.75, value);

    AAX_EParameterType type = AAX_eParameterType_Discrete;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterType ("Gain", &type));
    EXPECT_EQ (AAX_eParameterType_Continuous, type);

    AAX_EParameterOrientation orientation = -1;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterOrientation ("Gain", &orientation));
    EXPECT_EQ (0, orientation);

    AAX_IParameter* parameter = nullptr;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameter ("Mix", &parameter));
    ASSERT_NE (nullptr, parameter);
    EXPECT_STREQ ("Mix", parameter->Identifier());
    EXPECT_EQ (AAX_ERROR_INVALID_PARAMETER_ID, s.effect->GetParameter ("Nope", &parameter));
    EXPECT_EQ (nullptr, parameter);

    int32_t index = 0;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterIndex ("Mix", &index));
    EXPECT_EQ (1, index);
    EXPECT_EQ (AAX_ERROR_INVALID_PARAMETER_ID, s.effect->GetParameterIndex ("Nope", &index));
    EXPECT_LT (index, 0);

    AAX_CString id;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterIDFromIndex (2, &id));
    EXPECT_EQ ("MasterBypassID", Text (id));
    EXPECT_EQ (AAX_ERROR_INVALID_PARAMETER_ID, s.effect->GetParameterIDFromIndex (3, &id));
    EXPECT_EQ ("", Text (id));

    int32_t info = 5;
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, s.effect->GetParameterValueInfo ("Gain", 0, &info));
    EXPECT_EQ (0, info);
}

TEST (EffectParameters, TextsConvertThroughTheDisplayDelegate)
{
    EffectSession s;

    double value = 0.0;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterValueFromString ("Gain", &value, AAX_CString ("0.25")));
    EXPECT_DOUBLE_EQ (0.25, value);
    EXPECT_EQ (AAX_ERROR_INVALID_STRING_CONVERSION, s.effect->GetParameterValueFromString ("Gain", &value, AAX_CString ("loud")));

    AAX_CString text;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterStringFromValue ("Gain", 0.125, &text, 10));
    EXPECT_EQ ("0.125", Text (text));

    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterValueString ("Gain", &text, 10));
    EXPECT_EQ ("0.500", Text (text));
    EXPECT_EQ (AAX_ERROR_INVALID_PARAMETER_ID, s.effect->GetParameterValueString ("Nope", &text, 10));
}

TEST (EffectParameters, NamesOfALengthPickTheLongestLineThatFits)
{
    EffectSession s (&CreateWithLongName);

    AAX_CString name;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterNameOfLength ("Long", &name, 4));
    EXPECT_EQ ("xyz", Text (name));
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterNameOfLength ("Long", &name, 6));
    EXPECT_EQ ("abcdef", Text (name));
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterNameOfLength ("Long", &name, 2));
    EXPECT_EQ ("ab", Text (name));
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterNameOfLength ("Long", &name, 0));
    EXPECT_EQ ("", Text (name));

    EXPECT_EQ (AAX_ERROR_INVALID_STRING_CONVERSION, s.effect->GetParameterNameOfLength ("Long", nullptr, 4));
    name.Set ("x");
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterNameOfLength ("Nope", &name, 4));
    EXPECT_EQ ("", Text (name));
}

TEST (EffectParameters, HostAutomationTouchesRequestsEchoesAndReleases)
{
    EffectSession s;
    auto& automation = s.host.Automation();
    automation.ClearRecords();

    EXPECT_EQ (AAX_SUCCESS, s.effect->TouchParameter ("Gain"));
    EXPECT_EQ (AAX_SUCCESS, s.effect->SetParameterNormalizedValue ("Gain", 0.8));
    EXPECT_EQ (AAX_SUCCESS, s.effect->ReleaseParameter ("Gain"));

    // Setting a value is itself a gesture, nested in the host's.
    EXPECT_EQ ((std::vector<std::string> { "touch Gain", "touch Gain", "request Gain 0.8", "current Gain 0.8", "release Gain", "release Gain" }),
               automation.Log());
    EXPECT_FLOAT_EQ (0.8f, static_cast<float> (s.Value ("Gain")));

    int32_t changes = -1;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetNumberOfChanges (&changes));
    EXPECT_EQ (1, changes);
    EXPECT_EQ (AAX_SUCCESS, s.effect->UpdateParameterTouch ("Gain", 1));
}

TEST (EffectParameters, ADeferredAnswerChangesTheValueOnlyWhenItComes)
{
    EffectSession s;
    s.host.Automation().SetAnswerMode (StandInAutomationDelegate::AnswerMode::Deferred);

    s.effect->SetParameterNormalizedValue ("Mix", 0.3);
    EXPECT_DOUBLE_EQ (1.0, s.Value ("Mix"));
    EXPECT_EQ (1, s.host.Automation().Flush());
    EXPECT_FLOAT_EQ (0.3f, static_cast<float> (s.Value ("Mix")));
}

TEST (EffectParameters, AnUnchangedUpdateMarksThePacketButCountsNoChange)
{
    EffectSession s;
    s.effect->GenerateCoefficients();
    const size_t before = s.host.Controller().Packets().at (0).size();

    EXPECT_EQ (AAX_SUCCESS, s.effect->UpdateParameterNormalizedValue ("Gain", 0.5, AAX_eUpdateSource_Unspecified));
    int32_t changes = -1;
    s.effect->GetNumberOfChanges (&changes);
    EXPECT_EQ (0, changes);

    s.effect->GenerateCoefficients();
    EXPECT_EQ (before + 1, s.host.Controller().Packets().at (0).size());
    EXPECT_EQ (AAX_ERROR_INVALID_PARAMETER_ID, s.effect->UpdateParameterNormalizedValue ("Nope", 0.5, AAX_eUpdateSource_Unspecified));
}

TEST (EffectParameters, RelativeChangesStayWithinTheRange)
{
    EffectSession s;

    s.effect->SetParameterNormalizedValue ("Gain", 0.8);
    EXPECT_EQ (AAX_SUCCESS, s.effect->SetParameterNormalizedRelative ("Gain", 0.5));
    EXPECT_DOUBLE_EQ (1.0, s.Value ("Gain"));

    s.effect->SetParameterNormalizedValue ("Gain", 0.2);
    EXPECT_EQ (AAX_SUCCESS, s.effect->UpdateParameterNormalizedRelative ("Gain", -0.5));
    EXPECT_DOUBLE_EQ (0.0, s.Value ("Gain"));

    EXPECT_EQ (AAX_ERROR_INVALID_PARAMETER_ID, s.effect->SetParameterNormalizedRelative ("Nope", 0.1));
    EXPECT_EQ (AAX_ERROR_INVALID_PARAMETER_ID, s.effect->UpdateParameterNormalizedRelative ("Nope", 0.1));
}

TEST (EffectParameters, ThePreviewNotificationSetsThePreviewParameterAndReadsNoShortData)
{
    const int32_t on = 1;

    {
        EffectSession s (&CreateWithPreview);

        EXPECT_EQ (AAX_SUCCESS, s.effect->NotificationReceived (AAX_eNotificationEvent_ASPreviewState, &on, sizeof (on)));
        EXPECT_DOUBLE_EQ (1.0, s.Value ("PreviewID"));

        const int32_t off = 0;
        EXPECT_EQ (AAX_SUCCESS, s.effect->NotificationReceived (AAX_eNotificationEvent_ASPreviewState, &off, sizeof (off)));
        EXPECT_DOUBLE_EQ (0.0, s.Value ("PreviewID"));

        // One byte on the heap: reading four would be caught by AddressSanitizer.
        auto* shortData = new uint8_t[1] { 1 };
        EXPECT_EQ (AAX_SUCCESS, s.effect->NotificationReceived (AAX_eNotificationEvent_ASPreviewState, shortData, 1));
        EXPECT_EQ (AAX_SUCCESS, s.effect->NotificationReceived (AAX_eNotificationEvent_ASPreviewState, nullptr, 4));
        delete[] shortData;
        EXPECT_DOUBLE_EQ (0.0, s.Value ("PreviewID"));
    }

    // Without a preview parameter it does nothing.
    EffectSession plain;
    EXPECT_EQ (AAX_SUCCESS, plain.effect->NotificationReceived (AAX_eNotificationEvent_ASPreviewState, &on, sizeof (on)));
    EXPECT_EQ (AAX_SUCCESS, plain.effect->NotificationReceived (AAX_eNotificationEvent_TrackNameChanged, nullptr, 0));
}

TEST (EffectParameters, TheRemainingOperationsAnswerWithFixedResults)
{
    EffectSession s;
    uint8_t data[16];
    std::memset (data, 0xAB, sizeof (data));
    EXPECT_EQ (AAX_SUCCESS, s.effect->ResetFieldData (3, data, 12));
    EXPECT_EQ (0, data[0]);
    EXPECT_EQ (0, data[11]);
    EXPECT_EQ (0xAB, data[12]);
    EXPECT_EQ (AAX_ERROR_NULL_ARGUMENT, s.effect->ResetFieldData (3, nullptr, 4));

    auto* v4 = static_cast<AAX_IACFEffectParameters_V4*> (s.effect);

    uint32_t written = 9;
    float f = 0.0f;
    uint32_t ids[2] = {};
    EXPECT_EQ (AAX_SUCCESS, v4->ReservedOperation41());
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, v4->GetCurveData ('AXeq', &f, 1, &f));
    EXPECT_EQ (AAX_SUCCESS, v4->ReservedOperation43 (0, 0, nullptr, 0, &written));
    EXPECT_EQ (0u, written);
    EXPECT_EQ (AAX_SUCCESS, v4->ReservedOperation44());
    EXPECT_EQ (AAX_SUCCESS, v4->ReservedOperation45());
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, v4->ReservedOperation46());
    EXPECT_EQ (AAX_SUCCESS, v4->ReservedOperation47());
    EXPECT_EQ (AAX_SUCCESS, v4->ReservedOperation48());
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, v4->GetCurveDataMeterIds ('AXeq', &ids[0], &ids[1]));
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, v4->GetCurveDataDisplayRange ('AXeq', &f, &f, &f, &f));

    // A page table is offered to the effect only when the host has one.
    auto& table = s.host.Make<StandInPageTable> (s.host);

    // The base fills nothing.
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, s.effect->UpdatePageTable ('PgTL', 1, s.host.HostUnknown(), static_cast<AAX_IACFPageTable*> (&table)));
    EXPECT_EQ (AAX_SUCCESS, s.effect->UpdatePageTable ('PgTL', 1, s.host.HostUnknown(), nullptr));
}

TEST (EffectParameters, LifecycleThroughTheHostLeavesNoObject)
{
    for (int round = 0; round < 3; ++round)
    {
        EffectSession s;
        s.effect->SetParameterNormalizedValue ("Gain", 0.1 * round);
        s.effect->GenerateCoefficients();
    }

    EXPECT_EQ (0u, CACFUnknown::GetActiveObjectCount());
}
