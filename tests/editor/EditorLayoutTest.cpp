#include "EditorTestSupport.h"
#include "editor/StatusBar.h"
#include "skin/Panel.h"
#include "skin/widgets/ImgAnim.h"

using edtest::EditorRig;

TEST (EditorLayout, WithoutASkinTheEditorIs800By600AndTheStatusBarRow)
{
    EditorRig rig { juce::StringArray() };
    auto& editor = rig.getEditor();
    const int bar = editor.getStatusBar()->getHeight();
    ASSERT_EQ (bar, 16);

    auto& window = rig.openHostWindow();
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 800, 600 + bar));
    EXPECT_EQ (window.getBounds(), juce::Rectangle<int> (0, 0, 800, 600 + bar));
    EXPECT_EQ (editor.getContentHeight(), 600);
    EXPECT_EQ (editor.getDesktopArea(), juce::Rectangle<int> (0, 0, 800, 600));
    EXPECT_EQ (editor.getStatusBar()->getBounds(), juce::Rectangle<int> (0, 600, 800, bar));

    // The host window follows every later size.
    editor.setContentSize (640, 300);
    EXPECT_EQ (window.getBounds(), juce::Rectangle<int> (0, 0, 640, 300 + bar));
    EXPECT_EQ (editor.getStatusBar()->getBounds(), juce::Rectangle<int> (0, 300, 640, bar));

    int w = 0, h = 0;
    editor.getDialogSize (w, h);
    EXPECT_EQ (w, 512);
    EXPECT_EQ (h, 240);
}

TEST (EditorLayout, TheBuildLabelShowsOnlyOutsideMaster)
{
    {
        EditorRig rig ({ "1180" });
        EXPECT_EQ (rig.getEditor().getBuildInfoLabel().getParentComponent(), nullptr);
        rig.openHostWindow();
        EXPECT_EQ (rig.getEditor().getStatusBar()->getWidth(), 1180);
    }

    {
        EditorRig rig ({ "1180" }, "release-2");
        EXPECT_TRUE (rig.getEditor().getBuildInfoLabel().getText().startsWith ("AAX | 64bit | " GRINDEL_VERSION_STRING " | "));
    }

    EditorRig rig ({ "1180" }, "feature/skins");
    auto& editor = rig.getEditor();
    auto& plugin = rig.getPlugin();
    auto& label = editor.getBuildInfoLabel();

    EXPECT_EQ (label.getText(), "AAX | 64bit | feature/skins | " + plugin.getBuildDate() + " | " + plugin.getCommit());
    EXPECT_EQ (label.getParentComponent(), &editor);
    EXPECT_GT (editor.getIndexOfChildComponent (&label), editor.getIndexOfChildComponent (editor.getStatusBar()));
    EXPECT_TRUE (label.getJustificationType() == juce::Justification::centredRight);

    rig.openHostWindow();
    auto* bar = editor.getStatusBar();
    EXPECT_GT (label.getWidth(), 100);
    EXPECT_EQ (bar->getWidth() + label.getWidth(), 1180);
    EXPECT_EQ (label.getBounds(), juce::Rectangle<int> (bar->getRight(), 600, label.getWidth(), bar->getHeight()));

    SKIP_WITHOUT_DISPLAY();

    // A click puts it away; the status bar takes the whole row.
    rig.putOnScreen();
    edtest::Mouse (*rig.getHostWindow()).click (label);
    EXPECT_FALSE (label.isVisible());
    EXPECT_EQ (bar->getWidth(), 1180);
}

TEST (EditorLayout, MidiActivityBlinksOnceForABurst)
{
    EditorRig rig ({ "1180" });
    auto& editor = rig.getEditor();
    rig.openHostWindow();
    auto* light = editor.getMidiActivityControl();
    ASSERT_NE (light, nullptr);
    const int lit = light->getNumFrames() - 1;
    ASSERT_GT (lit, 0);
    ASSERT_EQ (light->getFrame(), 0);

    // The editor takes the flag on its 25 ms timer and lights the control.
    rig.getPlugin().midiActivity = 1;
    ASSERT_TRUE (test::pumpUntil ([&] { return light->getFrame() == lit; }));
    const auto litAt = juce::Time::getMillisecondCounter();
    EXPECT_EQ (rig.getPlugin().midiActivity.load(), 0);

    // More MIDI while it is lit is taken without starting a second blink.
    test::pump (60);
    rig.getPlugin().midiActivity = 1;
    ASSERT_TRUE (test::pumpUntil ([&] { return rig.getPlugin().midiActivity.load() == 0; }));
    ASSERT_TRUE (test::pumpUntil ([&] { return light->getFrame() == 0; }, 1000));
    const auto litFor = juce::Time::getMillisecondCounter() - litAt;
    EXPECT_GE (litFor, 150u);
    EXPECT_LT (litFor, 175u + 150u);

    test::pump (250);
    EXPECT_EQ (light->getFrame(), 0);

    // Hidden, the editor leaves the flag for later.
    editor.setVisible (false);
    rig.getPlugin().midiActivity = 1;
    test::pump (80);
    EXPECT_EQ (rig.getPlugin().midiActivity.load(), 1);
    editor.setVisible (true);
    EXPECT_EQ (light->getFrame(), lit);
}
