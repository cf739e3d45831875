#include "ContentTestSupport.h"
#include "core/CommandParameter.h"

TEST (PluginPresets, InitialisationLoadsBypassAndConstructionAppliesTheStartPreset)
{
    test::PluginFixture fixture (true);
    auto& plugin = fixture.plugin();

    ASSERT_NE (plugin.getFactoryPresetSource(), nullptr);
    ASSERT_NE (plugin.getUserPresetSource(), nullptr);
    EXPECT_EQ (plugin.getUserPresetSource()->name, "User");
    EXPECT_EQ (plugin.getUserPresets()->getFolder(), fixture.root.getUserFolder().getChildFile ("Presets"));

    // MPC60 was applied after "- Bypass -": the reload preset is the start preset.
    EXPECT_EQ (plugin.getReloadPreset().name, "MPC60");
    EXPECT_FLOAT_EQ (fixture.parameter ("Bit Depth").getValue(), 12.0f);
    EXPECT_FLOAT_EQ (fixture.parameter ("Sample Rate").getValue(), 40000.0f);
    EXPECT_EQ (plugin.getParameterManager().getParameterByIndex (CommandParameter::presetNameId)->getText(), "MPC60");
    EXPECT_FALSE (plugin.hasUnsavedPresetChanges());

    // The sources share the plug-in's dictionary.
    EXPECT_NE (plugin.getTagDictionary().getId ("Vintage Sampler", "12 Bit"), 0);
    EXPECT_NE (plugin.getTagDictionary().getId ("Degradation"), 0);

    // Init and reload.
    plugin.loadInitPreset (0);
    EXPECT_EQ (plugin.getReloadPreset().name, "- Bypass -");
    EXPECT_FLOAT_EQ (fixture.parameter ("Bit Depth").getValue(), 24.0f);
    fixture.parameter ("Bit Depth").setValue (4.0f, true);
    fixture.parameter ("Mix").setValue (20.0f, true);
    EXPECT_TRUE (plugin.hasUnsavedPresetChanges());
    plugin.reloadParameterValue (fixture.parameter ("Bit Depth").getId());
    EXPECT_FLOAT_EQ (fixture.parameter ("Bit Depth").getValue(), 24.0f);
    EXPECT_FLOAT_EQ (fixture.parameter ("Mix").getValue(), 20.0f);
    plugin.reloadPreset (0);
    EXPECT_FLOAT_EQ (fixture.parameter ("Mix").getValue(), 100.0f);
    EXPECT_FALSE (plugin.hasUnsavedPresetChanges());
}

TEST (PluginPresets, WithoutAFactoryPackageInitSetsDefaults)
{
    test::PluginFixture fixture;
    auto& plugin = fixture.plugin();
    EXPECT_EQ (plugin.getFactoryPresetSource(), nullptr);
    EXPECT_NE (plugin.getUserPresetSource(), nullptr);
    EXPECT_FALSE (plugin.applyStartPreset());

    fixture.parameter ("Dither").setValue (50.0f, true);
    plugin.getQualityParameter()->setValue (2.0f, true);
    plugin.loadInitPreset (0);
    EXPECT_FLOAT_EQ (fixture.parameter ("Dither").getValue(), fixture.parameter ("Dither").getDefaultValue());
    EXPECT_EQ (plugin.getQualityParameter()->getIntValue(), 2);   // excluded: untouched
    EXPECT_EQ (plugin.getReloadPreset().name, "- Bypass -");
}

TEST (PluginPresets, ReloadParameterValueIgnoresExcludedParameters)
{
    test::PluginFixture fixture;
    auto& plugin = fixture.plugin();
    Preset preset;
    preset.setValue (8, "2");
    preset.setValue (100000, "sneaky");
    preset.setValue (0, "1000");
    plugin.loadPreset (preset, 0, true);
    EXPECT_EQ (plugin.getQualityParameter()->getIntValue(), 0);
    EXPECT_FLOAT_EQ (fixture.parameter ("Sample Rate").getValue(), 1000.0f);

    plugin.getQualityParameter()->setValue (1.0f, true);
    plugin.reloadParameterValue (8);
    EXPECT_EQ (plugin.getQualityParameter()->getIntValue(), 1);

    Preset stored;
    plugin.storePresetValues (stored, 0);
    EXPECT_EQ (stored.findValue (8), nullptr);
    EXPECT_EQ (stored.findValue (100009), nullptr);
    EXPECT_NE (stored.findValue (0), nullptr);
}

TEST (PluginPresets, TheStateCarriesParametersMapAndPresetName)
{
    test::ScopedDataRoot root;
    juce::MemoryBlock state;

    {
        PluginAudioProcessor original;
        auto& plugin = original.getPlugin();
        plugin.getParameterManager().getParameterByName ("Bit Depth")->setValue (9.0f, true);
        plugin.getParameterManager().getParameterByIndex (CommandParameter::presetNameId)->setText ("Session", true);
        plugin.getMidiControlMap().setParameter (33, plugin.getParameterManager().getParameterByName ("Dither"));
        original.getStateInformation (state);
    }

    PluginAudioProcessor restored;
    restored.setStateInformation (state.getData(), (int) state.getSize());
    auto& plugin = restored.getPlugin();
    EXPECT_FLOAT_EQ (plugin.getParameterManager().getParameterByName ("Bit Depth")->getValue(), 9.0f);
    EXPECT_EQ (plugin.getParameterManager().getParameterByIndex (CommandParameter::presetNameId)->getText(), "Session");
    EXPECT_EQ (plugin.getMidiControlMap().getParameter (33), plugin.getParameterManager().getParameterByName ("Dither"));
    EXPECT_FALSE (plugin.hasUnsavedPresetChanges());
}

TEST (PluginPresets, TheUsersPresetFolderFollowsTheSettings)
{
    test::ScopedDataRoot root;
    test::TempFolder store;
    test::writeText (store.get().getChildFile ("Presets/Moved.grprs2"), "<Preset name=\"Moved\" application=\"Grindel 2\"/>");
    test::writeText (root.getUserFolder().getChildFile ("Grindel 2.ini"),
                     "<UserSettings><Presets folder=\"" + store.get().getFullPathName() + "\"/></UserSettings>");

    PluginAudioProcessor processor;
    auto* user = processor.getPlugin().getUserPresets();
    ASSERT_NE (user, nullptr);
    EXPECT_EQ (user->getFolder(), store.get().getChildFile ("Presets"));
    EXPECT_NE (user->findItem ("Moved"), nullptr);
}

TEST (PluginPresets, ACorruptFactoryPackageIsSkipped)
{
    test::ScopedDataRoot root;
    const auto presets = root.getCommonFolder().getChildFile ("Presets");
    test::writeText (presets.getChildFile ("Grindel 2 Factory Presets.orvikpkg"), "not a zip");
    const auto before = presets.getChildFile ("Grindel 2 Factory Presets.orvikpkg").loadFileAsString();

    PluginAudioProcessor processor;
    auto& plugin = processor.getPlugin();
    ASSERT_NE (plugin.getFactoryPresetSource(), nullptr);
    EXPECT_EQ (plugin.getFactoryPresetSource()->getNumItems(), 0);
    EXPECT_FALSE (plugin.applyStartPreset());
    EXPECT_FLOAT_EQ (plugin.getParameterManager().getParameterByName ("Bit Depth")->getValue(), 24.0f);
    EXPECT_EQ (presets.getChildFile ("Grindel 2 Factory Presets.orvikpkg").loadFileAsString(), before);
}
