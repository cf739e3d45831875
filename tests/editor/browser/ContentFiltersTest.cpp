#include "EditorBrowserRig.h"

using namespace brtest;

namespace
{
    /** Four user presets in two categories, the browser open on screen. */
    class FilterTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            SKIP_WITHOUT_DISPLAY();

            b.addUserPreset ("One", "Style:Bass;Era:80s");
            b.addUserPreset ("Two", "Style:Bass|Lead;Era:90s");
            b.addUserPreset ("Three", "Style:Pad;Era:80s");
            b.addUserPreset ("Four", "Style:Lead;Era:80s|90s");
            b.openOnScreen();
            settle();
        }

        ContentFilters& filters() { return b.getBrowser().getFilters(); }
        CategoryComponent& column (const juce::String& name)
        {
            auto* c = findColumn (filters().getContainer(), name);
            EXPECT_NE (c, nullptr) << name;
            return *c;
        }
        void settle() { test::pump (20); }
        void clickTag (const juce::String& category, const juce::String& tag)
        {
            b.clickTag (filters().getContainer(), category, tag);
            settle();
        }
        juce::String columns() { return describe (filters().getContainer()); }
        juce::String shown() { return b.getShownNames().joinIntoString (","); }

        BrowserRig b;
    };
}

TEST_F (FilterTest, NothingSelectedFiltersNothingAndListsEveryTag)
{
    EXPECT_EQ (columns(), "Style: Bass Lead Pad | Era: 80s 90s");
    EXPECT_EQ (shown(), "Four,One,Three,Two");
    EXPECT_EQ (filters().getCategoryOrder(), juce::StringArray ({ "Style", "Era" }));
    EXPECT_EQ (b.getBrowser().getFilters().getWidth(), 2 * ContentBrowser::columnWidth);
}

TEST_F (FilterTest, AnyKeepsItemsWithOneTagAndAllItemsWithEvery)
{
    clickTag ("Style", "Bass");
    clickTag ("Style", "Lead");
    EXPECT_EQ (shown(), "Four,One,Two");

    b.click (column ("Style").getHeader().anyAllButton);
    settle();
    EXPECT_EQ (column ("Style").getHeader().anyAllButton.getButtonText(), "ALL");
    EXPECT_EQ (shown(), "Two");
    EXPECT_EQ (filters().getCategoryFilter (0)->mode, ContentFilters::allMode);
}

TEST_F (FilterTest, ColumnsDrillDownInTheirOrderAndCombineWithAnd)
{
    clickTag ("Style", "Pad");
    EXPECT_EQ (columns(), "Style: Bass Lead Pad* | Era: 80s");
    clickTag ("Era", "80s");
    EXPECT_EQ (shown(), "Three");

    // Era first: it offers every era, and Style only what the 80s items carry.
    b.click (column ("Era").getHeader().moveLeftButton);
    settle();
    EXPECT_EQ (columns(), "Era: 80s* 90s | Style: Bass Lead Pad*");
    EXPECT_EQ (shown(), "Three");

    clickTag ("Era", "80s");
    clickTag ("Era", "90s");
    EXPECT_EQ (columns(), "Era: 80s 90s* | Style: Bass Lead");
    EXPECT_EQ (shown(), "Four,Two");

    // The ends do not move further.
    b.click (column ("Era").getHeader().moveLeftButton);
    b.click (column ("Style").getHeader().moveRightButton);
    settle();
    EXPECT_EQ (filters().getCategoryOrder(), juce::StringArray ({ "Era", "Style" }));
}

TEST_F (FilterTest, ASelectionThatNoLongerOccursIsDroppedForGood)
{
    clickTag ("Era", "90s");
    EXPECT_EQ (shown(), "Four,Two");
    clickTag ("Style", "Pad");
    EXPECT_EQ (columns(), "Style: Bass Lead Pad* | Era: 80s");
    EXPECT_EQ (shown(), "Three");

    clickTag ("Style", "Pad");
    EXPECT_EQ (columns(), "Style: Bass Lead Pad | Era: 80s 90s");
    EXPECT_EQ (shown(), "Four,One,Three,Two");
}

TEST_F (FilterTest, SwitchedOffEverythingPassesAndTheSelectionsWait)
{
    clickTag ("Style", "Bass");
    EXPECT_EQ (shown(), "One,Two");

    b.click (filters().getOnOffButton());
    settle();
    EXPECT_FALSE (filters().isFilteringOn());
    EXPECT_EQ (shown(), "Four,One,Three,Two");
    EXPECT_EQ (columns(), "Style: Bass* Lead Pad | Era: 80s 90s");
    EXPECT_FALSE (column ("Era").getHeader().moveLeftButton.isVisible());

    b.click (filters().getOnOffButton());
    settle();
    EXPECT_EQ (shown(), "One,Two");
    EXPECT_TRUE (column ("Era").getHeader().moveLeftButton.isVisible());
}

TEST_F (FilterTest, ARebuildKeepsTheOrderButNotTheSelections)
{
    b.click (column ("Era").getHeader().moveLeftButton);
    settle();
    clickTag ("Era", "90s");
    b.click (column ("Era").getHeader().anyAllButton);
    settle();

    // A new category comes in at the right; the selections and modes are gone.
    b.addUserPreset ("Five", "Mood:Dark");
    settle();
    EXPECT_EQ (columns(), "Era: 80s 90s | Style: Bass Lead Pad | Mood: Dark");
    EXPECT_EQ (filters().getCategoryFilter (0)->mode, ContentFilters::anyMode);
    EXPECT_EQ (shown(), "Five,Four,One,Three,Two");

    // A category no item carries any more disappears.
    for (auto* item : b.getUser().getItems())
        item->setTags (item->tags.getTags ("Style"));

    b.getUser().sendChangeMessage();
    settle();
    EXPECT_EQ (columns(), "Style: Bass Lead Pad");
}

TEST (CategoryComponent, ButtonsCycleThroughTheirStatesAndShowWhatChanged)
{
    CategoryComponent c ("Style", 1000, true);
    c.setSize (140, 200);
    c.addItem ("b", 1001, 0, 2);
    c.addItem ("a", 1002, 1, 3);
    c.addItem ("Z", 1003, 0, 1);
    c.addItem ("Bass", 1004, 0, 2);
    c.addItem ("bass", 1005, 0, 2);
    c.sortItems();

    juce::StringArray order;
    for (int i = 0; i < c.getNumItems(); ++i)
        order.add (c.getItem (i)->getButtonText());
    EXPECT_EQ (order, juce::StringArray ({ "Bass", "Z", "a", "b", "bass" }));
    EXPECT_EQ (c.getItemState (5), 0);
    EXPECT_EQ (c.getItemId (99), 0);

    struct Clicks : CategoryComponent::Listener
    {
        void categoryItemClicked (CategoryComponent* cc, int index) override { states.add (cc->getItemState (index)); }
        void categoryModeChanged (CategoryComponent*, bool) override {}
        void categoryAddTagClicked (CategoryComponent*) override {}
        void categoryMoveLeftClicked (CategoryComponent*) override {}
        void categoryMoveRightClicked (CategoryComponent*) override {}
        juce::Array<int> states;
    } clicks;
    c.addListener (&clicks);

    const auto cycle = [&] (const juce::String& tag, int n) {
        auto* button = findTag (c, tag);
        juce::Array<bool> markers;
        for (int i = 0; i < n; ++i)
        {
            button->triggerClick();
            test::pump (5);
            markers.add (button->changeMarker->isVisible());
        }
        return markers;
    };

    EXPECT_EQ (cycle ("b", 2), juce::Array<bool> ({ true, false }));
    EXPECT_EQ (cycle ("a", 3), juce::Array<bool> ({ true, true, false }));
    EXPECT_EQ (cycle ("Z", 1), juce::Array<bool> ({ false }));   // one state: nothing happens
    EXPECT_EQ (clicks.states, juce::Array<int> ({ 1, 0, 2, 0, 1 }));
    EXPECT_EQ (findTag (c, "a")->findColour (juce::TextButton::buttonColourId), juce::Colour (0xFF667179));

    // Too many tags to fit: the buttons make room for the scroll bar.
    const int wide = c.getItem (0)->getWidth();
    for (int i = 0; i < 20; ++i)
        c.addItem ("t" + juce::String (i), 1100 + i, 0, 2);
    EXPECT_EQ (wide, 140 - 8);
    EXPECT_EQ (c.getItem (0)->getWidth(), 140 - 5 - c.getViewport().getScrollBarThickness());
    c.removeListener (&clicks);
}
