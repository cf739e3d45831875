#include "EditorTestSupport.h"
#include <X11/Xlib.h>
#include <cstdlib>

namespace
{
    // JUCE 7.0.5 uses these atoms without asking whether they exist; a bare X server (Xvfb
    // without a window manager) lacks some, and addToDesktop then dies with BadAtom. They are
    // interned before JUCE starts, on a connection that stays open for the whole run.
    struct AtomsForBareXServer
    {
        AtomsForBareXServer()
        {
            if (std::getenv ("DISPLAY") == nullptr)
                return;

            display = XOpenDisplay (nullptr);

            if (display == nullptr)
                return;

            for (const char* name : { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING",
                                      "WM_CHANGE_STATE", "WM_STATE", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE",
                                      "_NET_WM_STATE_HIDDEN" })
                XInternAtom (display, name, False);

            XSync (display, False);
        }

        Display* display = nullptr;
    };

    const AtomsForBareXServer atoms;
}

namespace edtest
{
    bool hasDisplay()
    {
        return atoms.display != nullptr && juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
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

        auto product = std::make_unique<TestGrindel>();
        product->branch = branch;
        plugin = product.get();
        processor = std::make_unique<PluginAudioProcessor> (std::move (product));
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

    //==============================================================================
    void Mouse::send (juce::Component& target, juce::Point<int> local, juce::ModifierKeys mods)
    {
        auto* peer = content.getPeer();
        ASSERT_NE (peer, nullptr);
        const auto position = content.getLocalPoint (&target, local).toFloat();
        // JUCE reads the keys from the global state, the buttons from the event.
        juce::ModifierKeys::currentModifiers = mods;
        peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, position, mods,
                                juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                juce::Time::currentTimeMillis());
    }

    void Mouse::moveTo (juce::Component& target, juce::Point<int> local)
    {
        send (target, local, {});
    }

    void Mouse::press (juce::Component& target, juce::Point<int> local, juce::ModifierKeys buttons)
    {
        send (target, local, {});
        send (target, local, buttons);
    }

    void Mouse::release (juce::Component& target, juce::Point<int> local, juce::ModifierKeys keys)
    {
        send (target, local, keys);
    }

    void Mouse::click (juce::Component& target, juce::ModifierKeys buttons, juce::ModifierKeys keys)
    {
        const auto centre = target.getLocalBounds().getCentre();
        press (target, centre, buttons.withFlags (keys.getRawFlags()));
        release (target, centre, keys);
        juce::ModifierKeys::currentModifiers = {};
    }

    void Mouse::doubleClick (juce::Component& target)
    {
        click (target);
        click (target);
    }
}
