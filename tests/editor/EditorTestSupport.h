#pragma once

#include "core/AudioProcessorEditorWrapper.h"
#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include "editor/BasePluginEditor.h"
#include "support/TestMouse.h"
#include "support/TestPlugin.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace edtest
{
    using test::hasDisplay;

    /** The editor with the product's skins, counting what happens to it. */
    class TestEditor : public BasePluginEditor
    {
    public:
        using BasePluginEditor::BasePluginEditor;

        int loads = 0;
        juce::Array<Parameter*> restored;
        /** Every preset step the editor took (true = next). */
        juce::Array<bool> steps;
        juce::String defaultWidthText { "1180" };
        int hiddenCommandId = -1;

        juce::String getDefaultWidthText() const override { return defaultWidthText; }
        int getHiddenCommandParameterId() const override { return hiddenCommandId; }

    protected:
        void skinLoaded (Skin&) override { ++loads; }
        void parameterRestored (Parameter* p) override { restored.add (p); }
        void stepPresetSelection (bool next) override
        {
            steps.add (next);
            BasePluginEditor::stepPresetSelection (next);
        }
    };

    /** A user preset folder whose items named in undeletable refuse to go (a file the
        system will not let go of, which root's permissions cannot stand in for). */
    class StubbornPresetFolder : public PresetsDirectoryContent<Preset>
    {
    public:
        using PresetsDirectoryContent<Preset>::PresetsDirectoryContent;
        juce::StringArray undeletable;

    protected:
        bool deleteItemData (ContentItem& item, std::unique_ptr<OverwriteStore>* store) override
        {
            return ! undeletable.contains (item.name) && PresetsDirectoryContent<Preset>::deleteItemData (item, store);
        }
    };

    /** The test plug-in with a TestEditor and a branch of the test's choice. */
    class EditorTestPlugin : public test::TestPlugin
    {
    public:
        juce::String branch { "master" }, buildText { "0" };
        juce::String getBranch() const override { return branch; }
        juce::String getBuildText() const override { return buildText; }
        bool hasEditor() const override { return true; }
        StubbornPresetFolder& getStubbornUserPresets() const { return *static_cast<StubbornPresetFolder*> (getUserPresets()); }

    protected:
        std::unique_ptr<PluginEditor> makeEditor() override { return std::make_unique<TestEditor> (*this); }
        std::unique_ptr<PresetFolderContent> makeUserPresetSource (const juce::File& folder) override
        {
            return std::make_unique<StubbornPresetFolder> (*this, folder, Preset::fileExtension, "User");
        }
    };

    /** A data root with the product's skins (or the ones a test chooses), the plug-in with its
        editor, and the host window when a test opens it. */
    class EditorRig
    {
    public:
        /** skinNames: the built skins to install; empty installs none. */
        using Prepare = std::function<void (const test::ScopedDataRoot&)>;

        /** prepare: runs before the plug-in is made (settings files, marker files). */
        explicit EditorRig (const juce::StringArray& skinNames = { "1180", "885", "1475" },
                            const juce::String& branch = "master", Prepare prepare = {});
        ~EditorRig();

        static juce::File getSkinsFolder (const test::ScopedDataRoot& root);

        juce::File getSkinsFolder() const { return getSkinsFolder (root); }
        TestEditor& getEditor() const { return *editor; }
        EditorTestPlugin& getPlugin() const { return *plugin; }
        PluginAudioProcessor& getProcessor() const { return *processor; }

        /** The host opens its window: the wrapper takes the editor (the first show). */
        juce::AudioProcessorEditor& openHostWindow();
        juce::AudioProcessorEditor* getHostWindow() const { return hostWindow.get(); }
        /** Puts the host window on the screen (needs a display). */
        void putOnScreen();
        void closeHostWindow();

        test::ScopedDataRoot root;

    private:
        std::unique_ptr<PluginAudioProcessor> processor;
        EditorTestPlugin* plugin = nullptr;
        TestEditor* editor = nullptr;
        std::unique_ptr<juce::AudioProcessorEditor> hostWindow;
    };

    /** The pixels of a real top-level window as the X server shows them (the part on the
        screen, from its top-left corner); invalid without a peer or a display. */
    juce::Image readBackWindow (juce::Component& window);

    /** Installs the built factory preset package, so the plug-in starts on its start preset. */
    void installFactoryPresets (const test::ScopedDataRoot& root);

    /** Installs one of the built skins under a name of the test's choice. */
    void installSkin (const juce::File& skinsFolder, const juce::String& builtName, const juce::String& asName);

    /** Mouse input through the window's peer (test::Mouse). */
    using Mouse = test::Mouse;

    /** The product's editor in the host window on the screen, driven by the mouse through its
        peer; skips without a display. */
    class ShownEditorTest : public ::testing::Test
    {
    protected:
        /** skinNames: the built skins to install; withPresets: the factory presets too. */
        explicit ShownEditorTest (juce::StringArray skinNames = { "1180", "885", "1475" }, bool withPresets = true)
            : skins (std::move (skinNames)), presets (withPresets)
        {
        }

        void SetUp() override;
        void TearDown() override;

        TestEditor& editor() const { return rig->getEditor(); }

        std::unique_ptr<EditorRig> rig;
        std::unique_ptr<Mouse> mouse;

    private:
        juce::StringArray skins;
        bool presets;
    };
}
