#pragma once

#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include "editor/windows/ModalComponent.h"
#include "editor/browser/ContentResults.h"
#include "editor/browser/ContentSourcesComponent.h"
#include "support/TestMouse.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace browsertest
{
    using test::hasDisplay;

    /** The names a result list shows, in display order. */
    juce::StringArray shownNames (const ContentResults& results);

    /** A source of named items held in memory. */
    class MemorySource : public ContentSource
    {
    public:
        MemorySource (const juce::String& sourceName, const juce::StringArray& itemNames, bool isReadOnly = false);
        juce::StringArray names;

    protected:
        void scanItems (juce::Array<ItemRecord>& records) override;
    };

    /** Stands in for the browser: a window on the screen (the editor's modal desktop too) that
        owns a result list and a source list, rebuilds its items from its sources the browser's
        way and records what the list tells its listeners. */
    class TestBrowser : public juce::Component,
                        public ModalComponent::Desktop,
                        public ContentResults::Owner,
                        public ContentResults::Listener,
                        public ContentSourcesComponent::Owner,
                        public ContentSource::Listener
    {
    public:
        explicit TestBrowser (int width = 600, int height = 300);
        ~TestBrowser() override;

        /** Puts the window on the screen and gives the list the keyboard focus. */
        void show();
        /** Sizes the list so that its viewport is w wide and its rows area h high. */
        void setListArea (int w, int h);

        void addSource (ContentSource& source);
        /** Every selected source (all when none is) gives its items, in order. */
        void rebuildItems();

        /** Real input through the window's peer. */
        void click (juce::Component& target, juce::ModifierKeys mods = {}, bool right = false);
        void doubleClick (juce::Component& target);
        void clickRow (int index, juce::ModifierKeys mods = {});
        bool press (int keyCode, juce::ModifierKeys mods = {}, juce::juce_wchar text = 0);
        void type (const juce::String& text);

        juce::StringArray shownNames() const { return browsertest::shownNames (results); }
        juce::Array<int> selectedIndices() const;

        juce::Rectangle<int> getDesktopArea() override { return getLocalBounds(); }
        const juce::Array<ContentItem*>& getItems() const override { return items; }
        int getMode() const override { return mode; }
        bool isEditMode() const override { return editMode; }
        bool isAutoplayOn() const override { return autoplay; }
        juce::Component* getWarningParent() override { return this; }
        ContentSource* getCurrentSource() const override { return currentSource; }

        void resultsSelectionChanged (ContentResults*) override { ++selectionChanges; }
        void resultsItemClicked (ContentResults* r, int trigger) override;
        void resultsItemDoubleClicked (ContentResults*) override { ++doubleClicks; }
        void contentSourceChanged (ContentSource*) override { rebuildItems(); }
        bool keyPressed (const juce::KeyPress& key) override;

        juce::Array<ContentItem*> items;
        int mode = 0;
        bool editMode = false;
        bool autoplay = false;
        ContentSource* currentSource = nullptr;
        juce::Array<ContentSource*> sources;

        juce::Array<int> triggers;
        juce::Array<ContentItem*> clickedItems;
        int doubleClicks = 0;
        int selectionChanges = 0;
        /** Keys that got past the list to the window. */
        juce::Array<juce::KeyPress> keysReachingWindow;

        ContentResults results { *this };
        ContentSourcesComponent sourcesList { *this };
    };

    /** The plug-in (for preset folders) with a preset folder source in a temporary folder. */
    struct PresetFolder
    {
        PresetFolder (const juce::StringArray& names);

        /** The preset files in the folder, by name. */
        juce::StringArray fileNames() const;

        test::TempFolder folder;
        std::unique_ptr<PluginAudioProcessor> processor;
        std::unique_ptr<PresetsDirectoryContent<Preset>> source;
    };
}
