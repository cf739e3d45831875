#pragma once

#include "editor/browser/ResultButton.h"
#include <memory>
#include <unordered_set>
#include <vector>

/** The rows of the result list in display order, laid out in columns of fixed-height rows that
    scroll sideways in this viewport. Only the rows in view have buttons: a row coming into view
    takes the button of one that left (or a new one), so the cost of painting, scrolling and
    removing rows does not grow with the number of items. Message thread only. */
class ResultGrid : public juce::Viewport
{
public:
    static constexpr int rowHeight = 20;
    static constexpr int minColumnWidth = 160;

    struct Row
    {
        ContentItem* item;
        bool readOnly;
        bool selected = false;
        std::unique_ptr<ResultButton> button;   // while the row is in view
        // Marks used by one pass at a time (placing, erasing).
        juce::uint32 placedStamp = 0;
        bool erasing = false;
    };

    /** rowMouseListener hears the mouse on every row's button. */
    explicit ResultGrid (juce::MouseListener& rowMouseListener);
    ~ResultGrid() override;

    /** Adds a row at the end; sortByName and updateLayout put it in its place. */
    void append (ContentItem* item);
    /** Adds a row where it belongs in rows sorted by name (after rows of an equal name, in the
        order of adding). Rows added between two looks at the rows join them in one merge, so
        adding many costs a binary search each and one pass over the rows, not a shift each. */
    void add (ContentItem* item, bool selected);
    void erase (int index);
    /** Erases the rows of these items in one pass, which reads only those rows (the others
        merely move up). */
    void eraseAll (const juce::Array<ContentItem*>& items);
    void removeAll();

    /** The order of rows: natural (runs of digits by value), case ignored. */
    static bool isInDisplayOrder (const juce::String& first, const juce::String& second);
    void sortByName();

    bool contains (const ContentItem* item) const { return members.count (item) != 0; }
    int size() const
    {
        mergeAdded();
        return (int) rows.size();
    }
    bool isEmpty() const { return size() == 0; }
    Row& getRow (int index)
    {
        mergeAdded();
        return *rows[(size_t) index];
    }
    const Row& getRow (int index) const
    {
        mergeAdded();
        return *rows[(size_t) index];
    }
    ContentItem* getItem (int index) const;
    /** The row index of an item, or -1: found by its name while the rows are sorted, first
        looked for beside the last one found (items are often asked for in the list's order). */
    int indexOf (const ContentItem* item) const;
    /** The row's button while it is in view (null otherwise). */
    ResultButton* getButton (int index) const;
    /** Where a row lies in the scrolled content (empty before the first layout). */
    juce::Rectangle<int> getRowBounds (int index) const;

    /** Columns and rows from the viewport's size; places the rows in view. */
    void updateLayout();
    void placeRowsInView();
    /** Scrolls the row's column into view. */
    void scrollToRow (int index);

    int getRowsPerColumn() const noexcept { return rowsPerColumn; }
    int getColumnWidth() const noexcept { return columnWidth; }
    juce::Component& getContent() noexcept { return content; }

    void visibleAreaChanged (const juce::Rectangle<int>& area) override;

    /** Rows visited by sorting, layout and look-ups so far: one added or removed row must not
        cost a pass over every row (tests and the benchmark read it). */
    juce::int64 getRowVisits() const noexcept { return rowVisits; }

private:
    juce::Point<int> getRowPosition (int index) const;
    void mergeAdded() const;
    /** The rows in view lose their buttons. */
    void releasePlacedRows();
    /** A row's button, hidden, waits for a row coming into view (placeRowsInView). */
    void retireButton (Row& row);

    juce::MouseListener& rowMouseListener;
    // The rows' look outlives the rows that wear it.
    ResultButton::RowLookAndFeel rowLookAndFeel;
    // Rows added and not merged yet are in adding (the merge keeps the rows' order).
    mutable std::vector<std::unique_ptr<Row>> rows, adding;
    int rowsPerColumn = 0;
    int columnWidth = 0;
    juce::Point<int> contentOffset;
    // The rows that have buttons (the rows in view at the last placing).
    std::vector<Row*> placed;
    juce::uint32 placeStamp = 0;
    // Buttons of rows that left the view or the list, handed to the rows that come into view
    // (a button made and deleted per row would cost each slice of a delete its view's rows).
    std::vector<std::unique_ptr<ResultButton>> spareButtons;
    std::unordered_set<const ContentItem*> members;
    mutable juce::int64 rowVisits = 0;
    // Where indexOf found its last item.
    mutable int lastFound = 0;
    juce::Component content;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ResultGrid)
};
