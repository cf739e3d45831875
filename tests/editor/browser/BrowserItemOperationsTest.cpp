#include "EditorBrowserRig.h"
#include "core/parameters/AtomicFile.h"
#include "editor/browser/ContentResults.h"

using namespace brtest;

namespace
{
    Parameter& mix (BasePlugin& plugin)
    {
        return *plugin.getParameterManager().getParameterByName ("Mix");
    }

    /** The value "Mix" (id 6) has in a preset file. */
    juce::String mixIn (const juce::File& file)
    {
        Preset preset;
        return preset.loadFromFile (file) && preset.findValue (6) != nullptr ? *preset.findValue (6) : juce::String ("(none)");
    }

    /** Clicks a dialog's button as soon as it shows (before its default button takes the focus). */
    void answer (BrowserRig& b, Orvik::AlertWindow* alert, int kind)
    {
        ASSERT_NE (alert, nullptr);
        ASSERT_TRUE (test::pumpUntil ([alert] { return alert->isShowing(); }));
        b.click (*alert->getButtonForKind (kind));
    }

    void saveAs (BrowserRig& b, const juce::String& name)
    {
        b.getEditor().savePresetAs();
        auto& browser = b.getBrowser();
        ASSERT_TRUE (test::pumpUntil ([&] { return browser.getNameEditor().hasKeyboardFocus (false); }));
        browser.getNameEditor().selectAll();
        b.type (name);
        b.click (browser.getSaveButton());
    }
}

TEST (BrowserItems, SaveAsNewOverwriteAskingAndAFailedWriteKeepsTheOldPreset)
{
    SKIP_WITHOUT_DISPLAY();

    BrowserRig b;
    auto& browser = b.getBrowser();
    auto& plugin = b.getPlugin();
    b.openOnScreen();
    b.click (browser.getCancelButton());

    // A new name: written, loaded, selected, the browser closed.
    mix (plugin).setValue (10.0f, true);
    saveAs (b, "Keep");
    const auto file = b.getUser().getFileForName ("Keep");
    EXPECT_EQ (mixIn (file), "10");
    EXPECT_FALSE (browser.isVisible());
    ASSERT_NE (browser.getResults().getCurrentItem(), nullptr);
    EXPECT_EQ (browser.getResults().getCurrentItem()->name, "Keep");
    Preset original;
    ASSERT_TRUE (original.loadFromFile (file));

    // The same name asks; No goes back to the name, Yes replaces the file (same identity).
    mix (plugin).setValue (90.0f, true);
    saveAs (b, "Keep");
    answer (b, browser.getOverwriteAlert(), Orvik::AlertWindow::No);
    EXPECT_TRUE (browser.isVisible());
    EXPECT_EQ (browser.getMode(), ContentBrowser::saveMode);
    EXPECT_EQ (browser.getNameEditor().getText(), "Keep");
    EXPECT_EQ (mixIn (file), "10");
    b.click (browser.getSaveButton());
    answer (b, browser.getOverwriteAlert(), Orvik::AlertWindow::Yes);
    EXPECT_EQ (mixIn (file), "90");
    Preset replaced;
    ASSERT_TRUE (replaced.loadFromFile (file));
    EXPECT_EQ (replaced.id, original.id);

    // A full disk: the write fails, the old preset stays listed and whole, and the user is told.
    mix (plugin).setValue (50.0f, true);
    saveAs (b, "Keep");
    {
        test::ScopedFullDisk full;
        answer (b, browser.getOverwriteAlert(), Orvik::AlertWindow::Yes);
    }
    EXPECT_EQ (mixIn (file), "90");
    EXPECT_FALSE (browser.isVisible());
    ASSERT_NE (browser.getErrorAlert(), nullptr);
    EXPECT_TRUE (browser.getErrorAlert()->isShowing());
    EXPECT_EQ (browser.getErrorAlert()->getMessageLabel().getText(), "'Keep' could not be saved.\nThe old preset is kept.");
    EXPECT_TRUE (b.getShownNames().contains ("Keep"));
    answer (b, browser.getErrorAlert(), Orvik::AlertWindow::OK);
    EXPECT_EQ (b.getUser().getFolder().findChildFiles (juce::File::findFiles, false, "*").size(), 1);   // no temporary left
}

TEST (BrowserItems, DeleteAsksAndReportsTheItemsThatStayed)
{
    SKIP_WITHOUT_DISPLAY();

    BrowserRig b;
    auto& browser = b.getBrowser();

    for (auto name : { "Alpha", "Beta", "Gamma" })
        b.addUserPreset (name, {});

    b.openOnScreen();
    b.click (browser.getEditModeButton());
    ASSERT_TRUE (browser.getDeleteButton().isShowing());

    // Nothing selected: no question.
    browser.getResults().deselectAll();
    browser.deleteSelected();
    EXPECT_EQ (browser.getDeleteAlert(), nullptr);

    for (auto name : { "Alpha", "Beta", "Gamma" })
        b.click (*b.getRow (name), juce::ModifierKeys::commandModifier);

    ASSERT_EQ (b.getSelectedNames(), juce::StringArray ({ "Alpha", "Beta", "Gamma" }));

    // "Beta" cannot go.
    b.rig.getPlugin().getStubbornUserPresets().undeletable.add ("Beta");

    b.click (browser.getDeleteButton());
    answer (b, browser.getDeleteAlert(), Orvik::AlertWindow::No);
    EXPECT_EQ (b.getShownNames(), juce::StringArray ({ "Alpha", "Beta", "Gamma" }));

    b.click (browser.getDeleteButton());
    EXPECT_EQ (browser.getDeleteAlert()->getMessageLabel().getText(), "Do you want to delete selected files?");
    answer (b, browser.getDeleteAlert(), Orvik::AlertWindow::Yes);
    EXPECT_EQ (b.getShownNames(), juce::StringArray ({ "Beta" }));
    EXPECT_FALSE (b.getUser().getFileForName ("Alpha").exists());
    EXPECT_FALSE (b.getUser().getFileForName ("Gamma").exists());
    ASSERT_NE (browser.getErrorAlert(), nullptr);
    EXPECT_EQ (browser.getErrorAlert()->getMessageLabel().getText(), "1 of 3 selected items could not be deleted.\nCould not delete \"Beta\"");
    answer (b, browser.getErrorAlert(), Orvik::AlertWindow::OK);
}

TEST (BrowserItems, ExportAndImportThroughTheBrowsersButtons)
{
    SKIP_WITHOUT_DISPLAY();

    BrowserRig b;
    auto& browser = b.getBrowser();

    for (auto name : { "One", "Two" })
        b.addUserPreset (name, "Degradation:Heavy");

    test::TempFolder folder;
    const auto archive = folder.get().getChildFile ("Grindel 2 - Presets.grzip");
    browser.getPackageImport().setFileRequest ([&] (const juce::String&, const juce::String&, bool, std::function<void (const juce::File&)> done) {
        done (archive);
    });

    b.openOnScreen();
    b.click (browser.getEditModeButton());
    b.click (*b.getRow ("One"));
    b.click (*b.getRow ("Two"), juce::ModifierKeys::commandModifier);
    b.click (browser.getExportButton());
    ASSERT_TRUE (archive.existsAsFile());
    EXPECT_EQ (browser.getPackageImport().getDefaultExportName(), "Grindel 2 - Presets");

    // Gone from the folder, then back from the archive byte for byte with their tags, selected.
    juce::StringArray before;

    for (auto name : { "One", "Two" })
    {
        before.add (b.getUser().getFileForName (name).loadFileAsString());
        b.getUser().getFileForName (name).deleteFile();
    }

    b.getUser().refresh();
    b.getUser().sendChangeMessage();
    test::pump (10);
    b.click (browser.getImportButton());
    EXPECT_EQ (b.getSelectedNames(), juce::StringArray ({ "One", "Two" }));
    EXPECT_EQ (b.getUser().getFileForName ("One").loadFileAsString(), before[0]);
    EXPECT_EQ (b.getUser().getFileForName ("Two").loadFileAsString(), before[1]);
    EXPECT_TRUE (b.getUser().findItem ("Two")->tags.contains ("Degradation", "Heavy"));
    EXPECT_EQ (browser.getPackageImport().getMessage(), nullptr);
}

TEST (BrowserItems, NormalizeRewritesTheSelectedPresetsInDeveloperMode)
{
    SKIP_WITHOUT_DISPLAY();

    // The hidden developer mode: a "superpowers" file in the user folder.
    edtest::EditorRig rig ({ "885" }, "master", [] (const test::ScopedDataRoot& root) {
        root.getUserFolder().createDirectory();
        root.getUserFolder().getChildFile ("superpowers").create();
    });
    ASSERT_TRUE (rig.getPlugin().hasSuperpowers());
    auto& user = *rig.getPlugin().getUserPresets();
    auto& browser = *rig.getEditor().getContentBrowser();

    // A preset of an older version: the value of one parameter only.
    const auto file = user.getFileForName ("Old");
    ASSERT_TRUE (AtomicFile::write (file, "<?xml version=\"1.0\"?>\r\n<Preset name=\"Old\" application=\"Grindel 2\">\r\n"
                                          "  <Value id=\"6\" value=\"25\"/>\r\n</Preset>\r\n")
                     .wasOk());
    user.refresh();
    user.sendChangeMessage();

    rig.putOnScreen();
    browser.open (true);
    test::pump (20);
    edtest::Mouse mouse (*rig.getHostWindow());
    mouse.click (browser.getEditModeButton());
    test::pump (10);
    browser.getResults().selectItem (user.findItem ("Old"), true, true);
    ASSERT_TRUE (browser.getNormalizeButton().isShowing());
    mouse.click (browser.getNormalizeButton());

    Preset rewritten;
    ASSERT_TRUE (rewritten.loadFromFile (file));
    EXPECT_EQ (*rewritten.findValue (6), "25");
    EXPECT_GT (rewritten.getNumValues(), 2);
    EXPECT_EQ (rig.getPlugin().getParameterManager().getParameterByName ("Mix")->getValue(), 25.0f);

    // The rewrite is the source's own: the preset can still be deleted.
    ASSERT_TRUE (browser.getDeleteButton().isEnabled());
    mouse.click (browser.getDeleteButton());
    auto* question = browser.getDeleteAlert();
    ASSERT_NE (question, nullptr);
    ASSERT_TRUE (test::pumpUntil ([question] { return question->isShowing(); }));
    mouse.click (*question->getButtonForKind (Orvik::AlertWindow::Yes));
    ASSERT_TRUE (test::pumpUntil ([&] { return ! browser.getBulkOperation().isRunning(); }));
    EXPECT_FALSE (file.exists());
    EXPECT_EQ (browser.getErrorAlert(), nullptr);
}

TEST (BrowserItems, ANameSavedAsAnExistingItemsNameAsksBeforeOverwriting)
{
    SKIP_WITHOUT_DISPLAY();

    BrowserRig b;
    auto& browser = b.getBrowser();
    b.addUserPreset ("Keep", {});
    b.addUserPreset ("Why_", {});
    b.openOnScreen();
    b.click (browser.getCancelButton());

    // Saved under its safe name, the text names the existing item.
    const std::pair<const char*, const char*> cases[] = { { "Keep ", "Keep" }, { "Why?", "Why_" } };
    float value = 30.0f;

    for (const auto& [typed, existing] : cases)
    {
        SCOPED_TRACE (typed);
        mix (b.getPlugin()).setValue (++value, true);
        saveAs (b, typed);
        ASSERT_NE (browser.getOverwriteAlert(), nullptr);
        answer (b, browser.getOverwriteAlert(), Orvik::AlertWindow::Yes);
        EXPECT_EQ (mixIn (b.getUser().getFileForName (existing)), juce::String ((int) value));
        EXPECT_EQ (browser.getErrorAlert(), nullptr);
    }

    EXPECT_EQ (b.getShownNames(), juce::StringArray ({ "Keep", "Why_" }));
}

TEST (BrowserItems, RenameAndDeleteFailuresSayWhy)
{
    SKIP_WITHOUT_DISPLAY();

    BrowserRig b;
    auto& browser = b.getBrowser();
    b.addUserPreset ("Alpha", {});
    b.openOnScreen();
    b.click (browser.getEditModeButton());
    b.click (*b.getRow ("Alpha"));

    // Another instance changes the preset after the list was read.
    {
        PresetsDirectoryContent<Preset> other (b.getPlugin(), b.getUser().getFolder());
        other.refresh();
        ASSERT_TRUE (other.findItem ("Alpha")->setTags (CategoryTagMap::fromString ("Era:80s")).wasOk());
    }

    b.key (juce::KeyPress (juce::KeyPress::returnKey, juce::ModifierKeys::ctrlModifier, 0));
    ASSERT_TRUE (browser.getResults().isRenaming());
    browser.getResults().getRenameEditor().selectAll();
    b.type ("Beta");
    b.key (juce::KeyPress (juce::KeyPress::returnKey));
    auto* warning = browser.getResults().getWarning();
    ASSERT_NE (warning, nullptr);
    EXPECT_EQ (warning->getTitle(), "Rename failed");
    EXPECT_TRUE (warning->getMessageLabel().getText().startsWith ("'Alpha' could not be renamed to 'Beta'.\n\"Alpha\" was changed on disk"))
        << warning->getMessageLabel().getText();
    answer (b, warning, Orvik::AlertWindow::OK);
    EXPECT_FALSE (browser.getResults().isRenaming());
    EXPECT_TRUE (b.getUser().getFileForName ("Alpha").existsAsFile());

    b.click (browser.getDeleteButton());
    answer (b, browser.getDeleteAlert(), Orvik::AlertWindow::Yes);
    ASSERT_TRUE (test::pumpUntil ([&] { return ! browser.getBulkOperation().isRunning(); }));
    ASSERT_NE (browser.getErrorAlert(), nullptr);
    EXPECT_TRUE (browser.getErrorAlert()->getMessageLabel().getText().startsWith ("1 of 1 selected items could not be deleted.\n\"Alpha\" was changed on disk"));
    answer (b, browser.getErrorAlert(), Orvik::AlertWindow::OK);
}
