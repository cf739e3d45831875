#include "EditorBrowserRig.h"
#include "core/content/ZipReader.h"
#include "editor/StatusBar.h"

using namespace brtest;

namespace
{
    juce::String presetText (const juce::String& name, const juce::String& tags)
    {
        return "<?xml version=\"1.0\"?>\r\n<Preset name=\"" + name + "\" application=\"Grindel 2\" tags=\"" + tags
            + "\">\r\n  <Value id=\"6\" value=\"25\"/>\r\n</Preset>\r\n";
    }

    /** count presets "<prefix> n" in folder, written in an order unlike their names'. */
    juce::Array<juce::File> writePresets (const juce::File& folder, const juce::String& prefix, int count, const juce::String& tags)
    {
        folder.createDirectory();
        juce::Array<juce::File> files;

        for (int i = 0; i < count; ++i)
        {
            const auto name = prefix + " " + juce::String ((i * 7919) % count);
            const auto file = folder.getChildFile (name + Preset::fileExtension);
            EXPECT_TRUE (file.replaceWithText (presetText (name, tags)));
            files.add (file);
        }

        return files;
    }

    void answer (BrowserRig& b, Orvik::AlertWindow* alert, int kind)
    {
        ASSERT_NE (alert, nullptr);
        ASSERT_TRUE (test::pumpUntil ([alert] { return alert->isShowing(); }));
        b.click (*alert->getButtonForKind (kind));
    }
}

TEST (BrowserBulk, ATagEditAndADeleteOverManyItemsRunInSlicesShowProgressAndKeepTheirChecks)
{
    SKIP_WITHOUT_DISPLAY();

    constexpr int count = 300;
    BrowserRig b;
    auto& browser = b.getBrowser();
    auto& user = b.getUser();
    writePresets (user.getFolder(), "Item", count, "Style:x");
    user.refresh();
    user.sendChangeMessage();
    b.openOnScreen();
    b.click (browser.getEditModeButton());
    b.click (*b.getRow ("Item 0"));
    b.key (juce::KeyPress ('a', juce::ModifierKeys::commandModifier, 'a'));
    test::pump (20);
    ASSERT_EQ (browser.getResults().getSelectedCount(), count);

    auto& bulk = browser.getBulkOperation();
    auto& status = *b.getEditor().getStatusBar();
    edtest::Mouse mouse (b.getWindow());
    bool messagesFlowed = false;
    const auto runToEnd = [&] {
        // A message posted now is handled while the operation still runs: no slice holds the
        // message thread for long.
        juce::MessageManager::callAsync ([&] { messagesFlowed = bulk.isRunning(); });
        ASSERT_TRUE (test::pumpUntil ([&] { return ! bulk.isRunning(); }, 120000));
        EXPECT_TRUE (messagesFlowed);
        EXPECT_LE (bulk.getLargestSlice(), BrowserBulkOperation::maxItemsPerSlice);
        EXPECT_GE (bulk.getSlicesRun(), count / BrowserBulkOperation::maxItemsPerSlice);
        EXPECT_FALSE (status.getText().contains (" of 300 items")) << "no progress left behind";
    };

    // A tag click: the first slice runs at once, the rest on later turns of the loop.
    mouse.click (*findTag (*findColumn (browser.getTagEditor()->getContainer(), "Style"), "x"),
                 juce::ModifierKeys::leftButtonModifier, {});
    ASSERT_TRUE (bulk.isRunning());
    EXPECT_TRUE (status.getText().startsWith ("Changing tags: ")) << status.getText();
    EXPECT_TRUE (status.getText().endsWith (" of 300 items")) << status.getText();
    runToEnd();

    for (auto* item : user.getItems())
    {
        EXPECT_TRUE (item->tags.getNumTags() == 0) << item->name;
        EXPECT_FALSE (user.getFileForName (item->name).loadFileAsString().contains ("Style:x")) << item->name;
    }

    EXPECT_EQ (user.tags.getNumTags(), 0) << "gathered at the end";

    // Another instance changes one preset: the delete refuses it and says why.
    {
        PresetsDirectoryContent<Preset> other (b.getPlugin(), user.getFolder());
        other.refresh();
        ASSERT_TRUE (other.findItem ("Item 7")->setTags (CategoryTagMap::fromString ("Era:80s")).wasOk());
    }

    b.click (browser.getDeleteButton());
    auto* question = browser.getDeleteAlert();
    ASSERT_NE (question, nullptr);
    ASSERT_TRUE (test::pumpUntil ([question] { return question->isShowing(); }));
    mouse.click (*question->getButtonForKind (Orvik::AlertWindow::Yes), juce::ModifierKeys::leftButtonModifier, {});
    ASSERT_TRUE (bulk.isRunning());
    EXPECT_TRUE (status.getText().startsWith ("Deleting: ")) << status.getText();
    runToEnd();

    EXPECT_EQ (b.getShownNames(), juce::StringArray ({ "Item 7" }));
    EXPECT_EQ (user.getFolder().findChildFiles (juce::File::findFiles, false, "*").size(), 1);
    ASSERT_NE (browser.getErrorAlert(), nullptr);
    EXPECT_TRUE (browser.getErrorAlert()->getMessageLabel().getText().startsWith (
        "1 of 300 selected items could not be deleted.\n\"Item 7\" was changed on disk"))
        << browser.getErrorAlert()->getMessageLabel().getText();
    answer (b, browser.getErrorAlert(), Orvik::AlertWindow::OK);
}

TEST (BrowserBulk, ImportAndExportOfThousandsRunInSlicesAskMidRunAndSortEachIntoPlace)
{
    SKIP_WITHOUT_DISPLAY();

    constexpr int count = 2000;
    test::TempFolder temp;
    const auto archive = temp.get().getChildFile ("Many.grzip");
    ASSERT_TRUE (createZipFile (archive, writePresets (temp.get().getChildFile ("Out"), "Entry", count, "Style:x"), 0));

    BrowserRig b;
    auto& browser = b.getBrowser();
    auto& results = browser.getResults();
    auto& transfer = browser.getPackageImport();
    transfer.setFileRequest ([&] (const juce::String&, const juce::String&, bool, std::function<void (const juce::File&)> done) {
        done (archive);
    });
    b.addUserPreset ("Entry 500 old", {});
    b.addUserPreset ("Entry 1500", {});
    b.openOnScreen();
    b.click (browser.getEditModeButton());

    const auto visitsBefore = results.getRowVisits();
    edtest::Mouse (b.getWindow()).click (browser.getImportButton(), juce::ModifierKeys::leftButtonModifier, {});
    ASSERT_TRUE (transfer.isImporting());
    auto& status = *b.getEditor().getStatusBar();
    EXPECT_TRUE (status.getText().startsWith ("Importing: ")) << status.getText();
    EXPECT_TRUE (status.getText().endsWith (" of 2,000 entries")) << status.getText();

    // A message posted now runs before the import reaches its question, which comes mid-run.
    bool messagesFlowed = false;
    juce::MessageManager::callAsync ([&] { messagesFlowed = transfer.isImporting(); });
    ASSERT_TRUE (test::pumpUntil ([&] { return transfer.getQuestion() != nullptr && transfer.getQuestion()->isShowing(); }));
    EXPECT_TRUE (messagesFlowed);
    answer (b, transfer.getQuestion(), Orvik::AlertWindow::Replace);
    ASSERT_TRUE (test::pumpUntil ([&] { return ! transfer.isImporting() && transfer.getQuestion() == nullptr; }, 120000));
    const auto visits = results.getRowVisits() - visitsBefore;

    EXPECT_LE (transfer.getLargestSlice(), BrowserBulkOperation::maxItemsPerSlice);
    EXPECT_FALSE (status.getText().contains (" entries")) << "no progress left behind";
    EXPECT_TRUE (b.getUser().getFileForName ("Entry 1500").loadFileAsString().contains ("Style:x"));
    ASSERT_EQ (results.getNumResults(), count + 1);
    EXPECT_EQ (results.getSelectedCount(), count);
    auto sorted = b.getShownNames();
    std::stable_sort (sorted.begin(), sorted.end(), ContentResults::isInDisplayOrder);
    EXPECT_EQ (b.getShownNames(), sorted);
    EXPECT_EQ (b.getShownNames()[501], "Entry 500 old");

    // A binary search per entry, not a sort or a layout of every row.
    EXPECT_LT (visits, 64 * count);

    // The last one imported is current and in view.
    auto* current = results.getCurrentItem();
    ASSERT_NE (current, nullptr);
    auto* row = results.getButton (results.indexOf (current));
    ASSERT_NE (row, nullptr);
    EXPECT_TRUE (row->isShowing());

    // The imported items exported again, in slices too; the file is written at the end only,
    // and a full disk is told.
    const auto out = temp.get().getChildFile ("Back.grzip");
    {
        test::ScopedFullDisk full (64);
        ASSERT_TRUE (transfer.exportTo (out));
        ASSERT_TRUE (transfer.isExporting());
        ASSERT_TRUE (test::pumpUntil ([&] { return ! transfer.isExporting(); }, 120000));
    }
    ASSERT_NE (transfer.getMessage(), nullptr);
    EXPECT_TRUE (transfer.getMessage()->getMessageLabel().getText().startsWith ("Could not write\n"));
    EXPECT_EQ (temp.get().findChildFiles (juce::File::findFiles, false, "*").size(), 1) << "no archive, no temporary";
    answer (b, transfer.getMessage(), Orvik::AlertWindow::OK);

    ASSERT_TRUE (transfer.exportTo (out));
    EXPECT_TRUE (status.getText().startsWith ("Exporting: ")) << status.getText();
    EXPECT_FALSE (out.exists());
    messagesFlowed = false;
    juce::MessageManager::callAsync ([&] { messagesFlowed = transfer.isExporting(); });
    ASSERT_TRUE (test::pumpUntil ([&] { return ! transfer.isExporting(); }, 120000));
    EXPECT_TRUE (messagesFlowed);
    EXPECT_LE (transfer.getLargestSlice(), BrowserBulkOperation::maxItemsPerSlice);
    EXPECT_EQ (ZipReader (out).getNumEntries(), count);
    EXPECT_FALSE (status.getText().contains (" items")) << "no progress left behind";
}
