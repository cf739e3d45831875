#pragma once

#include "core/content/ContentSource.h"
#include "core/parameters/ListenerArray.h"
#include "editor/windows/AlertWindow.h"
#include "editor/browser/ExpandCollapseButton.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/HeaderComponent.h"
#include <memory>
#include <vector>

/** The browser's "RESULTS" panel: the items that pass the filters, one row each, sorted by name
    (natural order, case ignored) and laid out in columns of 20-pixel rows that scroll
    sideways. It keeps a current item and a selection, moves them with the mouse and the arrow
    keys, tells its listeners of clicks, and renames an item in place.

    Rows are made and laid out only while they are in view, so the cost of painting and
    scrolling does not grow with the number of items.

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
        single = 0,
        toggle = 1,
        range = 2
    };

    /** One row: a text button that never takes the focus and whose toggle state (set only by
        the list) is the row's selected state. */
    class ResultButton : public juce::TextButton
    {
    public:
        ResultButton (ContentItem& item, bool readOnly);

        ContentItem* const item;
        const bool readOnly;

        void paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override;

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ResultButton)
    };

    /** The rows' look: a tinted fill when on, nothing when off; the text is the row's own. */
    class ResultLF : public DefaultLookAndFeel
    {
    public:
        static constexpr juce::uint32 selectedFill = 0xFFE85100;

        void drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                                   bool isMouseOverButton, bool isButtonDown) override;
        void drawButtonText (juce::Graphics& g, juce::TextButton& button,
                             bool isMouseOverButton, bool isButtonDown) override;
    };

    static constexpr int rowHeight = 20;
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
    /** Message thread: adds one row (ignored when the item has one), re-sorts and lays out. */
    void addItem (ContentItem* item);
    /** Message thread: removes the item's row. */
    void removeItem (ContentItem* item);
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
    ContentItem* getCurrentItem() const noexcept { return currentItem; }
    int getSelectedCount() const noexcept { return selectedCount; }
    bool isSelected (int index) const;

    /** Message thread: switching multiple selection off keeps only the current item. */
    void setMultiSelect (bool shouldAllow);
    bool isMultiSelect() const noexcept { return multiSelect; }

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
    bool isRenaming() const noexcept { return renameEditor.isVisible(); }
    ContentItem* getRenamingItem() const noexcept { return renamingItem; }
    juce::TextEditor& getRenameEditor() noexcept { return renameEditor; }
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

    int getNumResults() const noexcept { return (int) results.size(); }
    ContentItem* getItem (int index) const;
    /** The row index of an item, or -1. */
    int indexOf (const ContentItem* item) const;
    /** The row's button while it is in view (null otherwise). */
    ResultButton* getButton (int index) const;
    /** Where a row lies in the scrolled content (empty before the first layout). */
    juce::Rectangle<int> getRowBounds (int index) const;

    int getRowsPerColumn() const noexcept { return rowsPerColumn; }
    int getColumnWidth() const noexcept { return columnWidth; }
    static constexpr int minColumnWidth = 160;
    juce::Viewport& getViewport() noexcept { return viewport; }
    juce::Component& getContent() noexcept { return content; }

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
    struct Result
    {
        ContentItem* item;
        bool readOnly;
        bool selected = false;
        std::unique_ptr<ResultButton> button;   // made when the row first comes into view
    };

    class ResultsViewport : public juce::Viewport
    {
    public:
        explicit ResultsViewport (ContentResults& owner);
        void visibleAreaChanged (const juce::Rectangle<int>& area) override;

    private:
        ContentResults& owner;
    };

    void appendResult (ContentItem* item);
    void deleteResults();
    void eraseResult (int index);
    void setSelected (int index, bool on);
    void placeRowsInView();
    void endRenameWithoutWriting();
    void notifyClicked (int trigger);
    void notifySelectionChanged();
    juce::Point<int> getRowPosition (int index) const;

    Owner& owner;
    // The rows' look outlives the rows that wear it.
    ResultLF resultLF;
    std::vector<std::unique_ptr<Result>> results;
    ContentItem* currentItem = nullptr;
    ContentItem* renamingItem = nullptr;
    int selectedCount = 0;
    int anchorIndex = -1;
    int rangeEndIndex = -1;
    int rowsPerColumn = 0;
    int columnWidth = 0;
    juce::Point<int> contentOffset;
    juce::Range<int> placedRows;
    bool multiSelect = false;
    int mouseDownCount = 0;
    ExpandCollapseButton expandButton;
    HeaderComponent header { "RESULTS", &expandButton, nullptr };
    ResultsViewport viewport { *this };
    juce::Component content;
    juce::TextEditor renameEditor;
    ListenerArray<Listener> listeners;
    std::unique_ptr<Orvik::AlertWindow> warning;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ContentResults)
};
