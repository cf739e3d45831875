#include "EditorTestSupport.h"
#include "editor/windows/AlertWindow.h"
#include "editor/PresetSettingsComponent.h"
#include "editor/StatusBar.h"
#include "skin/Panel.h"
#include <thread>

using edtest::EditorRig;

namespace
{
    std::unique_ptr<juce::XmlElement> parse (const juce::String& text)
    {
        auto xml = juce::parseXML (text);
        EXPECT_NE (xml, nullptr) << text;
        return xml;
    }

    /** Answers the editor's file chooser with files of the test's choice. */
    struct FileAnswers
    {
        explicit FileAnswers (BasePluginEditor& editor)
        {
            editor.setFileRequest ([this] (const juce::String& title, const juce::String& patterns, bool forSaving,
                                           std::function<void (const juce::File&)> done) {
                requests.add (title + " " + patterns + (forSaving ? " save" : " open"));
                done (answer);
            });
        }

        juce::File answer;
        juce::StringArray requests;
    };
}

TEST (EditorSettings, TheEditorElementOfTheUserSettingsRoundTrips)
{
    EditorRig rig ({ "1180", "885" }, "master", [] (const test::ScopedDataRoot& root) {
        root.getUserFolder().createDirectory();
        root.getUserFolder().getChildFile ("Grindel 2.ini").replaceWithText (R"(<UserSettings><Editor presetChangeWarning="no"><Skin name="885"/></Editor></UserSettings>)");
    });

    auto& editor = rig.getEditor();
    auto& warning = editor.getPresetsPage()->getCheckBox();

    // Read by initialise, before the chosen skin starts loading.
    EXPECT_FALSE (warning.isChecked());
    EXPECT_EQ (editor.getChosenSkinName(), "885");
    EXPECT_EQ (editor.getPendingSkinName(), "885");

    auto saved = editor.saveSettings();
    EXPECT_EQ (saved->toString (juce::XmlElement::TextFormat().withoutHeader().singleLine()),
               R"(<Editor presetChangeWarning="0"><Skin name="885"/></Editor>)");

    // A missing attribute switches the warning on; names not installed and other tags change nothing.
    editor.loadSettings (*parse (R"(<Editor><Skin name="1475"/></Editor>)"));
    EXPECT_TRUE (warning.isChecked());
    EXPECT_EQ (editor.getChosenSkinName(), "885");

    editor.loadSettings (*parse (R"(<Other presetChangeWarning="0"><Skin name="1180"/></Other>)"));
    EXPECT_TRUE (warning.isChecked());
    EXPECT_EQ (editor.getChosenSkinName(), "885");

    for (const auto* text : { "1", "True", "yes", "t" })
    {
        warning.setChecked (false, juce::dontSendNotification);
        editor.loadSettings (*parse (juce::String ("<Editor presetChangeWarning=\"") + text + "\"/>"));
        EXPECT_TRUE (warning.isChecked()) << text;
    }

    editor.loadSettings (*parse (R"(<Editor presetChangeWarning="0"><Skin name="1180"/></Editor>)"));
    EXPECT_FALSE (warning.isChecked());
    EXPECT_EQ (editor.getChosenSkinName(), "1180");

    // The plug-in writes what changed into the settings file; the warning's value did not
    // change, so the user's own spelling of it stays.
    rig.getPlugin().saveUserSettings();
    const auto file = juce::parseXML (rig.root.getUserFolder().getChildFile ("Grindel 2.ini"));
    ASSERT_NE (file, nullptr);
    ASSERT_NE (file->getChildByName ("Editor"), nullptr);
    EXPECT_EQ (file->getChildByName ("Editor")->getStringAttribute ("presetChangeWarning"), "no");
    EXPECT_EQ (file->getChildByName ("Editor")->getChildByName ("Skin")->getStringAttribute ("name"), "1180");
}

TEST (EditorSettings, TheEditorElementOfThePluginStateRoundTrips)
{
    EditorRig rig;
    auto& editor = rig.getEditor();
    auto& processor = rig.getProcessor();

    // Before the first show a state only picks the skin to build.
    editor.setStateFromXml (*parse (R"(<Editor><Skin name="885"/></Editor>)"));
    EXPECT_EQ (editor.getPendingSkinName(), "885");
    EXPECT_EQ (editor.loads, 0);
    rig.openHostWindow();
    EXPECT_EQ (editor.getCurrentSkinName(), "885");

    juce::MemoryBlock state;
    processor.getStateInformation (state);

    editor.changeSkin ("1475", false);
    ASSERT_TRUE (test::pumpUntil ([&] { return editor.loads == 2; }));

    // Through the host's state block, on the host's own thread: the host is answered with the
    // restored state at once, and the editor follows on the message thread only.
    const auto onHostThread = [] (std::function<void()> call) { std::thread (std::move (call)).join(); };
    onHostThread ([&] { processor.setStateInformation (state.getData(), (int) state.getSize()); });
    EXPECT_EQ (editor.getPendingSkinName(), "1475");
    juce::MemoryBlock saved;
    onHostThread ([&] { processor.getStateInformation (saved); });
    const auto savedXml = juce::AudioProcessor::getXmlFromBinary (saved.getData(), (int) saved.getSize());
    ASSERT_NE (savedXml, nullptr);
    auto* savedEditor = savedXml->getChildByName ("Editor");
    ASSERT_NE (savedEditor, nullptr);
    EXPECT_EQ (savedEditor->getChildByName ("Skin")->getStringAttribute ("name"), "885");
    ASSERT_TRUE (test::pumpUntil ([&] { return editor.loads == 3; }));
    EXPECT_EQ (editor.getCurrentSkinName(), "885");
    EXPECT_EQ (editor.getStateXml()->toString (juce::XmlElement::TextFormat().withoutHeader().singleLine()),
               R"(<Editor><Skin name="885"/></Editor>)");

    // The skin shown is not built again; a skin not installed and a wrong tag are ignored.
    for (const auto* text : { R"(<Editor><Skin name="885"/></Editor>)", R"(<Editor><Skin name="999"/></Editor>)",
                              R"(<Editor><Skin/></Editor>)", R"(<Editor/>)", R"(<State><Skin name="1180"/></State>)" })
        editor.setStateFromXml (*parse (text));

    test::pump (60);
    EXPECT_EQ (editor.loads, 3);
    EXPECT_EQ (editor.getCurrentSkinName(), "885");
    EXPECT_EQ (editor.getPendingSkinName(), "885");

    // A restore whose editor is gone before the message thread gets to it changes nothing.
    onHostThread ([&] { processor.setStateInformation (state.getData(), (int) state.getSize()); });
    rig.closeHostWindow();
    rig.getPlugin().destroyEditor();
    test::pump (60);
    EXPECT_EQ (rig.getPlugin().getActiveEditor(), nullptr);
}

TEST (EditorSnapshot, WritesTheSkinAreaAsAPngFile)
{
    EditorRig rig ({ "1180" });
    auto& editor = rig.getEditor();
    FileAnswers chooser (editor);
    test::TempFolder folder;

    // Without a skin there is nothing to save and nothing is asked.
    chooser.answer = folder.get().getChildFile ("none.png");
    editor.saveSnapshot();
    EXPECT_TRUE (chooser.requests.isEmpty());

    rig.openHostWindow();

    // Over an older, larger file: nothing of it is left behind.
    const auto file = folder.get().getChildFile ("editor.png");
    {
        juce::FileOutputStream junk (file);
        for (int i = 0; i < 1 << 20; ++i)
            junk.writeByte ('x');
    }

    chooser.answer = file;
    editor.saveSnapshot();
    EXPECT_EQ (chooser.requests, juce::StringArray ({ "Save snapshot as *.png save" }));

    juce::MemoryBlock bytes;
    ASSERT_TRUE (file.loadFileAsData (bytes));
    EXPECT_LT (bytes.getSize(), (size_t) 1 << 20);
    juce::MemoryInputStream in (bytes, false);
    juce::PNGImageFormat png;
    ASSERT_TRUE (png.canUnderstand (in));
    in.setPosition (0);
    const auto image = png.decodeImage (in);
    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (image.getWidth(), 1180);
    EXPECT_EQ (image.getHeight(), 600);
    EXPECT_EQ (in.getNumBytesRemaining(), 0);

    // Kept in the build folder for people to look at.
    const juce::File keep (GRINDEL_EDITOR_SNAPSHOTS);
    keep.createDirectory();
    EXPECT_TRUE (editor.writeSnapshot (keep.getChildFile ("editor-1180.png")));

    // A cancelled chooser and a file that cannot be written are silent.
    chooser.answer = juce::File();
    editor.saveSnapshot();
    EXPECT_FALSE (editor.writeSnapshot (folder.get()));
    EXPECT_FALSE (editor.writeSnapshot (folder.get().getChildFile ("missing/dir/x.png")));
}

TEST (EditorSnapshot, ANameThatGainsTheExtensionAsksBeforeReplacingAnotherFile)
{
    EditorRig rig ({ "1180" });
    auto& editor = rig.getEditor();
    rig.openHostWindow();
    FileAnswers chooser (editor);
    test::TempFolder folder;

    const auto existing = folder.get().getChildFile ("shot.png");
    existing.replaceWithText ("keep me");
    chooser.answer = folder.get().getChildFile ("shot");

    editor.saveSnapshot();
    auto* alert = editor.getSnapshotAlert();
    ASSERT_NE (alert, nullptr);
    EXPECT_TRUE (alert->isVisible());
    EXPECT_EQ (existing.loadFileAsString(), "keep me");

    // Cancel keeps the file.
    alert->closeWithButton (1);
    EXPECT_EQ (existing.loadFileAsString(), "keep me");

    editor.saveSnapshot();
    alert = editor.getSnapshotAlert();
    ASSERT_NE (alert, nullptr);
    ASSERT_EQ (alert->getButtonKind (0), Orvik::AlertWindow::Overwrite);
    alert->closeWithButton (0);
    EXPECT_TRUE (juce::ImageFileFormat::loadFrom (existing).isValid());
    EXPECT_FALSE (folder.get().getChildFile ("shot").exists());
    test::pump (20);
}

TEST (EditorSettings, ProblemsWaitForTheOpenEditorThenShowInTheStatusBar)
{
    // The settings file cannot be read: the plug-in reports it while no window is open.
    EditorRig rig ({ "1180" }, "master", [] (const test::ScopedDataRoot& root) {
        root.getUserFolder().createDirectory();
        root.getUserFolder().getChildFile ("Grindel 2.ini").replaceWithText ("<UserSettings9/>");
    });

    auto& editor = rig.getEditor();
    test::pump (100);   // the editor's timer runs, but nobody could read a message
    EXPECT_FALSE (editor.getStatusBar()->getText().contains ("could not be read"));

    SKIP_WITHOUT_DISPLAY();

    rig.openHostWindow();
    rig.putOnScreen();
    ASSERT_TRUE (test::pumpUntil ([&editor] { return editor.getStatusBar()->getText().contains ("could not be read"); }));
    EXPECT_TRUE (editor.getStatusBar()->isTimerRunning()) << "a timed message";

    // A value message does not push a problem away while it shows.
    editor.getStatusBar()->showTimedMessage ("Mix: 50 %", BasePluginEditor::valueMessageLevel);
    EXPECT_TRUE (editor.getStatusBar()->getText().contains ("could not be read"));
}

TEST (EditorMidiMap, LoadAndSaveFailuresAreShownAndChangeNothing)
{
    EditorRig rig ({ "1180" });

    SKIP_WITHOUT_DISPLAY();

    rig.putOnScreen();
    auto& editor = rig.getEditor();
    auto& page = editor.getStatusBar()->getMidiMapPage();
    auto& map = rig.getPlugin().getMidiControlMap();
    auto* mix = rig.getPlugin().getParameterManager().getParameterByIndex (0);
    map.clear();
    map.setParameter (7, mix);

    const auto folder = rig.root.getUserFolder().getChildFile ("maps");
    ASSERT_TRUE (folder.createDirectory());
    folder.getChildFile ("garbage.grccmap").replaceWithText ("<not a map");
    folder.getChildFile ("other.grccmap").replaceWithText (R"(<Other/>)");
    folder.getChildFile ("blocker").replaceWithText ("a file where a folder is needed");

    juce::File answer;
    page.setFileRequest ([&] (const juce::String&, const juce::String&, bool, std::function<void (const juce::File&)> done) { done (answer); });

    struct Case
    {
        bool load;
        juce::File file;
        const char* title;
        const char* says;
    };

    // clang-format off
    const Case cases[] = {
        { true,  folder.getChildFile ("missing.grccmap"),             "Load MIDI CC map",    "does not exist" },
        { true,  folder.getChildFile ("garbage.grccmap"),             "Load MIDI CC map",    "could not be read" },
        { true,  folder.getChildFile ("other.grccmap"),               "Load MIDI CC map",    "could not be read" },
        { false, folder.getChildFile ("blocker/inside.grccmap"),      "Save MIDI CC map as", "could not be written" },
    };
    // clang-format on

    for (const auto& c : cases)
    {
        answer = c.file;
        (c.load ? page.getLoadButton() : page.getSaveButton()).triggerClick();
        // The case before closed its alert: a visible one is this case's (a new alert may take
        // the freed one's address, so addresses tell nothing).
        ASSERT_TRUE (test::pumpUntil ([&] { return page.getErrorAlert() != nullptr && page.getErrorAlert()->isVisible(); }))
            << c.file.getFullPathName();
        auto* alert = page.getErrorAlert();
        ASSERT_TRUE (test::pumpUntil ([&] { return alert->isShowing(); }));
        EXPECT_EQ (alert->getTitle(), c.title);
        EXPECT_TRUE (alert->getMessage().contains (c.says)) << alert->getMessage();
        EXPECT_EQ (map.getParameter (7), mix);
        EXPECT_FALSE (c.file.exists() && ! c.load);
        EXPECT_TRUE (rig.getHostWindow()->getLocalBounds().contains (alert->getBoundsInParent())) << alert->getMessage();
        edtest::Mouse (*rig.getHostWindow()).click (*alert->getButtonForKind (Orvik::AlertWindow::OK));
        EXPECT_FALSE (alert->isVisible());
    }
}
