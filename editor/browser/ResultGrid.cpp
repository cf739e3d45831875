#include "editor/browser/ResultGrid.h"
#include <algorithm>

ResultGrid::ResultGrid (juce::MouseListener& listener)
    : rowMouseListener (listener)
{
    // The rows keep the scroll bar's room; the bar itself shows only with columns to scroll to.
    setScrollBarsShown (false, true);
    getHorizontalScrollBar().setAutoHide (true);
    setWantsKeyboardFocus (false);
    setViewedComponent (&content, false);
}

ResultGrid::~ResultGrid()
{
    removeAll();
    setViewedComponent (nullptr, false);
}

void ResultGrid::append (ContentItem* item)
{
    auto row = std::make_unique<Row>();
    row->item = item;
    row->readOnly = item->isReadOnly();
    rows.push_back (std::move (row));
    members.insert (item);
}

int ResultGrid::insertSorted (ContentItem* item)
{
    auto row = std::make_unique<Row>();
    row->item = item;
    row->readOnly = item->isReadOnly();

    const auto at = std::upper_bound (rows.begin(), rows.end(), item->name, [this] (const juce::String& name, const std::unique_ptr<Row>& r) {
        ++rowVisits;
        return isInDisplayOrder (name, r->item->name);
    });
    const auto index = (int) (at - rows.begin());
    rows.insert (at, std::move (row));
    members.insert (item);

    // The rows at and after the new one moved down by one.
    if (index < placedRows.getEnd())
        placedRows.setEnd (placedRows.getEnd() + 1);

    return index;
}

void ResultGrid::erase (int index)
{
    members.erase (rows[(size_t) index]->item);
    rows.erase (rows.begin() + index);

    // The rows after it moved up by one.
    if (index < placedRows.getEnd())
        placedRows = { juce::jmax (0, placedRows.getStart() - 1), placedRows.getEnd() - 1 };
}

void ResultGrid::eraseAll (const juce::Array<ContentItem*>& items)
{
    std::unordered_set<const ContentItem*> gone;

    for (auto* item : items)
        if (members.erase (item) != 0)
            gone.insert (item);

    if (gone.empty())
        return;

    rows.erase (std::remove_if (rows.begin(), rows.end(), [&gone] (const std::unique_ptr<Row>& row) { return gone.count (row->item) != 0; }),
                rows.end());
    rowVisits += (juce::int64) rows.size();
    placedRowsScattered = true;
}

void ResultGrid::removeAll()
{
    // Last first: each button leaves the end of the content's child list.
    while (! rows.empty())
        rows.pop_back();

    members.clear();
    placedRows = {};
    placedRowsScattered = false;
}

bool ResultGrid::isInDisplayOrder (const juce::String& first, const juce::String& second)
{
    return first.compareNatural (second, false) < 0;
}

void ResultGrid::sortByName()
{
    // A stable merge sort stays within the rows even where the natural comparison of odd names
    // is not a strict order (the unguarded insertion of std::sort would not).
    std::stable_sort (rows.begin(), rows.end(), [] (const std::unique_ptr<Row>& a, const std::unique_ptr<Row>& b) {
        return isInDisplayOrder (a->item->name, b->item->name);
    });

    rowVisits += (juce::int64) rows.size();
    placedRowsScattered = true;
}

ContentItem* ResultGrid::getItem (int index) const
{
    return juce::isPositiveAndBelow (index, size()) ? rows[(size_t) index]->item : nullptr;
}

int ResultGrid::indexOf (const ContentItem* item) const
{
    if (item == nullptr || ! contains (item))
        return -1;

    // Sorted rows: the first row not before the name, then its equals.
    auto i = (size_t) (std::lower_bound (rows.begin(), rows.end(), item->name, [this] (const std::unique_ptr<Row>& r, const juce::String& name) {
                           ++rowVisits;
                           return isInDisplayOrder (r->item->name, name);
                       })
                       - rows.begin());

    for (; i < rows.size() && ! isInDisplayOrder (item->name, rows[i]->item->name); ++i, ++rowVisits)
        if (rows[i]->item == item)
            return (int) i;

    // Not in order (a name changed by a rename that is not sorted in yet).
    for (i = 0; i < rows.size(); ++i, ++rowVisits)
        if (rows[i]->item == item)
            return (int) i;

    return -1;
}

ResultButton* ResultGrid::getButton (int index) const
{
    if (! juce::isPositiveAndBelow (index, size()))
        return nullptr;

    auto* button = rows[(size_t) index]->button.get();
    return button != nullptr && button->isVisible() ? button : nullptr;
}

//==============================================================================
void ResultGrid::updateLayout()
{
    const int viewWidth = getWidth();
    const int h = getHeight() - getScrollBarThickness();
    rowsPerColumn = juce::jmax (0, h / rowHeight);
    const int columns = juce::jmax (1, viewWidth / minColumnWidth);
    columnWidth = viewWidth / columns;

    hidePlacedRows ({});
    placedRows = {};

    if (h < rowHeight)
    {
        content.setSize (0, 0);
        return;
    }

    const int numColumns = (size() + rowsPerColumn - 1) / rowsPerColumn;
    // The spare pixels centre the grid; the offset lies inside the content, so it scrolls along.
    contentOffset = { (viewWidth - columns * columnWidth) / 2, (h - rowsPerColumn * rowHeight) / 2 };
    content.setSize (contentOffset.x + numColumns * columnWidth, contentOffset.y + rowsPerColumn * rowHeight);
    placeRowsInView();
}

juce::Point<int> ResultGrid::getRowPosition (int index) const
{
    return contentOffset + juce::Point<int> ((index / rowsPerColumn) * columnWidth, (index % rowsPerColumn) * rowHeight);
}

juce::Rectangle<int> ResultGrid::getRowBounds (int index) const
{
    if (rowsPerColumn <= 0 || ! juce::isPositiveAndBelow (index, size()))
        return {};

    const auto position = getRowPosition (index);
    return { position.x, position.y, columnWidth, rowHeight };
}

void ResultGrid::hidePlacedRows (juce::Range<int> except)
{
    if (placedRowsScattered)
    {
        placedRowsScattered = false;
        placedRows = { 0, size() };
    }

    const auto end = juce::jmin (placedRows.getEnd(), size());

    for (int i = placedRows.getStart(); i < end; ++i, ++rowVisits)
        if (! except.contains (i))
            if (auto& button = rows[(size_t) i]->button)
                button->setVisible (false);
}

void ResultGrid::placeRowsInView()
{
    if (rowsPerColumn <= 0 || columnWidth <= 0 || rows.empty())
        return;

    const auto view = getViewArea();
    const int firstColumn = juce::jmax (0, (view.getX() - contentOffset.x) / columnWidth);
    const int lastColumn = juce::jmax (0, (view.getRight() - 1 - contentOffset.x) / columnWidth);
    const juce::Range<int> inView (juce::jmin (firstColumn * rowsPerColumn, size()),
                                   juce::jmin ((lastColumn + 1) * rowsPerColumn, size()));

    hidePlacedRows (inView);

    for (int i = inView.getStart(); i < inView.getEnd(); ++i)
    {
        auto& row = *rows[(size_t) i];

        if (row.button == nullptr)
        {
            row.button = std::make_unique<ResultButton> (*row.item, row.readOnly);
            row.button->setLookAndFeel (&rowLookAndFeel);
            row.button->addMouseListener (&rowMouseListener, false);
            row.button->setToggleState (row.selected, juce::dontSendNotification);
            content.addChildComponent (*row.button);
        }

        row.button->setBounds (getRowBounds (i));
        row.button->setVisible (true);
    }

    placedRows = inView;
}

void ResultGrid::scrollToRow (int index)
{
    const auto row = getRowBounds (index);

    if (row.isEmpty())
        return;

    const auto view = getViewArea();

    if (row.getX() < view.getX())
        setViewPosition (row.getX(), 0);
    else if (row.getRight() > view.getRight())
        setViewPosition (row.getRight() - view.getWidth(), 0);
}

void ResultGrid::visibleAreaChanged (const juce::Rectangle<int>&)
{
    placeRowsInView();
}
