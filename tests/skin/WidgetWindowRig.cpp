#include "WidgetWindowRig.h"

namespace widgettest
{
    namespace
    {
        struct TestParameter
        {
            const char* name;
            float minimum, maximum, defaultValue;
        };

        // The test parameter set: ids from 900000 on, clear of the product's.
        // clang-format off
        const TestParameter testParameters[] = {
            { "Test Channel", 0, 1, 0 },
            { "Test Step 1", 0, 1, 0 }, { "Test Step 2", 0, 1, 0 }, { "Test Step 3", 0, 1, 0 },
            { "Test Step 4", 0, 1, 0 }, { "Test Step 5", 0, 1, 0 }, { "Test Step 6", 0, 1, 0 },
            { "Test Room Width", 0, 20, 10 }, { "Test Room Length", 0, 20, 8 },
            { "Test M1 X", 0, 20, 2 }, { "Test M1 Y", 0, 20, 2 }, { "Test M1 Angle", -180, 180, 0 },
            { "Test M2 X", 0, 20, 8 }, { "Test M2 Y", 0, 20, 2 }, { "Test M2 Angle", -180, 180, 0 },
            { "Test S1 X", 0, 20, 3 }, { "Test S1 Y", 0, 20, 6 }, { "Test S1 Angle", -180, 180, 30 },
            { "Test S2 X", 0, 20, 7 }, { "Test S2 Y", 0, 20, 6 }, { "Test S2 Angle", -180, 180, 0 },
        };
        // clang-format on
    }

    WidgetPlugin::WidgetPlugin()
    {
        int id = 900000;

        for (const auto& t : testParameters)
        {
            Parameter::Description d;
            d.id = id++;
            d.name = t.name;
            d.minimum = t.minimum;
            d.maximum = t.maximum;
            d.defaultValue = t.defaultValue;
            auto p = std::make_unique<FloatParameter> (d);
            p->setToDefault (false);
            getParameterManager().addParameter (std::move (p));
        }
    }

    Parameter& WidgetPlugin::parameter (const juce::String& name)
    {
        auto* p = getParameterManager().getParameterByName (name);
        EXPECT_NE (p, nullptr) << name;
        return *p;
    }

    //==============================================================================
    GestureCounter::GestureCounter (ParameterManager& m) : manager (m) { manager.addListenerToAll (this); }
    GestureCounter::~GestureCounter() { manager.removeListenerFromAll (this); }

    int GestureCounter::begins (const juce::String& name) const
    {
        const auto found = begun.find (name);
        return found != begun.end() ? found->second : 0;
    }

    int GestureCounter::ends (const juce::String& name) const
    {
        const auto found = ended.find (name);
        return found != ended.end() ? found->second : 0;
    }

    int GestureCounter::totalBegins() const
    {
        int n = 0;
        for (const auto& [name, count] : begun)
            n += count;
        return n;
    }

    int GestureCounter::totalEnds() const
    {
        int n = 0;
        for (const auto& [name, count] : ended)
            n += count;
        return n;
    }

    void GestureCounter::reset()
    {
        begun.clear();
        ended.clear();
    }

    //==============================================================================
    SkinWindow::SkinWindow (const juce::String& family)
    {
        if (! hasDisplay())
            return;

        const juce::File package (juce::String (GRINDEL_TEST_SKINS) + "/" + family + "/1180.orvikskin");
        skin = std::make_unique<PackageSkin> (package, &plugin);
        root = skin->createGui ({});
        EXPECT_NE (root, nullptr) << skin->getErrorText();

        if (root == nullptr)
            return;

        window.setSize (root->getWidth(), root->getHeight());
        window.addAndMakeVisible (*root);
        window.setTopLeftPosition (30, 30);
        window.addToDesktop (juce::ComponentPeer::windowIsTemporary);
        window.setVisible (true);
        test::pump (30);
    }

    SkinWindow::~SkinWindow()
    {
        juce::ModifierKeys::currentModifiers = {};
        root.reset();

        if (window.isOnDesktop())
            window.removeFromDesktop();
    }

    void SkinWindow::move (juce::Component& target, juce::Point<int> p) { test::sendMouseThroughPeer (window, target, p, {}); }

    void SkinWindow::press (juce::Component& target, juce::Point<int> p, juce::ModifierKeys keys)
    {
        buttons = juce::ModifierKeys (keys.isRightButtonDown() ? juce::ModifierKeys::rightButtonModifier
                                                               : juce::ModifierKeys::leftButtonModifier);
        test::sendMouseThroughPeer (window, target, p, keys.withoutMouseButtons());
        test::sendMouseThroughPeer (window, target, p, keys.withFlags (buttons.getRawFlags()));
    }

    void SkinWindow::drag (juce::Component& target, juce::Point<int> p, juce::ModifierKeys keys)
    {
        test::sendMouseThroughPeer (window, target, p, keys.withFlags (buttons.getRawFlags()));
    }

    void SkinWindow::release (juce::Component& target, juce::Point<int> p, juce::ModifierKeys keys)
    {
        test::sendMouseThroughPeer (window, target, p, keys.withoutMouseButtons());
        juce::ModifierKeys::currentModifiers = {};
    }

    void SkinWindow::wheel (juce::Component& target, juce::Point<int> p, float deltaY)
    {
        auto* peer = window.getPeer();
        ASSERT_NE (peer, nullptr);
        juce::MouseWheelDetails details {};
        details.deltaY = deltaY;
        peer->handleMouseWheel (juce::MouseInputSource::InputSourceType::mouse, window.getLocalPoint (&target, p).toFloat(),
                                juce::Time::currentTimeMillis(), details);
    }

    juce::File SkinWindow::snapshot (const juce::String& name)
    {
        const juce::File folder (GRINDEL_WIDGET_SNAPSHOTS);
        folder.createDirectory();
        const auto file = folder.getChildFile (name + ".png");
        file.deleteFile();
        juce::FileOutputStream out (file);
        juce::PNGImageFormat().writeImageToStream (window.createComponentSnapshot (window.getLocalBounds()), out);
        return file;
    }
}
