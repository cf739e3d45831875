#include "WindowsTestSupport.h"

using namespace wintest;

namespace
{
    struct Caller : public juce::Component, public FrontWindow::Callback
    {
        void frontWindowClosed (juce::Component* popup, juce::Component* pressed) override
        {
            closed.add (popup);
            pressedComponents.add (pressed);
        }
        juce::Array<juce::Component*> closed, pressedComponents;
    };

    struct Popup : public juce::Component
    {
        Popup (int w, int h)
        {
            setSize (w, h);
            addAndMakeVisible (child);
            child.setBounds (2, 2, 5, 5);
        }
        juce::Component child;
    };

    const int centredLeft = juce::Justification::centredLeft;
    const int centredRight = juce::Justification::centredRight;
}

TEST (FrontWindow, PlacesThePopupAgainstItsAnchorInsideTheOwner)
{
    TestDesktop editor (800, 600);
    Caller caller;
    caller.setBounds (100, 100, 40, 20);
    editor.addAndMakeVisible (caller);
    Popup popup (50, 30);

    // Right of the anchor, vertically centred, 5 pixels away.
    FrontWindow::show (&caller, &popup, &caller, centredLeft, centredRight, { 5, 0 });
    EXPECT_EQ (popup.getParentComponent(), &editor);
    EXPECT_EQ (popup.getBounds(), juce::Rectangle<int> (145, 95, 50, 30));
    EXPECT_EQ (editor.getFrontComponent(), &popup);

    // Centred above it with a 2-pixel gap.
    FrontWindow::show (&caller, &popup, &caller, juce::Justification::centredBottom,
                       juce::Justification::centredTop, { 0, -2 });
    EXPECT_EQ (popup.getBounds(), juce::Rectangle<int> (95, 68, 50, 30));
    EXPECT_TRUE (caller.closed.isEmpty());   // showing the front pop-up again closes nothing

    // Kept inside the editor.
    caller.setBounds (780, 590, 20, 10);
    FrontWindow::show (&caller, &popup, &caller, centredLeft, centredRight, { 5, 0 });
    EXPECT_EQ (popup.getBounds(), juce::Rectangle<int> (750, 570, 50, 30));

    // Without an anchor the owner is the anchor.
    editor.showFront (&caller, &popup, nullptr, 0, 0, { 3, 4 });
    EXPECT_EQ (popup.getPosition(), juce::Point<int> (3, 4));
}

TEST (FrontWindow, OnePopupAtATimeAndClosingRules)
{
    TestDesktop editor;
    editor.setVisible (true);
    Caller first, second;
    editor.addAndMakeVisible (first);
    editor.addAndMakeVisible (second);
    Popup a (10, 10), b (10, 10);

    FrontWindow::show (&first, &a, nullptr, 0, 0, {});
    FrontWindow::show (&second, &b, nullptr, 0, 0, {});
    EXPECT_EQ (first.closed, juce::Array<juce::Component*> ({ &a }));
    EXPECT_EQ (first.pressedComponents[0], nullptr);
    EXPECT_EQ (a.getParentComponent(), nullptr);
    EXPECT_FALSE (a.isVisible());

    EXPECT_FALSE (FrontWindow::hide (&first, &a));
    EXPECT_TRUE (second.closed.isEmpty());

    // A pop-up that hides itself closes.
    b.setVisible (false);
    EXPECT_EQ (second.closed, juce::Array<juce::Component*> ({ &b }));
    EXPECT_EQ (editor.getFrontComponent(), nullptr);

    // Hiding the editor, or moving it, closes the pop-up.
    FrontWindow::show (&first, &a, nullptr, 0, 0, {});
    editor.setVisible (false);
    EXPECT_EQ (first.closed.size(), 2);
    editor.setVisible (true);

    juce::Component host;
    FrontWindow::show (&first, &a, nullptr, 0, 0, {});
    host.addAndMakeVisible (editor);
    EXPECT_EQ (first.closed.size(), 3);

    // A pop-up deleted while in front.
    auto c = std::make_unique<Popup> (10, 10);
    FrontWindow::show (&second, c.get(), nullptr, 0, 0, {});
    auto* raw = c.get();
    c.reset();
    EXPECT_EQ (second.closed.getLast(), raw);
    EXPECT_EQ (editor.getFrontComponent(), nullptr);
}

TEST (FrontWindow, TheOwnerGoingFirstLeavesThePopupSafe)
{
    Caller caller;
    Popup popup (10, 10);
    {
        TestDesktop editor;
        editor.addAndMakeVisible (caller);
        FrontWindow::show (&caller, &popup, nullptr, 0, 0, {});
    }
    // The pop-up, its widget's, lives on and may change without reaching the dead layer.
    popup.setVisible (false);
    EXPECT_EQ (popup.getParentComponent(), nullptr);
}

TEST (FrontWindow, APressElsewhereInTheEditorClosesThePopup)
{
    SKIP_WITHOUT_DISPLAY();

    TestDesktop editor (400, 300);
    Caller caller;
    caller.setBounds (10, 10, 50, 20);
    juce::Component other;
    other.setBounds (200, 200, 50, 50);
    editor.addAndMakeVisible (caller);
    editor.addAndMakeVisible (other);
    editor.addToDesktop (0);
    editor.setVisible (true);
    auto* peer = editor.getPeer();
    ASSERT_NE (peer, nullptr);

    auto press = [&] (juce::Point<int> at) {
        const auto t = juce::Time::getMillisecondCounter();
        peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, at.toFloat(),
                                juce::ModifierKeys::leftButtonModifier, 1.0f, 0.0f, (juce::int64) t);
        peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, at.toFloat(),
                                juce::ModifierKeys(), 1.0f, 0.0f, (juce::int64) t + 10);
    };

    Popup popup (100, 60);
    FrontWindow::show (&caller, &popup, &caller, 0, juce::Justification::bottom, {});
    ASSERT_EQ (popup.getPosition(), juce::Point<int> (10, 30));

    // The press that opened it is over before the layer listens.
    test::pump (30);
    press ({ 15, 35 });   // on the pop-up's child
    EXPECT_EQ (editor.getFrontComponent(), &popup);

    press ({ 210, 210 });
    EXPECT_EQ (editor.getFrontComponent(), nullptr);
    ASSERT_EQ (caller.pressedComponents.size(), 1);
    EXPECT_EQ (caller.pressedComponents[0], &other);
    editor.removeFromDesktop();
}

//==============================================================================
#include "core/parameters/EnumParameter.h"
#include "skin/widgets/EnumDisplay.h"

TEST (EnumDisplay, PicksAValueInTheFrontLayer)
{
    Parameter::Description d;
    d.id = 5;
    d.name = "Filter Type";
    EnumParameter parameter (d, { "Low", "Band", "High" });

    TestDesktop editor;
    EnumDisplay display ("FilterType");
    display.setBounds (100, 100, 40, 20);
    editor.addAndMakeVisible (display);
    display.setParameter (&parameter);

    // Right clicks and double clicks belong to the editor.
    display.mouseDown (mouseEvent (display, { 5, 5 }, juce::ModifierKeys::rightButtonModifier));
    display.mouseDown (mouseEvent (display, { 5, 5 }, juce::ModifierKeys::leftButtonModifier, nullptr, 2));
    EXPECT_FALSE (display.isPickerOpen());

    display.mouseDown (mouseEvent (display, { 5, 5 }));
    ASSERT_TRUE (display.isPickerOpen());
    auto* picker = display.getPicker();
    ASSERT_EQ (picker->getNumItems(), 3);
    EXPECT_TRUE (picker->getItemButton (0)->getToggleState());
    EXPECT_EQ (picker->getY(), 122);

    click (*picker->getItemButton (2));
    EXPECT_FALSE (display.isPickerOpen());
    EXPECT_EQ (parameter.getIntValue(), 2);
    display.setParameter (nullptr);
}
