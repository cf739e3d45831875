#include "EditorBrowserRig.h"

using namespace brtest;

namespace
{
    /** The tags written in a user preset's file, sorted: "Era:80s Style:x". */
    juce::String fileTags (PresetFolderContent& user, const juce::String& name)
    {
        const auto xml = juce::XmlDocument::parse (user.getFileForName (name));

        if (xml == nullptr)
            return "(unreadable)";

        const auto map = CategoryTagMap::fromString (xml->getStringAttribute ("tags"));
        juce::StringArray pairs;

        for (int c = 0; c < map.getNumCategories(); ++c)
            for (const auto& t : map.getTagList (c))
                pairs.add (map.getCategoryName (c) + ":" + t);

        pairs.sort (false);
        return pairs.joinIntoString (" ");
    }

    /** Presets A (x, y) and B (y) in Style, C (80s) in Era; the browser open on screen. */
    class TagEditorTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            SKIP_WITHOUT_DISPLAY();

            b.addUserPreset ("A", "Style:x|y");
            b.addUserPreset ("B", "Style:y");
            b.addUserPreset ("C", "Era:80s");
            b.openOnScreen();
        }

        void editMode (bool restricted = true)
        {
            b.getBrowser().setTagEditorRestricted (restricted);
            b.click (b.getBrowser().getEditModeButton());
            settle();
            ASSERT_NE (editor(), nullptr);
        }
        ContentTagEditor* editor() { return b.getBrowser().getTagEditor(); }
        juce::String columns() { return describe (editor()->getContainer()); }
        juce::String files()
        {
            return fileTags (b.getUser(), "A") + " / " + fileTags (b.getUser(), "B") + " / " + fileTags (b.getUser(), "C");
        }
        void settle() { test::pump (20); }
        void clickTag (const juce::String& category, const juce::String& tag) { b.clickTag (editor()->getContainer(), category, tag); }
        void selectAAndB()
        {
            b.click (*b.getRow ("A"));
            b.click (*b.getRow ("B"), juce::ModifierKeys::ctrlModifier);
            ASSERT_EQ (b.getSelectedNames(), juce::StringArray ({ "A", "B" }));
        }
        /** Answers the open dialog with text, by clicking its OK button. */
        void answer (Orvik::InputTextWindow* dialog, const juce::String& text, bool ok = true)
        {
            ASSERT_NE (dialog, nullptr);
            dialog->getTextField().setText (text);
            b.click (*dialog->getButtonForKind (ok ? Orvik::AlertWindow::OK : Orvik::AlertWindow::Cancel));
        }

        BrowserRig b;
    };
}

TEST_F (TagEditorTest, TwoItemsShowFullAndPartialTagsAndAPartialTagCyclesInThreeClicks)
{
    editMode();
    selectAAndB();
    EXPECT_EQ (columns(), "Style: x~ y* | Era: 80s");
    EXPECT_EQ (findTag (*findColumn (editor()->getContainer(), "Style"), "x")->stateCount, 3);
    EXPECT_EQ (findTag (*findColumn (editor()->getContainer(), "Style"), "y")->stateCount, 2);

    const auto marker = [this] { return findTag (*findColumn (editor()->getContainer(), "Style"), "x")->changeMarker->isVisible(); };

    clickTag ("Style", "x");
    EXPECT_EQ (files(), "Style:x Style:y / Style:x Style:y / Era:80s");
    EXPECT_TRUE (marker());
    clickTag ("Style", "x");
    EXPECT_EQ (files(), "Style:y / Style:y / Era:80s");
    clickTag ("Style", "x");
    EXPECT_EQ (files(), "Style:x Style:y / Style:y / Era:80s");
    EXPECT_FALSE (marker());

    // A two-state tag goes on and off on both.
    clickTag ("Era", "80s");
    EXPECT_EQ (files(), "Era:80s Style:x Style:y / Era:80s Style:y / Era:80s");
}

TEST_F (TagEditorTest, WithNothingSelectedEveryTagIsOffAndClicksWriteNothing)
{
    editMode();
    b.getBrowser().getResults().deselectAll();
    b.getBrowser().getResults().refilter();
    settle();
    EXPECT_EQ (columns(), "Style: x y | Era: 80s");
    clickTag ("Style", "y");
    EXPECT_EQ (files(), "Style:x Style:y / Style:y / Era:80s");
}

TEST_F (TagEditorTest, AClickNeverWritesStatesReadForAnotherSelection)
{
    editMode();
    b.click (*b.getRow ("A"));
    EXPECT_EQ (columns(), "Style: x* y* | Era: 80s");

    // Selected without a word to anyone (as the preset commands do): the next click on a tag
    // shows B's states instead of writing A's onto anything.
    b.getBrowser().getResults().selectItem (b.getUser().findItem ("B"), true, false);
    clickTag ("Style", "x");
    settle();
    EXPECT_EQ (files(), "Style:x Style:y / Style:y / Era:80s");
    EXPECT_EQ (columns(), "Style: x y* | Era: 80s");

    // Cmd+A tells of the new selection at once.
    b.key (juce::KeyPress ('a', juce::ModifierKeys::commandModifier, 'a'));
    EXPECT_EQ (editor()->getSelectedItems().size(), 3);
    EXPECT_EQ (columns(), "Style: x~ y~ | Era: 80s~");
}

TEST_F (TagEditorTest, SaveModeChoosesTheNewPresetsTagsAndLeavesTheSelectedOneAlone)
{
    b.click (*b.getRow ("A"));
    auto* y = findTag (*findColumn (b.getBrowser().getFilters().getContainer(), "Style"), "y");
    ASSERT_NE (y, nullptr);
    b.click (*y);
    settle();
    const auto before = b.getUser().getFileForName ("A").getLastModificationTime();

    b.getBrowser().openSaveAs();
    settle();
    ASSERT_NE (editor(), nullptr);
    EXPECT_TRUE (editor()->isSaveMode());
    EXPECT_EQ (b.getSelectedNames(), juce::StringArray ({ "A" }));
    EXPECT_EQ (b.getBrowser().getNameEditor().getText(), "A");
    EXPECT_EQ (columns(), "Style: x y* | Era: 80s");
    EXPECT_EQ (findTag (*findColumn (editor()->getContainer(), "Style"), "y")->changeMarker->isVisible(), false);

    clickTag ("Style", "x");
    clickTag ("Era", "80s");
    clickTag ("Style", "y");
    EXPECT_EQ (editor()->getFullTags().toString(), "Style:x;Era:80s");
    EXPECT_EQ (files(), "Style:x Style:y / Style:y / Era:80s");
    EXPECT_EQ (b.getUser().getFileForName ("A").getLastModificationTime(), before);

    b.click (b.getBrowser().getSaveCancelButton());
    EXPECT_EQ (editor(), nullptr);
    EXPECT_FALSE (b.getBrowser().isVisible());
}

TEST_F (TagEditorTest, NewNamesAreCheckedAndLandOnTheSelection)
{
    editMode (false);
    b.click (*b.getRow ("B"));

    b.click (findColumn (editor()->getContainer(), "Style")->getHeader().addTagButton);
    answer (editor()->getNewTagDialog(), "a;b");
    ASSERT_NE (editor()->getNewTagDialog(), nullptr);
    EXPECT_TRUE (editor()->getNewTagDialog()->getMessage().contains ("cannot contain"));
    answer (editor()->getNewTagDialog(), "y");
    EXPECT_EQ (editor()->getNewTagDialog()->getMessage(), "Tag with that name already exists. Enter name:");
    answer (editor()->getNewTagDialog(), "Y");
    settle();
    EXPECT_EQ (editor()->getNewTagDialog(), nullptr);
    EXPECT_EQ (files(), "Style:x Style:y / Style:Y Style:y / Era:80s");

    // A category needs its first tag: cancelling that creates nothing.
    b.click (editor()->getPanel().addCategoryButton);
    answer (editor()->getNewCategoryDialog(), "Era");
    EXPECT_EQ (editor()->getNewCategoryDialog()->getMessage(), "Category with that name already exists. Enter name:");
    answer (editor()->getNewCategoryDialog(), "Mo|od");
    EXPECT_TRUE (editor()->getNewCategoryDialog()->getMessage().contains ("cannot contain"));
    answer (editor()->getNewCategoryDialog(), "Mood");
    answer (editor()->getFirstTagDialog(), "Dark", false);
    EXPECT_FALSE (editor()->getAllTags().containsCategory ("Mood"));

    b.click (editor()->getPanel().addCategoryButton);
    answer (editor()->getNewCategoryDialog(), "Mood");
    answer (editor()->getFirstTagDialog(), "Da:rk");
    answer (editor()->getFirstTagDialog(), "Dark");
    settle();
    EXPECT_EQ (files(), "Style:x Style:y / Mood:Dark Style:Y Style:y / Era:80s");
    EXPECT_EQ (columns(), "Style: Y* x y* | Era: 80s | Mood: Dark*");
    EXPECT_EQ (editor()->getWidth(), 3 * ContentBrowser::columnWidth);
}

TEST_F (TagEditorTest, ASourceRefreshEndsAnOpenTagEditWithoutWriting)
{
    editMode (false);
    b.click (*b.getRow ("A"));
    b.click (findColumn (editor()->getContainer(), "Style")->getHeader().addTagButton);
    auto* dialog = editor()->getNewTagDialog();
    ASSERT_NE (dialog, nullptr);
    dialog->getTextField().setText ("z");

    // The items the edit was for are made again.
    b.getUser().refresh();
    b.getUser().sendChangeMessage();
    settle();
    EXPECT_EQ (editor()->getNewTagDialog(), nullptr);
    EXPECT_EQ (files(), "Style:x Style:y / Style:y / Era:80s");

    // The editor works on the new items.
    b.click (*b.getRow ("C"));
    clickTag ("Style", "x");
    EXPECT_EQ (files(), "Style:x Style:y / Style:y / Era:80s Style:x");
}

TEST_F (TagEditorTest, AFullCategoryRefusesANewTagWithAMessageAndHidesTagsWithoutAnId)
{
    editMode (false);

    // Style holds x and y; 997 more fill it to the last id. The thousandth, carried by a
    // preset written elsewhere, gets none.
    CategoryTagMap filler;
    for (int i = 0; i < TagDictionary::maxTagsPerCategory - 2; ++i)
        filler.add ("Style", "t" + juce::String (i));
    b.getBrowser().addTagsToDictionary (filler);
    b.addUserPreset ("D", "Style:Overflow");
    ASSERT_EQ (b.getBrowser().getTagDictionary().getId ("Style", "Overflow"), 0);
    settle();
    EXPECT_EQ (columns(), "Style: x y | Era: 80s");

    b.click (*b.getRow ("B"));
    b.click (findColumn (editor()->getContainer(), "Style")->getHeader().addTagButton);
    answer (editor()->getNewTagDialog(), "Extra");
    auto* alert = editor()->getLimitAlert();
    ASSERT_NE (alert, nullptr);
    EXPECT_EQ (alert->getMessageLabel().getText(), "'Style' has 999 tags, as many as a category can hold.\n'Extra' was not added.");
    ASSERT_TRUE (test::pumpUntil ([alert] { return alert->isShowing(); }));
    b.click (*alert->getButtonForKind (Orvik::AlertWindow::OK));
    settle();
    EXPECT_EQ (editor()->getLimitAlert(), nullptr);
    EXPECT_EQ (files(), "Style:x Style:y / Style:y / Era:80s");
    EXPECT_EQ (fileTags (b.getUser(), "D"), "Style:Overflow");
}
