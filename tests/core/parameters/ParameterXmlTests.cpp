#include "core/parameters/ParameterTestSupport.h"
#include "core/parameters/EnumParameter.h"
#include "core/parameters/NoteParameter.h"
#include "core/parameters/ParameterKind.h"
#include "core/parameters/ParameterManager.h"
#include "core/parameters/StringParameter.h"

#include <iterator>

// Reading "parameters.xml": a good description, hostile ones, missing files and the product's own.

namespace
{
    juce::String load (ParameterManager& manager, const juce::String& xmlText)
    {
        const auto xml = juce::parseXML (xmlText);

        if (xml == nullptr)
            return "test XML does not parse";

        return manager.loadFromXml (*xml);
    }

    juce::String wrap (const juce::String& params)
    {
        return "<PluginParameters><group name=\"G\">" + params + "</group></PluginParameters>";
    }

    struct TempFile
    {
        explicit TempFile (const std::string& bytes)
        {
            file.replaceWithData (bytes.data(), bytes.size());
        }

        juce::TemporaryFile temporary { ".xml" };
        juce::File file { temporary.getFile() };
    };

    juce::File productDescription()
    {
        const auto dir = juce::SystemStats::getEnvironmentVariable ("GRINDEL_RESOURCES", {});
        return juce::File (dir.isNotEmpty() ? dir : juce::String (GRINDEL_SOURCE_RESOURCES)).getChildFile ("parameters.xml");
    }
}

TEST (ParametersXml, ReadsEveryKindAndAttribute)
{
    ParameterManager manager;
    const auto error = load (manager, R"(
        <PluginParameters>
          <!-- a comment -->
          <group name="Tone">
            <param id="0" name="Cutoff" displayName="Cut" min="20" max="20000" default="1000"
                   skewCentre="1000" step="0.5" decimals="1" unit="Hz" meta="1" latency="true"/>
            <param id="1" name="Steps" type="int" min="-3" max="3" default="-1" unit="st"/>
            <param id="2" name="Mode" type="enum" items="Soft | Hard|Fold" default="Fold" auto="0"/>
            <param id="3" name="Root" type="note" min="C-1" max="127" default="A-4"/>
          </group>
          <group name="Switches">
            <param id="4" name="Power" type="bool" default="1" presets="0"/>
            <param id="5" name="Sure" type="answer"/>
            <param id="6" name="Trigger" type="logic" showValue="0" auto="0"/>
            <param id="7" name="Page" type="state" min="0" max="5" default="2"/>
            <param id="8" name="Label" type="string" default="Hello" auto="0"/>
            <param id="100009" name="Copy" type="enum" items="A|B" min="0.0" max="1.0" default="1.0"/>
          </group>
        </PluginParameters>)");

    ASSERT_EQ (error, "");
    ASSERT_EQ (manager.getNumParameters(), 10);

    const auto& cutoff = manager.getParameterByName ("Cutoff")->getDescription();
    EXPECT_EQ (cutoff.displayName, "Cut");
    EXPECT_EQ (cutoff.group, "Tone");
    EXPECT_FLOAT_EQ (cutoff.minimum, 20.0f);
    EXPECT_FLOAT_EQ (cutoff.maximum, 20000.0f);
    EXPECT_FLOAT_EQ (cutoff.defaultValue, 1000.0f);
    EXPECT_FLOAT_EQ (cutoff.step, 0.5f);
    EXPECT_FLOAT_EQ (cutoff.skewCentre, 1000.0f);
    EXPECT_EQ (cutoff.decimals, 1);
    EXPECT_EQ (cutoff.unitLabel, "Hz");
    EXPECT_TRUE (cutoff.automatable);
    EXPECT_TRUE (cutoff.meta);
    EXPECT_TRUE (cutoff.affectsLatency);
    EXPECT_FALSE (cutoff.excludedFromPresets);
    EXPECT_EQ (manager.getParameterByName ("Cutoff")->getValueText(), "1000.0 Hz");
    EXPECT_NEAR (manager.getParameterByName ("Cutoff")->getNormalisedValue(), 0.5f, 1.0e-5f);

    EXPECT_EQ (manager.getParameterByIndex (1)->getValueText(), "-1 st");

    auto* mode = dynamic_cast<EnumParameter*> (manager.getParameterByIndex (2));
    ASSERT_NE (mode, nullptr);
    EXPECT_EQ (mode->getItemNames(), juce::StringArray ({ "Soft", "Hard", "Fold" }));
    EXPECT_EQ (mode->getIntValue(), 2);
    EXPECT_FALSE (mode->isAutomatable());

    EXPECT_EQ (manager.getParameterByIndex (3)->getValueText(), "A-4");
    EXPECT_FLOAT_EQ (manager.getParameterByIndex (3)->getMinimum(), 12.0f) << "C-1";
    EXPECT_TRUE (manager.getParameterByIndex (4)->getBoolValue());
    EXPECT_TRUE (manager.getParameterByIndex (4)->isExcludedFromPresets());
    EXPECT_EQ (manager.getParameterByIndex (5)->getValueText(), "No");
    EXPECT_EQ (manager.getParameterByIndex (6)->getValueText(), "@");
    EXPECT_EQ (manager.getParameterByIndex (7)->getIntValue(), 2);
    EXPECT_FALSE (manager.getParameterByIndex (7)->isAutomatable());
    EXPECT_EQ (manager.getParameterByIndex (8)->getText(), "Hello");
    EXPECT_EQ (manager.getParameterByIndex (100009)->getIntValue(), 1);

    ASSERT_EQ (manager.getGroups().size(), 2);
    EXPECT_EQ (manager.getGroups()[1].ids, juce::Array<int> ({ 4, 5, 6, 7, 8, 100009 }));
}

TEST (ParametersXml, TypeIsFloatAndRangeIsZeroToOneByDefault)
{
    ParameterManager manager;
    ASSERT_EQ (load (manager, wrap (R"(<param id="0" name="Plain"/>)")), "");

    auto* p = manager.getParameterByIndex (0);
    EXPECT_EQ (p->getTypeName(), "float");
    EXPECT_FLOAT_EQ (p->getMinimum(), 0.0f);
    EXPECT_FLOAT_EQ (p->getMaximum(), 1.0f);
    EXPECT_FLOAT_EQ (p->getValue(), 0.0f);
    EXPECT_EQ (p->getValueText(), "0.00");
    EXPECT_TRUE (p->isAutomatable());
}

TEST (ParametersXml, EveryKindIsMadeFromItsLeastElementAndRefusesWhatItDoesNotUse)
{
    // The kinds as "parameters.xml" documents them: type, own attributes, automatable.
    struct Row
    {
        const char* name;
        const char* attributes;
        bool automatable;
    };
    // clang-format off
    const Row expected[] = {
        { "float",  "min max default step skewCentre decimals unit", true },
        { "int",    "min max default unit",                          true },
        { "enum",   "items min max default",                         true },
        { "note",   "min max default",                               true },
        { "bool",   "default",                                       true },
        { "answer", "default",                                       true },
        { "logic",  "default",                                       true },
        { "state",  "min max default",                               false },
        { "string", "default",                                       false },
    };
    // clang-format on

    const auto common = juce::StringArray::fromTokens ("displayName auto meta latency presets showValue", false);
    auto everyAttribute = common;
    everyAttribute.addTokens ("min max default step skewCentre decimals unit items defualt", false);

    const auto& kinds = ParameterKind::getAll();
    ASSERT_EQ (kinds.size(), std::size (expected));

    for (size_t i = 0; i < kinds.size(); ++i)
    {
        const auto& kind = kinds[i];
        const auto& row = expected[i];
        const auto own = juce::StringArray::fromTokens (row.attributes, false);
        SCOPED_TRACE (row.name);

        EXPECT_STREQ (kind.name, row.name);
        EXPECT_EQ (kind.attributes.joinIntoString (" "), row.attributes);
        EXPECT_EQ (kind.automatable, row.automatable);

        // The least a param of the kind needs: an enum needs its items.
        const auto least = "<param id=\"0\" name=\"P\" type=\"" + juce::String (row.name) + "\""
            + (own.contains ("items") ? " items=\"A|B\"" : "");
        const juce::String where = "<group> \"G\", <param> 1 (\"P\"): ";

        ParameterManager manager;
        ASSERT_EQ (load (manager, wrap (least + "/>")), "");
        const auto* made = manager.getParameterByIndex (0);
        EXPECT_EQ (made->getTypeName(), row.name);
        EXPECT_EQ (ParameterKind::find (made->getTypeName()), &kind);
        EXPECT_EQ (made->isAutomatable(), row.automatable);

        for (const auto& attribute : everyAttribute)
        {
            if (least.contains (" " + attribute + "="))
                continue;

            ParameterManager refusing;
            const auto error = load (refusing, wrap (least + " " + attribute + "=\"1\"/>"));

            if (common.contains (attribute) || own.contains (attribute))
            {
                EXPECT_FALSE (error.contains ("is not used")) << attribute << ": " << error;
                continue;
            }

            EXPECT_EQ (error, where + "attribute " + attribute + " is not used by type " + row.name);
            EXPECT_EQ (refusing.getNumParameters(), 0) << attribute;
            EXPECT_EQ (refusing.getGroups().size(), 0) << attribute;
        }

        ParameterManager automated;
        EXPECT_EQ (load (automated, wrap (least + " auto=\"1\"/>")),
                   row.automatable ? juce::String() : where + "a " + row.name + " parameter is never automatable: auto must be 0");
        EXPECT_EQ (automated.getNumParameters(), row.automatable ? 1 : 0);
    }

    ParameterManager manager;
    EXPECT_EQ (load (manager, wrap (R"(<param id="0" name="P" type="knob"/>)")),
               "<group> \"G\", <param> 1 (\"P\"): unknown type \"knob\" (float, int, enum, note, bool, answer, logic, state or string)");
}

TEST (ParametersXml, HostileDescriptionsAreClearErrorsAndAddNothing)
{
    struct Case
    {
        const char* xml;
        const char* expected;
    };

    // clang-format off
    const Case cases[] = {
        { "<Parameters/>",                                                       "expected <PluginParameters>" },
        { "<PluginParameters><param id=\"0\" name=\"A\"/></PluginParameters>",    "unexpected element <param>" },
        { "<PluginParameters><group><param id=\"0\" name=\"A\"/></group></PluginParameters>", "has no name" },
        { "<PluginParameters><group name=\"G\" colour=\"red\"/></PluginParameters>", "unknown attribute colour" },
        { "<PluginParameters><group name=\"G\"/><group name=\"G\"/></PluginParameters>", "used twice" },
        { "<PluginParameters>stray</PluginParameters>",                          "unexpected text" },
        { nullptr, nullptr },
    };
    // clang-format on

    // clang-format off
    const Case paramCases[] = {
        { R"(<param name="A"/>)",                                      "id attribute is missing" },
        { R"(<param id="x" name="A"/>)",                               "id must be an integer" },
        { R"(<param id="-4" name="A"/>)",                              "id must be an integer" },
        { R"(<param id="99999999999" name="A"/>)",                     "id must be an integer" },
        { R"(<param id="0"/>)",                                        "name attribute is missing" },
        { R"(<param id="0" name=" A"/>)",                              "white space" },
        { R"(<param id="0" name="A" type="knob"/>)",                   "unknown type \"knob\"" },
        { R"(<param id="0" name="A" min="5" max="5"/>)",               "must be less than max" },
        { R"(<param id="0" name="A" min="9" max="1"/>)",               "must be less than max" },
        { R"(<param id="0" name="A" default="2"/>)",                   "outside min to max" },
        { R"(<param id="0" name="A" min="ten"/>)",                     "min is not a number: \"ten\"" },
        { R"(<param id="0" name="A" max="1e400"/>)",                   "max is not a number" },
        { R"(<param id="0" name="A" max="1e12"/>)",                    "out of range" },
        { R"(<param id="0" name="A" default="nan"/>)",                 "default is not a number" },
        { R"(<param id="0" name="A" step="-1"/>)",                     "step must be" },
        { R"(<param id="0" name="A" step="2"/>)",                      "step must be" },
        { R"(<param id="0" name="A" skewCentre="1"/>)",                "strictly between" },
        { R"(<param id="0" name="A" min="-1" skewCentre="0"/>)",       "must not be 0" },
        { R"(<param id="0" name="A" decimals="9"/>)",                  "decimals must be" },
        { R"(<param id="0" name="A" decimals="1.5"/>)",                "not an integer" },
        { R"(<param id="0" name="A" auto="yes"/>)",                    "auto must be 1 or 0" },
        { R"(<param id="0" name="A" type="bool" default="2"/>)",       "default must be 1 or 0" },
        { R"(<param id="0" name="A" type="int" min="0.5" max="3"/>)",  "not an integer" },
        { R"(<param id="0" name="A" type="int" max="1e8"/>)",          "not an integer within" },
        { R"(<param id="0" name="A" type="enum"/>)",                   "at least two items" },
        { R"(<param id="0" name="A" type="enum" items="Solo"/>)",      "at least two items" },
        { R"(<param id="0" name="A" type="enum" items="A||B"/>)",      "item 2 is empty" },
        { R"(<param id="0" name="A" type="enum" items="A|B|A"/>)",     "appears twice" },
        { R"(<param id="0" name="A" type="enum" items="A|B" default="C"/>)",  "neither an item nor an index" },
        { R"(<param id="0" name="A" type="enum" items="A|B" default="2"/>)",  "neither an item nor an index" },
        { R"(<param id="0" name="A" type="enum" items="A|B" max="5"/>)",      "must be 0 and 1" },
        { R"(<param id="0" name="A" type="note" max="128"/>)",         "not a note name" },
        { R"(<param id="0" name="A" type="note" default="H#2"/>)",     "not a note name" },
        { R"(<param id="0" name="A"/><param id="0" name="B"/>)",       "id 0 is used twice" },
        { R"(<param id="0" name="A"/><param id="1" name="A"/>)",       "the name is used twice" },
        { R"(<param id="0" name="A"/><knob/>)",                        "unexpected element <knob>" },
    };
    // clang-format on

    auto check = [] (const juce::String& xml, const char* expected) {
        ParameterManager manager;
        manager.addParameter (std::make_unique<StringParameter> (makeDescription (100000, "Preset Name")));

        const auto error = load (manager, xml);
        EXPECT_TRUE (error.contains (expected)) << "XML: " << xml << "\nerror: " << error;
        EXPECT_EQ (manager.getNumParameters(), 1) << xml;
        EXPECT_EQ (manager.getGroups().size(), 0) << xml;
    };

    for (const auto& c : cases)
        if (c.xml != nullptr)
            check (c.xml, c.expected);

    for (const auto& c : paramCases)
        check (wrap (R"(<param id="10" name="Good"/>)" + juce::String (c.xml)), c.expected);
}

TEST (ParametersXml, ErrorNamesTheGroupAndTheParam)
{
    ParameterManager manager;
    const auto error = load (manager, "<PluginParameters><group name=\"Filter\"><param id=\"0\" name=\"Ok\"/>"
                                      "<param id=\"1\" name=\"Cutoff\" min=\"x\"/></group></PluginParameters>");

    EXPECT_EQ (error, "<group> \"Filter\", <param> 2 (\"Cutoff\"): attribute min is not a number: \"x\"");
}

TEST (ParametersXml, ClashWithParametersAlreadyPresentAddsNothing)
{
    ParameterManager manager;
    manager.addParameter (std::make_unique<StringParameter> (makeDescription (100000, "Preset Name")));

    auto error = load (manager, wrap (R"(<param id="1" name="A"/><param id="100000" name="B"/>)"));
    EXPECT_TRUE (error.contains ("id 100000 is already used by \"Preset Name\"")) << error;

    error = load (manager, wrap (R"(<param id="1" name="A"/><param id="2" name="Preset Name"/>)"));
    EXPECT_TRUE (error.contains ("already used by id 100000")) << error;

    EXPECT_EQ (manager.getNumParameters(), 1);
    EXPECT_EQ (manager.getParameterByName ("A"), nullptr);
}

TEST (ParametersXml, SecondDescriptionAppendsToTheSameGroup)
{
    ParameterManager manager;
    ASSERT_EQ (load (manager, wrap (R"(<param id="1" name="A"/>)")), "");
    ASSERT_EQ (load (manager, wrap (R"(<param id="2" name="B"/>)")), "");

    ASSERT_EQ (manager.getGroups().size(), 1);
    EXPECT_EQ (manager.getGroups()[0].ids, juce::Array<int> ({ 1, 2 }));
}

TEST (ParametersFile, MissingFileIsAnErrorNamingIt)
{
    ParameterManager manager;
    const auto missing = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("no-such-dir/parameters.xml");
    const auto error = manager.loadFromFile (missing);

    EXPECT_TRUE (error.contains (missing.getFullPathName())) << error;
    EXPECT_TRUE (error.contains ("does not exist")) << error;
    EXPECT_EQ (manager.getNumParameters(), 0);
}

TEST (ParametersFile, BrokenFilesAreErrorsNamingTheFile)
{
    const std::string broken[] = {
        "",
        "this is not xml",
        "<PluginParameters><group name=\"G\">",
        "<PluginParameters><group name=\"G\"><param id=\"0\" name=\"A\"></group></PluginParameters>",
        std::string ("\xff\xfe\x00<\x00P\x00", 7),
        "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>"
        "<PluginParameters><group name=\"&b;\"/></PluginParameters>",
    };

    for (const auto& content : broken)
    {
        TempFile temp (content);
        ParameterManager manager;
        const auto error = manager.loadFromFile (temp.file);

        EXPECT_TRUE (error.startsWith (temp.file.getFullPathName() + ": ")) << content << "\n"
                                                                            << error;
        EXPECT_EQ (manager.getNumParameters(), 0) << content;
    }
}

TEST (ParametersFile, DeepNestingIsRefusedBeforeParsing)
{
    std::string nested = "<PluginParameters>";

    for (int i = 0; i < 200000; ++i)
        nested += "<a>";

    TempFile temp (nested);
    ParameterManager manager;
    const auto error = manager.loadFromFile (temp.file);

    EXPECT_TRUE (error.contains ("nested too deeply")) << error.substring (0, 200);
}

TEST (ParametersFile, OversizedFileIsRefused)
{
    TempFile temp ("<PluginParameters><!--" + std::string (2 * 1024 * 1024, 'x') + "--></PluginParameters>");
    ParameterManager manager;

    EXPECT_TRUE (manager.loadFromFile (temp.file).contains ("larger than 1 MB"));
}

TEST (ParametersFile, ProductDescriptionLoadsWithoutError)
{
    const auto file = productDescription();
    ParameterManager manager;

    ASSERT_EQ (manager.loadFromFile (file), "") << file.getFullPathName();
    EXPECT_GT (manager.getNumParameters(), 5);

    for (auto* p : manager.getParameters())
    {
        EXPECT_LT (p->getId(), ParameterManager::firstCommandId) << "commands are added by the plug-in";
        EXPECT_TRUE (p->isAutomatable() || p->getName() == "Processing Quality") << p->getName();
        EXPECT_TRUE (manager.canLearnMidi (p) || ! p->isAutomatable()) << p->getName();
    }
}
