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
}

void ResultGrid::erase (int index)
{
    rows.erase (rows.begin() + index);
}

void ResultGrid::removeAll()
{
    // Last first: each button leaves the end of the content's child list.
    while (! rows.empty())
        rows.pop_back();

    placedRows = {};
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
}

ContentItem* ResultGrid::getItem (int index) const
{
    return juce::isPositiveAndBelow (index, size()) ? rows[(size_t) index]->item : nullptr;
}

int ResultGrid::indexOf (const ContentItem* item) const
{
    if (item == nullptr)
        return -1;

    for (size_t i = 0; i < rows.size(); ++i)
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

    for (auto& row : rows)
        if (row->button != nullptr)
            row->button->setVisible (false);

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

void ResultGrid::placeRowsInView()
{
    if (rowsPerColumn <= 0 || columnWidth <= 0 || rows.empty())
        return;

    const auto view = getViewArea();
    const int firstColumn = juce::jmax (0, (view.getX() - contentOffset.x) / columnWidth);
    const int lastColumn = juce::jmax (0, (view.getRight() - 1 - contentOffset.x) / columnWidth);
    const juce::Range<int> inView (juce::jmin (firstColumn * rowsPerColumn, size()),
                                   juce::jmin ((lastColumn + 1) * rowsPerColumn, size()));

    for (int i = placedRows.getStart(); i < placedRows.getEnd(); ++i)
        if (! inView.contains (i))
            if (auto& button = rows[(size_t) i]->button)
                button->setVisible (false);

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
