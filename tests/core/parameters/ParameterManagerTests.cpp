#include "core/parameters/ParameterTestSupport.h"
#include "support/TestSupport.h"
#include "core/parameters/FloatParameter.h"
#include "core/parameters/LogicParameter.h"
#include "core/parameters/ParameterManager.h"
#include "core/parameters/StringParameter.h"

// The manager's tables, groups, shared listeners and the MIDI-learn rule.

namespace
{
    struct ManagerTest : public ::testing::Test
    {
        ManagerTest()
        {
            manager.addParameter (std::make_unique<FloatParameter> (makeDescription (0, "Rate", 0.0f, 10.0f, 5.0f)), "Main");
            manager.addParameter (std::make_unique<FloatParameter> (makeDescription (1, "Depth", 0.0f, 1.0f, 0.0f)), "Main");
            manager.addParameter (std::make_unique<LogicParameter> (makeDescription (100001, "Options")), "Common");
            manager.addParameter (std::make_unique<StringParameter> (makeDescription (100000, "Preset Name")), "Common");
        }

        ParameterManager manager;
        juce::StringArray log;
        RecordingListener a { log, "a" }, b { log, "b" };
    };

    struct SuffixManager : public ParameterManager
    {
        juce::String formatValue (const Parameter& p, float v) const override
        {
            return ParameterManager::formatValue (p, v) + " units";
        }
    };
}

TEST_F (ManagerTest, LooksParametersUpByIdAndName)
{
    EXPECT_EQ (manager.getNumParameters(), 4);
    EXPECT_EQ (manager.getParameterByIndex (1)->getName(), "Depth");
    EXPECT_EQ (manager.getParameterByName ("Options")->getId(), 100001);
    EXPECT_EQ (manager.getParameterByIndex (2), nullptr);
    EXPECT_EQ (manager.getParameterByName ("depth"), nullptr) << "names compare exactly";
    EXPECT_EQ (manager.getParameterByName ({}), nullptr);
    EXPECT_EQ (manager.getParameterByIndex (0)->getOwner(), &manager);
}

TEST_F (ManagerTest, RefusesTakenIdsAndNamesAndKeepsTheFirst)
{
    auto* first = manager.getParameterByIndex (0);

    EXPECT_FALSE (manager.addParameter (std::make_unique<FloatParameter> (makeDescription (0, "Other"))));
    EXPECT_FALSE (manager.addParameter (std::make_unique<FloatParameter> (makeDescription (9, "Rate"))));
    EXPECT_FALSE (manager.addParameter (std::make_unique<FloatParameter> (makeDescription (-1, "Negative"))));
    EXPECT_FALSE (manager.addParameter (std::make_unique<FloatParameter> (makeDescription (9, ""))));
    EXPECT_FALSE (manager.addParameter (nullptr));

    EXPECT_EQ (manager.getNumParameters(), 4);
    EXPECT_EQ (manager.getParameterByIndex (0), first);
    EXPECT_EQ (manager.getParameterByName ("Other"), nullptr);
    EXPECT_EQ (manager.getParameterByIndex (9), nullptr);
}

TEST_F (ManagerTest, GroupsKeepTheirOrder)
{
    manager.addParameter (std::make_unique<FloatParameter> (makeDescription (7, "Late")), "Main");
    manager.addParameter (std::make_unique<FloatParameter> (makeDescription (8, "Loose")));

    const auto& groups = manager.getGroups();
    ASSERT_EQ (groups.size(), 2);
    EXPECT_EQ (groups[0].name, "Main");
    EXPECT_EQ (groups[0].ids, juce::Array<int> ({ 0, 1, 7 }));
    EXPECT_EQ (groups[1].name, "Common");
    EXPECT_EQ (groups[1].ids, juce::Array<int> ({ 100001, 100000 }));
    EXPECT_EQ (manager.getParameterByIndex (7)->getGroupName(), "Main");
}

TEST_F (ManagerTest, ListenerForAllIsAddedAndRemovedEverywhere)
{
    manager.addListenerToAll (&a);
    manager.addListenerToAll (&a);

    for (auto* p : manager.getParameters())
        EXPECT_EQ (p->getNumListeners(), 1) << p->getName();

    manager.getParameterByIndex (0)->setValue (1.0f, true);
    manager.getParameterByIndex (1)->setValue (1.0f, true);
    manager.flushPendingUpdates();
    EXPECT_EQ (log, juce::StringArray ({ "a changed Rate", "a changed Depth" }));

    manager.removeListenerFromAll (&a);

    for (auto* p : manager.getParameters())
        EXPECT_EQ (p->getNumListeners(), 0) << p->getName();
}

TEST_F (ManagerTest, SetParameterToStoredValueNotifies)
{
    auto* options = manager.getParameterByIndex (100001);
    options->addListener (&a);

    manager.setParameterToStoredValue (100001, 1);
    EXPECT_TRUE (options->getBoolValue());
    ASSERT_TRUE (test::pumpUntil ([this] { return a.changes == 1; }));

    manager.setParameterToStoredValue (100001, 0);
    EXPECT_FALSE (options->getBoolValue());
    manager.setParameterToStoredValue (424242, 1);   // unknown id: nothing happens
    manager.flushPendingUpdates();
    EXPECT_EQ (a.changes, 2);
}

TEST_F (ManagerTest, MidiLearnIsForTheProductsOwnValues)
{
    EXPECT_TRUE (manager.canLearnMidi (manager.getParameterByIndex (0)));
    EXPECT_FALSE (manager.canLearnMidi (manager.getParameterByIndex (100001)));
    EXPECT_FALSE (manager.canLearnMidi (manager.getParameterByIndex (100000)));
    EXPECT_FALSE (manager.canLearnMidi (nullptr));

    auto* text = new StringParameter (makeDescription (50, "Comment"));
    manager.addParameter (std::unique_ptr<Parameter> (text));
    EXPECT_FALSE (manager.canLearnMidi (text));
}

TEST (ManagerFormatting, ValueTextsGoThroughTheOwnersFormat)
{
    SuffixManager manager;
    auto d = makeDescription (0, "Gain", 0.0f, 10.0f, 2.5f);
    d.unitLabel = "dB";
    d.decimals = 1;
    manager.addParameter (std::make_unique<FloatParameter> (d));
    auto* p = manager.getParameterByIndex (0);

    EXPECT_EQ (p->getValueText(), "2.5 dB units");
    EXPECT_EQ (p->getDisplayText (4.0f), "4.0 dB units");
    EXPECT_EQ (p->getTextForValue (4.0f), "4.0");

    FloatParameter loose (d);
    EXPECT_EQ (loose.getValueText(), "2.5 dB") << "without a manager, the kind's text and the unit";
}
