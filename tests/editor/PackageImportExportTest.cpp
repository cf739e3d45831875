#include "editor/windows/WindowsTestSupport.h"
#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include "editor/browser/PackageImportExport.h"
#include "support/TestMouse.h"
#include "support/TestPlugin.h"

namespace
{
    /** Stands in for the content browser: one preset folder, every item selected on demand. */
    class TestBrowser : public PackageImportExport::Browser
    {
    public:
        explicit TestBrowser (juce::Component& parentComponent) : parent (parentComponent) {}

        ContentSource* getCurrentSource() const override { return source; }
        bool canManageItems() override { return true; }
        juce::Array<ContentItem*> getSelectedItems() override { return selected; }
        juce::Component& getDialogParent() override { return parent; }
        void importStarted() override { selected.clear(); }
        void itemImported (ContentItem* item) override
        {
            selected.add (item);
            imported.add (item->name);
        }
        void itemRemoved (ContentItem* item) override { selected.removeAllInstancesOf (item); }
        void importFinished() override { ++finished; }

        ContentSource* source = nullptr;
        juce::Array<ContentItem*> selected;
        juce::StringArray imported;
        int finished = 0;
        juce::Component& parent;
    };

    class PackageDialogs : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            SKIP_WITHOUT_DISPLAY();

            desktop.setTopLeftPosition (20, 20);
            desktop.addToDesktop (juce::ComponentPeer::windowIsTemporary);
            desktop.setVisible (true);
            ASSERT_TRUE (test::pumpUntil ([this] { return desktop.isShowing(); }, 10000));
            source = std::make_unique<PresetsDirectoryContent<Preset>> (processor.getPlugin(), presets);
            source->refresh();
            browser.source = source.get();
            transfer.setFileRequest ([this] (const juce::String&, const juce::String& patterns, bool, std::function<void (const juce::File&)> done) {
                EXPECT_EQ (patterns, "*.grzip");
                done (answer);
            });
        }

        void addPreset (const juce::String& name, const juce::String& tags = {}, int value = 3)
        {
            Preset preset;
            preset.name = name;
            preset.tags = tags;
            preset.setValue (2, juce::String (value));
            ASSERT_TRUE (preset.saveToFile (source->getItemFile (name)));
        }

        void selectAll()
        {
            source->refresh();
            browser.selected.clear();
            for (auto* item : source->getItems())
                browser.selected.add (item);
        }

        /** Clicks as soon as the component shows (a dialog's focus step may still be waiting). */
        void click (juce::Component& c)
        {
            ASSERT_TRUE (test::pumpUntil ([&] { return c.isShowing(); })) << c.getName();
            mouse.click (c);
            test::pump (5);
        }

        void answerQuestion (int kind)
        {
            ASSERT_TRUE (test::pumpUntil ([this] { return transfer.getQuestion() != nullptr && transfer.getQuestion()->isShowing(); }));
            click (*transfer.getQuestion()->getButtonForKind (kind));
        }

        /** The job's writes go on after the last answer: waits for its end. */
        void waitForTheJob()
        {
            ASSERT_TRUE (test::pumpUntil ([this] { return transfer.getJob().getState() == PackageImportJob::State::finished; }));
        }

        /** Types into the focused component through the window's peer, then Return. */
        void type (const juce::String& text)
        {
            for (auto c : text)
                test::pressKey (desktop, juce::KeyPress ((int) c, {}, c));
            test::pressKey (desktop, juce::KeyPress (juce::KeyPress::returnKey));
            test::pump (20);
        }

        juce::String messageText()
        {
            return transfer.getMessage() != nullptr && transfer.getMessage()->isVisible()
                ? transfer.getMessage()->getMessageLabel().getText()
                : juce::String();
        }

        juce::StringArray names() const
        {
            source->refresh();
            juce::StringArray result;
            for (auto* item : source->getItems())
                result.add (item->name);
            return result;
        }

        test::ScopedDataRoot root;
        PluginAudioProcessor processor { std::make_unique<test::TestPlugin>() };
        test::TempFolder folder;
        juce::File presets { folder.get().getChildFile ("User") }, answer;
        wintest::TestDesktop desktop { 900, 600 };
        test::Mouse mouse { desktop };
        TestBrowser browser { desktop };
        PackageImportExport transfer { browser, ".grzip", "Grindel 2", "Presets" };
        std::unique_ptr<PresetsDirectoryContent<Preset>> source;
    };
}

TEST_F (PackageDialogs, EveryAnswerToTheReplaceQuestionByClicks)
{
    for (auto name : { "A", "B", "C", "D", "E" })
        addPreset (name);

    selectAll();
    const auto archive = folder.get().getChildFile ("Set.grzip");
    ASSERT_TRUE (transfer.exportTo (archive));

    // Saved with other values, so a replaced item shows.
    presets.deleteRecursively();
    for (auto name : { "A", "b", "C", "D", "E" })   // "b": a case-only twin of "B"
        addPreset (name, {}, 7);
    source->refresh();

    // Replace, Rename (typed), Skip, Skip All (which takes "E" too).
    transfer.importFromFile (archive);
    answerQuestion (Orvik::AlertWindow::Replace);
    answerQuestion (Orvik::AlertWindow::Rename);
    auto* rename = transfer.getQuestion()->getRenameWindow();
    ASSERT_NE (rename, nullptr);
    ASSERT_TRUE (test::pumpUntil ([&] { return rename->getTextField().hasKeyboardFocus (false); }));
    EXPECT_EQ (rename->getText(), "B (1)");
    rename->getTextField().selectAll();
    type ("B2");
    answerQuestion (Orvik::AlertWindow::Skip);
    answerQuestion (Orvik::AlertWindow::SkipAll);
    waitForTheJob();

    EXPECT_EQ (names(), juce::StringArray ({ "A", "b", "B2", "C", "D", "E" })) << names().joinIntoString ("|");
    EXPECT_FALSE (source->getItemFile ("A").loadFileAsString().contains ("value=\"7\""));
    EXPECT_TRUE (source->getItemFile ("C").loadFileAsString().contains ("value=\"7\""));
    EXPECT_EQ (messageText(), "Imported 2 items.\nSkipped 3 entries.");
    click (*transfer.getMessage()->getButtonForKind (Orvik::AlertWindow::OK));

    // Replace All at the first question replaces every taken name, the case twin under its own name.
    transfer.importFromFile (archive);
    answerQuestion (Orvik::AlertWindow::ReplaceAll);
    waitForTheJob();
    EXPECT_EQ (names(), juce::StringArray ({ "A", "b", "B2", "C", "D", "E" }));
    for (auto name : { "A", "b", "C", "D", "E" })
        EXPECT_FALSE (source->getItemFile (name).loadFileAsString().contains ("value=\"7\"")) << name;
    EXPECT_EQ (transfer.getJob().getCounts().imported, 5);
    EXPECT_EQ (messageText(), "");

    // Cancel ends the job at once; the close button of the header is a Cancel too.
    transfer.importFromFile (archive);
    answerQuestion (Orvik::AlertWindow::Cancel);
    EXPECT_EQ (transfer.getJob().getState(), PackageImportJob::State::finished);
    EXPECT_EQ (transfer.getJob().getCounts().imported, 0);
    EXPECT_EQ (browser.finished, 3);
}

TEST_F (PackageDialogs, FailuresAreToldNeverReportedAsDone)
{
    addPreset ("One");
    addPreset ("Two");
    selectAll();

    // Not a ZIP.
    const auto text = folder.get().getChildFile ("notes.grzip");
    text.replaceWithText ("just some text that is not an archive");
    transfer.importFromFile (text);
    EXPECT_EQ (messageText(), "'notes.grzip' is not a readable package.\nNothing was imported.");
    click (*transfer.getMessage()->getButtonForKind (Orvik::AlertWindow::OK));
    selectAll();

    // A file of a selected item vanished: the others are exported, the missing one reported.
    source->getItemFile ("Two").deleteFile();
    answer = folder.get().getChildFile ("Out.grzip");
    transfer.exportSelected();
    EXPECT_TRUE (answer.existsAsFile());
    EXPECT_EQ (messageText(), "Exported 1 item.\n1 selected item has no file and was left out.");
    click (*transfer.getMessage()->getButtonForKind (Orvik::AlertWindow::OK));

    // A name that gains the extension and then names an existing file is asked about first.
    const auto before = answer.loadFileAsString();
    answer = folder.get().getChildFile ("Out.zip");
    transfer.exportSelected();
    ASSERT_NE (transfer.getOverwriteAlert(), nullptr);
    click (*transfer.getOverwriteAlert()->getButtonForKind (Orvik::AlertWindow::Cancel));
    EXPECT_EQ (answer.withFileExtension (".grzip").loadFileAsString(), before);
    EXPECT_FALSE (answer.exists());

    // A folder that cannot be made, and a full disk: the old archive stays, the user is told.
    answer = text.getChildFile ("sub/Out");
    transfer.exportSelected();
    EXPECT_TRUE (messageText().startsWith ("Could not write\n")) << messageText();

    answer = folder.get().getChildFile ("Out.grzip");
    {
        test::ScopedFullDisk full (64);
        transfer.exportSelected();
    }
    EXPECT_TRUE (messageText().startsWith ("Could not write\n")) << messageText();
    EXPECT_EQ (answer.loadFileAsString(), before);
    EXPECT_EQ (folder.get().findChildFiles (juce::File::findFiles | juce::File::ignoreHiddenFiles, false, "*").size(),
               folder.get().findChildFiles (juce::File::findFiles, false, "*").size());   // no temporary left
}

TEST_F (PackageDialogs, MessagesNameTheCauseAndReplaceIsOfferedOnlyForItems)
{
    // An archive without entries says so.
    const auto empty = folder.get().getChildFile ("Empty.grzip");
    {
        juce::MemoryOutputStream out;
        ASSERT_TRUE (writeZipArchive (out, 0, {}, 9));
        empty.replaceWithData (out.getData(), out.getDataSize());
    }
    transfer.importFromFile (empty);
    EXPECT_EQ (messageText(), "'Empty.grzip' holds no entries.\nNothing was imported.");
    click (*transfer.getMessage()->getButtonForKind (Orvik::AlertWindow::OK));

    // A damaged preset under an item's name is no item: the question has no Replace.
    addPreset ("Good");
    selectAll();
    const auto archive = folder.get().getChildFile ("Set.grzip");
    ASSERT_TRUE (transfer.exportTo (archive));
    source->getItemFile ("Good").replaceWithText ("<Preset name=\"Good\"");
    source->refresh();

    transfer.importFromFile (archive);
    ASSERT_TRUE (test::pumpUntil ([this] { return transfer.getQuestion() != nullptr && transfer.getQuestion()->isShowing(); }));
    EXPECT_EQ (transfer.getQuestion()->getButtonForKind (Orvik::AlertWindow::Replace), nullptr);
    EXPECT_EQ (transfer.getQuestion()->getButtonForKind (Orvik::AlertWindow::ReplaceAll), nullptr);
    answerQuestion (Orvik::AlertWindow::Skip);
    EXPECT_EQ (source->getItemFile ("Good").loadFileAsString(), "<Preset name=\"Good\"");
}

TEST (PackageSummary, EachKindOfRefusalIsNamed)
{
    PackageImportJob::Counts counts;
    counts.imported = 3;
    counts.skipped = 1;
    counts.refusedFor[PackageImportJob::diskFull] = 2;
    counts.refusedFor[PackageImportJob::encrypted] = 1;
    counts.refusedFor[PackageImportJob::unsupportedMethod] = 4;
    counts.refusedFor[PackageImportJob::noPermission] = 5;
    counts.refusedFor[PackageImportJob::damaged] = 6;

    EXPECT_EQ (PackageImportExport::describe (counts),
               "Imported 3 items.\nSkipped 1 entry.\nRefused 18 entries:\n  6: damaged (does not match its checksum)\n  1: encrypted"
               "\n  4: unsupported compression method\n  2: the disk is full\n  5: the folder is read-only");
}

TEST (PackageSummary, ALongNameAndAStopAreTold)
{
    PackageImportJob::Counts counts;
    counts.imported = 256;
    counts.refusedFor[PackageImportJob::nameTooLong] = 1;
    counts.refusedFor[PackageImportJob::diskFull] = 1;
    counts.notTried = 9744;

    EXPECT_EQ (PackageImportExport::describe (counts),
               "Imported 256 items.\nRefused 2 entries:\n  1: name too long (more than 200 bytes)\n  1: the disk is full"
               "\nStopped there: 9744 entries were not tried.");
}
