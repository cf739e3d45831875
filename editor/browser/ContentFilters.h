#pragma once

#include "core/content/TagDictionary.h"
#include "editor/browser/CategoriesContainer.h"
#include "skin/HeaderComponent.h"

class ContentBrowser;

/** The "FILTERS" panel of the content browser: one column per tag category of the browser's
    items. Tags switched on in a column keep the items that carry any of them (ANY) or all of
    them (ALL); the columns apply one after another in their order (AND), each offering only the
    tags still found on the items the columns before it let through. Message thread only. */
class ContentFilters : public juce::Component,
                       public juce::AsyncUpdater,
                       public juce::Button::Listener,
                       public CategoryComponent::Listener
{
public:
    enum Mode
    {
        anyMode = 0,
        allMode = 1
    };

    /** The filter of one category. */
    struct CategoryFilter
    {
        CategoryFilter (ContentBrowser& owner, const CategoryTagMap& categoryTags);

        ContentBrowser* browser;
        CategoryTagMap allTags;
        /** The category's tags found on the items the earlier columns let through. */
        CategoryTagMap availableTags;
        CategoryTagMap selectedTags;
        juce::String name;
        int id = 0, minTagId = 0, maxTagId = 0;
        int mode = anyMode;
    };

    class Listener
    {
    public:
        virtual ~Listener() = default;
        /** The filtered-out flags of the browser's items were computed again. */
        virtual void contentFiltersChanged (ContentFilters* filters) = 0;
    };

    explicit ContentFilters (ContentBrowser& owner);
    ~ContentFilters() override;

    /** After the browser rebuilt its items and tags: new columns, in the old order where the
        categories are still there, with nothing selected and every mode back to ANY. */
    void rebuildCategories();
    /** Computes the filtered-out flag of every item of the browser and tells the listeners. */
    void applyFilters();

    /** Every category's switched-on tags. */
    CategoryTagMap getSelectedTags() const;
    juce::StringArray getCategoryOrder() const;
    int getNumCategories() const noexcept { return categories.size(); }
    const CategoryFilter* getCategoryFilter (int index) const { return categories[index]; }

    /** Switches a tag on or off by its id, then filters again. */
    void setTagSelected (int tagId, bool on);
    /** ALL (true) or ANY for the named category; filters again when it changed. */
    void setCategoryMode (const juce::String& category, bool all);
    void moveCategoryLeft (int categoryId);
    void moveCategoryRight (int categoryId);
    void setFilteringOn (bool on);
    bool isFilteringOn() const noexcept { return filteringOn; }

    CategoriesContainer& getContainer() noexcept { return container; }
    juce::DrawableButton& getOnOffButton() noexcept { return onOffButton; }

    void addListener (Listener* listener) { listeners.add (listener); }
    void removeListener (Listener* listener) { listeners.remove (listener); }

    /** Message thread: builds the columns again (several filterings, one rebuild). */
    void handleAsyncUpdate() override;
    void buttonClicked (juce::Button* button) override;
    void resized() override;

    void categoryItemClicked (CategoryComponent* component, int index) override;
    void categoryModeChanged (CategoryComponent* component, bool all) override;
    void categoryAddTagClicked (CategoryComponent*) override {}
    void categoryMoveLeftClicked (CategoryComponent* component) override;
    void categoryMoveRightClicked (CategoryComponent* component) override;

private:
    CategoryFilter* findCategory (const juce::String& name) const;
    int indexOfCategoryId (int categoryId) const;
    void moveCategory (int categoryId, int step);

    ContentBrowser& browser;
    juce::OwnedArray<CategoryFilter> categories;
    bool filteringOn = true;
    juce::DrawableButton onOffButton { "On/Off Button", juce::DrawableButton::ImageFitted };
    HeaderComponent header { "FILTERS", &onOffButton, nullptr };
    CategoriesContainer container;
    ListenerArray<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ContentFilters)
};
