#include "EditorTestSupport.h"
#include "core/CommandParameter.h"
#include "editor/OptionsWindow.h"
#include "editor/StatusBar.h"
#include "skin/Panel.h"
#include "skin/Skin.h"
#include "skin/widgets/GFXMultiStateButton.h"
#include "skin/widgets/ImgAnim.h"
#include "skin/widgets/ImgButton.h"

using edtest::EditorRig;

namespace
{
    void writePackage (const juce::File& file, const juce::String& description)
    {
        juce::ZipFile::Builder builder;
        builder.addEntry (new juce::MemoryInputStream (description.toRawUTF8(), description.getNumBytesAsUTF8(), true),
                          9, "PluginEditor.orvikgui", juce::Time::getCurrentTime());
        file.deleteFile();
        juce::FileOutputStream out (file);
        ASSERT_TRUE (out.openedOk());
        ASSERT_TRUE (builder.writeToStream (out, nullptr));
    }

    bool pumpUntilLoads (edtest::TestEditor& editor, int loads)
    {
        return test::pumpUntil ([&] { return editor.loads >= loads; });
    }
}

TEST (SkinLoading, FirstShowBuildsTheChosenSkinAtOnce)
{
    EditorRig rig;
    auto& editor = rig.getEditor();

    // Before the host shows it, the request is only recorded.
    EXPECT_EQ (editor.getPendingSkinName(), "1180");
    EXPECT_EQ (editor.getCurrentSkinName(), "");
    EXPECT_EQ (editor.getRootPanel(), nullptr);
    EXPECT_EQ (editor.getStatusBar()->getText(), "Loading skin...");
    test::pump (50);
    EXPECT_EQ (editor.loads, 0);
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 800, 600 + editor.getStatusBar()->getHeight()));

    auto& window = rig.openHostWindow();
    const int bar = editor.getStatusBar()->getHeight();
    EXPECT_EQ (bar, 16);

    // Built during the wrapper's constructor, which then took the size.
    EXPECT_EQ (editor.loads, 1);
    EXPECT_EQ (editor.getCurrentSkinName(), "1180");
    ASSERT_NE (editor.getRootPanel(), nullptr);
    EXPECT_TRUE (editor.getRootPanel()->isVisible());
    EXPECT_EQ (editor.getRootPanel()->getBounds(), juce::Rectangle<int> (0, 0, 1180, 600));
    EXPECT_EQ (editor.getWidth(), 1180);
    EXPECT_EQ (editor.getHeight(), 600 + bar);
    EXPECT_EQ (window.getWidth(), 1180);
    EXPECT_EQ (window.getHeight(), 600 + bar);
    EXPECT_EQ (editor.getStatusBar()->getBounds(), juce::Rectangle<int> (0, 600, 1180, bar));
    EXPECT_EQ (editor.getDesktopArea(), juce::Rectangle<int> (0, 0, 1180, 600));
    EXPECT_EQ (editor.getStatusBar()->getText(), "");
    EXPECT_FLOAT_EQ (editor.getGuiScale(), 1.0f);
    EXPECT_EQ (editor.getOptionsWindow()->getHeight(), 480);

    // The panel sits just above the status bar, below the editor's windows.
    EXPECT_EQ (editor.getIndexOfChildComponent (editor.getRootPanel()),
               editor.getIndexOfChildComponent (editor.getStatusBar()) + 1);

    // The named controls of the product's skin.
    for (const auto& command : CommandParameter::table)
    {
        if (command.button != nullptr)
        {
            EXPECT_NE (editor.getCommandButton (command.id), nullptr) << command.button;
        }
    }

    EXPECT_NE (editor.getMidiLearnButton(), nullptr);
    EXPECT_NE (editor.getMidiActivityControl(), nullptr);

    // A second show changes nothing.
    rig.closeHostWindow();
    rig.openHostWindow();
    EXPECT_EQ (editor.loads, 1);
}

TEST (SkinLoading, LaterChangesLoadAsynchronouslyAndOnlyTheLastRequestIsBuilt)
{
    EditorRig rig;
    auto& editor = rig.getEditor();
    auto& window = rig.openHostWindow();
    ASSERT_EQ (editor.loads, 1);

    editor.changeSkin ("885", false);
    EXPECT_EQ (editor.loads, 1);
    EXPECT_EQ (editor.getPendingSkinName(), "885");
    EXPECT_EQ (editor.getCurrentSkinName(), "1180");
    EXPECT_FALSE (editor.getRootPanel()->isVisible());
    EXPECT_EQ (editor.getStatusBar()->getText(), "Loading skin...");

    editor.changeSkinByIndex (0);   // 1475
    ASSERT_TRUE (pumpUntilLoads (editor, 2));
    test::pump (60);
    EXPECT_EQ (editor.loads, 2);
    EXPECT_EQ (editor.getCurrentSkinName(), "1475");
    EXPECT_EQ (editor.getWidth(), 1475);
    EXPECT_EQ (window.getWidth(), 1475);
    EXPECT_EQ (window.getHeight(), editor.getHeight());
    EXPECT_NEAR (editor.getGuiScale(), 1475.0f / 1180.0f, 1.0e-6f);
    EXPECT_TRUE (editor.getRootPanel()->isVisible());

    // Out of range: nothing.
    editor.changeSkinByIndex (3);
    test::pump (40);
    EXPECT_EQ (editor.loads, 2);
}

TEST (SkinLoading, TheSkinShownIsNotReloadedUnlessForced)
{
    EditorRig rig;
    auto& editor = rig.getEditor();
    rig.openHostWindow();
    auto* firstPanel = editor.getRootPanel();

    editor.changeSkin ("1180", false);
    test::pump (60);
    EXPECT_EQ (editor.loads, 1);
    EXPECT_EQ (editor.getRootPanel(), firstPanel);

    editor.changeSkin ("1180", true);
    ASSERT_TRUE (pumpUntilLoads (editor, 2));
    EXPECT_EQ (editor.getCurrentSkinName(), "1180");

    // Asking for the shown skin while another one waits: the last request wins.
    editor.changeSkin ("885", false);
    editor.changeSkin ("1180", false);
    ASSERT_TRUE (pumpUntilLoads (editor, 3));
    test::pump (40);
    EXPECT_EQ (editor.getCurrentSkinName(), "1180");
    EXPECT_EQ (editor.getWidth(), 1180);
}

TEST (SkinLoading, ABrokenSkinShowsTheErrorAndLeavesAWayBack)
{
    EditorRig rig ({ "1180", "885" }, "master", [] (const test::ScopedDataRoot& root) {
        EditorRig::getSkinsFolder (root).getChildFile ("990.orvikskin").replaceWithText ("not a zip file");
        writePackage (EditorRig::getSkinsFolder (root).getChildFile ("700.orvikskin"),
                      R"(<GuiDescription id="Grindel2" application="Grindel 2" gui_ver="01.00.20"><Panel/></GuiDescription>)");
    });

    auto& editor = rig.getEditor();
    rig.openHostWindow();
    ASSERT_EQ (editor.getCurrentSkinName(), "1180");

    editor.changeSkin ("990", false);
    ASSERT_TRUE (test::pumpUntil ([&] { return editor.getSkinErrorAlert() != nullptr; }));
    auto* alert = editor.getSkinErrorAlert();
    EXPECT_EQ (alert->getTitle(), "Skin error");
    EXPECT_TRUE (alert->isVisible());
    EXPECT_TRUE (alert->getMessage().endsWith ("\n" + rig.getSkinsFolder().getChildFile ("990.orvikskin").getFullPathName()))
        << alert->getMessage();
    EXPECT_FALSE (alert->getMessage().startsWith ("\n"));

    // The skin shown comes back at once; the failed skin is neither the state's nor the settings'.
    EXPECT_EQ (editor.getCurrentSkinName(), "1180");
    EXPECT_TRUE (editor.getRootPanel()->isVisible());
    EXPECT_EQ (editor.getStatusBar()->getText(), "");
    EXPECT_EQ (editor.getWidth(), 1180);
    EXPECT_EQ (editor.getStateXml()->getChildByName ("Skin")->getStringAttribute ("name"), "1180");
    EXPECT_EQ (editor.saveSettings()->getChildByName ("Skin")->getStringAttribute ("name"), "1180");

    // The version check's text reaches the alert, which replaces the first one.
    editor.changeSkin ("700", false);
    ASSERT_TRUE (test::pumpUntil ([&] { return editor.getSkinErrorAlert() != alert; }));
    EXPECT_TRUE (editor.getSkinErrorAlert()->getMessage().startsWith (Skin::incompatibleText + Skin::olderSkinText))
        << editor.getSkinErrorAlert()->getMessage();

    EXPECT_TRUE (editor.getRootPanel()->isVisible());
    EXPECT_EQ (editor.loads, 1);
}

TEST (SkinLoading, ABrokenSkinChosenForTheFirstShowFallsBackToTheDefaultOne)
{
    EditorRig rig ({ "1180", "885" }, "master", [] (const test::ScopedDataRoot& root) {
        EditorRig::getSkinsFolder (root).getChildFile ("990.orvikskin").replaceWithText ("not a zip file");
        root.getUserFolder().createDirectory();
        root.getUserFolder().getChildFile ("Grindel 2.ini").replaceWithText (R"(<UserSettings><Editor><Skin name="990"/></Editor></UserSettings>)");
    });

    SKIP_WITHOUT_DISPLAY();

    auto& editor = rig.getEditor();
    ASSERT_EQ (editor.getPendingSkinName(), "990");
    rig.putOnScreen();

    // The host's window shows the default skin and the reason, never "Loading skin..." alone.
    ASSERT_TRUE (test::pumpUntil ([&] { return editor.getSkinErrorAlert() != nullptr && editor.getSkinErrorAlert()->isShowing(); }));
    EXPECT_TRUE (editor.getSkinErrorAlert()->getMessage().endsWith (rig.getSkinsFolder().getChildFile ("990.orvikskin").getFullPathName()));
    EXPECT_EQ (editor.getCurrentSkinName(), "1180");
    ASSERT_NE (editor.getRootPanel(), nullptr);
    EXPECT_TRUE (editor.getRootPanel()->isShowing());
    EXPECT_EQ (editor.getStatusBar()->getText(), "");
    EXPECT_EQ (editor.getStateXml()->getChildByName ("Skin")->getStringAttribute ("name"), "1180");
}

TEST (SkinLoading, NamesThatAreNotPlainFileNamesNeverReachTheDisk)
{
    EditorRig rig;
    auto& editor = rig.getEditor();
    rig.openHostWindow();

    EXPECT_EQ (editor.getSkinFile ("../Skins/1180"), juce::File());
    EXPECT_EQ (editor.getSkinFile ("/etc/passwd"), juce::File());
    EXPECT_EQ (editor.getSkinFile ("1180"), rig.getSkinsFolder().getChildFile ("1180.orvikskin"));

    editor.changeSkin ("../Skins/1180", true);
    ASSERT_TRUE (test::pumpUntil ([&] { return editor.getSkinErrorAlert() != nullptr; }));
    EXPECT_EQ (editor.getCurrentSkinName(), "1180");
    EXPECT_EQ (editor.loads, 1);
}

TEST (SkinLoading, RequestsBeforeTheFirstShowOnlyChooseTheSkinToBuild)
{
    EditorRig rig;
    auto& editor = rig.getEditor();

    editor.changeSkin ("885", false);
    editor.changeSkin ("1475", false);
    test::pump (60);
    EXPECT_EQ (editor.loads, 0);

    rig.openHostWindow();
    EXPECT_EQ (editor.loads, 1);
    EXPECT_EQ (editor.getCurrentSkinName(), "1475");
    EXPECT_EQ (rig.getHostWindow()->getWidth(), 1475);
}
