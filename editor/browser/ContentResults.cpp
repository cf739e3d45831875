#include "editor/browser/ContentResults.h"
#include <algorithm>

//==============================================================================
ContentResults::ResultButton::ResultButton (ContentItem& itemToShow, bool isReadOnly)
    : juce::TextButton (itemToShow.name), item (&itemToShow), readOnly (isReadOnly)
{
    setButtonText (itemToShow.name);
    setWantsKeyboardFocus (false);
}

void ContentResults::ResultButton::paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown)
{
    auto& lf = getLookAndFeel();
    const bool on = getToggleState();
    lf.drawButtonBackground (g, *this, findColour (on ? buttonOnColourId : buttonColourId), isMouseOverButton, isButtonDown);

    auto* ours = dynamic_cast<DefaultLookAndFeel*> (&lf);
    const auto font = ours == nullptr ? juce::Font (14.0f)
        : readOnly                    ? ours->getPrimaryFont()
                                      : ours->getSecondaryFont();
    g.setFont (font);
    // Rows that are not selected are dimmed, but stay readable against the list's grey.
    g.setColour (on ? juce::Colours::black : juce::Colours::black.withAlpha (0.6f));
    g.drawText (getButtonText(), 3, 0, juce::jmax (getWidth() - 6, 0), getHeight(),
                juce::Justification::centredLeft, false);
}

void ContentResults::ResultLF::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&, bool, bool)
{
    g.setColour (button.getToggleState() ? juce::Colour (selectedFill).withAlpha (0.2f) : juce::Colours::transparentBlack);
    g.fillRect (button.getLocalBounds());
}

void ContentResults::ResultLF::drawButtonText (juce::Graphics&, juce::TextButton&, bool, bool)
{
}

//==============================================================================
ContentResults::ResultsViewport::ResultsViewport (ContentResults& o)
    : owner (o)
{
}

void ContentResults::ResultsViewport::visibleAreaChanged (const juce::Rectangle<int>&)
{
    owner.placeRowsInView();
}

//==============================================================================
ContentResults::ContentResults (Owner& o)
    : owner (o)
{
    setWantsKeyboardFocus (true);
    addAndMakeVisible (header);

    viewport.setScrollBarsShown (false, true);
    viewport.getHorizontalScrollBar().setAutoHide (false);
    viewport.setWantsKeyboardFocus (false);
    viewport.setViewedComponent (&content, false);
    addAndMakeVisible (viewport);

    renameEditor.setIndents (3, 3);
    renameEditor.setSelectAllWhenFocused (true);
    renameEditor.addListener (this);
    addChildComponent (renameEditor);
}

ContentResults::~ContentResults()
{
    cancelPendingUpdate();
    deleteResults();
    viewport.setViewedComponent (nullptr, false);
}

//==============================================================================
void ContentResults::appendResult (ContentItem* item)
{
    auto result = std::make_unique<Result>();
    result->item = item;
    result->readOnly = item->isReadOnly();
    results.push_back (std::move (result));
}

void ContentResults::deleteResults()
{
    // Last first: each button leaves the end of the content's child list.
    while (! results.empty())
        results.pop_back();

    placedRows = {};
}

void ContentResults::endRenameWithoutWriting()
{
    // The item may be gone already (its source refreshed): it is not touched again.
    renamingItem = nullptr;

    if (renameEditor.isVisible())
    {
        const bool hadFocus = renameEditor.hasKeyboardFocus (true);
        renameEditor.setVisible (false);

        if (hadFocus && isShowing())
            grabKeyboardFocus();
    }
}

void ContentResults::refilter()
{
    const auto previous = getSelectedItems();
    endRenameWithoutWriting();
    deleteResults();
    deselectAll();

    for (auto* item : owner.getItems())
        if (item != nullptr && ! item->filteredOut)
            appendResult (item);

    sortResults();

    for (int i = 0; i < getNumResults(); ++i)
    {
        if (previous.contains (results[(size_t) i]->item))
        {
            setSelected (i, true);
            currentItem = results[(size_t) i]->item;
        }
    }

    notifySelectionChanged();
}

void ContentResults::showItems (const juce::Array<ContentItem*>& items)
{
    endRenameWithoutWriting();
    deleteResults();
    deselectAll();

    for (auto* item : items)
        if (item != nullptr)
            appendResult (item);

    sortResults();
}

void ContentResults::addItem (ContentItem* item)
{
    if (item == nullptr || indexOf (item) >= 0)
        return;

    appendResult (item);
    sortResults();
}

void ContentResults::eraseResult (int index)
{
    auto& result = *results[(size_t) index];

    if (result.item == renamingItem)
        endRenameWithoutWriting();

    if (result.selected)
        --selectedCount;

    if (result.item == currentItem)
        currentItem = nullptr;

    results.erase (results.begin() + index);
}

void ContentResults::removeItem (ContentItem* item)
{
    const auto index = indexOf (item);

    if (index < 0)
        return;

    eraseResult (index);
    anchorIndex = rangeEndIndex = -1;
    updateLayout();
}

void ContentResults::removeReadOnlyItems()
{
    for (int i = getNumResults(); --i >= 0;)
        if (results[(size_t) i]->readOnly)
            eraseResult (i);

    anchorIndex = rangeEndIndex = -1;
    updateLayout();
}

void ContentResults::clear()
{
    endRenameWithoutWriting();
    deleteResults();
    deselectAll();
    updateLayout();
}

//==============================================================================
void ContentResults::setSelected (int index, bool on)
{
    auto& result = *results[(size_t) index];

    if (result.selected != on)
    {
        result.selected = on;
        selectedCount += on ? 1 : -1;
    }

    if (result.button != nullptr)
        result.button->setToggleState (on, juce::dontSendNotification);
}

bool ContentResults::isSelected (int index) const
{
    return juce::isPositiveAndBelow (index, getNumResults()) && results[(size_t) index]->selected;
}

void ContentResults::deselectAll()
{
    currentItem = nullptr;

    for (int i = 0; i < getNumResults(); ++i)
        setSelected (i, false);

    selectedCount = 0;
    // Indices of an earlier selection mean nothing once the rows change.
    anchorIndex = rangeEndIndex = -1;
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
    if (! juce::isPositiveAndBelow (index, getNumResults()))
        return;

    currentItem = results[(size_t) index]->item;
    const int effectiveMode = multiSelect ? mode : single;

    if (effectiveMode == single)
    {
        for (int i = 0; i < getNumResults(); ++i)
            setSelected (i, i == index);

        anchorIndex = index;
        rangeEndIndex = -1;
    }
    else if (effectiveMode == toggle)
    {
        anchorIndex = index;
        rangeEndIndex = -1;

        if (! results[(size_t) index]->selected)
            setSelected (index, true);
        else if (selectedCount >= 2)
            setSelected (index, false);   // the last selected row stays selected
    }
    else if (juce::isPositiveAndBelow (anchorIndex, getNumResults()))
    {
        if (rangeEndIndex < 0)
        {
            for (int i = 0; i < getNumResults(); ++i)
                setSelected (i, false);
        }
        else
        {
            const auto end = juce::jmin (rangeEndIndex, getNumResults() - 1);

            for (int i = juce::jmin (anchorIndex, end); i <= juce::jmax (anchorIndex, end); ++i)
                setSelected (i, false);
        }

        rangeEndIndex = index;

        for (int i = juce::jmin (anchorIndex, index); i <= juce::jmax (anchorIndex, index); ++i)
            setSelected (i, true);
    }

    scrollToCurrent();

    if (notify)
        notifyClicked (trigger);
}

bool ContentResults::selectNext (int mode)
{
    if (results.empty())
        return false;

    const auto index = indexOf (currentItem);
    selectIndex (index < 0 ? 0 : juce::jmin (index + 1, getNumResults() - 1), mode, keyboardMove, true);
    return true;
}

bool ContentResults::selectPrevious (int mode)
{
    if (results.empty())
        return false;

    const auto index = indexOf (currentItem);
    selectIndex (index < 0 ? 0 : juce::jmax (index - 1, 0), mode, keyboardMove, true);
    return true;
}

bool ContentResults::selectNextColumn (int mode)
{
    if (results.empty())
        return false;

    const auto index = indexOf (currentItem);

    if (index < 0)
    {
        selectIndex (0, mode, keyboardMove, true);
    }
    else if (rowsPerColumn > 0)
    {
        const auto lastColumn = (getNumResults() + rowsPerColumn - 1) / rowsPerColumn - 1;

        if (index / rowsPerColumn < lastColumn)
            selectIndex (juce::jmin (index + rowsPerColumn, getNumResults() - 1), mode, keyboardMove, true);
    }

    return true;
}

bool ContentResults::selectPreviousColumn (int mode)
{
    if (results.empty())
        return false;

    const auto index = indexOf (currentItem);

    if (index < 0)
        selectIndex (0, mode, keyboardMove, true);
    else if (rowsPerColumn > 0 && index >= rowsPerColumn)
        selectIndex (index - rowsPerColumn, mode, keyboardMove, true);

    return true;
}

juce::Array<ContentItem*> ContentResults::getSelectedItems() const
{
    juce::Array<ContentItem*> selected;

    for (auto& result : results)
        if (result->selected)
            selected.add (result->item);

    return selected;
}

void ContentResults::setMultiSelect (bool shouldAllow)
{
    if (multiSelect == shouldAllow)
        return;

    multiSelect = shouldAllow;

    if (! multiSelect)
        selectItem (currentItem, true, false);
}

void ContentResults::setExpandToggle (bool on, juce::NotificationType notification)
{
    expandButton.setToggleState (on, notification);
}

//==============================================================================
bool ContentResults::isAcceptableNewName (const ContentItem& item, const juce::String& name)
{
    // The name must be usable as it is: whatever the source would change to make it a safe
    // file name (separators, characters file systems refuse, control characters, a leading
    // dot, trailing dots, device names, length) is refused instead of silently altered.
    if (name.isEmpty() || name != name.trim() || ContentSource::makeSafeItemName (name) != name)
        return false;

    // Invisible characters that reorder the text shown (so "evil\u202Egpj.exe" cannot pose
    // as another name).
    for (auto c : name)
        if (c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069))
            return false;

    // The product's platform ignores letter case in file names: another item whose name
    // differs only in case would be overwritten.
    for (auto* other : item.source->getItems())
        if (other != &item && other->name.equalsIgnoreCase (name))
            return false;

    return item.canRenameTo (name);
}

void ContentResults::startRename (bool keepText)
{
    const auto index = indexOf (currentItem);

    if (index < 0)
        return;

    renamingItem = currentItem;

    if (! keepText)
        renameEditor.setText (renamingItem->name, false);

    scrollToCurrent();
    placeRowsInView();
    const auto row = getRowBounds (index);
    renameEditor.setBounds (getLocalArea (&content, row));
    renameEditor.setVisible (true);
    renameEditor.toFront (false);

    if (isShowing())
        renameEditor.grabKeyboardFocus();
}

void ContentResults::finishRename (bool commit)
{
    if (! renameEditor.isVisible())
        return;

    renameEditor.setVisible (false);

    if (isShowing())
        grabKeyboardFocus();

    auto* item = renamingItem;

    if (! commit || item == nullptr)
        return;

    // Spaces around a typed name are not meant as part of it.
    const auto text = renameEditor.getText().trim();

    if (text == item->name)
        return;

    if (! isAcceptableNewName (*item, text))
    {
        renameEditor.setText (text, false);
        warning.reset();
        warning = Orvik::AlertWindow::showMessage (this, "Rename warning", "Item with this name already exists.",
                                                   owner.getWarningParent());
        return;
    }

    if (! item->rename (text))
        return;

    item->load (0);
    renamingItem = nullptr;

    if (auto* button = getButton (indexOf (item)))
        button->setButtonText (item->name);

    sortResults();
    scrollToCurrent();
}

void ContentResults::alertWindowClosed (Orvik::AlertWindow* alert, int)
{
    if (alert != warning.get())
        return;

    warning.reset();

    if (renamingItem != nullptr && renamingItem == currentItem)
        startRename (true);
}

//==============================================================================
bool ContentResults::isInDisplayOrder (const juce::String& first, const juce::String& second)
{
    return first.compareNatural (second, false) < 0;
}

void ContentResults::sortResults()
{
    // A stable merge sort stays within the rows even where the natural comparison of odd names
    // is not a strict order (the unguarded insertion of std::sort would not).
    std::stable_sort (results.begin(), results.end(), [] (const std::unique_ptr<Result>& a, const std::unique_ptr<Result>& b) {
        return isInDisplayOrder (a->item->name, b->item->name);
    });

    anchorIndex = rangeEndIndex = -1;
    updateLayout();
}

void ContentResults::updateLayout()
{
    const int viewWidth = viewport.getWidth();
    const int h = viewport.getHeight() - viewport.getScrollBarThickness();
    rowsPerColumn = juce::jmax (0, h / rowHeight);
    const int columns = juce::jmax (1, viewWidth / minColumnWidth);
    columnWidth = viewWidth / columns;

    for (auto& result : results)
        if (result->button != nullptr)
            result->button->setVisible (false);

    placedRows = {};

    if (h < rowHeight)
    {
        content.setSize (0, 0);
        return;
    }

    const int numColumns = (getNumResults() + rowsPerColumn - 1) / rowsPerColumn;
    // The spare pixels centre the grid; the offset lies inside the content, so it scrolls along.
    contentOffset = { (viewWidth - columns * columnWidth) / 2, (h - rowsPerColumn * rowHeight) / 2 };
    content.setSize (contentOffset.x + numColumns * columnWidth, contentOffset.y + rowsPerColumn * rowHeight);
    placeRowsInView();
}

juce::Point<int> ContentResults::getRowPosition (int index) const
{
    return contentOffset + juce::Point<int> ((index / rowsPerColumn) * columnWidth, (index % rowsPerColumn) * rowHeight);
}

juce::Rectangle<int> ContentResults::getRowBounds (int index) const
{
    if (rowsPerColumn <= 0 || ! juce::isPositiveAndBelow (index, getNumResults()))
        return {};

    const auto position = getRowPosition (index);
    return { position.x, position.y, columnWidth, rowHeight };
}

void ContentResults::placeRowsInView()
{
    if (rowsPerColumn <= 0 || columnWidth <= 0 || results.empty())
        return;

    const auto view = viewport.getViewArea();
    const int firstColumn = juce::jmax (0, (view.getX() - contentOffset.x) / columnWidth);
    const int lastColumn = juce::jmax (0, (view.getRight() - 1 - contentOffset.x) / columnWidth);
    const juce::Range<int> inView (juce::jmin (firstColumn * rowsPerColumn, getNumResults()),
                                   juce::jmin ((lastColumn + 1) * rowsPerColumn, getNumResults()));

    for (int i = placedRows.getStart(); i < placedRows.getEnd(); ++i)
        if (! inView.contains (i))
            if (auto& button = results[(size_t) i]->button)
                button->setVisible (false);

    for (int i = inView.getStart(); i < inView.getEnd(); ++i)
    {
        auto& result = *results[(size_t) i];

        if (result.button == nullptr)
        {
            result.button = std::make_unique<ResultButton> (*result.item, result.readOnly);
            result.button->setLookAndFeel (&resultLF);
            result.button->addMouseListener (this, false);
            result.button->setToggleState (result.selected, juce::dontSendNotification);
            content.addChildComponent (*result.button);
        }

        result.button->setBounds (getRowBounds (i));
        result.button->setVisible (true);
    }

    placedRows = inView;
}

void ContentResults::scrollToCurrent()
{
    const auto row = getRowBounds (indexOf (currentItem));

    if (row.isEmpty())
        return;

    const auto view = viewport.getViewArea();

    if (row.getX() < view.getX())
        viewport.setViewPosition (row.getX(), 0);
    else if (row.getRight() > view.getRight())
        viewport.setViewPosition (row.getRight() - view.getWidth(), 0);
}

ContentItem* ContentResults::getItem (int index) const
{
    return juce::isPositiveAndBelow (index, getNumResults()) ? results[(size_t) index]->item : nullptr;
}

int ContentResults::indexOf (const ContentItem* item) const
{
    if (item == nullptr)
        return -1;

    for (size_t i = 0; i < results.size(); ++i)
        if (results[i]->item == item)
            return (int) i;

    return -1;
}

ContentResults::ResultButton* ContentResults::getButton (int index) const
{
    if (! juce::isPositiveAndBelow (index, getNumResults()))
        return nullptr;

    auto* button = results[(size_t) index]->button.get();
    return button != nullptr && button->isVisible() ? button : nullptr;
}

//==============================================================================
void ContentResults::paint (juce::Graphics& g)
{
    const int top = viewport.getY() - 2;
    g.setColour (juce::Colour (backgroundColour));
    g.fillRect (0, top, getWidth(), getHeight() - top);
}

void ContentResults::resized()
{
    const int y = header.isVisible() ? header.getHeight() + 3 : 3;
    viewport.setBounds (2, y, juce::jmax (0, getWidth() - 4), juce::jmax (0, getHeight() - y));
    updateLayout();
    scrollToCurrent();
}

void ContentResults::lookAndFeelChanged()
{
    if (auto* lf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
        renameEditor.applyFontToAllText (lf->getPrimaryFont());

    updateLayout();
}

bool ContentResults::keyPressed (const juce::KeyPress& key)
{
    const auto code = key.getKeyCode();
    const auto mods = key.getModifiers();
    const int mode = mods.isShiftDown() ? range : single;

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
            if (mods.isCtrlDown() && selectedCount > 0)
            {
                startRename (false);
                return true;   // the Return that opens the field closes nothing
            }

            return false;
        }

        if (! owner.isAutoplayOn())
            return false;

        if (currentItem != nullptr)
            notifyClicked (mods.isCommandDown() ? commandReturnKey : returnKey);

        return true;
    }

    if (key == juce::KeyPress ('a', juce::ModifierKeys::commandModifier, 0))
    {
        deselectAll();

        for (int i = getNumResults(); --i >= 0;)
            selectIndex (i, toggle, keyboardMove, false);

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

    // Cmd-click toggles as well as Ctrl-click: Mac users expect the former.
    const int mode = e.mods.isShiftDown()                 ? range
        : (e.mods.isCtrlDown() || e.mods.isCommandDown()) ? toggle
                                                          : single;
    selectIndex (index, mode, e.mods.isRightButtonDown() ? rightClick : leftClick, true);
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
