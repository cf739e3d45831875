#include "EditorBrowserRig.h"

namespace brtest
{
    BrowserRig::BrowserRig (bool withFactory, const juce::StringArray& skins)
        : rig (skins, "master", [withFactory] (const test::ScopedDataRoot& root) {
              if (withFactory)
                  edtest::installFactoryPresets (root);
          })
    {
    }

    ContentBrowser& BrowserRig::getBrowser() const
    {
        auto* browser = getEditor().getContentBrowser();
        EXPECT_NE (browser, nullptr);
        return *browser;
    }

    PresetFolderContent& BrowserRig::getUser() const
    {
        return *getPlugin().getUserPresets();
    }

    ContentItem* BrowserRig::addUserPreset (const juce::String& name, const juce::String& tags)
    {
        auto* item = getUser().addNewItem (name, CategoryTagMap::fromString (tags));
        EXPECT_NE (item, nullptr) << name;
        getUser().sendChangeMessage();
        test::pump (5);
        return item;
    }

    void BrowserRig::openOnScreen()
    {
        rig.putOnScreen();
        getBrowser().open (true);
        test::pump (20);
    }

    void BrowserRig::click (juce::Component& target, juce::ModifierKeys keys)
    {
        edtest::Mouse (getWindow()).click (target, juce::ModifierKeys::leftButtonModifier, keys);
        test::pump (5);
    }

    void BrowserRig::doubleClick (juce::Component& target)
    {
        edtest::Mouse (getWindow()).doubleClick (target);
        test::pump (5);
    }

    void BrowserRig::clickTag (CategoriesContainer& container, const juce::String& category, const juce::String& tag)
    {
        auto* column = findColumn (container, category);
        ASSERT_NE (column, nullptr) << category;
        auto* button = findTag (*column, tag);
        ASSERT_NE (button, nullptr) << category << ":" << tag;
        click (*button);
    }

    void BrowserRig::key (const juce::KeyPress& key)
    {
        test::pressKey (getWindow(), key);
        test::pump (5);
    }

    void BrowserRig::type (const juce::String& text)
    {
        for (auto c : text)
            key (juce::KeyPress ((int) c, {}, c));
    }

    juce::StringArray BrowserRig::getSelectedNames() const
    {
        juce::StringArray names;

        for (auto* item : getBrowser().getResults().getSelectedItems())
            names.add (item->name);

        return names;
    }

    juce::Button* BrowserRig::getRow (const juce::String& name) const
    {
        auto& results = getBrowser().getResults();

        for (int i = 0; i < results.getNumResults(); ++i)
        {
            if (results.getItem (i)->name == name)
            {
                auto& viewport = results.getViewport();
                viewport.setViewPosition (results.getRowBounds (i).getX(), 0);
                return results.getButton (i);
            }
        }

        return nullptr;
    }

    CategoryComponent* findColumn (CategoriesContainer& container, const juce::String& category)
    {
        for (int i = 0; i < container.getNumCategories(); ++i)
            if (container.getCategory (i)->getCategoryName() == category)
                return container.getCategory (i);

        return nullptr;
    }

    CategoryComponent::ItemButton* findTag (CategoryComponent& column, const juce::String& tag)
    {
        for (int i = 0; i < column.getNumItems(); ++i)
            if (column.getItem (i)->getButtonText() == tag)
                return column.getItem (i);

        return nullptr;
    }

    juce::String describe (CategoryComponent* column)
    {
        if (column == nullptr)
            return "(none)";

        juce::StringArray tags;

        for (int i = 0; i < column->getNumItems(); ++i)
        {
            const auto* b = column->getItem (i);
            const bool on = b->state == b->stateCount - 1 && b->state > 0;
            tags.add (b->getButtonText() + (on ? "*" : (b->state == 1 ? "~" : "")));
        }

        return column->getCategoryName() + ": " + tags.joinIntoString (" ");
    }

    juce::String describe (CategoriesContainer& container)
    {
        juce::StringArray columns;

        for (int i = 0; i < container.getNumCategories(); ++i)
            columns.add (describe (container.getCategory (i)));

        return columns.joinIntoString (" | ");
    }
}
