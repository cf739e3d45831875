// The image-strip widgets under JUCE mouse event sequences, and their binding to parameters.

#include "SkinTestPackage.h"
#include "core/CommandParameter.h"
#include "editor/windows/FrontWindow.h"
#include "skin/Panel.h"
#include "skin/widgets/GFXMultiStateButton.h"
#include "skin/widgets/ImgButton.h"
#include "skin/widgets/ImgKnob.h"
#include "skin/widgets/ImgPictureDisplay.h"
#include "skin/widgets/ImgSlider.h"
#include "skin/widgets/ImgSwitch.h"
#include "skin/widgets/NumericDisplay.h"
#include "skin/widgets/PresetNameDisplay.h"
#include "skin/widgets/TextDisplay.h"
#include "support/BareXServer.h"
#include "support/TestPlugin.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace
{
    /** Presses, drags and releases the mouse on a component as JUCE's mouse dispatch does. */
    class Mouse
    {
    public:
        explicit Mouse (juce::Component& c) : component (c) {}

        void down (juce::Point<float> p, juce::ModifierKeys mods = {}, int clicks = 1)
        {
            downPosition = p;
            downTime = juce::Time::getCurrentTime();
            buttonMods = mods.withFlags (juce::ModifierKeys::leftButtonModifier);
            component.mouseDown (event (p, buttonMods, clicks, false));
        }

        void drag (juce::Point<float> p, juce::ModifierKeys extra = {})
        {
            component.mouseDrag (event (p, buttonMods.withFlags (extra.getRawFlags()), 1, true));
        }

        void up (juce::Point<float> p)
        {
            component.mouseUp (event (p, buttonMods, 1, p != downPosition));
        }

        void click (juce::Point<float> p)
        {
            down (p);
            up (p);
        }

    private:
        juce::MouseEvent event (juce::Point<float> p, juce::ModifierKeys mods, int clicks, bool dragged)
        {
            return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), p, mods,
                                     juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f,
                                     &component, &component, juce::Time::getCurrentTime(),
                                     downPosition, downTime, clicks, dragged);
        }

        juce::Component& component;
        juce::Point<float> downPosition;
        juce::Time downTime;
        juce::ModifierKeys buttonMods;
    };

    /** Records what a control tells its listeners and the gestures its parameter sees. */
    struct Recorder : public GUIController::Listener, public Parameter::Listener
    {
        juce::StringArray events;
        void controlActionSent (GUIController*, int a) override { events.add ("action " + juce::String (a)); }
        void controlDragStarted (GUIController*) override { events.add ("drag started"); }
        void controlValueChanged (GUIController*) override
        {
            if (events[events.size() - 1] != "value") events.add ("value");
        }
        void controlDragEnded (GUIController*) override { events.add ("drag ended"); }
        void parameterChanged (Parameter*) override {}
        void parameterGestureBegan (Parameter*) override { events.add ("gesture began"); }
        void parameterGestureEnded (Parameter*) override { events.add ("gesture ended"); }
    };

    struct Widgets : public ::testing::Test
    {
        test::TestPlugin plugin;
        test::SkinTestPackage package;
        std::unique_ptr<test::MemorySkin> skin;
        std::unique_ptr<Panel> root;
        Recorder recorder;

        Parameter& parameter (const char* name) { return *plugin.getParameterManager().getParameterByName (name); }

        template <class T>
        T& build (const juce::String& element, const char* name)
        {
            package.add ("PluginEditor.orvikgui", test::SkinTestPackage::description (element));
            package.add ("Knob_101.png", test::SkinTestPackage::png (40, 40, 101));
            package.add ("Switch_3.png", test::SkinTestPackage::png (30, 20, 3));
            package.add ("Button_4.png", test::SkinTestPackage::png (24, 24, 4));
            package.add ("Digits_13.png", test::SkinTestPackage::png (10, 20, 13));
            skin = std::make_unique<test::MemorySkin> (package, &plugin);
            root.reset (dynamic_cast<Panel*> (skin->createGui ({}).release()));
            EXPECT_NE (root, nullptr);
            auto* widget = skin->findComponent<T> (name);
            EXPECT_NE (widget, nullptr);
            static_cast<GUIController*> (widget)->addListener (&recorder);
            return *widget;
        }
    };
}

//==============================================================================
TEST_F (Widgets, KnobDragsOverTheRangeWithAFineMode)
{
    auto& knob = build<ImgKnob> ("<ImgKnob name=\"K\" param=\"Mix\" gfx=\"Knob_101.png\"/>", "K");
    auto& mix = parameter ("Mix");
    mix.setNormalisedValue (0.0f, false);
    mix.addListener (&recorder);
    knob.updateFromParameter();

    Mouse mouse (knob);
    mouse.down ({ 20, 20 });
    mouse.drag ({ 20, 0 });     // 20 pixels up
    mouse.drag ({ 20, -80 });   // 100 pixels in all: half the range
    EXPECT_NEAR (mix.getNormalisedValue(), 0.5f, 1.0e-4f);
    EXPECT_EQ (knob.getFrame(), 50);
    mouse.drag ({ 20, -100 }, juce::ModifierKeys::ctrlModifier);   // fine: a tenth
    EXPECT_NEAR (mix.getNormalisedValue(), 0.51f, 1.0e-4f);
    mouse.drag ({ 20, -1000 });   // far beyond the top: clamped
    EXPECT_FLOAT_EQ (mix.getNormalisedValue(), 1.0f);
    mouse.up ({ 20, -1000 });
    EXPECT_FALSE (mix.isInGesture());

    EXPECT_EQ (recorder.events.joinIntoString (", "),
               "gesture began, drag started, value, gesture ended, drag ended");
    mix.removeListener (&recorder);
}

TEST_F (Widgets, KnobLeavesShiftClicksAndPopupsToTheEditor)
{
    auto& knob = build<ImgKnob> ("<ImgKnob name=\"K\" param=\"Mix\" gfx=\"Knob_101.png\"/>", "K");
    auto& mix = parameter ("Mix");
    const float before = mix.getNormalisedValue();

    Mouse mouse (knob);
    mouse.down ({ 20, 20 }, juce::ModifierKeys::shiftModifier);
    mouse.drag ({ 20, -50 });
    mouse.up ({ 20, -50 });
    mouse.down ({ 20, 20 }, juce::ModifierKeys::rightButtonModifier);
    mouse.drag ({ 20, -50 });
    mouse.up ({ 20, -50 });

    EXPECT_EQ (mix.getNormalisedValue(), before);
    EXPECT_FALSE (mix.isInGesture());
    EXPECT_TRUE (recorder.events.isEmpty());
}

TEST_F (Widgets, HostChangesReachTheWidgetThroughTheMessageLoopOnly)
{
    auto& knob = build<ImgKnob> ("<ImgKnob name=\"K\" param=\"Filter Cutoff\" gfx=\"Knob_101.png\"/>", "K");
    auto& cutoff = parameter ("Filter Cutoff");
    plugin.getParameterManager().flushPendingUpdates();
    const float shown = knob.getKnobValue();

    // An automation value between two frames: shown on the nearest, not written back.
    cutoff.setNormalisedValue (0.3333f, true);
    EXPECT_EQ (knob.getKnobValue(), shown);
    ASSERT_TRUE (test::pumpUntil ([&] { return knob.getKnobValue() != shown; }));
    EXPECT_FLOAT_EQ (knob.getKnobValue(), cutoff.getNormalisedValue());
    EXPECT_EQ (knob.getFrame(), 33);
    test::pump (30);
    EXPECT_FLOAT_EQ (cutoff.getNormalisedValue(), 0.3333f);
    EXPECT_TRUE (recorder.events.isEmpty());
}

TEST_F (Widgets, SliderFollowsItsOwnAxis)
{
    auto& slider = build<ImgSlider> ("<ImgSlider name=\"S\" param=\"Mix\" w=\"200\" h=\"20\" gfx=\"Knob_101.png\"/>", "S");
    auto& mix = parameter ("Mix");
    mix.setNormalisedValue (0.0f, false);
    slider.updateFromParameter();
    ASSERT_TRUE (slider.isHorizontal());

    Mouse mouse (slider);
    mouse.down ({ 10, 10 });
    mouse.drag ({ 10, -300 });   // across its axis: nothing
    EXPECT_EQ (mix.getNormalisedValue(), 0.0f);
    mouse.drag ({ 60, -300 });   // a quarter of its length
    mouse.up ({ 60, -300 });
    EXPECT_NEAR (mix.getNormalisedValue(), 0.25f, 1.0e-4f);
}

TEST_F (Widgets, SwitchStepsThroughItsFramesAndWraps)
{
    auto& sw = build<ImgSwitch> ("<ImgSwitch name=\"Q\" param=\"Processing Quality\" gfx=\"Switch_3.png\"/>", "Q");
    auto& quality = parameter ("Processing Quality");
    quality.setIntValue (0, false);
    sw.updateFromParameter();
    quality.addListener (&recorder);

    Mouse mouse (sw);
    mouse.click ({ 5, 5 });
    EXPECT_EQ (quality.getIntValue(), 1);
    EXPECT_EQ (sw.getFrame(), 1);
    mouse.click ({ 5, 5 });
    EXPECT_EQ (quality.getIntValue(), 2);
    mouse.click ({ 5, 5 });
    EXPECT_EQ (quality.getIntValue(), 0);
    EXPECT_EQ (sw.getFrame(), 0);

    // Released outside: no step.
    mouse.down ({ 5, 5 });
    mouse.up ({ 500, 5 });
    EXPECT_EQ (quality.getIntValue(), 0);

    EXPECT_EQ (recorder.events[0], "drag started");
    EXPECT_EQ (recorder.events[1], "gesture began");
    EXPECT_EQ (recorder.events[2], "value");
    EXPECT_EQ (recorder.events[3], "gesture ended");
    EXPECT_EQ (recorder.events[4], "drag ended");
    quality.removeListener (&recorder);
}

TEST_F (Widgets, MomentaryButtonHoldsItsParameterWhilePressed)
{
    auto& button = build<ImgButton> ("<ImgButton name=\"B\" param=\"Mix\" gfx=\"Button_4.png\"/>", "B");
    auto& mix = parameter ("Mix");
    mix.setNormalisedValue (0.0f, false);
    int clicks = 0;
    button.onClick = [&] { ++clicks; };

    Mouse mouse (button);
    mouse.down ({ 5, 5 });
    EXPECT_FLOAT_EQ (mix.getNormalisedValue(), 1.0f);
    EXPECT_TRUE (mix.isInGesture());
    EXPECT_EQ (button.getStateFrame(), 1);
    mouse.up ({ 5, 5 });
    EXPECT_FLOAT_EQ (mix.getNormalisedValue(), 0.0f);
    EXPECT_FALSE (mix.isInGesture());
    EXPECT_EQ (button.getStateFrame(), 0);
    EXPECT_EQ (clicks, 1);
    EXPECT_EQ (recorder.events.joinIntoString (", "), "drag started, value, drag ended");
}

TEST_F (Widgets, ToggleButtonFlipsAndFollowsItsParameter)
{
    auto& button = build<ImgButton> ("<ImgButton name=\"B\" toggle=\"1\" param=\"Mix\" gfx=\"Button_4.png\"/>", "B");
    auto& mix = parameter ("Mix");
    mix.setNormalisedValue (0.0f, false);
    button.updateFromParameter();

    Mouse mouse (button);
    mouse.click ({ 5, 5 });
    EXPECT_TRUE (button.getToggleState());
    EXPECT_FLOAT_EQ (mix.getNormalisedValue(), 1.0f);
    EXPECT_EQ (button.getStateFrame(), 2);

    mix.setNormalisedValue (0.0f, true);
    ASSERT_TRUE (test::pumpUntil ([&] { return ! button.getToggleState(); }));
    EXPECT_EQ (button.getStateFrame(), 0);
}

TEST_F (Widgets, MultiStateButtonCyclesItsStates)
{
    auto& button = build<GFXMultiStateButton> ("<ImgButton name=\"M\" states=\"3\" param=\"Processing Quality\" gfx=\"Button_4.png\"/>", "M");
    auto& quality = parameter ("Processing Quality");
    quality.setIntValue (0, false);
    button.updateFromParameter();

    Mouse mouse (button);
    const int expected[] = { 1, 2, 0, 1 };

    for (int state : expected)
    {
        mouse.click ({ 5, 5 });
        EXPECT_EQ (button.getStateIndex(), state);
        EXPECT_EQ (quality.getIntValue(), state);
        EXPECT_FALSE (quality.isInGesture());
    }

    EXPECT_EQ (button.getStateFrame(), 1);
}

TEST_F (Widgets, DisplaysShowTheValueText)
{
    auto& text = build<TextDisplay> ("<TextDisplay name=\"T\" param=\"Mix\" w=\"80\" h=\"20\"/>"
                                     "<NumericDisplay name=\"N\" param=\"Bit Depth\" w=\"80\" h=\"20\" gfx=\"Digits_13.png\"/>"
                                     "<ImgPictureDisplay name=\"P\" param=\"Processing Quality\" gfx=\"Switch_3.png\"/>",
                                     "T");
    auto& mix = parameter ("Mix");
    mix.setValue (50.0f, true);
    ASSERT_TRUE (test::pumpUntil ([&] { return text.getText() == mix.getValueText(); }));
    EXPECT_TRUE (text.getText().isNotEmpty());

    auto* numeric = skin->findComponent<NumericDisplay> ("N");
    ASSERT_NE (numeric, nullptr);
    parameter ("Bit Depth").setValue (12.0f, true);
    ASSERT_TRUE (test::pumpUntil ([&] { return numeric->getDisplayText().startsWith ("12"); }));

    // Dragging the readout changes its value, once, in one gesture.
    Mouse mouse (*numeric);
    mouse.down ({ 10, 10 });
    mouse.drag ({ 10, -90 });
    mouse.up ({ 10, -90 });
    EXPECT_GT (parameter ("Bit Depth").getValue(), 12.0f);
    EXPECT_FALSE (parameter ("Bit Depth").isInGesture());

    auto* picture = skin->findComponent<ImgPictureDisplay> ("P");
    parameter ("Processing Quality").setIntValue (2, true);
    ASSERT_TRUE (test::pumpUntil ([&] { return picture->getFrame() == 2; }));

    root->setSize (200, 100);
    EXPECT_TRUE (root->createComponentSnapshot (root->getLocalBounds()).isValid());
}

TEST_F (Widgets, PresetNameDisplayShowsThePresetNameWithoutBeingToldItsParameter)
{
    auto& presetName = *plugin.getParameterManager().getParameterByIndex (CommandParameter::presetNameId);
    presetName.setText ("MPC60", false);

    auto& display = build<PresetNameDisplay> ("<PresetNameDisplay name=\"PresetName\" w=\"300\" h=\"36\"/>", "PresetName");
    EXPECT_EQ (display.getParameter(), &presetName);
    EXPECT_EQ (display.getText(), "MPC60");

    presetName.setText ("SP-1200", true);
    ASSERT_TRUE (test::pumpUntil ([&] { return display.getText() == "SP-1200"; }));

    // A parameter the skin names wins.
    auto& named = build<PresetNameDisplay> ("<PresetNameDisplay name=\"Other\" param=\"Mix\" w=\"80\" h=\"20\"/>", "Other");
    EXPECT_EQ (named.getParameter(), &parameter ("Mix"));
}

TEST_F (Widgets, PresetActionsOpenInTheFrontLayerAndSendTheirCommand)
{
    struct Commands : public Parameter::Listener
    {
        juce::Array<float> values;
        void parameterChanged (Parameter* p) override { values.add (p->getValue()); }
    } commands;

    struct Front : public juce::Component, public FrontWindow
    {
        Front() : FrontWindow (static_cast<juce::Component&> (*this)) { setSize (600, 300); }
    };

    auto& display = build<PresetNameDisplay> ("<PresetNameDisplay name=\"PresetName\" w=\"300\" h=\"36\"/>", "PresetName");
    display.showActions();
    EXPECT_FALSE (display.areActionsOpen());   // no front layer to open in

    Front front;
    front.addAndMakeVisible (*root);
    display.showActions();
    ASSERT_TRUE (display.areActionsOpen());
    auto* actions = display.getActions();
    ASSERT_EQ (actions->getNumItems(), 3);
    EXPECT_EQ (actions->getItemButton (0)->getButtonText(), "Init");
    EXPECT_EQ (actions->getItemButton (2)->getButtonText(), "Save As");
    EXPECT_EQ (actions->getBounds(), juce::Rectangle<int> (104, 38, 92, 62));   // centred below

    auto& reload = *plugin.getParameterManager().getParameterByIndex (PresetNameDisplay::getActionCommandId (1));
    EXPECT_EQ (reload.getName(), "Preset Reload");
    reload.addListener (&commands);
    actions->getItemButton (1)->triggerClick();
    ASSERT_TRUE (test::pumpUntil ([&] { return commands.values.size() == 2; }));
    EXPECT_EQ (commands.values, juce::Array<float> ({ 1.0f, 0.0f }));
    EXPECT_FALSE (display.areActionsOpen());
    EXPECT_EQ (PresetNameDisplay::getActionCommandId (3), -1);

    reload.removeListener (&commands);
    front.removeChildComponent (root.get());
}

TEST_F (Widgets, EditedTextGoesToTheParameter)
{
    auto& text = build<TextDisplay> ("<TextDisplay name=\"T\" param=\"Mix\" editable=\"1\" w=\"80\" h=\"20\"/>", "T");
    auto& mix = parameter ("Mix");

    // JUCE focuses the text field it opens, which it can only do on the screen.
    if (! test::BareXServer::isReady())
        GTEST_SKIP() << "needs an X server";

    root->setSize (100, 40);
    root->addToDesktop (0);
    root->setVisible (true);
    ASSERT_TRUE (test::pumpUntil ([&] { return text.isShowing(); }));
    text.showEditor();
    ASSERT_NE (text.getCurrentTextEditor(), nullptr);
    text.getCurrentTextEditor()->setText ("25");
    text.hideEditor (false);

    EXPECT_NEAR (mix.getValue(), 25.0f, 0.01f);
    EXPECT_FALSE (mix.isInGesture());
    EXPECT_TRUE (recorder.events.contains ("drag ended"));
}

TEST_F (Widgets, UnbindingAndDeletionLeaveTheParameterClean)
{
    auto& knob = build<ImgKnob> ("<ImgKnob name=\"K\" param=\"Mix\" gfx=\"Knob_101.png\"/>", "K");
    auto& mix = parameter ("Mix");
    const int listeners = mix.getNumListeners();

    Mouse mouse (knob);
    mouse.down ({ 20, 20 });
    EXPECT_TRUE (mix.isInGesture());

    // Deleted mid-drag: the gesture ends and the parameter forgets the widget.
    root.reset();
    EXPECT_FALSE (mix.isInGesture());
    EXPECT_EQ (mix.getNumListeners(), listeners - 1);
    mix.setNormalisedValue (0.9f, true);
    test::pump (30);
}
