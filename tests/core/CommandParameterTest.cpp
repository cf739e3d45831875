#include "core/CommandParameter.h"
#include "core/PluginAudioProcessor.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

TEST (CommandParameters, TheTableHoldsTheFixedCommands)
{
    // Hosts, skins and saved sessions know these numbers: they never move.
    struct Row
    {
        int id;
        juce::String name, type, button;
        int alternativeId;
    };

    // clang-format off
    const Row expected[] = {
        { 100000, "Preset Name",     "string", {},               -1 },
        { 100001, "Options",         "logic",  "Options",        100002 },
        { 100002, "About",           "logic",  {},               -1 },
        { 100003, "Preset Previous", "logic",  "PresetPrevious", 100006 },
        { 100004, "Preset Next",     "logic",  "PresetNext",     100007 },
        { 100005, "Preset Browse",   "logic",  "PresetBrowse",   100008 },
        { 100006, "Preset Init",     "logic",  {},               -1 },
        { 100007, "Preset Reload",   "logic",  {},               -1 },
        { 100008, "Preset Save",     "logic",  {},               -1 }
    };
    // clang-format on

    ASSERT_EQ (CommandParameter::table.size(), std::size (expected));

    for (size_t i = 0; i < CommandParameter::table.size(); ++i)
    {
        const auto& command = CommandParameter::table[i];
        EXPECT_EQ (command.id, expected[i].id);
        EXPECT_EQ (juce::String (command.name), expected[i].name);
        EXPECT_EQ (juce::String (command.type), expected[i].type);
        EXPECT_EQ (juce::String (command.button), expected[i].button) << command.name;
        EXPECT_EQ (command.alternativeId, expected[i].alternativeId) << command.name;
        EXPECT_EQ (CommandParameter::indexOf (command.id), (int) i);
    }

    EXPECT_EQ (CommandParameter::indexOf (100009), -1);
    EXPECT_EQ (CommandParameter::indexOf (0), -1);
}

TEST (CommandParameters, ThePluginHasOneParameterPerCommandKeptFromHostAndPresets)
{
    test::ScopedDataRoot root;
    PluginAudioProcessor processor;
    auto& manager = processor.getPlugin().getParameterManager();

    for (const auto& command : CommandParameter::table)
    {
        auto* p = manager.getParameterByIndex (command.id);
        ASSERT_NE (p, nullptr) << command.name;
        EXPECT_EQ (p->getName(), command.name);
        EXPECT_EQ (p->getTypeName(), command.type);
        EXPECT_FALSE (p->isAutomatable()) << command.name;
        EXPECT_TRUE (p->isExcludedFromPresets()) << command.name;
        EXPECT_EQ (p->getHostIndex(), -1) << command.name;
        EXPECT_FALSE (manager.canLearnMidi (p)) << command.name;

        // A command button has no value to show; the preset name has.
        EXPECT_EQ (p->getDescription().showsValue, juce::String (command.type) == "string") << command.name;
    }
}
