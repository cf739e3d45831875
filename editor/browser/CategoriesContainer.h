#pragma once

#include "editor/browser/CategoryComponent.h"

/** A row of category columns side by side (the filter panel's and the tag editor's). It owns
    its columns; placing them waits for the next turn of the message loop, so several added in
    one turn are laid out once. Message thread only. */
class CategoriesContainer : public juce::Component,
                            public juce::AsyncUpdater
{
public:
    CategoriesContainer();
    ~CategoriesContainer() override;

    /** Takes ownership and appends the column. */
    void addCategory (CategoryComponent* category);
    /** Deletes every column. */
    void clear();
    /** Whether the columns may be moved (their move buttons re-evaluate it). */
    void setEditable (bool shouldBeEditable);
    bool isEditable() const noexcept { return editable; }

    int getNumCategories() const noexcept { return categories.size(); }
    CategoryComponent* getCategory (int index) const { return categories[index]; }

    void resized() override;
    /** Message thread: lays the columns out. */
    void handleAsyncUpdate() override;

private:
    juce::OwnedArray<CategoryComponent> categories;
    bool editable = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CategoriesContainer)
};
