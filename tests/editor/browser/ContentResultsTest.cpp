#include "BrowserTestSupport.h"

using namespace browsertest;

namespace
{
    const auto shift = juce::ModifierKeys::shiftModifier;
    const auto ctrl = juce::ModifierKeys::ctrlModifier;
    const auto command = juce::ModifierKeys::commandModifier;

    juce::StringArray numbered (int count)
    {
        juce::StringArray names;

        for (int i = 1; i <= count; ++i)
            names.add ("Item " + juce::String (i));

        return names;
    }

    /** A shown stand-in browser listing the items of one source. */
    struct ListTest : ::testing::Test
    {
        void SetUp() override
        {
            SKIP_WITHOUT_DISPLAY();
        }

        void open (ContentSource& shown, int w = 400, int h = 100)
        {
            browser = std::make_unique<TestBrowser>();
            browser->addSource (shown);
            browser->setListArea (w, h);
            browser->show();
        }

        /** A source of n numbered items, shown. */
        void open (int n)
        {
            source = std::make_unique<MemorySource> ("User", numbered (n));
            open (*source);
        }

        std::unique_ptr<MemorySource> source;
        std::unique_ptr<TestBrowser> browser;
    };
}

//==============================================================================
// Natural sort

TEST (ContentResultsSort, NaturalOrderIgnoringCase)
{
    struct Case
    {
        const char* first;
        const char* second;
        bool inOrder;
    };

    // clang-format off
    const Case cases[] = {
        { "Pad 1",    "pad 2",    true  },
        { "pad 2",    "Pad 10",   true  },
        { "Pad 10",   "pad 2",    false },
        { "bass",     "Bass",     false },   // equal ignoring case: neither comes first
        { "Bass",     "bass",     false },
        { "Lead 9",   "Lead 10",  true  },
        { "Lead",     "Lead 1",   true  },
        { "a2b",      "a10b",     true  },
        { "Zap",      "alpha",    false },
    };
    // clang-format on

    for (const auto& c : cases)
        EXPECT_EQ (ContentResults::isInDisplayOrder (c.first, c.second), c.inOrder) << c.first << " / " << c.second;
}

TEST (ContentResultsSort, RowsFollowTheNaturalOrderAndOddNamesStayInBounds)
{
    MemorySource source ("User", { "Pad 10", "pad 2", "Pad 1" });
    TestBrowser browser;
    browser.addSource (source);
    EXPECT_EQ (browser.shownNames(), juce::StringArray ({ "Pad 1", "pad 2", "Pad 10" }));

    // Spaces, digits with leading zeros and punctuation mixed: every row is still there once.
    juce::StringArray odd;
    juce::Random random (7);
    const juce::String alphabet (" 0a1 .b-0 9!Z ");

    for (int i = 0; i < 500; ++i)
    {
        juce::String name;

        for (int n = 1 + random.nextInt (8); --n >= 0;)
            name << alphabet[random.nextInt (alphabet.length())];

        odd.add (name);
    }

    MemorySource oddSource ("Odd", odd);
    juce::Array<ContentItem*> items;

    for (auto* item : oddSource.getItems())
        items.add (item);

    browser.results.showItems (items);
    auto shown = browser.shownNames();
    shown.sort (false);
    odd.sort (false);
    EXPECT_EQ (shown, odd);
    browser.results.clear();
}

//==============================================================================
// Layout

TEST (ContentResultsLayout, ColumnsOfRowsAndOnlyTheRowsInViewAreMade)
{
    MemorySource source ("User", numbered (25));
    TestBrowser browser;
    browser.addSource (source);
    browser.setListArea (400, 100);

    EXPECT_EQ (browser.results.getRowsPerColumn(), 5);
    EXPECT_EQ (browser.results.getColumnWidth(), 200);
    EXPECT_EQ (browser.results.getContent().getWidth(), 1000);
    EXPECT_EQ (browser.results.getRowBounds (7), juce::Rectangle<int> (200, 40, 200, 20));
    const auto rowsShown = [&browser] {
        int shown = 0;
        for (auto* child : browser.results.getContent().getChildren())
            shown += child->isVisible() ? 1 : 0;
        return shown;
    };
    EXPECT_EQ (rowsShown(), 10);   // two columns in view
    EXPECT_EQ (browser.results.getButton (10), nullptr);

    // Scrolling makes the rows that come into view.
    browser.results.getViewport().setViewPosition (600, 0);
    ASSERT_NE (browser.results.getButton (20), nullptr);
    EXPECT_EQ (browser.results.getButton (20)->getBounds(), browser.results.getRowBounds (20));
    EXPECT_EQ (browser.results.getButton (0), nullptr);

    // A rows area lower than a row places nothing.
    browser.setListArea (400, 19);
    EXPECT_EQ (browser.results.getRowsPerColumn(), 0);
    EXPECT_EQ (rowsShown(), 0);
}

TEST (ContentResultsLayout, RemovingAndAddingRowsAmongManyLooksOnlyAtThoseAndTheRowsInView)
{
    constexpr int count = 10000;
    MemorySource source ("User", numbered (count));
    MemorySource more ("More", { "Item 5000 b" });
    TestBrowser browser;
    browser.addSource (source);
    browser.setListArea (400, 100);
    auto& results = browser.results;
    ASSERT_EQ (results.getNumResults(), count);

    // A delete's slice takes rows out: a search for each, a move of the rest, the rows in view.
    const auto before = results.getRowVisits();
    results.removeItems ({ source.findItem ("Item 11"), source.findItem ("Item 4000"), source.findItem ("Item 9000") });
    results.flushLayout();
    EXPECT_EQ (results.getNumResults(), count - 3);
    EXPECT_LT (results.getRowVisits() - before, 200);

    // An import's slice adds rows: the same.
    const auto beforeAdding = results.getRowVisits();
    results.addItem (more.getItems()[0], true);
    results.flushLayout();
    EXPECT_EQ (results.getItem (results.indexOf (more.getItems()[0]) - 1)->name, "Item 5000") << "in its place";
    EXPECT_EQ (results.getCurrentItem(), more.getItems()[0]);
    EXPECT_EQ (results.getSelectedCount(), 1);
    EXPECT_LT (results.getRowVisits() - beforeAdding, 200);
}

//==============================================================================
// Selection model

TEST_F (ListTest, WithoutMultipleSelectionModifiedClicksAreSingleAndCmdASelectsTheFirst)
{
    open (8);
    browser->results.setMultiSelect (false);

    browser->clickRow (1);
    browser->clickRow (4, ctrl);
    EXPECT_EQ (browser->selectedIndices(), juce::Array<int> ({ 4 }));
    browser->clickRow (6, shift);
    EXPECT_EQ (browser->selectedIndices(), juce::Array<int> ({ 6 }));

    EXPECT_TRUE (browser->press ('a', command));
    EXPECT_EQ (browser->selectedIndices(), juce::Array<int> ({ 0 }));
    EXPECT_EQ (browser->results.getCurrentItem(), browser->results.getItem (0));
}

TEST_F (ListTest, ToggleRangeAndAllWithMultipleSelection)
{
    open (8);

    // Shift-click before any click: nothing selected, but the item becomes current.
    browser->clickRow (3, shift);
    EXPECT_TRUE (browser->selectedIndices().isEmpty());
    EXPECT_EQ (browser->results.getCurrentItem(), browser->results.getItem (3));

    browser->clickRow (2);
    browser->clickRow (5, shift);
    EXPECT_EQ (browser->selectedIndices(), juce::Array<int> ({ 2, 3, 4, 5 }));
    browser->clickRow (3, shift);
    EXPECT_EQ (browser->selectedIndices(), juce::Array<int> ({ 2, 3 }));

    // Ctrl-click toggles; the last selected row stays selected.
    browser->clickRow (7, ctrl);
    browser->clickRow (2, ctrl);
    EXPECT_EQ (browser->selectedIndices(), juce::Array<int> ({ 3, 7 }));
    browser->clickRow (3, ctrl);
    browser->clickRow (7, ctrl);
    EXPECT_EQ (browser->selectedIndices(), juce::Array<int> ({ 7 }));
    EXPECT_EQ (browser->results.getSelectedCount(), 1);

    const auto changes = browser->selectionChanges;
    EXPECT_TRUE (browser->press ('a', command));
    EXPECT_EQ (browser->results.getSelectedCount(), 8);
    EXPECT_EQ (browser->results.getCurrentItem(), browser->results.getItem (0));
    EXPECT_EQ (browser->selectionChanges, changes + 1);

    // Every click was told, left and right.
    browser->triggers.clear();
    browser->click (*browser->results.getButton (1), {}, true);
    browser->clickRow (2);
    EXPECT_EQ (browser->triggers, juce::Array<int> ({ ContentResults::rightClick, ContentResults::leftClick }));
}

TEST_F (ListTest, AddingAnItemThatHasARowSelectsItAndKeepsTheSelection)
{
    // An import that replaces items the user had selected hands each of them back selected.
    open (8);
    browser->clickRow (2);
    browser->clickRow (5, ctrl);

    for (const int row : { 5, 2, 7 })
    {
        browser->results.addItem (browser->results.getItem (row), true);
        EXPECT_EQ (browser->results.getCurrentItem(), browser->results.getItem (row));
    }

    EXPECT_EQ (browser->selectedIndices(), juce::Array<int> ({ 2, 5, 7 }));
    EXPECT_EQ (browser->results.getNumResults(), 8);
}

TEST_F (ListTest, ArrowKeysMoveByRowAndColumnAndStopAtTheEnds)
{
    open (12);   // 5 rows: columns of 5, 5 and 2

    browser->clickRow (0);
    browser->triggers.clear();
    EXPECT_TRUE (browser->press (juce::KeyPress::downKey));
    EXPECT_TRUE (browser->press (juce::KeyPress::rightKey));
    EXPECT_EQ (browser->results.getCurrentItem(), browser->results.getItem (6));
    EXPECT_TRUE (browser->press (juce::KeyPress::rightKey));
    EXPECT_EQ (browser->results.getCurrentItem(), browser->results.getItem (11));   // at most the last

    const auto told = browser->triggers.size();
    EXPECT_TRUE (browser->press (juce::KeyPress::rightKey));   // last column: nothing
    EXPECT_EQ (browser->triggers.size(), told);
    EXPECT_TRUE (browser->press (juce::KeyPress::downKey));   // the last row stays
    EXPECT_EQ (browser->results.getCurrentItem(), browser->results.getItem (11));
    EXPECT_EQ (browser->triggers.getLast(), ContentResults::keyboardMove);

    // Shift extends a range from the anchor; Left goes a column back, and scrolls to it.
    EXPECT_TRUE (browser->press (juce::KeyPress::upKey, shift));
    EXPECT_EQ (browser->selectedIndices(), juce::Array<int> ({ 10, 11 }));
    EXPECT_TRUE (browser->press (juce::KeyPress::leftKey));
    EXPECT_TRUE (browser->press (juce::KeyPress::leftKey));
    EXPECT_EQ (browser->selectedIndices(), juce::Array<int> ({ 0 }));
    EXPECT_TRUE (browser->press (juce::KeyPress::leftKey));   // first column: nothing
    EXPECT_EQ (browser->results.getViewport().getViewPositionX(), 0);

    // A list without rows takes the keys and does nothing.
    browser->items.clear();
    browser->results.refilter();
    EXPECT_TRUE (browser->press (juce::KeyPress::downKey));
    EXPECT_FALSE (browser->results.selectNext (0));
}

TEST_F (ListTest, RefilterKeepsTheShownSelectionAndTheLastBecomesCurrent)
{
    open (6);

    browser->clickRow (1);
    browser->clickRow (3, ctrl);
    browser->clickRow (4, ctrl);
    browser->items[4]->filteredOut = true;   // "Item 5", row 4
    browser->results.refilter();

    EXPECT_EQ (browser->shownNames(), juce::StringArray ({ "Item 1", "Item 2", "Item 3", "Item 4", "Item 6" }));
    EXPECT_EQ (browser->selectedIndices(), juce::Array<int> ({ 1, 3 }));
    EXPECT_EQ (browser->results.getCurrentItem()->name, "Item 4");
    EXPECT_EQ (browser->results.getSelectedCount(), 2);

    // A range after the rows changed stays inside them.
    browser->clickRow (4, shift);
    EXPECT_EQ (browser->results.getSelectedCount(), 2);

    // Removing the current, selected row leaves no current item and one fewer selected.
    browser->clickRow (1);
    browser->clickRow (3, ctrl);
    browser->results.removeItem (browser->results.getCurrentItem());
    EXPECT_EQ (browser->results.getCurrentItem(), nullptr);
    EXPECT_EQ (browser->results.getSelectedCount(), 1);
    EXPECT_EQ (browser->shownNames(), juce::StringArray ({ "Item 1", "Item 2", "Item 3", "Item 6" }));
}

TEST_F (ListTest, DoubleClickAndReturnFollowModeEditModeAndAutoplay)
{
    open (4);

    browser->doubleClick (*browser->results.getButton (2));
    EXPECT_EQ (browser->doubleClicks, 1);
    browser->doubleClick (*browser->results.getButton (2));
    EXPECT_EQ (browser->doubleClicks, 2);

    // Return reaches the window unless Autoplay is on; then it is a click.
    EXPECT_FALSE (browser->results.keyPressed (juce::KeyPress (juce::KeyPress::returnKey)));
    browser->autoplay = true;
    browser->triggers.clear();
    EXPECT_TRUE (browser->press (juce::KeyPress::returnKey));
    EXPECT_TRUE (browser->press (juce::KeyPress::returnKey, command));
    EXPECT_EQ (browser->triggers, juce::Array<int> ({ ContentResults::returnKey, ContentResults::commandReturnKey }));
    EXPECT_TRUE (browser->keysReachingWindow.isEmpty());

    // In Edit Mode a double-click renames instead.
    browser->editMode = true;
    browser->doubleClick (*browser->results.getButton (1));
    EXPECT_EQ (browser->doubleClicks, 2);
    EXPECT_TRUE (browser->results.isRenaming());
    EXPECT_EQ (browser->results.getRenamingItem(), browser->results.getItem (1));
    EXPECT_EQ (browser->results.getRenameEditor().getText(), "Item 2");
}

//==============================================================================
// Rename in place

namespace
{
    struct RenameTest : ListTest
    {
        void SetUp() override
        {
            ListTest::SetUp();

            if (IsSkipped())
                return;

            presets = std::make_unique<PresetFolder> (juce::StringArray { "Bass", "Lead", "Pad" });
            open (*presets->source);
            browser->editMode = true;
            before = presets->fileNames();
        }

        /** Opens the field on row index (Ctrl+Return), types the text and presses key. */
        void rename (int index, const juce::String& text, int key = juce::KeyPress::returnKey, juce::ModifierKeys mods = {})
        {
            // (A second click on the current row would be a double-click, which renames too.)
            if (browser->results.getCurrentItem() != browser->results.getItem (index))
                browser->clickRow (index);

            EXPECT_TRUE (browser->press (juce::KeyPress::returnKey, ctrl));
            ASSERT_TRUE (browser->results.isRenaming());
            ASSERT_TRUE (test::pumpUntil ([this] { return browser->results.getRenameEditor().hasKeyboardFocus (false); }));
            browser->press ('a', command);   // the field's own select-all
            browser->press (juce::KeyPress::backspaceKey);
            browser->type (text);
            browser->press (key, mods);
            test::pumpUntil ([this] { return ! browser->results.isRenaming(); });
        }

        void expectRefused (const juce::String& text)
        {
            auto* warning = browser->results.getWarning();
            ASSERT_NE (warning, nullptr) << text;
            EXPECT_EQ (warning->getTitle(), "Rename warning");
            EXPECT_EQ (warning->getMessage(), "Item with this name already exists.");
            EXPECT_EQ (presets->fileNames(), before) << text;
            EXPECT_EQ (browser->shownNames(), juce::StringArray ({ "Bass", "Lead", "Pad" })) << text;
        }

        ~RenameTest() override { browser.reset(); }

        std::unique_ptr<PresetFolder> presets;
        juce::StringArray before;
    };
}

TEST_F (RenameTest, ReturnRenamesTheFileLoadsItAndSortsTheRow)
{
    rename (0, "Zither");

    EXPECT_EQ (browser->shownNames(), juce::StringArray ({ "Lead", "Pad", "Zither" }));
    EXPECT_EQ (presets->fileNames(), juce::StringArray ({ "Lead.grprs2", "Pad.grprs2", "Zither.grprs2" }));
    EXPECT_EQ (presets->processor->getPlugin().getReloadPreset().name, "Zither");
    EXPECT_EQ (browser->results.getCurrentItem()->name, "Zither");
    EXPECT_EQ (browser->results.getWarning(), nullptr);
    EXPECT_TRUE (browser->results.hasKeyboardFocus (false));

    // Its own name, and a change of its own case, are fine.
    rename (2, "Zither");
    EXPECT_EQ (presets->fileNames(), juce::StringArray ({ "Lead.grprs2", "Pad.grprs2", "Zither.grprs2" }));
    rename (2, "zither");
    EXPECT_EQ (browser->shownNames(), juce::StringArray ({ "Lead", "Pad", "zither" }));
    EXPECT_EQ (browser->results.getWarning(), nullptr);
}

TEST_F (RenameTest, EscapeCancelsAndCtrlReturnEndsTheRenameWithoutReachingTheWindow)
{
    rename (1, "Nope", juce::KeyPress::escapeKey);
    EXPECT_EQ (presets->fileNames(), before);

    rename (1, "Keys", juce::KeyPress::returnKey, ctrl);
    EXPECT_EQ (browser->shownNames(), juce::StringArray ({ "Bass", "Keys", "Pad" }));
    EXPECT_TRUE (browser->keysReachingWindow.isEmpty());

    // A click elsewhere takes the focus from the field, which commits.
    EXPECT_TRUE (browser->press (juce::KeyPress::returnKey, ctrl));
    ASSERT_TRUE (browser->results.isRenaming());
    browser->type ("Organ");
    browser->clickRow (0);
    ASSERT_TRUE (test::pumpUntil ([this] { return ! browser->results.isRenaming(); }));
    EXPECT_EQ (presets->fileNames(), juce::StringArray ({ "Bass.grprs2", "Organ.grprs2", "Pad.grprs2" }));
}

TEST_F (RenameTest, TakenAndHostileNamesAreRefusedAndNothingOnDiskChanges)
{
    // clang-format off
    const juce::String refused[] = {
        "Lead",                 // taken
        "lEAD",                 // taken but for letter case
        "",                     // nothing
        "   ",
        ".",
        "..",
        "../Escape",
        "a/b",
        "a\\b",
        "a:b",
        "what?",
        ".hidden",
        "dots...",
        "CON",
        juce::String::charToString (0x202E) + "gpj.exe",   // bidirectional override
        "x" + juce::String::charToString (0x2066) + "y",
    };
    // clang-format on

    for (const auto& text : refused)
    {
        rename (0, text);
        expectRefused (text);

        // Answering the warning reopens the field with the refused text.
        auto* warning = browser->results.getWarning();
        ASSERT_NE (warning, nullptr);
        browser->click (*warning->getButtonForKind (Orvik::AlertWindow::OK));
        EXPECT_EQ (browser->results.getWarning(), nullptr);
        EXPECT_TRUE (browser->results.isRenaming()) << text;
        EXPECT_EQ (browser->results.getRenameEditor().getText(), text.trim());
        browser->press (juce::KeyPress::escapeKey);
        test::pumpUntil ([this] { return ! browser->results.isRenaming(); });
    }

    // Control characters cannot be typed into the field; they are refused all the same.
    auto* bass = presets->source->findItem ("Bass");
    ASSERT_NE (bass, nullptr);
    EXPECT_FALSE (ContentResults::isAcceptableNewName (*bass, "tab\there"));
    EXPECT_FALSE (ContentResults::isAcceptableNewName (*bass, "line\nbreak"));
    EXPECT_TRUE (ContentResults::isAcceptableNewName (*bass, "Bass 2"));
    EXPECT_EQ (presets->fileNames(), before);
}

TEST_F (RenameTest, ASourceRefreshEndsTheRenameWithoutWriting)
{
    browser->clickRow (0);
    EXPECT_TRUE (browser->press (juce::KeyPress::returnKey, ctrl));
    ASSERT_TRUE (browser->results.isRenaming());
    browser->type ("Stale");

    // The folder changes under the open field: the source's items are made anew, and the
    // browser rebuilds its list at once.
    presets->source->refresh();
    browser->rebuildItems();

    EXPECT_FALSE (browser->results.isRenaming());
    EXPECT_EQ (browser->results.getRenamingItem(), nullptr);
    browser->press (juce::KeyPress::returnKey);
    test::pump (50);   // the field's focus loss arrives late and must find nothing to write
    EXPECT_EQ (presets->fileNames(), before);
    EXPECT_EQ (browser->results.getWarning(), nullptr);
}
