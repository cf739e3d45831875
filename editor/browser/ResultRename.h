#pragma once

#include "editor/browser/ResultGrid.h"

/** The result list's in-place rename: a text field over the row being renamed, the check of the
    new name and the rename of the item. The list owns the field as a child, listens to it and
    tells the user of a refused name. Message thread only. */
class ResultRename
{
public:
    /** How finish ended. */
    enum Outcome
    {
        unchanged = 0,
        refused,
        renamed,
        failed   // the source could not rename it (getFailure says why)
    };

    /** list: the component the field lies in; rows: the list's rows. */
    ResultRename (juce::Component& list, ResultGrid& rows);

    /** Why the last rename failed, for the user. */
    const juce::String& getFailure() const noexcept { return failure; }

    /** Opens the field over the item's row (with its name unless keepText); nothing when the
        item has no row. */
    void start (ContentItem* item, bool keepText);
    /** Closes the field; with commit, renames the item when the new name is acceptable. A
        refused name stays in the field for the user to edit again. */
    Outcome finish (bool commit);
    /** Closes the field without touching the item, which may be gone already. */
    void endWithoutWriting();

    bool isRenaming() const noexcept { return editor.isVisible(); }
    ContentItem* getRenamingItem() const noexcept { return renamingItem; }
    juce::TextEditor& getEditor() noexcept { return editor; }

    /** Whether item may be renamed to name: a name the file system takes as it is (not empty,
        ".", "..", no path separators, control or bidirectional control characters, nothing
        the source would have to change), that no other item of its source has, letter case
        ignored, and that the source accepts. */
    static bool isAcceptableNewName (const ContentItem& item, const juce::String& name);

private:
    juce::Component& list;
    ResultGrid& rows;
    ContentItem* renamingItem = nullptr;
    juce::String failure;
    juce::TextEditor editor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ResultRename)
};
