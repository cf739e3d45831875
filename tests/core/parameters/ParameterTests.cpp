#include "core/parameters/ParameterTestSupport.h"
#include "core/parameters/FloatParameter.h"
#include "core/parameters/IntParameter.h"

#include <cmath>
#include <limits>

// Values: clamping, snapping, skew and the stored extremes.

TEST (ParameterValue, StartsAtTheConstrainedDefault)
{
    auto d = makeDescription (1, "Gain", -10.0f, 10.0f, 25.0f);
    FloatParameter p (d);

    EXPECT_FLOAT_EQ (p.getValue(), 10.0f);
    EXPECT_FLOAT_EQ (p.getDefaultValue(), 10.0f);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 1.0f);
}

TEST (ParameterValue, SetValueClampsAndReportsChange)
{
    FloatParameter p (makeDescription (1, "Gain", -10.0f, 10.0f, 0.0f));

    EXPECT_TRUE (p.setValue (50.0f, false));
    EXPECT_FLOAT_EQ (p.getValue(), 10.0f);
    EXPECT_FALSE (p.setValue (11.0f, false)) << "clamped to the same stored value";
    EXPECT_TRUE (p.setValue (-1.0e9f, false));
    EXPECT_FLOAT_EQ (p.getValue(), -10.0f);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 0.0f);

    EXPECT_FALSE (p.setValue (std::numeric_limits<float>::quiet_NaN(), false));
    EXPECT_FLOAT_EQ (p.getValue(), -10.0f);
    EXPECT_TRUE (p.setValue (std::numeric_limits<float>::infinity(), false));
    EXPECT_FLOAT_EQ (p.getValue(), 10.0f);
}

TEST (ParameterValue, StepSnapsFromTheMinimum)
{
    auto d = makeDescription (1, "Steps", 1.0f, 2.0f, 1.0f);
    d.step = 0.25f;
    FloatParameter p (d);

    p.setValue (1.3f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 1.25f);
    p.setValue (1.38f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 1.5f);
    p.setNormalisedValue (0.9f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 2.0f);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 1.0f) << "the normalised value follows the snapped value";
    EXPECT_EQ (p.getNumSteps(), 5);
}

TEST (ParameterValue, StepThatDoesNotDivideTheRangeStillReachesTheMaximum)
{
    auto d = makeDescription (1, "Odd", 0.0f, 1.0f, 0.0f);
    d.step = 0.3f;
    FloatParameter p (d);

    p.setValue (0.94f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 0.9f);
    p.setValue (0.96f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 1.0f);
    p.setToStoredValue (0, false);
    p.setToStoredValue (1, false);
    EXPECT_FLOAT_EQ (p.getValue(), 1.0f);
    EXPECT_EQ (p.getNumSteps(), 5) << "0, 0.3, 0.6, 0.9 and 1";
}

TEST (ParameterValue, LinearNormalisedRoundTrip)
{
    FloatParameter p (makeDescription (1, "Level", -60.0f, 12.0f, 0.0f));

    EXPECT_NEAR (p.getNormalisedValue(), 60.0f / 72.0f, 1.0e-6f);

    for (float n = 0.0f; n <= 1.0f; n += 0.125f)
    {
        p.setNormalisedValue (n, false);
        EXPECT_NEAR (p.getNormalisedValue(), n, 1.0e-6f);
        EXPECT_NEAR (p.getValue(), -60.0f + 72.0f * n, 1.0e-4f);
    }

    p.setNormalisedValue (7.0f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 12.0f);
    p.setNormalisedValue (-3.0f, false);
    EXPECT_FLOAT_EQ (p.getValue(), -60.0f);
    EXPECT_FALSE (p.setNormalisedValue (std::numeric_limits<float>::quiet_NaN(), false));

    // What each value leaves the parameter holding, asked beforehand.
    const float inf = std::numeric_limits<float>::infinity();
    for (const float n : { 0.25f, 7.0f, -3.0f, inf, -inf, std::numeric_limits<float>::quiet_NaN() })
    {
        p.setNormalisedValue (0.5f, false);
        const float expected = p.heldNormalised (n);
        p.setNormalisedValue (n, false);
        EXPECT_EQ (expected, p.getNormalisedValue()) << n;
    }
}

TEST (ParameterValue, SkewPutsTheCentreInTheMiddle)
{
    auto d = makeDescription (1, "Cutoff", 20.0f, 20000.0f, 20000.0f);
    d.skewCentre = 1000.0f;
    FloatParameter p (d);

    EXPECT_NEAR (p.denormalise (0.5f), 1000.0f, 0.05f);
    EXPECT_NEAR (p.normalise (1000.0f), 0.5f, 1.0e-6f);
    EXPECT_FLOAT_EQ (p.normalise (20.0f), 0.0f);
    EXPECT_FLOAT_EQ (p.normalise (20000.0f), 1.0f);

    for (float v : { 20.0f, 55.5f, 440.0f, 1000.0f, 8000.0f, 19999.0f })
        EXPECT_NEAR (p.denormalise (p.normalise (v)), v, v * 1.0e-5f) << v;

    for (float n : { 0.0f, 0.1f, 0.33f, 0.5f, 0.9f, 1.0f })
    {
        p.setNormalisedValue (n, false);
        EXPECT_NEAR (p.getNormalisedValue(), n, 1.0e-5f) << n;
    }
}

TEST (ParameterValue, SkewCentreOutsideTheRangeOrZeroIsLinear)
{
    auto d = makeDescription (1, "Odd", 0.0f, 10.0f, 0.0f);
    d.skewCentre = 20.0f;
    EXPECT_NEAR (FloatParameter (d).denormalise (0.5f), 5.0f, 1.0e-6f);

    auto around = makeDescription (2, "Around", -60.0f, 12.0f, 0.0f);
    EXPECT_NEAR (FloatParameter (around).denormalise (0.5f), -24.0f, 1.0e-5f);
}

TEST (ParameterValue, StoredValuesAndDefault)
{
    FloatParameter p (makeDescription (1, "Mix", 0.0f, 100.0f, 100.0f));

    EXPECT_TRUE (p.setToStoredValue (0, false));
    EXPECT_FLOAT_EQ (p.getValue(), 0.0f);
    EXPECT_FALSE (p.setToStoredValue (0, false));
    EXPECT_TRUE (p.setToStoredValue (1, false));
    EXPECT_FLOAT_EQ (p.getValue(), 100.0f);
    EXPECT_FALSE (p.setToStoredValue (7, false)) << "unknown selector changes nothing";
    p.setValue (35.0f, false);
    EXPECT_TRUE (p.setToDefault (false));
    EXPECT_FLOAT_EQ (p.getValue(), 100.0f);
}

TEST (ParameterValue, IntegerKindRoundsAndCountsValues)
{
    IntParameter p (makeDescription (1, "Voices", 1.0f, 8.0f, 4.4f));

    EXPECT_EQ (p.getIntValue(), 4);
    EXPECT_TRUE (p.setIntValue (6, false));
    EXPECT_EQ (p.getIntValue(), 6);
    p.setValue (2.6f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 3.0f);
    p.setNormalisedValue (0.5f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 5.0f) << "4.5 rounds to 5";
    EXPECT_EQ (p.getNumSteps(), 8);
    EXPECT_EQ (p.getTypeName(), "int");
}
