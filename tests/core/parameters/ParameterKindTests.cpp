#include "core/parameters/ParameterTestSupport.h"
#include "core/parameters/AnswerParameter.h"
#include "core/parameters/BoolParameter.h"
#include "core/parameters/EnumParameter.h"
#include "core/parameters/FloatParameter.h"
#include "core/parameters/IntParameter.h"
#include "core/parameters/LogicParameter.h"
#include "core/parameters/NoteParameter.h"
#include "core/parameters/ParameterText.h"
#include "core/parameters/StateParameter.h"
#include "core/parameters/StringParameter.h"

#include <clocale>
#include <cmath>
#include <memory>
#include <vector>

// Texts of every kind: display texts, parsing them back, and the exact text of presets.

namespace
{
    std::vector<std::unique_ptr<Parameter>> makeOneOfEachKind()
    {
        std::vector<std::unique_ptr<Parameter>> all;
        auto d = makeDescription (0, "Float", -3.0f, 7.0f, 0.1f);
        d.skewCentre = 1.0f;
        all.push_back (std::make_unique<FloatParameter> (d));
        all.push_back (std::make_unique<IntParameter> (makeDescription (1, "Int", -5.0f, 5.0f, 2.0f)));
        all.push_back (std::make_unique<EnumParameter> (makeDescription (2, "Enum", 0.0f, 0.0f, 1.0f),
                                                        juce::StringArray { "Low", "Mid", "High" }));
        all.push_back (std::make_unique<NoteParameter> (makeDescription (3, "Note", 0.0f, 127.0f, 61.0f)));
        all.push_back (std::make_unique<BoolParameter> (makeDescription (4, "Bool", 0.0f, 1.0f, 1.0f)));
        all.push_back (std::make_unique<AnswerParameter> (makeDescription (5, "Answer", 0.0f, 1.0f, 1.0f)));
        all.push_back (std::make_unique<LogicParameter> (makeDescription (6, "Logic", 0.0f, 1.0f, 1.0f)));
        all.push_back (std::make_unique<StateParameter> (makeDescription (7, "State", 0.0f, 9.0f, 3.0f)));
        all.push_back (std::make_unique<StringParameter> (makeDescription (8, "String"), juce::String::fromUTF8 ("Init \"<&>\" \xc3\xa9")));
        return all;
    }
}

TEST (ParameterText, EveryKindRoundTripsItsExactTextIntoAFreshParameter)
{
    auto originals = makeOneOfEachKind();
    auto copies = makeOneOfEachKind();

    originals[0]->setValue (0.1f + 1.0e-7f, false);   // not a short decimal
    originals[1]->setValue (-4.0f, false);
    originals[2]->setValue (2.0f, false);
    originals[3]->setValue (127.0f, false);
    originals[4]->setValue (0.0f, false);
    originals[5]->setValue (0.0f, false);
    originals[6]->setValue (0.0f, false);
    originals[7]->setValue (9.0f, false);
    static_cast<StringParameter&> (*originals[8]).setString (juce::String::fromUTF8 ("Fat \xe2\x99\xaa Bass"), false);

    for (size_t i = 0; i < originals.size(); ++i)
    {
        const auto text = originals[i]->getText();
        SCOPED_TRACE (originals[i]->getName() + ": " + text);

        EXPECT_TRUE (copies[i]->setText (text, false));
        EXPECT_EQ (copies[i]->getValue(), originals[i]->getValue());
        EXPECT_EQ (copies[i]->getText(), text);
    }

    EXPECT_EQ (originals[8]->getText(), juce::String::fromUTF8 ("Fat \xe2\x99\xaa Bass"));
}

TEST (ParameterText, ExactTextsAreShortAndIntegersAreIntegers)
{
    auto all = makeOneOfEachKind();

    EXPECT_EQ (all[0]->getText(), "0.1");
    EXPECT_EQ (all[1]->getText(), "2");
    EXPECT_EQ (all[2]->getText(), "1");
    EXPECT_EQ (all[3]->getText(), "61");
    EXPECT_EQ (all[4]->getText(), "1");
    EXPECT_EQ (all[7]->getText(), "3");
}

TEST (ParameterText, SetTextRejectsWhatIsNotANumber)
{
    FloatParameter p (makeDescription (1, "Gain", -10.0f, 10.0f, 1.0f));

    for (auto bad : { "", "abc", "1.5x", "--1", "1e", "nan", "inf", "1e99999", "0x10", "1,5" })
    {
        EXPECT_FALSE (p.setText (bad, false)) << bad;
        EXPECT_FLOAT_EQ (p.getValue(), 1.0f) << bad;
    }

    EXPECT_TRUE (p.setText (" -2.5e0 ", false));
    EXPECT_FLOAT_EQ (p.getValue(), -2.5f);
    EXPECT_TRUE (p.setText ("1e300", false)) << "a number out of range is clamped";
    EXPECT_FLOAT_EQ (p.getValue(), 10.0f);
}

TEST (ParameterText, NumbersIgnoreTheCLocale)
{
    const juce::String previous (std::setlocale (LC_NUMERIC, nullptr));

    // scripts/setup.sh provides the German locale, so this runs on every machine set up for tests.
    ASSERT_TRUE (std::setlocale (LC_NUMERIC, "de_DE.UTF-8") != nullptr || std::setlocale (LC_NUMERIC, "fr_FR.UTF-8") != nullptr)
        << "no locale with a decimal comma installed: run scripts/setup.sh";

    auto d = makeDescription (1, "Gain", -10.0f, 10.0f, 0.0f);
    d.unitLabel = "dB";
    FloatParameter p (d);
    const bool parsed = p.setText ("2.75", false);
    const auto text = p.getText();
    const float typed = p.getValueForText ("-1.5 dB"), comma = p.getValueForText ("-1,5 dB");
    std::setlocale (LC_NUMERIC, previous.toRawUTF8());

    EXPECT_TRUE (parsed);
    EXPECT_FLOAT_EQ (p.getValue(), 2.75f);
    EXPECT_EQ (text, "2.75");
    EXPECT_FLOAT_EQ (typed, -1.5f);
    EXPECT_FLOAT_EQ (comma, 2.75f) << "the decimal point is the parameter's own form whatever the locale";
}

TEST (ParameterText, DisplayTextsOfEachKind)
{
    auto all = makeOneOfEachKind();

    all[0]->setValue (-0.004f, false);
    EXPECT_EQ (all[0]->getValueText(), "0.00") << "no negative zero";
    all[0]->setValue (2.345f, false);
    EXPECT_EQ (all[0]->getValueText(), "2.35");
    EXPECT_EQ (all[1]->getValueText(), "2");
    EXPECT_EQ (all[2]->getValueText(), "Mid");
    EXPECT_EQ (all[3]->getValueText(), "C#5");
    EXPECT_EQ (all[4]->getValueText(), "On");
    EXPECT_EQ (all[5]->getValueText(), "Yes");
    EXPECT_EQ (all[6]->getValueText(), "True");
    EXPECT_EQ (all[7]->getValueText(), "3");

    all[4]->setValue (0.0f, false);
    all[5]->setValue (0.0f, false);
    all[6]->setValue (0.0f, false);
    EXPECT_EQ (all[4]->getValueText(), "Off");
    EXPECT_EQ (all[5]->getValueText(), "No");
    EXPECT_EQ (all[6]->getValueText(), "False");
}

TEST (ParameterText, UnitIsAppendedAndHiddenValueIsAt)
{
    auto d = makeDescription (1, "Mix", 0.0f, 100.0f, 35.0f);
    d.unitLabel = "%";
    d.decimals = 0;
    FloatParameter mix (d);
    EXPECT_EQ (mix.getValueText(), "35 %");
    EXPECT_EQ (mix.getTextForValue (35.0f), "35");

    auto command = makeDescription (100001, "Options");
    command.showsValue = false;
    LogicParameter options (command);
    EXPECT_EQ (options.getValueText(), "@");
    options.setToStoredValue (1, false);
    EXPECT_EQ (options.getValueText(), "@");
    EXPECT_EQ (options.getText(), "1");

    StringParameter hiddenName (command, "x");
    EXPECT_EQ (hiddenName.getValueText(), "@");
}

TEST (ParameterText, DisplayTextsAreReadWholeOrNotAtAll)
{
    auto all = makeOneOfEachKind();
    auto gain = makeDescription (9, "Gain", -3.0f, 7.0f, 1.0f);
    gain.unitLabel = "dB";
    FloatParameter withUnit (gain);

    // A text is read only when all of it is the kind's own form; anything else keeps the value.
    const struct
    {
        Parameter& parameter;
        const char* text;
        float expected;   // NaN: refused
    } cases[] = {
        { withUnit, "2.5 dB", 2.5f },
        { withUnit, " -2.5DB ", -2.5f },
        { withUnit, "+.5", 0.5f },
        { withUnit, "3.", 3.0f },
        { withUnit, "99", 7.0f },   // beyond the range: clamped
        { withUnit, "loud", NAN },
        { withUnit, "2.5 %", NAN },
        { withUnit, "2.5 dB junk", NAN },
        { withUnit, "2.5  dB", NAN },
        { withUnit, "0x10", NAN },
        { withUnit, "1O dB", NAN },
        { withUnit, "2,5 dB", NAN },
        { withUnit, "1.2.3", NAN },
        { withUnit, "2e3", NAN },
        { withUnit, "- 2", NAN },
        { withUnit, "", NAN },
        { *all[0], "2.5", 2.5f },
        { *all[0], "2.5 dB", NAN },   // a unit the parameter does not show
        { *all[1], "-3", -3.0f },
        { *all[1], "-3 steps", NAN },
        { *all[2], "high", 2.0f },
        { *all[2], "0", NAN },   // an item's index is not its text
        { *all[2], "7", NAN },
        { *all[2], "Highest", NAN },
        { *all[3], "a#4", 58.0f },
        { *all[3], "100", 100.0f },
        { *all[4], "off", 0.0f },
        { *all[4], "0.7", NAN },
        { *all[4], "Onn", NAN },
        { *all[4], "1", NAN },
        { *all[5], "No", 0.0f },
        { *all[6], "FALSE", 0.0f },
        { *all[6], "maybe", NAN },
    };

    // The reader itself: a mistyped number is no number with a unit after it.
    for (const char* mistyped : { "22,05 kHz", "1 2", "1.2.3", "1  dB", "1 .5", "-", ".", "kHz" })
    {
        double number = 0.0;
        juce::String suffix;
        EXPECT_FALSE (ParameterText::parseQuantity (mistyped, number, suffix)) << mistyped;
    }

    for (const auto& c : cases)
    {
        const float before = c.parameter.getValue();
        const float expected = std::isnan (c.expected) ? before : c.expected;
        EXPECT_FLOAT_EQ (c.parameter.getValueForText (c.text), expected) << c.parameter.getName() << " \"" << c.text << "\"";
    }

    for (auto& p : all)
        if (p->getNumSteps() > 0)
            for (int i = 0; i < p->getNumSteps(); ++i)
            {
                const float v = p->getMinimum() + (float) i * p->getStep();
                EXPECT_FLOAT_EQ (p->getValueForText (p->getTextWithUnit (v)), v) << p->getName() << " " << i;
            }
}

// Type names and the never-automated kinds are checked over the kind table (ParameterXmlTests).
TEST (ParameterText, StepsAndItemNames)
{
    auto all = makeOneOfEachKind();
    const int steps[] = { 0, 11, 3, 128, 2, 2, 2, 10, 0 };

    for (size_t i = 0; i < all.size(); ++i)
        EXPECT_EQ (all[i]->getNumSteps(), steps[i]) << all[i]->getName();

    EXPECT_EQ (all[2]->getItemNames(), juce::StringArray ({ "Low", "Mid", "High" }));
    EXPECT_TRUE (all[0]->getItemNames().isEmpty());
}

TEST (NoteNames, EveryNoteHasAThreeCharacterNameThatReadsBackAndOthersAreRejected)
{
    EXPECT_EQ (NoteParameter::getNoteName (0), "C-0");
    EXPECT_EQ (NoteParameter::getNoteName (1), "C#0");
    EXPECT_EQ (NoteParameter::getNoteName (11), "B-0");
    EXPECT_EQ (NoteParameter::getNoteName (60), "C-5");
    EXPECT_EQ (NoteParameter::getNoteName (119), "B-9");
    EXPECT_EQ (NoteParameter::getNoteName (120), "C-H");
    EXPECT_EQ (NoteParameter::getNoteName (127), "G-H");
    EXPECT_EQ (NoteParameter::getNoteName (-1), "");
    EXPECT_EQ (NoteParameter::getNoteName (128), "");

    for (int note = 0; note < 128; ++note)
    {
        const auto name = NoteParameter::getNoteName (note);
        EXPECT_EQ (name.length(), 3);
        EXPECT_EQ (NoteParameter::getNoteNumber (name), note) << name;
        EXPECT_EQ (NoteParameter::getNoteNumber (name.toLowerCase()), note) << name;
    }

    for (auto bad : { "", "C-", "C-10", "G#H", "B-H", "E#3", "B#3", "H-3", "C 3", "Cb3", "C-X", "60" })
        EXPECT_EQ (NoteParameter::getNoteNumber (bad), -1) << bad;
}

TEST (NoteNames, RangeOfANoteParameterIsLimitedToMidi)
{
    NoteParameter p (makeDescription (1, "Root", -20.0f, 300.0f, 200.0f));

    EXPECT_FLOAT_EQ (p.getMinimum(), 0.0f);
    EXPECT_FLOAT_EQ (p.getMaximum(), 127.0f);
    EXPECT_EQ (p.getValueText(), "G-H");
}

TEST (StringParameterTest, HoldsTextAndIgnoresNumbers)
{
    StringParameter p (makeDescription (100000, "Preset Name"), "- Bypass -");

    EXPECT_EQ (p.getValueText(), "- Bypass -");
    EXPECT_FALSE (p.setValue (1.0f, false));
    EXPECT_FALSE (p.setNormalisedValue (1.0f, false));
    EXPECT_FALSE (p.setToStoredValue (1, false));
    EXPECT_FLOAT_EQ (p.getValue(), 0.0f);
    EXPECT_TRUE (p.setString ("MPC60", false));
    EXPECT_FALSE (p.setString ("MPC60", false));
    EXPECT_TRUE (p.setText ("", false));
    EXPECT_EQ (p.getString(), "");
}

TEST (ParameterTextHelpers, NumberParsingIsStrictAndBounded)
{
    double v = 0.0;
    EXPECT_TRUE (ParameterText::parseNumber ("+.5", v));
    EXPECT_DOUBLE_EQ (v, 0.5);
    EXPECT_TRUE (ParameterText::parseNumber ("1e-3", v));
    EXPECT_DOUBLE_EQ (v, 0.001);
    EXPECT_TRUE (ParameterText::parseNumber ("5.", v));
    EXPECT_FALSE (ParameterText::parseNumber (".", v));
    EXPECT_FALSE (ParameterText::parseNumber ("1e1000", v)) << "not finite";
    EXPECT_FALSE (ParameterText::parseNumber ("1e99999999999999999999", v)) << "exponent overflow";
    EXPECT_FALSE (ParameterText::parseNumber (juce::String::repeatedString ("9", 100000), v));
    EXPECT_FALSE (ParameterText::parseNumber (juce::String::fromUTF8 ("\xd9\xa3"), v)) << "non-ASCII digit";

    int i = 0;
    EXPECT_TRUE (ParameterText::parseInteger ("-2147483648", i));
    EXPECT_EQ (i, -2147483648);
    EXPECT_FALSE (ParameterText::parseInteger ("2147483648", i));
    EXPECT_FALSE (ParameterText::parseInteger ("99999999999999999999", i));
    EXPECT_FALSE (ParameterText::parseInteger ("1.0", i));
    EXPECT_FALSE (ParameterText::parseInteger ("-", i));

    for (float f : { 0.1f, 1.0f / 3.0f, 44100.0f, -60.0f, 1.0e-7f, 3.4e38f, 16777217.0f })
    {
        double back = 0.0;
        ASSERT_TRUE (ParameterText::parseNumber (ParameterText::formatExact (f), back)) << f;
        EXPECT_EQ ((float) back, f);
    }
}
