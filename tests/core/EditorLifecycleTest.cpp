#include "core/AudioProcessorEditorWrapper.h"
#include "core/PluginAudioProcessor.h"
#include "support/TestPlugin.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <thread>

namespace
{
    struct Events
    {
        juce::StringArray log;
        int ticks = 0;
    };

    class StubEditor : public PluginEditor
    {
    public:
        explicit StubEditor (Events& e) : events (e)
        {
            setSize (800, 616);
            events.log.add ("created");
        }
        ~StubEditor() override { events.log.add (isTimerRunning() ? "deleted while ticking" : "deleted"); }

        void initialise() override { events.log.add ("initialise"); }
        void ensureSkinLoaded() override { events.log.add ("ensureSkinLoaded"); }
        void lookAndFeelChanged() override { events.log.add ("lookAndFeelChanged"); }
        void timerCallback() override { ++events.ticks; }

        std::unique_ptr<juce::XmlElement> getStateXml() const override
        {
            auto xml = std::make_unique<juce::XmlElement> ("Editor");
            xml->setAttribute ("zoom", zoom);
            return xml;
        }

        void setStateFromXml (const juce::XmlElement& xml) override { zoom = xml.getIntAttribute ("zoom"); }

        std::unique_ptr<juce::XmlElement> saveSettings() const override
        {
            auto xml = std::make_unique<juce::XmlElement> ("Editor");
            xml->setAttribute ("skin", skin);
            return xml;
        }

        int zoom = 100;
        juce::String skin { "Light" };

    private:
        Events& events;
    };

    class PluginWithEditor : public test::TestPlugin
    {
    public:
        explicit PluginWithEditor (Events& e) : events (e) {}

        bool hasEditor() const override { return true; }

        /** Runs inside makeEditor, before the editor exists. */
        std::function<void()> whileMakingTheEditor;

    protected:
        std::unique_ptr<PluginEditor> makeEditor() override
        {
            if (whileMakingTheEditor)
                whileMakingTheEditor();

            return std::make_unique<StubEditor> (events);
        }

    private:
        Events& events;
    };
}

TEST (EditorLifecycle, BuiltOnFirstAskTickingShownInTheHostWrapperAndDeletedStopped)
{
    test::ScopedDataRoot root;
    Events events;

    {
        PluginAudioProcessor processor (std::make_unique<PluginWithEditor> (events));

        // A headless instance never builds the editor; a state restored meanwhile keeps its
        // "Editor" element for it, in the state saved again too.
        EXPECT_EQ (processor.getPlugin().getActiveEditor(), nullptr);
        EXPECT_TRUE (events.log.isEmpty());
        ASSERT_TRUE (processor.hasEditor());
        {
            auto xml = processor.getPlugin().createStateXml();
            xml->createNewChildElement ("Editor")->setAttribute ("zoom", 175);
            juce::MemoryBlock state;
            juce::AudioProcessor::copyXmlToBinary (*xml, state);
            processor.setStateInformation (state.getData(), (int) state.getSize());
            EXPECT_EQ (processor.getPlugin().createStateXml()->getChildByName ("Editor")->getIntAttribute ("zoom"), 175);
        }

        std::unique_ptr<juce::AudioProcessorEditor> first (processor.createEditorIfNeeded());
        auto* editor = dynamic_cast<StubEditor*> (processor.getPlugin().getActiveEditor());
        ASSERT_NE (editor, nullptr);
        EXPECT_EQ (editor->zoom, 175);
        processor.editorBeingDeleted (first.get());
        first.reset();
        EXPECT_EQ (events.log, juce::StringArray ({ "created", "initialise", "lookAndFeelChanged", "ensureSkinLoaded" }));
        EXPECT_TRUE (editor->isTimerRunning());
        EXPECT_EQ (editor->getTimerInterval(), 25);
        EXPECT_TRUE (test::pumpUntil ([&] { return events.ticks >= 3; }));

        // Opening the host window twice shows the same editor; closing keeps it alive.
        ASSERT_TRUE (processor.hasEditor());

        for (int width : { 800, 1180 })
        {
            std::unique_ptr<juce::AudioProcessorEditor> window (processor.createEditorIfNeeded());
            ASSERT_NE (window, nullptr);
            EXPECT_EQ (editor->getParentComponent(), window.get());
            EXPECT_EQ (window->getBounds(), juce::Rectangle<int> (0, 0, width, 616));

            // The host window follows the editor's size.
            editor->setSize (1180, 616);
            EXPECT_EQ (window->getWidth(), 1180);

            // As a host wrapper does before it deletes the window.
            processor.editorBeingDeleted (window.get());
        }

        EXPECT_EQ (editor->getParentComponent(), nullptr);
        EXPECT_EQ (events.log.strings.getLast(), "ensureSkinLoaded");
        EXPECT_EQ (events.log.size(), 6);

        // The editor's element travels with the state and the user settings.
        editor->zoom = 150;
        juce::MemoryBlock state;
        processor.getStateInformation (state);
        editor->zoom = 0;
        processor.setStateInformation (state.getData(), (int) state.getSize());
        EXPECT_EQ (editor->zoom, 150);
        editor->skin = "Dark";   // settings are written only when they changed
    }

    EXPECT_EQ (events.log.strings.getLast(), "deleted");

    // The editor's settings outlive an instance that never built its editor, even one that
    // saves a change of its own.
    {
        PluginAudioProcessor headless (std::make_unique<PluginWithEditor> (events));
        headless.getPlugin().authorName = "Headless";
        EXPECT_TRUE (headless.getPlugin().saveUserSettings().wasOk());
    }
    const auto settings = juce::parseXML (root.getUserFolder().getChildFile ("Grindel 2.ini"));
    ASSERT_NE (settings, nullptr);
    ASSERT_NE (settings->getChildByName ("Editor"), nullptr);
    EXPECT_EQ (settings->getChildByName ("Editor")->getStringAttribute ("skin"), "Dark");
    EXPECT_EQ (settings->getChildByName ("Author")->getStringAttribute ("name"), "Headless");
}

TEST (EditorLifecycle, ARestoreFromAHostThreadReachesAnEditorBeingMadeAndNeverTouchesOne)
{
    test::ScopedDataRoot root;
    Events events;
    PluginAudioProcessor processor (std::make_unique<PluginWithEditor> (events));
    auto& plugin = dynamic_cast<PluginWithEditor&> (processor.getPlugin());

    auto xml = plugin.createStateXml();
    xml->createNewChildElement ("Editor")->setAttribute ("zoom", 175);
    juce::MemoryBlock state;
    juce::AudioProcessor::copyXmlToBinary (*xml, state);
    const auto restoreFromHostThread = [&] {
        std::thread host ([&] { processor.setStateInformation (state.getData(), (int) state.getSize()); });
        host.join();
    };

    // The host restores while the message thread is making the editor.
    plugin.whileMakingTheEditor = restoreFromHostThread;
    std::unique_ptr<juce::AudioProcessorEditor> window (processor.createEditorIfNeeded());
    plugin.whileMakingTheEditor = nullptr;
    auto* editor = dynamic_cast<StubEditor*> (plugin.getActiveEditor());
    ASSERT_NE (editor, nullptr);
    EXPECT_TRUE (test::pumpUntil ([&] { return editor->zoom == 175; })) << editor->zoom;

    // And while it is open: the editor takes it on the message thread.
    editor->zoom = 100;
    restoreFromHostThread();
    EXPECT_EQ (editor->zoom, 100);
    EXPECT_TRUE (test::pumpUntil ([&] { return editor->zoom == 175; }));
    processor.editorBeingDeleted (window.get());
    window.reset();

    // The host saves and restores from its thread while editors come and go; what is handed
    // to an editor that has gone is dropped.
    std::atomic<bool> done { false };
    std::thread host ([&] {
        for (int i = 0; i < 100; ++i)
        {
            juce::MemoryBlock saved;
            processor.getStateInformation (saved);
            processor.setStateInformation (state.getData(), (int) state.getSize());
        }
        done = true;
    });

    while (! done)
    {
        plugin.createEditorOnce();
        test::pump (1);
        plugin.destroyEditor();
    }

    host.join();
    test::pump (20);
    EXPECT_EQ (plugin.getActiveEditor(), nullptr);
    EXPECT_EQ (plugin.getEditorState()->getIntAttribute ("zoom"), 175);
}

TEST (EditorLifecycle, QualityParametersStayAwayFromTheHost)
{
    test::ScopedDataRoot root;
    PluginAudioProcessor processor;
    auto& plugin = processor.getPlugin();

    // The quality parameters exist with their fixed ids and stay away from the host (the
    // commands: CommandParameterTest).
    auto& manager = plugin.getParameterManager();

    for (int id = 100009; id <= 100012; ++id)
    {
        auto* p = manager.getParameterByIndex (id);
        ASSERT_NE (p, nullptr);
        EXPECT_EQ (p->getItemNames(), plugin.getQualityParameter()->getItemNames());
        EXPECT_TRUE (p->isExcludedFromPresets());
        EXPECT_EQ (p->getHostIndex(), -1);
    }

    // Host indices run without gaps over the automatable parameters.
    int expected = 0;
    for (auto* p : manager.getParameters())
    {
        if (p->isAutomatable())
        {
            EXPECT_EQ (p->getHostIndex(), expected++);
        }
    }

    EXPECT_EQ (processor.getParameters().size(), expected);
}
