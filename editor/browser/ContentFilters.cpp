#include "editor/browser/ContentFilters.h"
#include "core/content/ContentSource.h"
#include "editor/browser/BrowserIcons.h"
#include "editor/browser/ContentBrowser.h"
#include "skin/EmbeddedIcons.h"

ContentFilters::CategoryFilter::CategoryFilter (ContentBrowser& owner, const CategoryTagMap& categoryTags)
    : browser (&owner), allTags (categoryTags), name (categoryTags.getCategoryName (0)), id (owner.getTagDictionary().getId (name)), minTagId (id + 1), maxTagId (id + TagDictionary::maxTagsPerCategory)
{
}

//==============================================================================
ContentFilters::ContentFilters (ContentBrowser& owner) : browser (owner)
{
    BrowserIcons::setToggleIconImages (onOffButton, StandardIcon::filterOff, StandardIcon::filterOn);
    onOffButton.setClickingTogglesState (true);
    onOffButton.setToggleState (true, juce::dontSendNotification);
    onOffButton.addListener (this);
    addAndMakeVisible (header);
    addAndMakeVisible (container);
}

ContentFilters::~ContentFilters()
{
    cancelPendingUpdate();
    onOffButton.removeListener (this);
}

void ContentFilters::rebuildCategories()
{
    const auto& tags = browser.getTags();
    const int n = tags.getNumCategories();
    juce::Array<int> kept;
    juce::Array<bool> taken;
    taken.insertMultiple (0, false, n);

    // The columns that are still there keep their order; new ones follow.
    for (auto* f : categories)
    {
        const int i = tags.indexOfCategory (f->name);

        if (i >= 0 && ! taken[i])
        {
            kept.add (i);
            taken.set (i, true);
        }
    }

    for (int i = 0; i < n; ++i)
        if (! taken[i])
            kept.add (i);

    categories.clear();

    for (int i : kept)
        categories.add (new CategoryFilter (browser, tags.getTagsAt (i)));

    applyFilters();
}

void ContentFilters::applyFilters()
{
    const auto& items = browser.getItems();
    const auto& dictionary = browser.getTagDictionary();

    for (auto* item : items)
        item->filteredOut = false;

    const auto selectedAll = getSelectedTags();

    for (auto* f : categories)
    {
        TagIdSet ids;

        for (auto* item : items)
        {
            if (item->filteredOut)
                continue;

            for (int id : item->tagIds.getIds())
                if (id >= f->minTagId && id <= f->maxTagId)
                    ids.add (id);
        }

        f->availableTags.setFromTagIds (ids, dictionary);
        f->availableTags.orderLike (true, false, {});

        // A selected tag that no item left by the earlier columns carries is dropped.
        TagIdSet selected;
        selected.setFromTags (dictionary, selectedAll);
        selected.keepOnly (ids);
        f->selectedTags.setFromTagIds (selected, dictionary);

        if (! filteringOn || f->selectedTags.isEmpty())
            continue;

        for (auto* item : items)
        {
            if (item->filteredOut)
                continue;

            if (f->mode == allMode)
                item->filterByAllTags (selected);
            else
                item->filterByAnyTag (selected);
        }
    }

    triggerAsyncUpdate();
    listeners.call ([this] (Listener& l) { l.contentFiltersChanged (this); });
}

CategoryTagMap ContentFilters::getSelectedTags() const
{
    CategoryTagMap all;

    for (auto* f : categories)
        all.addAll (f->selectedTags);

    return all;
}

juce::StringArray ContentFilters::getCategoryOrder() const
{
    juce::StringArray names;

    for (auto* f : categories)
        names.add (f->name);

    return names;
}

ContentFilters::CategoryFilter* ContentFilters::findCategory (const juce::String& name) const
{
    for (auto* f : categories)
        if (f->name == name)
            return f;

    return nullptr;
}

int ContentFilters::indexOfCategoryId (int categoryId) const
{
    for (int i = 0; i < categories.size(); ++i)
        if (categories.getUnchecked (i)->id == categoryId)
            return i;

    return -1;
}

void ContentFilters::setTagSelected (int tagId, bool on)
{
    juce::String category, tag;
    browser.getTagDictionary().getCategoryAndTag (tagId, category, tag);

    if (auto* f = findCategory (category))
    {
        if (on)
            f->selectedTags.add (category, tag);
        else
            f->selectedTags.removeTag (category, tag);
    }

    applyFilters();
}

void ContentFilters::setCategoryMode (const juce::String& category, bool all)
{
    auto* f = findCategory (category);
    const int mode = all ? allMode : anyMode;

    if (f != nullptr && f->mode != mode)
    {
        f->mode = mode;
        applyFilters();
    }
}

void ContentFilters::moveCategory (int categoryId, int step)
{
    const int i = indexOfCategoryId (categoryId);
    const int j = i + step;

    if (i < 0 || j < 0 || j >= categories.size())
        return;

    categories.swap (i, j);
    applyFilters();
}

void ContentFilters::moveCategoryLeft (int categoryId)
{
    moveCategory (categoryId, -1);
}

void ContentFilters::moveCategoryRight (int categoryId)
{
    moveCategory (categoryId, 1);
}

void ContentFilters::setFilteringOn (bool on)
{
    onOffButton.setToggleState (on, juce::dontSendNotification);
    buttonClicked (&onOffButton);
}

void ContentFilters::handleAsyncUpdate()
{
    const auto& dictionary = browser.getTagDictionary();
    container.clear();

    for (auto* f : categories)
    {
        auto* column = new CategoryComponent (f->name, f->id, false);
        container.addCategory (column);
        column->setAllMode (f->mode == allMode);

        TagIdSet available, selected;
        available.setFromTags (dictionary, f->availableTags);
        selected.setFromTags (dictionary, f->selectedTags);

        for (int id : available.getIds())
            column->addItem (dictionary.getTagName (id), id, selected.contains (id) ? 1 : 0, 2);

        column->sortItems();
        column->addListener (this);
    }

    container.resized();
}

void ContentFilters::buttonClicked (juce::Button* button)
{
    if (button != &onOffButton)
        return;

    const bool on = onOffButton.getToggleState();

    if (on != filteringOn)
    {
        filteringOn = on;
        applyFilters();
    }

    // Off, the columns cannot be reordered either.
    container.setEnabled (on);
}

void ContentFilters::resized()
{
    container.setBounds (0, HeaderComponent::height + 1, getWidth(), juce::jmax (0, getHeight() - HeaderComponent::height - 1));
}

void ContentFilters::categoryItemClicked (CategoryComponent* component, int index)
{
    setTagSelected (component->getItemId (index), component->getItemState (index) != 0);
}

void ContentFilters::categoryModeChanged (CategoryComponent* component, bool all)
{
    setCategoryMode (component->getCategoryName(), all);
}

void ContentFilters::categoryMoveLeftClicked (CategoryComponent* component)
{
    moveCategoryLeft (component->getCategoryId());
}

void ContentFilters::categoryMoveRightClicked (CategoryComponent* component)
{
    moveCategoryRight (component->getCategoryId());
}
