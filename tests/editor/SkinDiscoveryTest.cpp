#include "EditorTestSupport.h"
#include "editor/StatusBar.h"

using edtest::EditorRig;

namespace
{
    juce::String describe (const juce::Array<SkinRecord>& skins)
    {
        juce::StringArray lines;

        for (const auto& r : skins)
            lines.add (r.name + " " + r.label + " " + juce::String (r.size));

        return lines.joinIntoString (", ");
    }

    const juce::String notFoundMessage (const juce::File& folder)
    {
        return "Plugin skins not found in directory:\n" + folder.getFullPathName() + "\nPlease reinstall to repair.";
    }
}

TEST (SkinDiscovery, ListsPlainWidthsLargestFirstLabelledAgainstTheDefaultWidth)
{
    EditorRig rig ({ "1180", "885", "1475" }, "master", [] (const test::ScopedDataRoot& root) {
        const auto folder = EditorRig::getSkinsFolder (root);

        // Not sizes: a leading zero, a sign, letters, another extension, a folder, developer skin.
        for (const auto* name : { "0885", "+900", "12ab", "small", "_base_" })
            edtest::installSkin (folder, "885", name);

        folder.getChildFile ("700.zip").replaceWithText ("x");
        folder.getChildFile ("990.orvikskin").createDirectory();
    });

    auto& editor = rig.getEditor();
    EXPECT_EQ (describe (editor.getSkins()), "1475 125% 1475, 1180 100% 1180, 885 75% 885");
    EXPECT_EQ (editor.getChosenSkinName(), "1180");
    EXPECT_EQ (editor.getSkinIndex ("885"), 2);
    EXPECT_EQ (editor.getSkinIndex ("0885"), -1);
    EXPECT_EQ (editor.getSkinRecord (3), SkinRecord());
    EXPECT_EQ (editor.getSkinRecord (-1), SkinRecord());

    // Two or more skins: the "USER INTERFACE" page and the status bar's picker exist.
    EXPECT_NE (editor.getUserInterfacePage(), nullptr);
    EXPECT_TRUE (editor.getStatusBar()->getSkinButton().isVisible());
    EXPECT_EQ (editor.getSkinErrorAlert(), nullptr);

    // Without a default width there is no percentage, and nothing divides by zero.
    editor.defaultWidthText = {};
    editor.findSkins();
    EXPECT_EQ (describe (editor.getSkins()), "1475 1475 1475, 1180 1180 1180, 885 885 885");
}

TEST (SkinDiscovery, DeveloperModeOffersTheBaseSkinAndPrefersIt)
{
    EditorRig rig ({ "1180" }, "master", [] (const test::ScopedDataRoot& root) {
        edtest::installSkin (EditorRig::getSkinsFolder (root), "885", "_base_");
        root.getUserFolder().createDirectory();
        root.getUserFolder().getChildFile ("superpowers").create();
    });

    ASSERT_TRUE (rig.getPlugin().hasSuperpowers());
    EXPECT_EQ (describe (rig.getEditor().getSkins()), "_base_ _base_ 0, 1180 100% 1180");
    EXPECT_EQ (rig.getEditor().getChosenSkinName(), "_base_");
}

TEST (SkinDiscovery, OneSkinHasNoPicker)
{
    EditorRig rig ({ "885" });
    auto& editor = rig.getEditor();

    EXPECT_EQ (editor.getChosenSkinName(), "885");
    EXPECT_EQ (editor.getUserInterfacePage(), nullptr);
    EXPECT_FALSE (editor.getStatusBar()->getSkinButton().isVisible());
}

TEST (SkinDiscovery, NoUsableSkinReportsTheFolder)
{
    EditorRig rig ({}, "master", [] (const test::ScopedDataRoot& root) {
        edtest::installSkin (EditorRig::getSkinsFolder (root), "1180", "big");
    });

    auto& editor = rig.getEditor();
    EXPECT_TRUE (editor.getSkins().isEmpty());
    ASSERT_NE (editor.getSkinErrorAlert(), nullptr);
    EXPECT_EQ (editor.getSkinErrorAlert()->getTitle(), "Skin error");
    EXPECT_EQ (editor.getSkinErrorAlert()->getMessage(), notFoundMessage (rig.getSkinsFolder()));

    // The editor stays at its own size with the status bar.
    rig.openHostWindow();
    EXPECT_EQ (editor.getRootPanel(), nullptr);
    EXPECT_EQ (editor.getContentHeight(), 600);
    EXPECT_EQ (editor.getWidth(), 800);
}

TEST (SkinDiscovery, OnlyWiderSkinsNeedTheSettingsToNameOne)
{
    {
        EditorRig rig ({ "1475" });
        EXPECT_EQ (rig.getEditor().getChosenSkinName(), "");
        ASSERT_NE (rig.getEditor().getSkinErrorAlert(), nullptr);
        EXPECT_EQ (rig.getEditor().getSkinErrorAlert()->getMessage(), notFoundMessage (rig.getSkinsFolder()));
    }

    EditorRig rig ({ "1475" }, "master", [] (const test::ScopedDataRoot& root) {
        root.getUserFolder().createDirectory();
        root.getUserFolder().getChildFile ("Grindel 2.ini").replaceWithText (R"(<UserSettings><Editor><Skin name="1475"/></Editor></UserSettings>)");
    });

    EXPECT_EQ (rig.getEditor().getChosenSkinName(), "1475");
    EXPECT_EQ (rig.getEditor().getSkinErrorAlert(), nullptr);
    rig.openHostWindow();
    EXPECT_EQ (rig.getEditor().getCurrentSkinName(), "1475");
}
