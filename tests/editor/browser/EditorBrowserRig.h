#pragma once

#include "BrowserTestSupport.h"
#include "EditorTestSupport.h"
#include "core/content/PresetSources.h"
#include "editor/browser/ContentBrowser.h"
#include "editor/browser/ContentTagEditor.h"

namespace brtest
{
    /** The editor (with the product's factory presets when asked, and a skin when named), its
        content browser, and the user presets a test makes. */
    class BrowserRig
    {
    public:
        explicit BrowserRig (bool withFactory = false, const juce::StringArray& skins = { "885" });

        ContentBrowser& getBrowser() const;
        PresetFolderContent& getUser() const;
        edtest::TestEditor& getEditor() const { return rig.getEditor(); }
        BasePlugin& getPlugin() const { return rig.getPlugin(); }

        /** A user preset of the current settings with tags in their text form; the browser hears
            of it. */
        ContentItem* addUserPreset (const juce::String& name, const juce::String& tags);
        /** The host window on the screen, the browser open in it (browse mode). */
        void openOnScreen();
        juce::Component& getWindow() const { return *rig.getHostWindow(); }

        /** Real input through the window's peer. */
        void click (juce::Component& target, juce::ModifierKeys keys = {});
        void doubleClick (juce::Component& target);
        /** Clicks the tag button of a category column in the container. */
        void clickTag (CategoriesContainer& container, const juce::String& category, const juce::String& tag);
        void key (const juce::KeyPress& key);
        void type (const juce::String& text);

        /** The names in the result list, in display order. */
        juce::StringArray getShownNames() const { return browsertest::shownNames (getBrowser().getResults()); }
        juce::StringArray getSelectedNames() const;
        /** The result row of a name (scrolled into view), or null. */
        juce::Button* getRow (const juce::String& name) const;

        edtest::EditorRig rig;
    };

    /** The column of a category in a container (after its columns were rebuilt), or null. */
    CategoryComponent* findColumn (CategoriesContainer& container, const juce::String& category);
    /** The tag button of a column, or null. */
    CategoryComponent::ItemButton* findTag (CategoryComponent& column, const juce::String& tag);
    /** The tags a column lists, in order, with "*" after the ones that are on (state 1 of 2,
        state 2 of 3) and "~" after partial ones. */
    juce::String describe (CategoryComponent* column);
    /** The tags of every column: "Style: Bass* Lead | Era: 80s". */
    juce::String describe (CategoriesContainer& container);
}
