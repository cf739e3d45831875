// AAX_CParameter<float> with its linear taper and number display, driven through the
// stand-in host's automation service.

#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_Errors.h"
#include "AAX_VAutomationDelegate.h"
#include "HostSession.h"
#include "StandInAutomationDelegate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

namespace
{
    using Log = std::vector<std::string>;
    using Mode = StandInAutomationDelegate::AnswerMode;

    std::unique_ptr<AAX_CParameter<float>> makeParameter (const char* id = "gain", float defaultValue = 2.0f,
                                                          float minimum = 0.0f, float maximum = 10.0f)
    {
        return std::make_unique<AAX_CParameter<float>> (id, AAX_CString ("Gain"), defaultValue,
                                                        AAX_CLinearTaperDelegate<float, 0> (minimum, maximum),
                                                        AAX_CNumberDisplayDelegate<float, 3>(), true);
    }

    float valueOf (const AAX_IParameter& parameter)
    {
        float value = -1.0f;
        EXPECT_TRUE (parameter.GetValueAsFloat (&value));
        return value;
    }

    class ParameterWithHost : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            Automation().SetValueSink ([this] (const std::string& id, double value) {
                if (parameter != nullptr && id == parameter->Identifier())
                    parameter->UpdateNormalizedValue (value);
            });

            parameter = makeParameter();
        }

        void Connect()
        {
            parameter->SetAutomationDelegate (&delegate);
            Automation().ClearRecords();
        }

        StandInAutomationDelegate& Automation() { return session.host.Automation(); }

        HostSession session;
        AAX_VAutomationDelegate delegate { session.host.ControllerUnknown() };
        std::unique_ptr<AAX_CParameter<float>> parameter;
    };
}

TEST (Parameter, JuceShapedConstruction)
{
    // The way JUCE's AAX wrapper builds its parameters.
    auto* parameter = new AAX_CParameter<float> ("1", AAX_CString ("Mix"), 0.5f, AAX_CLinearTaperDelegate<float, 0>(),
                                                 AAX_CNumberDisplayDelegate<float, 3>(), true);
    parameter->AddShortenedName ("Mx");
    parameter->SetNumberOfSteps (1000u);
    parameter->SetType (AAX_eParameterType_Discrete);
    parameter->SetOrientation (AAX_eParameterOrientation_Default | 4);

    EXPECT_STREQ ("1", parameter->Identifier());
    EXPECT_FALSE (parameter->Name() != "Mix");
    EXPECT_TRUE (parameter->Automatable());
    EXPECT_EQ (4, parameter->GetOrientation());
    EXPECT_FLOAT_EQ (0.5f, static_cast<float> (parameter->GetNormalizedDefaultValue()));
    EXPECT_FLOAT_EQ (0.5f, valueOf (*parameter));
    EXPECT_STREQ ("Mx", parameter->ShortenedName (2).Get());

    AAX_IParameter* asInterface = parameter;
    delete asInterface;
}

TEST (Parameter, LongIdentifiersAreReportedAndCut)
{
    HostSession session;
    const std::string longID (40, 'p');
    auto parameter = makeParameter (longID.c_str());

    EXPECT_EQ (std::string (31, 'p'), parameter->Identifier());
    ASSERT_EQ (1u, session.Asserts().size());
    EXPECT_EQ ("AAX/Interfaces/AAX_CParameter", session.Asserts()[0].file);
    EXPECT_EQ ("len < eParemeterDefaultMaxIdentifierSize", session.Asserts()[0].note);
    EXPECT_EQ (1, session.Asserts()[0].flags);

    const std::string fits (31, 'q');
    EXPECT_EQ (fits, makeParameter (fits.c_str())->Identifier());
    EXPECT_EQ (1u, session.Asserts().size());

    std::unique_ptr<AAX_IParameterValue> value (parameter->CloneValue());
    EXPECT_EQ (std::string (31, 'p'), value->Identifier());
}

TEST (Parameter, NamesAndAbbreviations)
{
    auto parameter = std::make_unique<AAX_CParameter<float>> ("id", AAX_CString ("Frequency"), 0.0f,
                                                              AAX_CLinearTaperDelegate<float>(), AAX_CNumberDisplayDelegate<float, 3>(), true);
    parameter->AddShortenedName ("Frq");
    parameter->AddShortenedName ("Frequ.");

    EXPECT_STREQ ("Frequency", parameter->ShortenedName (10).Get());
    EXPECT_STREQ ("Frequency", parameter->ShortenedName (9).Get());
    EXPECT_STREQ ("Frequ.", parameter->ShortenedName (8).Get());
    EXPECT_STREQ ("Frq", parameter->ShortenedName (5).Get());
    EXPECT_STREQ ("Frq", parameter->ShortenedName (2).Get());
    EXPECT_STREQ ("Frequency", parameter->ShortenedName (-1).Get());

    parameter->AddShortenedName ("Fre");   // same length replaces
    EXPECT_STREQ ("Fre", parameter->ShortenedName (3).Get());

    EXPECT_EQ (0, parameter->ClearShortenedNames());
    EXPECT_STREQ ("Frequency", parameter->ShortenedName (2).Get());

    parameter->SetName (AAX_CString ("Cutoff"));
    EXPECT_STREQ ("Cutoff", parameter->Name().Get());
}

TEST (Parameter, StepsFollowTheTypeAtConstructionOnly)
{
    HostSession session;
    auto parameter = makeParameter();
    EXPECT_EQ (AAX_eParameterType_Continuous, parameter->GetType());
    EXPECT_EQ (128u, parameter->GetNumberOfSteps());

    parameter->SetType (AAX_eParameterType_Discrete);
    EXPECT_EQ (128u, parameter->GetNumberOfSteps());

    EXPECT_EQ (64u, parameter->GetStepValueFromNormalizedValue (0.5));
    EXPECT_EQ (0u, parameter->GetStepValueFromNormalizedValue (-3.0));
    EXPECT_EQ (127u, parameter->GetStepValueFromNormalizedValue (7.0));
    EXPECT_DOUBLE_EQ (1.0, parameter->GetNormalizedValueFromStep (127));
    EXPECT_DOUBLE_EQ (1.0, parameter->GetNormalizedValueFromStep (200));
    EXPECT_DOUBLE_EQ (1.0, parameter->GetNormalizedValueFromStep (static_cast<uint32_t> (-1)));
    EXPECT_DOUBLE_EQ (2.0 / 127.0, parameter->GetNormalizedValueFromStep (2));

    parameter->SetNumberOfSteps (0);
    EXPECT_EQ (128u, parameter->GetNumberOfSteps());
    ASSERT_EQ (1u, session.Asserts().size());
    EXPECT_EQ ("0 < numSteps", session.Asserts()[0].note);

    parameter->SetNumberOfSteps (11);
    parameter->SetStepValue (5);
    EXPECT_FLOAT_EQ (5.0f, valueOf (*parameter));
    EXPECT_EQ (5u, parameter->GetStepValue());

    parameter->SetNumberOfSteps (1);
    EXPECT_EQ (0.0, parameter->GetNormalizedValueFromStep (3));
    EXPECT_EQ (0u, parameter->GetStepValueFromNormalizedValue (0.9));
    parameter->SetStepValue (9);
    EXPECT_FLOAT_EQ (5.0f, valueOf (*parameter));
}

TEST (Parameter, WithoutAHostValuesChangeAtOnce)
{
    auto parameter = makeParameter();
    EXPECT_FLOAT_EQ (2.0f, valueOf (*parameter));
    EXPECT_DOUBLE_EQ (0.2, parameter->GetNormalizedDefaultValue());

    parameter->SetNormalizedValue (0.25);
    EXPECT_FLOAT_EQ (2.5f, valueOf (*parameter));
    EXPECT_DOUBLE_EQ (0.25, parameter->GetNormalizedValue());

    EXPECT_TRUE (parameter->SetValueWithFloat (7.0f));
    EXPECT_FLOAT_EQ (7.0f, valueOf (*parameter));

    parameter->SetToDefaultValue();
    EXPECT_FLOAT_EQ (2.0f, valueOf (*parameter));
}

TEST (Parameter, OnlyTheFloatKindAnswers)
{
    auto parameter = makeParameter();
    bool b = true;
    int32_t i = 3;
    double d = 4.0;

    EXPECT_FALSE (parameter->GetValueAsBool (&b));
    EXPECT_FALSE (parameter->GetValueAsInt32 (&i));
    EXPECT_FALSE (parameter->GetValueAsDouble (&d));
    EXPECT_FALSE (parameter->SetValueWithBool (true));
    EXPECT_FALSE (parameter->SetValueWithInt32 (1));
    EXPECT_FALSE (parameter->SetValueWithDouble (1.0));
    EXPECT_FALSE (parameter->GetNormalizedValueFromDouble (1.0, &d));
    EXPECT_FALSE (parameter->GetDoubleFromNormalizedValue (0.5, &d));
    EXPECT_TRUE (b);
    EXPECT_EQ (3, i);
    EXPECT_EQ (4.0, d);
    EXPECT_FLOAT_EQ (2.0f, valueOf (*parameter));

    double normalized = 0.0;
    EXPECT_TRUE (parameter->GetNormalizedValueFromFloat (15.0f, &normalized));
    EXPECT_EQ (1.0, normalized);
    float real = 0.0f;
    EXPECT_TRUE (parameter->GetFloatFromNormalizedValue (0.25, &real));
    EXPECT_FLOAT_EQ (2.5f, real);

    std::unique_ptr<AAX_IParameterValue> value (parameter->CloneValue());
    float copied = 0.0f;
    EXPECT_TRUE (value->GetValueAsFloat (&copied));
    EXPECT_FLOAT_EQ (2.0f, copied);
    EXPECT_FALSE (value->GetValueAsDouble (&d));
}

TEST (Parameter, TextsUseThreeDecimals)
{
    auto parameter = makeParameter();
    parameter->SetNormalizedValue (0.125);

    AAX_CString text;
    EXPECT_TRUE (parameter->GetValueString (&text));
    EXPECT_STREQ ("1.250", text.Get());
    EXPECT_TRUE (parameter->GetValueString (2, &text));
    EXPECT_STREQ ("1.250", text.Get());   // the maximum is not applied to the current value's text

    EXPECT_TRUE (parameter->GetStringFromNormalizedValue (0.15, text));
    EXPECT_STREQ ("1.500", text.Get());
    EXPECT_TRUE (parameter->GetStringFromNormalizedValue (0.15, 2, text));
    EXPECT_STREQ ("1", text.Get());

    AAX_CString asString;
    EXPECT_TRUE (parameter->GetValueAsString (&asString));
    EXPECT_STREQ ("1.250", asString.Get());
    EXPECT_FALSE (parameter->GetValueAsString (nullptr));

    double normalized = -1.0;
    EXPECT_TRUE (parameter->GetNormalizedValueFromString (AAX_CString ("5"), &normalized));
    EXPECT_DOUBLE_EQ (0.5, normalized);
    EXPECT_FALSE (parameter->GetNormalizedValueFromString (AAX_CString ("loud"), &normalized));

    EXPECT_TRUE (parameter->SetValueFromString (AAX_CString ("8.5")));
    EXPECT_FLOAT_EQ (8.5f, valueOf (*parameter));
    EXPECT_FALSE (parameter->SetValueWithString (AAX_CString ("x")));
    EXPECT_TRUE (parameter->SetValueWithString (AAX_CString ("99")));
    EXPECT_FLOAT_EQ (10.0f, valueOf (*parameter));
}

TEST (Parameter, DefaultIsSetThroughTheTaper)
{
    auto parameter = makeParameter();
    parameter->SetNormalizedDefaultValue (0.3);
    EXPECT_DOUBLE_EQ (0.3, parameter->GetNormalizedDefaultValue());
    parameter->SetNormalizedDefaultValue (1.7);
    EXPECT_DOUBLE_EQ (1.0, parameter->GetNormalizedDefaultValue());
    EXPECT_FLOAT_EQ (2.0f, valueOf (*parameter));   // the value itself stays
    parameter->SetToDefaultValue();
    EXPECT_FLOAT_EQ (10.0f, valueOf (*parameter));
}

// A default given as not-a-number has nothing to keep: it is the taper's minimum, which is what
// the taper reads it as. An infinite one, or an infinite real value, is the end of the range it
// points to, whichever way the taper runs and whatever a binary taper makes of the sign.
TEST (Parameter, DefaultsAndRealValuesThatAreNotFiniteAreKeptInRange)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const struct
    {
        float minimum, maximum, given, expected;
    } cases[] = {
        { 0.0f, 10.0f, nan, 0.0f },
        { 0.0f, 10.0f, inf, 10.0f },
        { 0.0f, 10.0f, -inf, 0.0f },
        { 10.0f, 0.0f, nan, 10.0f },
        { 10.0f, 0.0f, inf, 10.0f },
        { 10.0f, 0.0f, -inf, 0.0f },
    };

    for (const auto& c : cases)
    {
        auto parameter = makeParameter ("gain", c.given, c.minimum, c.maximum);
        EXPECT_EQ (c.expected, valueOf (*parameter)) << c.minimum << ".." << c.maximum << " " << c.given;
        parameter->SetNormalizedValue (0.5);
        parameter->SetToDefaultValue();
        EXPECT_EQ (c.expected, valueOf (*parameter)) << c.minimum << ".." << c.maximum << " " << c.given;

        parameter->SetNormalizedValue (0.5);
        EXPECT_TRUE (parameter->SetValueWithFloat (c.given));
        EXPECT_EQ (std::isnan (c.given) ? 5.0f : c.expected, valueOf (*parameter)) << c.minimum << ".." << c.maximum << " " << c.given;
    }

    AAX_CParameter<float> binary ("bypass", AAX_CString ("Bypass"), -inf, AAX_CBinaryTaperDelegate<float>(),
                                  AAX_CNumberDisplayDelegate<float, 3>(), true);
    EXPECT_EQ (0.0f, valueOf (binary));
    EXPECT_TRUE (binary.SetValueWithFloat (inf));
    EXPECT_EQ (1.0f, valueOf (binary));
    EXPECT_TRUE (binary.SetValueWithFloat (-inf));
    EXPECT_EQ (0.0f, valueOf (binary));
}

TEST_F (ParameterWithHost, ReceivingTheDelegateRegistersAndLeavingUnregisters)
{
    parameter->SetAutomationDelegate (&delegate);
    parameter->SetAutomationDelegate (nullptr);
    parameter->SetAutomationDelegate (&delegate);
    parameter.reset();

    const Log expected { "register gain", "unregister gain", "register gain", "unregister gain" };
    EXPECT_EQ (expected, Automation().Log());
    EXPECT_TRUE (Automation().Registered().empty());
}

TEST_F (ParameterWithHost, AValueChangesOnlyWhenTheHostAnswers)
{
    Connect();
    Automation().SetAnswerMode (Mode::Never);

    parameter->SetNormalizedValue (0.5);
    EXPECT_EQ ((Log { "touch gain", "request gain 0.5", "release gain" }), Automation().Log());
    EXPECT_FLOAT_EQ (2.0f, valueOf (*parameter));

    Automation().ClearRecords();
    Automation().SetAnswerMode (Mode::Deferred);
    parameter->SetNormalizedValue (0.5);
    EXPECT_FLOAT_EQ (2.0f, valueOf (*parameter));
    EXPECT_EQ (1, Automation().Flush());
    EXPECT_FLOAT_EQ (5.0f, valueOf (*parameter));
    EXPECT_EQ ((Log { "touch gain", "request gain 0.5", "release gain", "current gain 0.5" }), Automation().Log());

    Automation().ClearRecords();
    Automation().SetAnswerMode (Mode::Echo);
    EXPECT_TRUE (parameter->SetValueWithFloat (3.0f));
    EXPECT_FLOAT_EQ (3.0f, valueOf (*parameter));
    EXPECT_EQ ((Log { "touch gain", "request gain 0.3", "current gain 0.3", "release gain" }), Automation().Log());
}

TEST_F (ParameterWithHost, AnUnchangedAnswerIsNotReportedAgain)
{
    Connect();
    parameter->SetNormalizedValue (0.5);
    Automation().ClearRecords();

    parameter->UpdateNormalizedValue (0.5);
    EXPECT_TRUE (Automation().Log().empty());

    parameter->UpdateNormalizedValue (0.6);
    EXPECT_EQ ((Log { "current gain 0.6" }), Automation().Log());
}

TEST_F (ParameterWithHost, TouchAndReleaseGoToTheHostAndItsResultsDoNotChangeTheParameter)
{
    Connect();
    parameter->Touch();
    AAX_CBoolean touched = 0;
    delegate.GetTouchState ("gain", &touched);
    EXPECT_EQ (1, touched);
    parameter->Release();
    delegate.GetTouchState ("gain", &touched);
    EXPECT_EQ (0, touched);

    Automation().SetResult (AAX_ERROR_NOTIFICATION_FAILED);
    parameter->SetNormalizedValue (0.7);
    EXPECT_FLOAT_EQ (7.0f, valueOf (*parameter));
}

TEST_F (ParameterWithHost, ANewTaperKeepsTheNormalisedOrTheRealValue)
{
    Connect();
    parameter->SetNormalizedValue (0.5);   // 5 of 0..10
    Automation().ClearRecords();

    AAX_CLinearTaperDelegate<float> wider (0.0f, 20.0f);
    parameter->SetTaperDelegate (wider, false);
    EXPECT_FLOAT_EQ (10.0f, valueOf (*parameter));
    EXPECT_EQ ((Log { "current gain 0.5" }), Automation().Log());

    Automation().ClearRecords();
    AAX_CLinearTaperDelegate<float> narrow (0.0f, 40.0f);
    parameter->SetTaperDelegate (narrow, true);
    EXPECT_FLOAT_EQ (10.0f, valueOf (*parameter));
    EXPECT_DOUBLE_EQ (0.25, parameter->GetNormalizedValue());
    EXPECT_EQ ((Log { "touch gain", "request gain 0.25", "current gain 0.25", "release gain" }), Automation().Log());

    // A taper for another value type does not fit and is ignored.
    AAX_CLinearTaperDelegate<double> other (0.0, 1.0);
    parameter->SetTaperDelegate (other, false);
    EXPECT_FLOAT_EQ (10.0f, valueOf (*parameter));
}

TEST_F (ParameterWithHost, ANewDisplayMakesTheHostRefreshTheText)
{
    Connect();
    AAX_CNumberDisplayDelegate<float, 1> oneDecimal;
    parameter->SetDisplayDelegate (oneDecimal);

    AAX_CString text;
    parameter->GetValueString (&text);
    EXPECT_STREQ ("2.0", text.Get());
    EXPECT_EQ ((Log { "current gain 0.2" }), Automation().Log());
}
