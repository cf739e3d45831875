#include "editor/browser/ContentResults.h"

ContentResults::ContentResults (Owner& o)
    : owner (o)
{
    setWantsKeyboardFocus (true);
    addAndMakeVisible (header);
    addAndMakeVisible (grid);

    rename.getEditor().addListener (this);
    addChildComponent (rename.getEditor());
}

ContentResults::~ContentResults()
{
    cancelPendingUpdate();
}

//==============================================================================
void ContentResults::endRenameWithoutWriting()
{
    rename.endWithoutWriting();
}

void ContentResults::refilter()
{
    const auto previous = getSelectedItems();
    endRenameWithoutWriting();
    grid.removeAll();
    deselectAll();

    // Edit Mode lists only what it can change.
    const bool editing = owner.isEditMode();

    for (auto* item : owner.getItems())
        if (item != nullptr && ! item->filteredOut && ! (editing && item->isReadOnly()))
            grid.append (item);

    sortResults();

    for (int i = 0; i < getNumResults(); ++i)
    {
        if (previous.contains (grid.getItem (i)))
        {
            selection.setSelected (i, true);
            selection.setCurrentItem (grid.getItem (i));
        }
    }

    notifySelectionChanged();
}

void ContentResults::showItems (const juce::Array<ContentItem*>& items)
{
    endRenameWithoutWriting();
    grid.removeAll();
    deselectAll();

    for (auto* item : items)
        if (item != nullptr)
            grid.append (item);

    sortResults();
}

void ContentResults::addItem (ContentItem* item, bool select)
{
    if (item == nullptr)
        return;

    if (grid.contains (item))
    {
        if (! select)
            return;

        // A row already selected stays so and only becomes current: a toggle would take it out.
        if (const auto index = indexOf (item); ! isSelected (index))
            selectItem (item, false, false);
        else if (selection.setCurrentItem (item); layoutPending)
            scrollPending = true;
        else
            scrollToCurrent();

        return;
    }

    // In its place among sorted rows: an import of thousands adds them a slice at a time, and
    // the rows of a slice join the list in one merge.
    grid.add (item, select);

    if (select)
        selection.addSelected (item);

    selection.forgetAnchor();
    deferLayout();

    if (select)
        scrollPending = true;
}

void ContentResults::eraseResult (int index)
{
    if (grid.getItem (index) == rename.getRenamingItem())
        endRenameWithoutWriting();

    selection.forgetRow (index);
    grid.erase (index);
}

void ContentResults::removeItem (ContentItem* item)
{
    const auto index = indexOf (item);

    if (index < 0)
        return;

    eraseResult (index);
    selection.forgetAnchor();
    deferLayout();
}

void ContentResults::removeItems (const juce::Array<ContentItem*>& items)
{
    if (items.isEmpty())
        return;

    if (items.contains (rename.getRenamingItem()))
        endRenameWithoutWriting();

    for (auto* item : items)
        if (const auto index = indexOf (item); index >= 0)
            selection.forgetRow (index);

    grid.eraseAll (items);
    selection.forgetAnchor();
    deferLayout();
}

void ContentResults::removeReadOnlyItems()
{
    for (int i = getNumResults(); --i >= 0;)
        if (grid.getRow (i).readOnly)
            eraseResult (i);

    selection.forgetAnchor();
    updateLayout();
}

void ContentResults::clear()
{
    endRenameWithoutWriting();
    grid.removeAll();
    deselectAll();
    updateLayout();
}

//==============================================================================
bool ContentResults::isSelected (int index) const
{
    return selection.isSelected (index);
}

void ContentResults::deselectAll()
{
    selection.deselectAll();
}

void ContentResults::selectItem (ContentItem* item, bool exclusive, bool notify)
{
    if (item == nullptr || exclusive)
        deselectAll();

    const auto index = indexOf (item);

    if (index >= 0)
        selectIndex (index, toggle, keyboardMove, notify);
}

void ContentResults::selectIndex (int index, int mode, int trigger, bool notify)
{
    if (! selection.select (index, mode))
        return;

    if (layoutPending)
        scrollPending = true;
    else
        scrollToCurrent();

    if (notify)
        notifyClicked (trigger);
}

bool ContentResults::selectNext (int mode)
{
    if (grid.isEmpty())
        return false;

    selectIndex (selection.getRowBelow(), mode, keyboardMove, true);
    return true;
}

bool ContentResults::selectPrevious (int mode)
{
    if (grid.isEmpty())
        return false;

    selectIndex (selection.getRowAbove(), mode, keyboardMove, true);
    return true;
}

bool ContentResults::selectNextColumn (int mode)
{
    if (grid.isEmpty())
        return false;

    selectIndex (selection.getColumnRight(), mode, keyboardMove, true);
    return true;
}

bool ContentResults::selectPreviousColumn (int mode)
{
    if (grid.isEmpty())
        return false;

    selectIndex (selection.getColumnLeft(), mode, keyboardMove, true);
    return true;
}

juce::Array<ContentItem*> ContentResults::getSelectedItems() const
{
    return selection.getSelectedItems();
}

void ContentResults::setMultiSelect (bool shouldAllow)
{
    if (selection.isMultiSelect() == shouldAllow)
        return;

    selection.setMultiSelect (shouldAllow);

    if (! shouldAllow)
        selectItem (getCurrentItem(), true, false);
}

void ContentResults::setExpandToggle (bool on, juce::NotificationType notification)
{
    expandButton.setToggleState (on, notification);
}

//==============================================================================
bool ContentResults::isAcceptableNewName (const ContentItem& item, const juce::String& name)
{
    return ResultRename::isAcceptableNewName (item, name);
}

void ContentResults::startRename (bool keepText)
{
    flushLayout();
    rename.start (getCurrentItem(), keepText);
}

void ContentResults::finishRename (bool commit)
{
    const auto outcome = rename.finish (commit);

    if (outcome == ResultRename::refused)
    {
        warning.reset();
        warning = Orvik::AlertWindow::showMessage (this, "Rename warning", "Item with this name already exists.",
                                                   owner.getWarningParent());
    }
    else if (outcome == ResultRename::failed)
    {
        warning.reset();
        warning = Orvik::AlertWindow::showMessage (this, "Rename failed", rename.getFailure(), owner.getWarningParent());
    }
    else if (outcome == ResultRename::renamed)
    {
        sortResults();
        scrollToCurrent();
    }
}

void ContentResults::alertWindowClosed (Orvik::AlertWindow* alert, int)
{
    if (alert != warning.get())
        return;

    warning.reset();

    if (getRenamingItem() != nullptr && getRenamingItem() == getCurrentItem())
        startRename (true);
}

//==============================================================================
bool ContentResults::isInDisplayOrder (const juce::String& first, const juce::String& second)
{
    return ResultGrid::isInDisplayOrder (first, second);
}

void ContentResults::sortResults()
{
    grid.sortByName();
    selection.forgetAnchor();
    updateLayout();
}

void ContentResults::updateLayout()
{
    layoutPending = false;
    pendingLayout.cancelPendingUpdate();
    grid.updateLayout();
}

void ContentResults::deferLayout()
{
    layoutPending = true;
    pendingLayout.triggerAsyncUpdate();
}

void ContentResults::flushLayout()
{
    if (layoutPending)
        updateLayout();

    if (scrollPending)
        scrollToCurrent();
}

void ContentResults::scrollToCurrent()
{
    if (layoutPending)
        updateLayout();

    scrollPending = false;
    grid.scrollToRow (indexOf (getCurrentItem()));
}

ContentItem* ContentResults::getItem (int index) const
{
    return grid.getItem (index);
}

int ContentResults::indexOf (const ContentItem* item) const
{
    return grid.indexOf (item);
}

ContentResults::ResultButton* ContentResults::getButton (int index)
{
    flushLayout();
    return grid.getButton (index);
}

juce::Rectangle<int> ContentResults::getRowBounds (int index) const
{
    return grid.getRowBounds (index);
}

//==============================================================================
void ContentResults::paint (juce::Graphics& g)
{
    const int top = grid.getY() - 2;
    g.setColour (juce::Colour (backgroundColour));
    g.fillRect (0, top, getWidth(), getHeight() - top);
}

void ContentResults::resized()
{
    const int y = header.isVisible() ? header.getHeight() + 3 : 3;
    grid.setBounds (2, y, juce::jmax (0, getWidth() - 4), juce::jmax (0, getHeight() - y));
    updateLayout();
    scrollToCurrent();
}

void ContentResults::lookAndFeelChanged()
{
    if (auto* lf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
        rename.getEditor().applyFontToAllText (lf->getPrimaryFont());

    updateLayout();
}

bool ContentResults::keyPressed (const juce::KeyPress& key)
{
    const auto code = key.getKeyCode();
    const auto mods = key.getModifiers();
    const int mode = ResultSelection::getKeyMode (mods);

    if (isRenaming())
    {
        // Return and Escape with modifiers pass the rename field by: they end the rename here
        // and go no further (a parent would close its window on Return).
        if (code == juce::KeyPress::returnKey || code == juce::KeyPress::escapeKey)
        {
            finishRename (code == juce::KeyPress::returnKey);
            return true;
        }

        return false;
    }

    // Down and Up move by row, Right and Left by column; Shift extends the range.
    using Move = bool (ContentResults::*) (int);
    // clang-format off
    static const std::pair<int, Move> moves[] = {
        { juce::KeyPress::downKey,  &ContentResults::selectNext },
        { juce::KeyPress::upKey,    &ContentResults::selectPrevious },
        { juce::KeyPress::rightKey, &ContentResults::selectNextColumn },
        { juce::KeyPress::leftKey,  &ContentResults::selectPreviousColumn },
    };
    // clang-format on

    for (const auto& [keyCode, move] : moves)
    {
        if (code == keyCode)
        {
            (this->*move) (mode);
            return true;
        }
    }

    if (code == juce::KeyPress::returnKey)
    {
        if (owner.getMode() == 0 && owner.isEditMode())
        {
            if (mods.isCtrlDown() && getSelectedCount() > 0)
            {
                startRename (false);
                return true;   // the Return that opens the field closes nothing
            }

            return false;
        }

        if (! owner.isAutoplayOn())
            return false;

        if (getCurrentItem() != nullptr)
            notifyClicked (mods.isCommandDown() ? commandReturnKey : returnKey);

        return true;
    }

    if (key == juce::KeyPress ('a', juce::ModifierKeys::commandModifier, 0))
    {
        // As toggling every row from the last to the first would, scrolled once at the end.
        deselectAll();

        if (isMultiSelect())
            for (int i = getNumResults(); --i >= 0;)
                selection.select (i, toggle);
        else
            selection.select (0, single);

        if (layoutPending)
            scrollPending = true;
        else
            scrollToCurrent();

        notifySelectionChanged();
        return true;
    }

    return false;
}

void ContentResults::mouseDown (const juce::MouseEvent& e)
{
    ++mouseDownCount;
    auto* button = dynamic_cast<ResultButton*> (e.eventComponent);
    const auto index = button != nullptr ? indexOf (button->item) : -1;

    if (index < 0)
        return;

    selectIndex (index, ResultSelection::getClickMode (e.mods), e.mods.isRightButtonDown() ? rightClick : leftClick, true);
}

void ContentResults::mouseDoubleClick (const juce::MouseEvent& e)
{
    if (mouseDownCount < 2)
        return;

    mouseDownCount = 0;

    if (e.mods.isCtrlDown() || e.mods.isCommandDown() || dynamic_cast<ResultButton*> (e.eventComponent) == nullptr)
        return;

    if (owner.getMode() == 1 || ! owner.isEditMode())
        listeners.call ([this] (Listener& l) { l.resultsItemDoubleClicked (this); });
    else
        startRename (false);
}

void ContentResults::buttonClicked (juce::Button*)
{
}

void ContentResults::textEditorReturnKeyPressed (juce::TextEditor&)
{
    finishRename (true);
}

void ContentResults::textEditorEscapeKeyPressed (juce::TextEditor&)
{
    finishRename (false);
}

void ContentResults::textEditorFocusLost (juce::TextEditor&)
{
    finishRename (true);
}

void ContentResults::handleAsyncUpdate()
{
    refilter();
}

void ContentResults::notifyClicked (int trigger)
{
    listeners.call ([this, trigger] (Listener& l) { l.resultsItemClicked (this, trigger); });
}

void ContentResults::notifySelectionChanged()
{
    listeners.call ([this] (Listener& l) { l.resultsSelectionChanged (this); });
}
