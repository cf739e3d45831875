#include "EditorBrowserRig.h"
#include "editor/browser/ContentResults.h"
#include "editor/browser/ContentSourcesComponent.h"

using namespace brtest;

namespace
{
    /** The first eight parameters' values, "v0 v1 ...". */
    juce::String values (BasePlugin& plugin)
    {
        juce::StringArray texts;

        for (int i = 0; i < 8; ++i)
            if (auto* p = plugin.getParameterManager().getParameterByIndex (i))
                texts.add (juce::String (p->getValue()));

        return texts.joinIntoString (" ");
    }

    juce::String current (ContentBrowser& browser)
    {
        auto* item = browser.getResults().getCurrentItem();
        return item != nullptr ? item->name : "(none)";
    }
}

TEST (ContentBrowser, TheEditorSetsItUpOnTheProductsPresets)
{
    SKIP_WITHOUT_DISPLAY();

    BrowserRig b (true);
    auto& browser = b.getBrowser();
    auto& editor = b.getEditor();

    EXPECT_EQ (browser.getParentComponent(), &editor);
    EXPECT_FALSE (browser.isVisible());
    EXPECT_EQ (browser.getName(), "Presets");
    EXPECT_EQ (browser.getTitle(), "Presets");
    EXPECT_EQ (browser.getBounds().getWidth(), (int) (0.9 * b.getEditor().getWidth()));
    EXPECT_EQ (browser.getBounds().getHeight(), (int) (0.9 * b.getEditor().getContentHeight()));
    ASSERT_EQ (browser.getSources().size(), 2);
    EXPECT_EQ (browser.getSources()[0]->name, "Factory");
    EXPECT_EQ (browser.getCurrentSource(), b.getPlugin().getUserPresets());
    EXPECT_EQ (browser.getPluginCategories(), juce::StringArray ({ "Vintage Sampler", "Degradation" }));
    EXPECT_EQ (browser.getFilters().getCategoryOrder(), juce::StringArray ({ "Vintage Sampler", "Degradation" }));
    EXPECT_EQ (current (browser), "MPC60");
    EXPECT_EQ (b.getSelectedNames(), juce::StringArray ({ "MPC60" }));
    EXPECT_EQ (b.getShownNames().size(), 16);

    // Opening takes the snapshot a cancel goes back to.
    b.openOnScreen();
    EXPECT_TRUE (browser.isShowing());
    EXPECT_TRUE (browser.isHeaderVisible());
    EXPECT_TRUE (browser.getOkCancelRow().isVisible());
    EXPECT_FALSE (browser.getSaveRow().isVisible());
    EXPECT_TRUE (browser.getEditRow().isVisible());
    EXPECT_FALSE (browser.getDeleteButton().isVisible());
    const auto atOpening = values (b.getPlugin());

    b.click (*b.getRow ("S900"));
    b.click (*b.getRow ("Telephone"));
    EXPECT_NE (values (b.getPlugin()), atOpening);
    EXPECT_EQ (current (browser), "Telephone");

    b.key (juce::KeyPress (juce::KeyPress::escapeKey));
    EXPECT_FALSE (browser.isVisible());
    EXPECT_EQ (values (b.getPlugin()), atOpening);
    EXPECT_EQ (current (browser), "MPC60");

    // OK, Return and a double-click keep what was chosen last.
    for (int way = 0; way < 3; ++way)
    {
        browser.open (true);
        test::pump (10);
        b.click (*b.getRow ("S900"));
        const auto chosen = values (b.getPlugin());

        if (way == 0)
            b.click (browser.getOkButton());
        else if (way == 1)
            b.key (juce::KeyPress (juce::KeyPress::returnKey));
        else
            b.doubleClick (*b.getRow ("S900"));

        EXPECT_FALSE (browser.isVisible()) << way;
        EXPECT_EQ (values (b.getPlugin()), chosen) << way;
        EXPECT_EQ (current (browser), "S900") << way;
    }
}

TEST (ContentBrowser, EmbeddedItHasNoTitleBarNorOkCancelAndPassesEscapeAndReturnOn)
{
    SKIP_WITHOUT_DISPLAY();

    BrowserRig b (true);
    auto& browser = b.getBrowser();
    browser.setWindowed (false);
    b.openOnScreen();

    EXPECT_TRUE (browser.isVisible());
    EXPECT_FALSE (browser.isHeaderVisible());
    EXPECT_FALSE (browser.getOkCancelRow().isVisible());
    EXPECT_FALSE (browser.isInCoveringWindow());

    EXPECT_FALSE (browser.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)));
    EXPECT_FALSE (browser.keyPressed (juce::KeyPress (juce::KeyPress::returnKey)));
    b.key (juce::KeyPress (juce::KeyPress::escapeKey));
    b.key (juce::KeyPress (juce::KeyPress::returnKey));
    EXPECT_TRUE (browser.isVisible());
}

namespace
{
    /** The factory presets and one user preset, "Mine". */
    class FactoryAndMine : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            SKIP_WITHOUT_DISPLAY();

            b.addUserPreset ("Mine", "Vintage Sampler:Toy");
        }

        BrowserRig b { true };
    };
}

TEST_F (FactoryAndMine, MaximisedResultsHideTheOtherPanelsWhileBrowsingOnly)
{
    auto& browser = b.getBrowser();
    b.openOnScreen();
    b.click (*b.getRow ("MPC60"));

    b.click (browser.getResults().getExpandButton());
    EXPECT_TRUE (browser.areResultsMaximised());
    EXPECT_FALSE (browser.getFilters().isVisible());
    EXPECT_FALSE (browser.getSourcesList().isVisible());
    EXPECT_FALSE (browser.getEditRow().isVisible());
    EXPECT_EQ (browser.getResults().getX(), browser.getContentArea().getX());
    EXPECT_EQ (browser.getResults().getWidth(), browser.getContentArea().getWidth());

    // Save mode shows every panel, and the list of the source it saves to.
    browser.openSaveAs();
    test::pump (20);
    EXPECT_EQ (browser.getTitle(), "Presets - Save As");
    EXPECT_TRUE (browser.getSourcesList().isVisible());
    EXPECT_TRUE (browser.getSaveRow().isVisible());
    EXPECT_FALSE (browser.getOkCancelRow().isVisible());
    EXPECT_FALSE (browser.getResults().getExpandButton().isEnabled());
    EXPECT_EQ (b.getShownNames(), juce::StringArray ({ "Mine" }));
    EXPECT_EQ (browser.getNameEditor().getText(), "MPC60");

    b.click (*b.getRow ("Mine"));
    EXPECT_EQ (browser.getNameEditor().getText(), "Mine");
    b.click (browser.getSaveCancelButton());
    EXPECT_FALSE (browser.isVisible());
    EXPECT_EQ (b.getShownNames().size(), 17);
    EXPECT_EQ (current (browser), "MPC60");
}

TEST_F (FactoryAndMine, EditModeWorksOnTheCurrentSourceAlone)
{
    b.addUserPreset ("Yours", "Degradation:Soft");
    auto& browser = b.getBrowser();
    b.openOnScreen();

    b.click (browser.getEditModeButton());
    test::pump (20);
    ASSERT_TRUE (browser.isEditMode());
    EXPECT_EQ (b.getShownNames(), juce::StringArray ({ "Mine", "Yours" }));
    EXPECT_FALSE (browser.getFilters().isVisible());
    EXPECT_TRUE (browser.getTagEditor()->isVisible());
    EXPECT_EQ (browser.getTagEditor()->getX(), browser.getFilters().getX());
    EXPECT_TRUE (browser.getDeleteButton().isVisible());
    EXPECT_TRUE (browser.getExportButton().isVisible());
    EXPECT_TRUE (browser.getImportButton().isVisible());
    EXPECT_FALSE (browser.getImportSamplesButton().isVisible());
    EXPECT_FALSE (browser.getNormalizeButton().isVisible());
    EXPECT_FALSE (browser.getDeleteButton().isEnabled());
    EXPECT_FALSE (browser.getResults().getExpandButton().isEnabled());

    b.click (*b.getRow ("Mine"));
    EXPECT_TRUE (browser.getDeleteButton().isEnabled());
    EXPECT_FALSE (browser.getSourcesList().getSourceButton (0)->isEnabled());
    EXPECT_TRUE (browser.getSourcesList().getSourceButton (1)->getToggleState());
    EXPECT_TRUE (browser.getExportButton().isEnabled());

    b.click (browser.getEditModeButton());
    test::pump (20);
    EXPECT_EQ (browser.getTagEditor(), nullptr);
    EXPECT_EQ (b.getShownNames().size(), 18);
    EXPECT_TRUE (browser.getFilters().isVisible());
}

TEST_F (FactoryAndMine, EditModeKeepsTheFilteredListAndTheSelection)
{
    b.addUserPreset ("Other", "Vintage Sampler:Toy");
    b.addUserPreset ("Yours", "Degradation:Soft");
    auto& browser = b.getBrowser();
    b.openOnScreen();

    b.clickTag (browser.getFilters().getContainer(), "Vintage Sampler", "Toy");
    test::pump (20);
    const auto filtered = b.getShownNames();
    ASSERT_TRUE (filtered.contains ("Mine") && filtered.contains ("Other") && ! filtered.contains ("Yours"));
    b.click (*b.getRow ("Mine"));
    b.click (*b.getRow ("Other"), juce::ModifierKeys::ctrlModifier);

    // Only what cannot be edited (factory presets) leaves the list.
    b.click (browser.getEditModeButton());
    test::pump (20);
    ASSERT_TRUE (browser.isEditMode());
    EXPECT_EQ (b.getShownNames(), juce::StringArray ({ "Mine", "Other" }));
    EXPECT_EQ (b.getSelectedNames(), juce::StringArray ({ "Mine", "Other" }));
    EXPECT_EQ (browser.getTagEditor()->getSelectedItems().size(), 2);
    EXPECT_TRUE (browser.getDeleteButton().isEnabled());
}

TEST_F (FactoryAndMine, TheSourceButtonsChooseWhichSourcesGiveItems)
{
    auto& browser = b.getBrowser();
    b.openOnScreen();
    auto& user = *browser.getSourcesList().getSourceButton (1);
    auto& factory = *browser.getSourcesList().getSourceButton (0);

    b.click (user);
    EXPECT_EQ (b.getShownNames(), juce::StringArray ({ "Mine" }));
    EXPECT_EQ (browser.getFilters().getCategoryOrder(), juce::StringArray ({ "Vintage Sampler" }));
    b.click (factory);
    EXPECT_EQ (b.getShownNames().size(), 17);
    b.click (user);
    b.click (factory);
    EXPECT_EQ (b.getShownNames().size(), 17);
    EXPECT_EQ (browser.getFilters().getCategoryOrder(), juce::StringArray ({ "Vintage Sampler", "Degradation" }));
}

TEST (ContentBrowser, CtrlReturnWhileRenamingEndsTheRenameAndKeepsTheWindowOpen)
{
    SKIP_WITHOUT_DISPLAY();

    BrowserRig b;
    b.addUserPreset ("Old", "Vintage Sampler:Toy");
    auto& browser = b.getBrowser();
    b.openOnScreen();
    b.click (browser.getEditModeButton());
    test::pump (20);

    b.click (*b.getRow ("Old"));
    b.doubleClick (*b.getRow ("Old"));
    auto& results = browser.getResults();
    ASSERT_TRUE (results.isRenaming());
    results.getRenameEditor().setText ("New");

    b.key (juce::KeyPress (juce::KeyPress::returnKey, juce::ModifierKeys::ctrlModifier, 0));
    EXPECT_FALSE (results.isRenaming());
    EXPECT_TRUE (browser.isVisible());
    EXPECT_TRUE (b.getUser().getFileForName ("New").existsAsFile());
    EXPECT_FALSE (b.getUser().getFileForName ("Old").existsAsFile());
}

TEST (ContentBrowser, SnapshotOnTheFactoryPresetsWithATagFilter)
{
    SKIP_WITHOUT_DISPLAY();

    BrowserRig b (true, { "1180" });
    b.rig.putOnScreen();
    auto& browser = b.getBrowser();
    browser.getSourcesList().getExpandButton().setToggleState (true, juce::sendNotificationSync);
    b.openOnScreen();
    test::pump (50);

    auto* column = findColumn (browser.getFilters().getContainer(), "Vintage Sampler");
    ASSERT_NE (column, nullptr);
    b.click (*findTag (*column, "12 Bit"));
    test::pump (50);
    EXPECT_EQ (b.getShownNames(), juce::StringArray ({ "MPC60", "S900", "S950 Crunch", "SP-1200" }));

    auto& editor = b.getEditor();
    const auto image = editor.createComponentSnapshot (editor.getLocalBounds().withHeight (editor.getContentHeight()), true, 1.0f);
    const juce::File keep (GRINDEL_EDITOR_SNAPSHOTS);
    keep.createDirectory();
    juce::FileOutputStream out (keep.getChildFile ("content-browser.png"));
    ASSERT_TRUE (out.openedOk());
    out.setPosition (0);
    out.truncate();
    EXPECT_TRUE (juce::PNGImageFormat().writeImageToStream (image, out));
}
