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
    mergeAdded();
    auto row = std::make_unique<Row>();
    row->item = item;
    row->readOnly = item->isReadOnly();
    rows.push_back (std::move (row));
    members.insert (item);
}

void ResultGrid::add (ContentItem* item, bool selected)
{
    auto row = std::make_unique<Row>();
    row->item = item;
    row->readOnly = item->isReadOnly();
    row->selected = selected;
    adding.push_back (std::move (row));
    members.insert (item);
}

void ResultGrid::mergeAdded() const
{
    if (adding.empty())
        return;

    std::stable_sort (adding.begin(), adding.end(), [] (const std::unique_ptr<Row>& a, const std::unique_ptr<Row>& b) {
        return isInDisplayOrder (a->item->name, b->item->name);
    });

    // Where each goes among the rows (after rows of an equal name), by binary search.
    std::vector<size_t> at (adding.size());
    auto from = rows.begin();

    for (size_t k = 0; k < adding.size(); ++k)
    {
        from = std::upper_bound (from, rows.end(), adding[k]->item->name, [this] (const juce::String& name, const std::unique_ptr<Row>& r) {
            ++rowVisits;
            return isInDisplayOrder (name, r->item->name);
        });
        at[k] = (size_t) (from - rows.begin());
    }

    // From the back: each old row moves once, by the number of new rows before it.
    const auto oldSize = rows.size();
    rows.resize (oldSize + adding.size());
    auto end = oldSize;

    for (auto k = adding.size(); k-- > 0;)
    {
        for (auto i = end; i-- > at[k];)
            rows[i + k + 1] = std::move (rows[i]);

        end = at[k];
        rows[at[k] + k] = std::move (adding[k]);
    }

    rowVisits += (juce::int64) adding.size();
    adding.clear();
}

void ResultGrid::erase (int index)
{
    mergeAdded();
    auto* row = rows[(size_t) index].get();
    placed.erase (std::remove (placed.begin(), placed.end(), row), placed.end());
    retireButton (*row);
    members.erase (row->item);
    rows.erase (rows.begin() + index);
}

void ResultGrid::eraseAll (const juce::Array<ContentItem*>& items)
{
    // The rows found by name, then one compaction from the first of them: the rows between
    // are moved, never read.
    mergeAdded();
    std::vector<int> gone;
    gone.reserve ((size_t) items.size());

    for (auto* item : items)
        if (const auto index = indexOf (item); index >= 0 && ! rows[(size_t) index]->erasing)
        {
            rows[(size_t) index]->erasing = true;
            gone.push_back (index);
        }

    if (gone.empty())
        return;

    std::sort (gone.begin(), gone.end());
    placed.erase (std::remove_if (placed.begin(), placed.end(), [] (const Row* row) { return row->erasing; }), placed.end());

    auto to = (size_t) gone.front();

    for (size_t k = 0; k < gone.size(); ++k)
    {
        members.erase (rows[(size_t) gone[k]]->item);
        retireButton (*rows[(size_t) gone[k]]);
        rows[(size_t) gone[k]].reset();
        const auto end = k + 1 < gone.size() ? (size_t) gone[k + 1] : rows.size();

        for (auto from = (size_t) gone[k] + 1; from < end; ++from)
            rows[to++] = std::move (rows[from]);
    }

    rows.resize (to);
    rowVisits += (juce::int64) gone.size();
}

void ResultGrid::removeAll()
{
    releasePlacedRows();
    spareButtons.clear();
    rows.clear();
    adding.clear();
    members.clear();
}

bool ResultGrid::isInDisplayOrder (const juce::String& first, const juce::String& second)
{
    return first.compareNatural (second, false) < 0;
}

void ResultGrid::sortByName()
{
    mergeAdded();
    // A stable merge sort stays within the rows even where the natural comparison of odd names
    // is not a strict order (the unguarded insertion of std::sort would not).
    std::stable_sort (rows.begin(), rows.end(), [] (const std::unique_ptr<Row>& a, const std::unique_ptr<Row>& b) {
        return isInDisplayOrder (a->item->name, b->item->name);
    });

    rowVisits += (juce::int64) rows.size();
}

ContentItem* ResultGrid::getItem (int index) const
{
    mergeAdded();
    return juce::isPositiveAndBelow (index, size()) ? rows[(size_t) index]->item : nullptr;
}

int ResultGrid::indexOf (const ContentItem* item) const
{
    if (item == nullptr || ! contains (item))
        return -1;

    mergeAdded();

    // A delete or a selection asks for rows in their order: the next one is mostly beside the last.
    for (const auto guess : { lastFound + 1, lastFound, lastFound - 1 })
    {
        if (juce::isPositiveAndBelow (guess, (int) rows.size()))
        {
            ++rowVisits;

            if (rows[(size_t) guess]->item == item)
                return lastFound = guess;
        }
    }

    // Sorted rows: the first row not before the name, then its equals.
    auto i = (size_t) (std::lower_bound (rows.begin(), rows.end(), item->name, [this] (const std::unique_ptr<Row>& r, const juce::String& name) {
                           ++rowVisits;
                           return isInDisplayOrder (r->item->name, name);
                       })
                       - rows.begin());

    for (; i < rows.size() && ! isInDisplayOrder (item->name, rows[i]->item->name); ++i, ++rowVisits)
        if (rows[i]->item == item)
            return lastFound = (int) i;

    // Not in order (a name changed by a rename that is not sorted in yet).
    for (i = 0; i < rows.size(); ++i, ++rowVisits)
        if (rows[i]->item == item)
            return lastFound = (int) i;

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
    mergeAdded();
    const int viewWidth = getWidth();
    const int h = getHeight() - getScrollBarThickness();
    rowsPerColumn = juce::jmax (0, h / rowHeight);
    const int columns = juce::jmax (1, viewWidth / minColumnWidth);
    columnWidth = viewWidth / columns;

    if (h < rowHeight)
    {
        releasePlacedRows();
        spareButtons.clear();
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

void ResultGrid::releasePlacedRows()
{
    for (auto* row : placed)
        retireButton (*row);

    rowVisits += (juce::int64) placed.size();
    placed.clear();
}

void ResultGrid::retireButton (Row& row)
{
    if (row.button == nullptr)
        return;

    row.button->setVisible (false);
    spareButtons.push_back (std::move (row.button));
}

void ResultGrid::placeRowsInView()
{
    mergeAdded();
    if (rowsPerColumn <= 0 || columnWidth <= 0 || rows.empty())
        return;

    const auto view = getViewArea();
    const int firstColumn = juce::jmax (0, (view.getX() - contentOffset.x) / columnWidth);
    const int lastColumn = juce::jmax (0, (view.getRight() - 1 - contentOffset.x) / columnWidth);
    const juce::Range<int> inView (juce::jmin (firstColumn * rowsPerColumn, size()),
                                   juce::jmin ((lastColumn + 1) * rowsPerColumn, size()));

    // The rows that stay in view keep their buttons; those that left give theirs to the rows
    // that came (with the buttons of rows removed since the last placing).
    ++placeStamp;

    for (int i = inView.getStart(); i < inView.getEnd(); ++i)
        rows[(size_t) i]->placedStamp = placeStamp;

    for (auto* row : placed)
        if (row->placedStamp != placeStamp)
            retireButton (*row);

    rowVisits += (juce::int64) placed.size();
    placed.clear();
    placed.reserve ((size_t) inView.getLength());

    for (int i = inView.getStart(); i < inView.getEnd(); ++i)
    {
        auto& row = *rows[(size_t) i];
        placed.push_back (&row);
        ++rowVisits;

        if (row.button == nullptr && ! spareButtons.empty())
        {
            row.button = std::move (spareButtons.back());
            spareButtons.pop_back();
            row.button->show (*row.item, row.readOnly);
        }
        else if (row.button == nullptr)
        {
            row.button = std::make_unique<ResultButton> (*row.item, row.readOnly);
            row.button->setLookAndFeel (&rowLookAndFeel);
            row.button->addMouseListener (&rowMouseListener, false);
            content.addChildComponent (*row.button);
        }

        row.button->setToggleState (row.selected, juce::dontSendNotification);
        row.button->setBounds (getRowBounds (i));
        row.button->setVisible (true);
    }

    // What no row took goes.
    spareButtons.clear();
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
