#include "editor/windows/WindowsTestSupport.h"
#include "editor/StatusBar.h"
#include "support/TestPlugin.h"
#include "skin/DefaultLookAndFeel.h"

using namespace wintest;

namespace
{
    struct StatusBarRig
    {
        StatusBarRig()
        {
            desktop.setLookAndFeel (&lookAndFeel);
            bar.setBounds (0, 584, 800, 16);
            desktop.addAndMakeVisible (bar);
        }

        ~StatusBarRig() { desktop.setLookAndFeel (nullptr); }

        DefaultLookAndFeel lookAndFeel;
        test::TestPlugin plugin;
        TestDesktop desktop { 800, 600 };
        StatusBar bar { plugin };
    };
}

TEST (StatusBar, LevelsKeepTheMoreImportantMessageAndTimedMessagesExpire)
{
    test::TestPlugin plugin;
    StatusBar bar (plugin);

    bar.showMessage ("Loading skin...", 1);
    bar.showMessage ("Cutoff: 1 kHz", 0);
    EXPECT_EQ (bar.getText(), "Loading skin...");
    bar.clearMessage (0);
    EXPECT_EQ (bar.getText(), "Loading skin...");
    bar.showMessage ("Cutoff: 1 kHz", 0, true);   // clearFirst
    EXPECT_EQ (bar.getText(), "Cutoff: 1 kHz");
    EXPECT_EQ (bar.getLevel(), 0);

    bar.showMessage ("Saved", 6);
    bar.clearMessage (-1);
    EXPECT_EQ (bar.getText(), juce::String());
    EXPECT_EQ (bar.getLevel(), 0);

    bar.showTimedMessage ("Mix: 50 %", 6);
    EXPECT_TRUE (bar.isTimerRunning());
    EXPECT_EQ (bar.getTimerInterval(), 3000);

    // The same text again does not restart the time.
    bar.stopTimer();
    bar.showTimedMessage ("Mix: 50 %", 6);
    EXPECT_FALSE (bar.isTimerRunning());

    bar.showTimedMessage ("Mix: 60 %", 6);
    bar.timerCallback();   // 3000 ms later
    EXPECT_EQ (bar.getText(), juce::String());

    // An untimed message right after a timed one stops the clock and stays.
    bar.showTimedMessage ("Mix: 70 %", 6);
    bar.showMessage ("Loading skin...", 6);
    EXPECT_FALSE (bar.isTimerRunning());

    // A real timer: a short message goes away by itself.
    bar.clearMessage();
    bar.showTimedMessage ("Drive: 3 dB", 0);
    bar.startTimer (50);
    EXPECT_TRUE (test::pumpUntil ([&] { return bar.getText().isEmpty(); }, 1000));
}

TEST (StatusBar, ButtonsArePackedAgainstTheRightEdgeAndTheQualityLabelFollowsBothQualities)
{
    StatusBarRig rig;
    auto& bar = rig.bar;
    bar.setSkinPickerVisible (true);

    EXPECT_TRUE (bar.getQualityButton().isVisible());
    EXPECT_TRUE (bar.getMidiButton().isVisible());
    EXPECT_FALSE (bar.getSnapshotButton().isVisible());   // developer mode only
    EXPECT_EQ (bar.getQualityButton().getButtonText(), "Normal");

    EXPECT_EQ (bar.getSkinButton().getRight(), 799);
    EXPECT_EQ (bar.getMidiButton().getRight(), bar.getSkinButton().getX() - 1);
    EXPECT_EQ (bar.getQualityButton().getRight(), bar.getMidiButton().getX() - 1);
    EXPECT_EQ (bar.getQualityButton().getWidth(), 130);

    // One skin: no skin button, "MIDI" moves to the edge.
    bar.setSkinPickerVisible (false);
    EXPECT_EQ (bar.getMidiButton().getRight(), 799);

    auto* realTime = rig.plugin.getRealtimeQualityParameter();
    auto* offline = rig.plugin.getOfflineQualityParameter();
    ASSERT_NE (realTime, nullptr);
    const int width = rig.bar.getQualityButton().getWidth();

    realTime->setIntValue (realTime->getIntValue() == 0 ? 1 : 0, true);
    realTime->flushPendingUpdate();
    EXPECT_EQ (rig.bar.getQualityButton().getButtonText(), realTime->getValueText() + " / " + offline->getValueText());
    EXPECT_EQ (rig.bar.getQualityButton().getWidth(), width);
}

TEST (StatusBar, PagesOpenAboveTheirButtonAndAlwaysEndUntoggled)
{
    StatusBarRig rig;
    auto& bar = rig.bar;
    auto& midi = bar.getMidiButton();

    click (midi);
    ASSERT_EQ (rig.desktop.getFrontComponent(), &bar.getMidiMapPage());
    auto& page = bar.getMidiMapPage();
    EXPECT_EQ (page.getBottom(), bar.getY() + midi.getY() - 2);
    EXPECT_EQ (page.getBounds().getCentreX(), bar.getX() + midi.getBounds().getCentreX());

    // A press elsewhere closes it and untoggles the button.
    rig.desktop.closeFront (&page, &rig.desktop);
    EXPECT_FALSE (midi.getToggleState());

    // Another page replaces it; the first button is untoggled.
    click (midi);
    click (bar.getQualityButton());
    EXPECT_EQ (rig.desktop.getFrontComponent(), &bar.getQualityPage());
    EXPECT_FALSE (midi.getToggleState());
    EXPECT_TRUE (bar.getQualityButton().getToggleState());

    // A choice on the quality page closes it.
    auto& choice = bar.getQualityPage().getRealTimeChoice();
    ASSERT_GT (choice.getNumButtons(), 1);
    click (*choice.getButton (1));
    EXPECT_EQ (rig.desktop.getFrontComponent(), nullptr);
    EXPECT_FALSE (bar.getQualityButton().getToggleState());
    EXPECT_EQ (rig.plugin.getRealtimeQualityParameter()->getIntValue(), 1);

    // Its own button closes it too, through its own click.
    click (midi);
    click (midi);
    EXPECT_EQ (rig.desktop.getFrontComponent(), nullptr);
    EXPECT_FALSE (midi.getToggleState());

    // Load and Save close the page before asking for a file.
    juce::StringArray requests;
    page.setFileRequest ([&] (const juce::String& title, const juce::String& patterns, bool forSaving,
                              std::function<void (const juce::File&)>) { requests.add (title + " " + patterns + (forSaving ? " save" : " open")); });
    click (midi);
    click (page.getSaveButton());
    EXPECT_EQ (rig.desktop.getFrontComponent(), nullptr);
    EXPECT_FALSE (midi.getToggleState());
    EXPECT_EQ (requests, juce::StringArray ({ "Save MIDI CC map as *.grccmap save" }));
}

TEST (StatusBar, QualityPageShowsOneSectionAtATime)
{
    test::TestPlugin plugin;
    QualitySettingsComponent page (plugin);
    EXPECT_EQ (page.getWidth(), 145);
    EXPECT_EQ (page.getHeight(), page.getRealTimeChoice().getHeight() + 50);
    EXPECT_TRUE (page.isRealTimeSelected());
    EXPECT_TRUE (page.getRealTimeChoice().isVisible());
    EXPECT_FALSE (page.getOfflineChoice().isVisible());
    EXPECT_EQ (page.getOfflineButton().getY(), page.getRealTimeChoice().getBottom());

    click (page.getOfflineButton());
    EXPECT_FALSE (page.isRealTimeSelected());
    EXPECT_TRUE (page.getOfflineButton().getToggleState());
    EXPECT_TRUE (page.getOfflineChoice().isVisible());
    EXPECT_EQ (page.getOfflineButton().getY(), 24);
    EXPECT_EQ (page.getOfflineChoice().getY(), 48);
}

TEST (MidiMapPage, SavingAddsTheExtensionAndNeverReplacesAnotherFileUnasked)
{
    test::TempFolder folder;
    test::TestPlugin plugin;
    auto* mix = plugin.getParameterManager().getParameterByIndex (0);
    ASSERT_NE (mix, nullptr);
    plugin.getMidiControlMap().setParameter (7, mix);

    MidiMapComponent page (plugin);
    EXPECT_EQ (page.getFileExtension(), ".grccmap");

    juce::File answer;
    page.setFileRequest ([&] (const juce::String&, const juce::String&, bool, std::function<void (const juce::File&)> done) { done (answer); });

    answer = folder.get().getChildFile ("studio");
    click (page.getSaveButton());
    const auto saved = folder.get().getChildFile ("studio.grccmap");
    ASSERT_TRUE (saved.existsAsFile());
    EXPECT_FALSE (answer.exists());

    // The chooser asked about "live"; "live.grccmap" is another file: it stays as it was.
    const auto other = folder.get().getChildFile ("live.grccmap");
    ASSERT_TRUE (other.replaceWithText ("keep me"));
    answer = folder.get().getChildFile ("live");
    click (page.getSaveButton());
    EXPECT_EQ (other.loadFileAsString(), "keep me");

    // Loading reads the map back; a cancelled chooser changes nothing.
    plugin.getMidiControlMap().clear();
    answer = saved;
    click (page.getLoadButton());
    EXPECT_EQ (plugin.getMidiControlMap().getParameter (7), mix);
    answer = juce::File();
    click (page.getLoadButton());
    EXPECT_EQ (plugin.getMidiControlMap().getParameter (7), mix);

    // A save that fails (a folder under the name) is not silent, even with no editor to show it.
    ASSERT_TRUE (folder.get().getChildFile ("taken.grccmap").createDirectory());
    answer = folder.get().getChildFile ("taken.grccmap");
    plugin.takeProblems();
    click (page.getSaveButton());
    EXPECT_TRUE (plugin.takeProblems().joinIntoString ("").contains ("'taken.grccmap' could not be written."));
}
