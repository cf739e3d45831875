#include "editor/browser/ResultSelection.h"

ResultSelection::ResultSelection (ResultGrid& grid)
    : rows (grid)
{
}

int ResultSelection::getClickMode (const juce::ModifierKeys& mods)
{
    // Cmd-click toggles as well as Ctrl-click: Mac users expect the former.
    return mods.isShiftDown()                         ? range
        : (mods.isCtrlDown() || mods.isCommandDown()) ? toggle
                                                      : single;
}

int ResultSelection::getKeyMode (const juce::ModifierKeys& mods)
{
    return mods.isShiftDown() ? range : single;
}

bool ResultSelection::select (int index, int mode)
{
    const int count = rows.size();

    if (! juce::isPositiveAndBelow (index, count))
        return false;

    currentItem = rows.getRow (index).item;
    const int effectiveMode = multiSelect ? mode : single;

    if (effectiveMode == single)
    {
        for (int i = 0; i < count; ++i)
            setSelected (i, i == index);

        anchorIndex = index;
        rangeEndIndex = -1;
    }
    else if (effectiveMode == toggle)
    {
        anchorIndex = index;
        rangeEndIndex = -1;

        if (! rows.getRow (index).selected)
            setSelected (index, true);
        else if (selectedCount >= 2)
            setSelected (index, false);   // the last selected row stays selected
    }
    else if (juce::isPositiveAndBelow (anchorIndex, count))
    {
        if (rangeEndIndex < 0)
        {
            for (int i = 0; i < count; ++i)
                setSelected (i, false);
        }
        else
        {
            const auto end = juce::jmin (rangeEndIndex, count - 1);

            for (int i = juce::jmin (anchorIndex, end); i <= juce::jmax (anchorIndex, end); ++i)
                setSelected (i, false);
        }

        rangeEndIndex = index;

        for (int i = juce::jmin (anchorIndex, index); i <= juce::jmax (anchorIndex, index); ++i)
            setSelected (i, true);
    }

    return true;
}

void ResultSelection::setSelected (int index, bool on)
{
    auto& row = rows.getRow (index);

    if (row.selected != on)
    {
        row.selected = on;
        selectedCount += on ? 1 : -1;
    }

    if (row.button != nullptr)
        row.button->setToggleState (on, juce::dontSendNotification);
}

bool ResultSelection::isSelected (int index) const
{
    return juce::isPositiveAndBelow (index, rows.size()) && rows.getRow (index).selected;
}

void ResultSelection::deselectAll()
{
    currentItem = nullptr;

    for (int i = 0; i < rows.size(); ++i)
        setSelected (i, false);

    selectedCount = 0;
    forgetAnchor();
}

juce::Array<ContentItem*> ResultSelection::getSelectedItems() const
{
    juce::Array<ContentItem*> selected;

    for (int i = 0; i < rows.size(); ++i)
        if (rows.getRow (i).selected)
            selected.add (rows.getRow (i).item);

    return selected;
}

void ResultSelection::forgetRow (int index)
{
    const auto& row = rows.getRow (index);

    if (row.selected)
        --selectedCount;

    if (row.item == currentItem)
        currentItem = nullptr;
}

//==============================================================================
int ResultSelection::getRowBelow() const
{
    const auto index = rows.indexOf (currentItem);
    return index < 0 ? 0 : juce::jmin (index + 1, rows.size() - 1);
}

int ResultSelection::getRowAbove() const
{
    const auto index = rows.indexOf (currentItem);
    return index < 0 ? 0 : juce::jmax (index - 1, 0);
}

int ResultSelection::getColumnRight() const
{
    const auto index = rows.indexOf (currentItem);
    const auto rowsPerColumn = rows.getRowsPerColumn();

    if (index < 0)
        return 0;

    if (rowsPerColumn <= 0)
        return -1;

    const auto lastColumn = (rows.size() + rowsPerColumn - 1) / rowsPerColumn - 1;
    return index / rowsPerColumn < lastColumn ? juce::jmin (index + rowsPerColumn, rows.size() - 1) : -1;
}

int ResultSelection::getColumnLeft() const
{
    const auto index = rows.indexOf (currentItem);
    const auto rowsPerColumn = rows.getRowsPerColumn();

    if (index < 0)
        return 0;

    return rowsPerColumn > 0 && index >= rowsPerColumn ? index - rowsPerColumn : -1;
}
