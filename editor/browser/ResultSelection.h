#pragma once

#include "editor/browser/ResultGrid.h"

/** The result list's current row and selection: single, toggle (Ctrl or Cmd) and range (Shift,
    from the row last chosen alone or toggled) selection, the rows the arrow keys lead to, and
    the row flags and button states that show it. Message thread only. */
class ResultSelection
{
public:
    enum Mode
    {
        single = 0,
        toggle = 1,
        range = 2
    };

    explicit ResultSelection (ResultGrid& rows);

    /** The mode a click with these modifiers selects in; Cmd toggles as Ctrl does. */
    static int getClickMode (const juce::ModifierKeys& mods);
    /** The mode an arrow key with these modifiers moves in. */
    static int getKeyMode (const juce::ModifierKeys& mods);

    /** Makes index current and changes the selection by mode (toggle and range only with
        multiple selection); false for a row that does not exist. */
    bool select (int index, int mode);
    void setSelected (int index, bool on);
    bool isSelected (int index) const;
    /** No current item, nothing selected. */
    void deselectAll();
    /** The selected items, in display order. */
    juce::Array<ContentItem*> getSelectedItems() const;
    /** A row added selected: it is counted and becomes current. */
    void addSelected (ContentItem* item) noexcept
    {
        ++selectedCount;
        currentItem = item;
    }
    /** Before the row goes: its selection and current state go with it. */
    void forgetRow (int index);
    /** Indices of an earlier selection mean nothing once the rows change. */
    void forgetAnchor() noexcept { anchorIndex = rangeEndIndex = -1; }

    /** Where a move by one row or one column leads from the current row (the first row when
        none is current), or -1 when it leads nowhere. */
    int getRowBelow() const;
    int getRowAbove() const;
    int getColumnRight() const;
    int getColumnLeft() const;

    ContentItem* getCurrentItem() const noexcept { return currentItem; }
    void setCurrentItem (ContentItem* item) noexcept { currentItem = item; }
    int getSelectedCount() const noexcept { return selectedCount; }
    bool isMultiSelect() const noexcept { return multiSelect; }
    void setMultiSelect (bool shouldAllow) noexcept { multiSelect = shouldAllow; }

private:
    ResultGrid& rows;
    ContentItem* currentItem = nullptr;
    int selectedCount = 0;
    int anchorIndex = -1;
    int rangeEndIndex = -1;
    bool multiSelect = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ResultSelection)
};
