#include "editor/browser/ResultRename.h"

ResultRename::ResultRename (juce::Component& listComponent, ResultGrid& grid)
    : list (listComponent), rows (grid)
{
    editor.setIndents (3, 3);
    editor.setSelectAllWhenFocused (true);
}

bool ResultRename::isAcceptableNewName (const ContentItem& item, const juce::String& name)
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

void ResultRename::start (ContentItem* item, bool keepText)
{
    const auto index = rows.indexOf (item);

    if (index < 0)
        return;

    renamingItem = item;

    if (! keepText)
        editor.setText (renamingItem->name, false);

    rows.scrollToRow (index);
    rows.placeRowsInView();
    const auto row = rows.getRowBounds (index);
    editor.setBounds (list.getLocalArea (&rows.getContent(), row));
    editor.setVisible (true);
    editor.toFront (false);

    if (list.isShowing())
        editor.grabKeyboardFocus();
}

ResultRename::Outcome ResultRename::finish (bool commit)
{
    if (! editor.isVisible())
        return unchanged;

    editor.setVisible (false);

    if (list.isShowing())
        list.grabKeyboardFocus();

    auto* item = renamingItem;

    if (! commit || item == nullptr)
        return unchanged;

    // Spaces around a typed name are not meant as part of it.
    const auto text = editor.getText().trim();

    if (text == item->name)
        return unchanged;

    if (! isAcceptableNewName (*item, text))
    {
        editor.setText (text, false);
        return refused;
    }

    if (! item->rename (text))
    {
        const auto reason = item->source->getLastError();
        failure = "'" + item->name + "' could not be renamed to '" + text + "'." + (reason.isNotEmpty() ? "\n" + reason : juce::String());
        renamingItem = nullptr;
        return failed;
    }

    item->load (0);
    renamingItem = nullptr;

    if (auto* button = rows.getButton (rows.indexOf (item)))
        button->setButtonText (item->name);

    return renamed;
}

void ResultRename::endWithoutWriting()
{
    // The item may be gone already (its source refreshed): it is not touched again.
    renamingItem = nullptr;

    if (editor.isVisible())
    {
        const bool hadFocus = editor.hasKeyboardFocus (true);
        editor.setVisible (false);

        if (hadFocus && list.isShowing())
            list.grabKeyboardFocus();
    }
}
