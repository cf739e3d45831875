#include "core/parameters/ParameterTestSupport.h"
#include "core/parameters/EnumParameter.h"
#include "core/parameters/FloatParameter.h"
#include "product/GrindelParameterManager.h"

#include <cmath>
#include <stdexcept>

// Grindel's parameters as its users see them: the real description and the product's texts.

namespace
{
    struct GrindelParameters : public ::testing::Test
    {
        void SetUp() override
        {
            const auto dir = juce::SystemStats::getEnvironmentVariable ("GRINDEL_RESOURCES", GRINDEL_SOURCE_RESOURCES);
            const auto error = manager.loadFromFile (juce::File (dir).getChildFile ("parameters.xml"));
            ASSERT_EQ (error, "");
        }

        Parameter& named (const char* name)
        {
            auto* p = manager.getParameterByName (name);

            if (p == nullptr)
                throw std::runtime_error (std::string ("no parameter ") + name);

            return *p;
        }

        GrindelParameterManager manager;
    };

    Parameter::Description withUnit (const char* unit, float minimum, float maximum, int decimals)
    {
        auto d = makeDescription (0, "P", minimum, maximum, minimum);
        d.unitLabel = unit;
        d.decimals = decimals;
        return d;
    }
}

TEST_F (GrindelParameters, TheEffectsControlsExistAndAreAutomatable)
{
    for (auto* name : { "Sample Rate", "Rate Jitter", "Bit Depth", "Dither", "Filter Cutoff",
                        "Filter Resonance", "Mix", "Output Level" })
    {
        auto& p = named (name);
        EXPECT_TRUE (p.isAutomatable()) << name;
        EXPECT_FALSE (p.isExcludedFromPresets()) << name;
        EXPECT_TRUE (manager.canLearnMidi (&p)) << name;
    }
}

TEST_F (GrindelParameters, DefaultsChangeNothingAudible)
{
    EXPECT_EQ (named ("Sample Rate").getValueText(), "96.0 kHz");
    EXPECT_EQ (named ("Rate Jitter").getValueText(), "0 %");
    EXPECT_EQ (named ("Bit Depth").getValueText(), "24.0 bit");
    EXPECT_EQ (named ("Dither").getValueText(), "0 %");
    EXPECT_EQ (named ("Filter Cutoff").getValueText(), "20.0 kHz");
    EXPECT_EQ (named ("Filter Resonance").getValueText(), "0 %");
    EXPECT_EQ (named ("Mix").getValueText(), "100 %");
    EXPECT_EQ (named ("Output Level").getValueText(), "0.0 dB");

    for (auto* p : manager.getParameters())
        EXPECT_FLOAT_EQ (p->getValue(), p->getDefaultValue()) << p->getName();
}

TEST_F (GrindelParameters, ProcessingQualityIsAFixedSettingOutsidePresets)
{
    auto* quality = dynamic_cast<EnumParameter*> (&named ("Processing Quality"));
    ASSERT_NE (quality, nullptr);

    EXPECT_EQ (quality->getItemNames(), juce::StringArray ({ "Normal", "High", "Ultra" }));
    EXPECT_EQ (quality->getValueText(), "Normal");
    EXPECT_FALSE (quality->isAutomatable());
    EXPECT_TRUE (quality->isExcludedFromPresets());

    bool inOwnGroup = false;

    for (const auto& group : manager.getGroups())
        if (group.ids.contains (quality->getId()))
            inOwnGroup = group.ids.size() == 1;

    EXPECT_TRUE (inOwnGroup);
}

TEST_F (GrindelParameters, KnobMiddlesSitWhereTheEarExpects)
{
    named ("Sample Rate").setNormalisedValue (0.5f, false);
    EXPECT_EQ (named ("Sample Rate").getValueText(), "8.00 kHz");
    named ("Filter Cutoff").setNormalisedValue (0.5f, false);
    EXPECT_EQ (named ("Filter Cutoff").getValueText(), "1.00 kHz");
}

TEST_F (GrindelParameters, ProductTextsOfTypicalValues)
{
    auto& rate = named ("Sample Rate");
    EXPECT_EQ (rate.getDisplayText (44100.0f), "44.1 kHz");
    EXPECT_EQ (rate.getDisplayText (26040.0f), "26.0 kHz");
    EXPECT_EQ (rate.getDisplayText (800.0f), "800 Hz");
    EXPECT_EQ (rate.getDisplayText (999.7f), "1.00 kHz") << "rounds into kHz, never \"1000 Hz\"";
    EXPECT_EQ (rate.getDisplayText (9999.0f), "10.0 kHz");
    EXPECT_EQ (rate.getDisplayText (1500.0f), "1.50 kHz");

    EXPECT_EQ (named ("Bit Depth").getDisplayText (12.0f), "12.0 bit");
    EXPECT_EQ (named ("Dither").getDisplayText (35.2f), "35 %");

    auto& level = named ("Output Level");
    EXPECT_EQ (level.getDisplayText (1.5f), "+1.5 dB");
    EXPECT_EQ (level.getDisplayText (-12.0f), "-12.0 dB");
    EXPECT_EQ (level.getDisplayText (0.04f), "0.0 dB") << "no sign on zero";
    EXPECT_EQ (level.getDisplayText (-0.04f), "0.0 dB");
    EXPECT_EQ (level.getDisplayText (level.getMinimum()), "-inf dB");
    EXPECT_EQ (level.getDisplayText (-1000.0f), "-inf dB");
}

TEST_F (GrindelParameters, ProductTextsReadBack)
{
    // Only the parameter's own units, with the scale prefixes it shows, in any case; any other
    // text keeps the value.
    const struct
    {
        const char* parameter;
        const char* text;
        float expected;   // NaN: refused
    } cases[] = {
        { "Sample Rate", "22 kHz", 22000.0f },
        { "Sample Rate", "44.1k", 44100.0f },
        { "Sample Rate", "22.05KHZ", 22050.0f },
        { "Sample Rate", "800 Hz", 800.0f },
        { "Sample Rate", "12000", 12000.0f },
        { "Sample Rate", "1 MHz", NAN },
        { "Sample Rate", "12 bit", NAN },
        { "Sample Rate", "22,05 kHz", NAN },
        { "Sample Rate", "10 kHz Hz", NAN },
        { "Filter Cutoff", "2 MHz", NAN },
        { "Filter Cutoff", "1O kHz", NAN },
        { "Mix", "50 %", 50.0f },
        { "Mix", "50", 50.0f },
        { "Mix", "50 dB", NAN },
        { "Mix", "0x10", NAN },
        { "Mix", "50 % junk", NAN },
        { "Bit Depth", "12 BIT", 12.0f },
        { "Bit Depth", "12 Hz", NAN },
        { "Output Level", "-inf dB", named ("Output Level").getMinimum() },
        { "Output Level", "-INF", named ("Output Level").getMinimum() },
        { "Output Level", "+3 dB", 3.0f },
        { "Output Level", "loud", NAN },
        { "Output Level", "-infinity", NAN },
    };

    for (const auto& c : cases)
    {
        auto& p = named (c.parameter);
        p.setValue (p.denormalise (0.37f), false);
        const float before = p.getValue();
        EXPECT_FLOAT_EQ (p.getValueForText (c.text), std::isnan (c.expected) ? before : p.constrain (c.expected))
            << c.parameter << " \"" << c.text << "\"";
    }

    // Every value's own text reads back to within its display precision.
    for (auto* p : manager.getParameters())
    {
        for (float n = 0.0f; n <= 1.0f; n += 0.05f)
        {
            const float v = p->constrain (p->denormalise (n));
            const float back = p->getValueForText (p->getDisplayText (v));
            const float resolution = 0.5f * std::pow (10.0f, (float) -p->getDescription().decimals);
            const float tolerance = juce::jmax (resolution + 0.001f, std::abs (v) * 0.0051f);

            if (p->getUnitLabel() == "dB" && v <= p->getMinimum())
                EXPECT_FLOAT_EQ (back, p->getMinimum());
            else
                EXPECT_NEAR (back, v, tolerance) << p->getName() << " " << p->getDisplayText (v);
        }
    }
}

TEST (GrindelFormatting, OtherUnitsUseTheGenericText)
{
    GrindelParameterManager manager;
    manager.addParameter (std::make_unique<FloatParameter> (withUnit ("ms", 0.0f, 100.0f, 1)));

    EXPECT_EQ (manager.getParameterByIndex (0)->getDisplayText (12.26f), "12.3 ms");
}
