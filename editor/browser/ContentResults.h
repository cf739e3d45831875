#pragma once

#include "core/content/ContentSource.h"
#include "core/parameters/ListenerArray.h"
#include "editor/windows/AlertWindow.h"
#include "editor/browser/ExpandCollapseButton.h"
#include "editor/browser/ResultButton.h"
#include "editor/browser/ResultGrid.h"
#include "editor/browser/ResultRename.h"
#include "editor/browser/ResultSelection.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/HeaderComponent.h"
#include <memory>

/** The browser's "RESULTS" panel: the items that pass the filters, one row each, sorted by name
    (natural order, case ignored) and laid out in columns of 20-pixel rows that scroll
    sideways. It keeps a current item and a selection, moves them with the mouse and the arrow
    keys, tells its listeners of clicks, and renames an item in place.

    Rows are made and laid out only while they are in view, so the cost of painting and
    scrolling does not grow with the number of items. The rows and their layout (ResultGrid),
    the selection (ResultSelection) and the rename field (ResultRename) are its parts.

    Message thread only. Every rebuild (refilter, showItems, clear) and the removal of the item
    being renamed end a rename without writing it: after a source refreshes, its items are gone,
    and the browser rebuilds the list before the message loop runs again. */
class ContentResults : public juce::Component,
                       public juce::AsyncUpdater,
                       public juce::Button::Listener,
                       public juce::TextEditor::Listener,
                       public Orvik::AlertWindow::Caller
{
public:
    /** What the list needs of the browser that owns it. */
    class Owner
    {
    public:
        virtual ~Owner() = default;
        /** The items of the active sources, in order; those whose filteredOut flag is set are
            not shown. */
        virtual const juce::Array<ContentItem*>& getItems() const = 0;
        /** 0 browse, 1 save. */
        virtual int getMode() const = 0;
        /** Whether Edit Mode is in effect (the browser's tag editor exists). */
        virtual bool isEditMode() const = 0;
        /** Whether the browser's "Autoplay" button is on. */
        virtual bool isAutoplayOn() const = 0;
        /** Where the rename warning is shown (null: in the list itself). */
        virtual juce::Component* getWarningParent() = 0;
    };

    /** Told last added first. */
    class Listener
    {
    public:
        virtual ~Listener() = default;
        /** After refilter and after Cmd+A. */
        virtual void resultsSelectionChanged (ContentResults* results) = 0;
        /** The current item was chosen; trigger is one of Trigger. */
        virtual void resultsItemClicked (ContentResults* results, int trigger) = 0;
        /** A row was double-clicked while not renaming. */
        virtual void resultsItemDoubleClicked (ContentResults* results) = 0;
    };

    enum Trigger
    {
        keyboardMove = 0,
        leftClick = 1,
        rightClick = 2,
        returnKey = 3,
        commandReturnKey = 4
    };

    enum SelectMode
    {
        single = ResultSelection::single,
        toggle = ResultSelection::toggle,
        range = ResultSelection::range
    };

    /** One row (editor/browser/ResultButton.h). */
    using ResultButton = ::ResultButton;
    /** The rows' look. */
    using ResultLF = ResultButton::RowLookAndFeel;

    static constexpr int rowHeight = ResultGrid::rowHeight;
    static constexpr juce::uint32 backgroundColour = 0xFFE3E3E3;

    /** Message thread. */
    explicit ContentResults (Owner& owner);
    ~ContentResults() override;

    //==============================================================================
    /** Message thread: rebuilds the rows from the owner's unfiltered items, keeping selected
        the items that stay (the last of them in display order becomes current). Also the
        asynchronous update. */
    void refilter();
    /** Message thread: replaces all rows by exactly these items; nothing selected. */
    void showItems (const juce::Array<ContentItem*>& items);
    /** Message thread: adds one row in its place (an item that has one is only selected when
        asked) and lays out on the next turn; with select the row is added to the selection (a
        row already selected stays so) and becomes current. Its cost does not grow with the
        number of rows beyond a binary search and a share of one pass per turn. */
    void addItem (ContentItem* item, bool select = false);
    /** Message thread: removes the item's row. */
    void removeItem (ContentItem* item);
    /** Message thread: removes the rows of these items in one pass over the rows. */
    void removeItems (const juce::Array<ContentItem*>& items);
    /** Message thread: removes the rows of read-only items. */
    void removeReadOnlyItems();
    /** Message thread: removes every row and deselects. */
    void clear();

    /** Message thread: no current item, nothing selected. */
    void deselectAll();
    /** Message thread: a null item or exclusive deselects all first; then, when the item has a
        row, selects it in toggle mode without a click trigger. */
    void selectItem (ContentItem* item, bool exclusive, bool notify);
    /** Message thread: makes index current and changes the selection by mode (a SelectMode;
        toggle and range only with multiple selection), scrolls it into view and, with notify,
        tells the listeners of trigger. */
    void selectIndex (int index, int mode, int trigger, bool notify);
    /** Message thread: the next row (mode as above); false when there are no rows. */
    bool selectNext (int mode);
    bool selectPrevious (int mode);
    /** Message thread: one column on; false when there are no rows. */
    bool selectNextColumn (int mode);
    bool selectPreviousColumn (int mode);

    /** The selected items, in display order. */
    juce::Array<ContentItem*> getSelectedItems() const;
    ContentItem* getCurrentItem() const noexcept { return selection.getCurrentItem(); }
    int getSelectedCount() const noexcept { return selection.getSelectedCount(); }
    bool isSelected (int index) const;

    /** Message thread: switching multiple selection off keeps only the current item. */
    void setMultiSelect (bool shouldAllow);
    bool isMultiSelect() const noexcept { return selection.isMultiSelect(); }

    /** Message thread: the header's expand/collapse toggle, which the browser listens to. */
    void setExpandToggle (bool on, juce::NotificationType notification);
    juce::Button& getExpandButton() noexcept { return expandButton; }
    HeaderComponent& getHeader() noexcept { return header; }

    //==============================================================================
    /** Message thread: opens the rename field over the current item's row (with its name
        unless keepText). */
    void startRename (bool keepText);
    /** Message thread: closes the rename field; with commit, renames the item when the new name
        is acceptable (else warns and lets the user edit it again). */
    void finishRename (bool commit);
    bool isRenaming() const noexcept { return rename.isRenaming(); }
    ContentItem* getRenamingItem() const noexcept { return rename.getRenamingItem(); }
    juce::TextEditor& getRenameEditor() noexcept { return rename.getEditor(); }
    /** The open rename warning, or null. */
    Orvik::AlertWindow* getWarning() const noexcept { return warning.get(); }

    /** Whether item may be renamed to name: a name the file system takes as it is (not empty,
        ".", "..", no path separators, control or bidirectional control characters, nothing
        the source would have to change), that no other item of its source has, letter case
        ignored, and that the source accepts. */
    static bool isAcceptableNewName (const ContentItem& item, const juce::String& name);

    //==============================================================================
    /** The order of rows: natural (runs of digits by value), case ignored. */
    static bool isInDisplayOrder (const juce::String& first, const juce::String& second);
    /** Message thread: sorts the rows by name, then lays them out. */
    void sortResults();
    /** Message thread: columns and rows from the viewport's size; places the rows in view. */
    void updateLayout();
    /** Message thread: scrolls the current item's column into view. */
    void scrollToCurrent();

    int getNumResults() const noexcept { return grid.size(); }
    ContentItem* getItem (int index) const;
    /** The row index of an item, or -1. */
    int indexOf (const ContentItem* item) const;
    /** The row's button while it is in view (null otherwise); lays out what is pending. */
    ResultButton* getButton (int index);
    /** Where a row lies in the scrolled content (empty before the first layout). */
    juce::Rectangle<int> getRowBounds (int index) const;

    int getRowsPerColumn() const noexcept { return grid.getRowsPerColumn(); }
    int getColumnWidth() const noexcept { return grid.getColumnWidth(); }
    static constexpr int minColumnWidth = ResultGrid::minColumnWidth;
    juce::Viewport& getViewport()
    {
        flushLayout();
        return grid;
    }
    juce::Component& getContent()
    {
        flushLayout();
        return grid.getContent();
    }
    /** Rows visited by sorting, layout and look-ups so far (see ResultGrid::getRowVisits). */
    juce::int64 getRowVisits() const noexcept { return grid.getRowVisits(); }
    /** Message thread: the layout and scrolling that rows added or removed left pending. */
    void flushLayout();

    void addListener (Listener* listener) { listeners.add (listener); }
    void removeListener (Listener* listener) { listeners.remove (listener); }

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;
    void lookAndFeelChanged() override;
    bool keyPressed (const juce::KeyPress& key) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDoubleClick (const juce::MouseEvent& e) override;
    void buttonClicked (juce::Button* button) override;
    void textEditorReturnKeyPressed (juce::TextEditor& editor) override;
    void textEditorEscapeKeyPressed (juce::TextEditor& editor) override;
    void textEditorFocusLost (juce::TextEditor& editor) override;
    void alertWindowClosed (Orvik::AlertWindow* alert, int kind) override;
    // Message thread.
    void handleAsyncUpdate() override;

private:
    /** Rows added or removed one at a time are laid out once, on the next turn of the message
        loop or when something needs the layout, whichever comes first. */
    struct PendingLayout : public juce::AsyncUpdater
    {
        explicit PendingLayout (ContentResults& r) : results (r) {}
        ~PendingLayout() override { cancelPendingUpdate(); }
        void handleAsyncUpdate() override { results.flushLayout(); }
        ContentResults& results;
    };

    void deferLayout();
    void eraseResult (int index);
    void endRenameWithoutWriting();
    void notifyClicked (int trigger);
    void notifySelectionChanged();

    Owner& owner;
    int mouseDownCount = 0;
    // The list is always shown: its arrow says so, and grows it over the filters when on.
    ExpandCollapseButton expandButton { ExpandCollapseButton::Look::shownWhenOff };
    HeaderComponent header { "RESULTS", &expandButton, nullptr };
    ResultGrid grid { *this };
    ResultSelection selection { grid };
    ResultRename rename { *this, grid };
    ListenerArray<Listener> listeners;
    std::unique_ptr<Orvik::AlertWindow> warning;
    PendingLayout pendingLayout { *this };
    bool layoutPending = false, scrollPending = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ContentResults)
};
