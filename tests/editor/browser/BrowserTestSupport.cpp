#include "BrowserTestSupport.h"
#include "support/TestMouse.h"

namespace browsertest
{
    MemorySource::MemorySource (const juce::String& sourceName, const juce::StringArray& itemNames, bool isReadOnly)
        : ContentSource (sourceName, isReadOnly), names (itemNames)
    {
        refresh();
    }

    void MemorySource::scanItems (juce::Array<ItemRecord>& records)
    {
        for (auto& n : names)
            records.add ({ n, {} });
    }

    //==============================================================================
    TestBrowser::TestBrowser (int width, int height)
    {
        results.addListener (this);
        results.setMultiSelect (true);
        addAndMakeVisible (sourcesList);
        addAndMakeVisible (results);
        setSize (width, height);
        sourcesList.setBounds (0, 0, 140, height);
        results.setBounds (140, 0, width - 140, height);
    }

    TestBrowser::~TestBrowser()
    {
        for (auto* s : sources)
            s->removeListener (this);

        removeFromDesktop();
    }

    void TestBrowser::show()
    {
        setTopLeftPosition (20, 20);
        addToDesktop (juce::ComponentPeer::windowIsTemporary);
        setVisible (true);
        test::pumpUntil ([this] { return isShowing(); });
        results.grabKeyboardFocus();
        test::pumpUntil ([this] { return results.hasKeyboardFocus (true); });
    }

    void TestBrowser::setListArea (int w, int h)
    {
        // The viewport is 4 narrower than the list and starts below the header.
        const int top = HeaderComponent::height + 3;
        results.setSize (w + 4, top + h + results.getViewport().getScrollBarThickness());
    }

    void TestBrowser::addSource (ContentSource& source)
    {
        sources.add (&source);
        source.addListener (this);
        sourcesList.addSource (&source);

        if (currentSource == nullptr)
            currentSource = &source;

        rebuildItems();
    }

    void TestBrowser::rebuildItems()
    {
        results.clear();
        items.clear();
        bool anySelected = false;

        for (auto* s : sources)
            anySelected = anySelected || s->selected;

        for (auto* s : sources)
        {
            s->setActive (! anySelected || s->selected);

            if (s->active)
                for (auto* item : s->getItems())
                    items.add (item);
        }

        results.refilter();
    }

    void TestBrowser::resultsItemClicked (ContentResults* r, int trigger)
    {
        triggers.add (trigger);
        clickedItems.add (r->getCurrentItem());
    }

    bool TestBrowser::keyPressed (const juce::KeyPress& key)
    {
        keysReachingWindow.add (key);
        return true;
    }

    //==============================================================================
    void TestBrowser::click (juce::Component& target, juce::ModifierKeys mods, bool right)
    {
        const int button = right ? juce::ModifierKeys::rightButtonModifier : juce::ModifierKeys::leftButtonModifier;
        test::Mouse (*this).click (target, button, mods);
        test::pump (1);
    }

    void TestBrowser::doubleClick (juce::Component& target)
    {
        click (target);
        click (target);
    }

    void TestBrowser::clickRow (int index, juce::ModifierKeys mods)
    {
        auto* button = results.getButton (index);
        ASSERT_NE (button, nullptr) << "row " << index << " is not in view";
        click (*button, mods);
    }

    bool TestBrowser::press (int keyCode, juce::ModifierKeys mods, juce::juce_wchar text)
    {
        const bool used = test::pressKey (*this, juce::KeyPress (keyCode, mods, text));
        test::pump (1);
        return used;
    }

    void TestBrowser::type (const juce::String& text)
    {
        for (auto c : text)
            press ((int) c, {}, c);
    }

    juce::StringArray shownNames (const ContentResults& results)
    {
        juce::StringArray names;

        for (int i = 0; i < results.getNumResults(); ++i)
            names.add (results.getItem (i)->name);

        return names;
    }

    juce::Array<int> TestBrowser::selectedIndices() const
    {
        juce::Array<int> indices;

        for (int i = 0; i < results.getNumResults(); ++i)
            if (results.isSelected (i))
                indices.add (i);

        return indices;
    }

    //==============================================================================
    PresetFolder::PresetFolder (const juce::StringArray& names)
    {
        processor = std::make_unique<PluginAudioProcessor>();
        source = std::make_unique<PresetsDirectoryContent<Preset>> (processor->getPlugin(), folder.get().getChildFile ("Presets"));
        source->refresh();

        for (auto& n : names)
            source->addNewItem (n, {});
    }

    juce::StringArray PresetFolder::fileNames() const
    {
        juce::StringArray names;

        for (auto& f : folder.get().getChildFile ("Presets").findChildFiles (juce::File::findFiles, false, "*", juce::File::FollowSymlinks::no))
            names.add (f.getFileName());

        names.sort (false);
        return names;
    }
}
