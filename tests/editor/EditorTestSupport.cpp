#include "EditorTestSupport.h"

namespace edtest
{
    void installFactoryPresets (const test::ScopedDataRoot& root)
    {
        const juce::File package (GRINDEL_FACTORY_PACKAGE);
        const auto folder = root.getCommonFolder().getChildFile ("Presets");
        folder.createDirectory();
        ASSERT_TRUE (package.copyFileTo (folder.getChildFile (package.getFileName()))) << package.getFullPathName();
    }

    void installSkin (const juce::File& skinsFolder, const juce::String& builtName, const juce::String& asName)
    {
        const juce::File built (GRINDEL_BUILT_SKINS);
        skinsFolder.createDirectory();
        ASSERT_TRUE (built.getChildFile (builtName + ".orvikskin")
                         .copyFileTo (skinsFolder.getChildFile (asName + ".orvikskin")))
            << "the product's skins are built into " << built.getFullPathName();
    }

    EditorRig::EditorRig (const juce::StringArray& skinNames, const juce::String& branch, Prepare prepare)
    {
        for (const auto& name : skinNames)
            installSkin (getSkinsFolder(), name, name);

        if (prepare)
            prepare (root);

        auto product = std::make_unique<EditorTestPlugin>();
        product->branch = branch;
        plugin = product.get();
        processor = std::make_unique<PluginAudioProcessor> (std::move (product));
        plugin->createEditorOnce();
        editor = dynamic_cast<TestEditor*> (plugin->getActiveEditor());
        EXPECT_NE (editor, nullptr);
    }

    EditorRig::~EditorRig()
    {
        closeHostWindow();
        processor.reset();
    }

    juce::File EditorRig::getSkinsFolder (const test::ScopedDataRoot& dataRoot)
    {
        return dataRoot.getCommonFolder().getChildFile ("Skins");
    }

    juce::AudioProcessorEditor& EditorRig::openHostWindow()
    {
        if (hostWindow == nullptr)
            hostWindow.reset (processor->createEditorIfNeeded());

        return *hostWindow;
    }

    void EditorRig::putOnScreen()
    {
        auto& window = openHostWindow();
        window.setTopLeftPosition (20, 20);
        window.addToDesktop (juce::ComponentPeer::windowIsTemporary);
        window.setVisible (true);
        test::pump (20);
    }

    void EditorRig::closeHostWindow()
    {
        if (hostWindow != nullptr)
        {
            processor->editorBeingDeleted (hostWindow.get());
            hostWindow.reset();
        }
    }

    void ShownEditorTest::SetUp()
    {
        SKIP_WITHOUT_DISPLAY();

        rig = std::make_unique<EditorRig> (skins, "master", [this] (const test::ScopedDataRoot& root) {
            if (presets)
                installFactoryPresets (root);
        });
        rig->putOnScreen();
        ASSERT_TRUE (test::pumpUntil ([this] { return rig->getHostWindow()->isShowing(); }, 10000));
        mouse = std::make_unique<Mouse> (*rig->getHostWindow());
    }

    void ShownEditorTest::TearDown()
    {
        mouse.reset();
        rig.reset();
    }
}
