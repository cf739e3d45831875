#include "WindowsTestSupport.h"
#include "core/parameters/IntParameter.h"
#include "editor/windows/PopupMenuEx.h"
#include "skin/widgets/ComboBoxEx.h"

using namespace wintest;

namespace
{
    struct Answers : public PopupMenuEx::Listener
    {
        void menuItemChosen (PopupMenuEx* m, int id, bool ticked) override
        {
            log.add ((m->getTargetComponentName()) + " chose " + juce::String (id) + (ticked ? " ticked" : ""));
        }
        void menuDismissed (PopupMenuEx* m) override { log.add (m->getTargetComponentName() + " dismissed"); }
        juce::StringArray log;
    };

    PopupMenuEx::Window& windowOf (PopupMenuEx& menu)
    {
        auto* popup = menu.getPopup();
        EXPECT_NE (popup, nullptr);
        EXPECT_NE (popup->getWindow(), nullptr);
        return *popup->getWindow();
    }

    /** A press on item row i of an open menu. */
    void pressItem (PopupMenuEx& menu, int row)
    {
        auto& window = windowOf (menu);
        window.mouseDown (mouseEvent (window, { 10, 6 + 16 * row + 8 }));
    }
}

TEST (PopupMenu, ChoosingAnItemAnswersAfterTheMouseHandlerAndClosesTheLayer)
{
    TestDesktop desktop;
    juce::Component target ("Target");
    target.setBounds (100, 100, 80, 20);
    desktop.addAndMakeVisible (target);

    PopupMenuEx menu ("M");
    menu.addItem (1, "One");
    menu.addItem (2, "Two", true);
    menu.addItem (3, "Three", false, false);
    Answers first, second;
    menu.addListener (&first);
    menu.addListener (&second);
    menu.addListener (&second);

    menu.show (&target);
    ASSERT_TRUE (menu.isOpen());
    auto* layer = menu.getPopup();
    EXPECT_EQ (layer->getBounds(), desktop.getLocalBounds());
    EXPECT_EQ (layer->getCoveringWindow().getParentComponent(), &desktop);
    auto& window = windowOf (menu);
    EXPECT_EQ (window.getBounds().getTopLeft(), juce::Point<int> (100, 120));
    EXPECT_EQ (window.getHeight(), 16 * 3 + 8);
    EXPECT_EQ (menu.getTargetArea(), target.getBounds());

    pressItem (menu, 2);   // disabled
    pressItem (menu, 1);
    EXPECT_TRUE (first.log.isEmpty());   // never from inside the mouse handler
    EXPECT_TRUE (test::pumpUntil ([&] { return ! first.log.isEmpty(); }));
    EXPECT_FALSE (menu.isOpen());
    EXPECT_EQ (desktop.getNumChildComponents(), 1);   // only the target
    EXPECT_EQ (first.log, juce::StringArray ({ "Target chose 2 ticked" }));
    EXPECT_EQ (second.log, first.log);

    // A press on the layer outside the window dismisses.
    menu.show (&target);
    menu.getPopup()->mouseDown (mouseEvent (*menu.getPopup(), { 700, 500 }));
    EXPECT_TRUE (test::pumpUntil ([&] { return first.log.size() == 2; }));
    EXPECT_EQ (first.log[1], "Target dismissed");
    EXPECT_FALSE (menu.isOpen());

    // Keys do nothing to an open menu.
    menu.show (&target);
    EXPECT_FALSE (menu.getPopup()->keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)));
    test::pump (20);
    EXPECT_TRUE (menu.isOpen());
}

TEST (PopupMenu, PlacementNearTheEditorsEdges)
{
    TestDesktop desktop (400, 300);
    juce::Component right ("Right"), bottom ("Bottom");
    right.setBounds (370, 10, 30, 20);
    bottom.setBounds (10, 280, 30, 20);
    desktop.addAndMakeVisible (right);
    desktop.addAndMakeVisible (bottom);

    PopupMenuEx menu ("M");
    menu.addItem (1, "A rather long item text");
    menu.addItem (2, "B");

    menu.show (&right);
    auto& w1 = windowOf (menu);
    EXPECT_EQ (w1.getRight(), 400);
    EXPECT_EQ (w1.getY(), 30);

    menu.show (&bottom);
    auto& w2 = windowOf (menu);
    EXPECT_EQ (w2.getBottom(), 300 + 24);
    EXPECT_EQ (w2.getX(), 10);

    menu.show (&right, {}, {}, PopupMenuEx::placeRight);
    auto& w3 = windowOf (menu);
    EXPECT_EQ (w3.getRight(), 370);
    EXPECT_EQ (w3.getY(), 10);

    // A part of the target as the target area.
    menu.show (&bottom, { 5, 2 }, { 10, 4 }, PopupMenuEx::placeRight);
    EXPECT_EQ (menu.getTargetArea(), juce::Rectangle<int> (15, 282, 10, 4));
}

TEST (PopupMenu, EmptyMenuTicksAndCopies)
{
    TestDesktop desktop;
    juce::Component target ("T");
    target.setBounds (0, 0, 10, 10);
    desktop.addAndMakeVisible (target);

    PopupMenuEx empty;
    empty.show (&target);
    EXPECT_EQ (windowOf (empty).getWidth(), 36);
    EXPECT_EQ (windowOf (empty).getHeight(), 8);
    EXPECT_EQ (windowOf (empty).getRowAt (6), -1);

    PopupMenuEx menu ("M");
    menu.addItem (1, "a");
    menu.addItem (2, "b", true);
    menu.addItem (1, "c");
    menu.setItemTicked (1, true, true);
    EXPECT_TRUE (menu.getItem (0)->ticked && menu.getItem (2)->ticked);
    EXPECT_FALSE (menu.getItem (1)->ticked);
    EXPECT_EQ (menu.findItem (1)->text, "a");
    EXPECT_EQ (menu.findItem (9), nullptr);

    Answers answers;
    menu.addListener (&answers);
    PopupMenuEx copy (menu);
    EXPECT_EQ (copy.getName(), "M");
    ASSERT_EQ (copy.getNumItems(), 3);
    EXPECT_EQ (copy.getItem (1)->owner, &copy);
    EXPECT_NE (copy.getItem (1), menu.getItem (1));
    EXPECT_EQ (copy.getItem (0)->alternativeText, "a");

    // Replacing the items of an open menu leaves its window consistent.
    menu.show (&target);
    pressItem (menu, 0);
    menu = PopupMenuEx ("N");
    EXPECT_EQ (windowOf (menu).getHeight(), 8);
    test::pump (20);
    EXPECT_EQ (answers.log.size(), 1);
}

//==============================================================================
namespace
{
    struct ComboListener : public ComboBoxEx::Listener
    {
        void comboBoxExChanged (ComboBoxEx* box) override { ids.add (box->getSelectedId()); }
        juce::Array<int> ids;
    };

    struct CountingParameter : public IntParameter
    {
        using IntParameter::IntParameter;
        bool setValue (float v, bool notify) override
        {
            ++sets;
            return IntParameter::setValue (v, notify);
        }
        int sets = 0;
    };

    Parameter::Description intDescription()
    {
        Parameter::Description d;
        d.id = 1;
        d.name = "Mode";
        d.maximum = 10.0f;
        d.step = 1.0f;
        return d;
    }
}

TEST (ComboBoxEx, ShowsTheSelectedItemAndSetsItsParameter)
{
    TestDesktop desktop;
    ComboBoxEx box ("Box");
    box.setBounds (10, 10, 100, 20);
    desktop.addAndMakeVisible (box);

    EXPECT_EQ (box.getText(), "---");
    EXPECT_TRUE (box.getFont().isItalic());
    EXPECT_EQ (box.getFont().getTypefaceName(), "Tahoma");

    PopupMenuEx items ("Modes");
    items.addItem (1, "Soft");
    items.addItem (2, "Hard", false, false);
    items.addItem (3, "Crush");
    box.setMenu (items, true);

    CountingParameter parameter (intDescription());
    box.addParameter (&parameter);
    ComboListener listener;
    box.addListener (&listener);

    box.setSelectedId (3, false);
    box.setSelectedId (3, false);
    EXPECT_EQ (parameter.sets, 1);
    EXPECT_EQ (parameter.getIntValue(), 3);
    EXPECT_TRUE (listener.ids.isEmpty());
    EXPECT_EQ (box.getText(), "Crush");
    EXPECT_FALSE (box.getFont().isItalic());
    EXPECT_TRUE (box.getMenu().findItem (3)->ticked);

    box.setSelectedId (2, false);
    EXPECT_EQ (box.getText(), "Hard");
    EXPECT_TRUE (box.getFont().isItalic());

    // The user opens it and picks an item.
    box.mouseDown (mouseEvent (box, { 5, 5 }));
    EXPECT_TRUE (box.isOpen());
    pressItem (box.getMenu(), 0);
    EXPECT_TRUE (test::pumpUntil ([&] { return ! box.isOpen(); }));
    EXPECT_EQ (listener.ids, juce::Array<int> ({ 1 }));
    EXPECT_EQ (parameter.getIntValue(), 1);

    // The host moves the parameter: the box follows without telling its listeners.
    parameter.setIntValue (3, true);
    parameter.flushPendingUpdate();
    EXPECT_EQ (box.getSelectedId(), 3);
    EXPECT_EQ (box.getText(), "Crush");
    EXPECT_EQ (listener.ids.size(), 1);
    box.removeAllParameters();
}

TEST (ComboBoxEx, SharedMenuAnswersOnlyTheBoxItWasOpenedFor)
{
    TestDesktop desktop;
    PopupMenuEx shared ("Sources");   // outlives the boxes that share it
    ComboBoxEx a ("A"), b ("B");
    a.setBounds (0, 0, 100, 20);
    b.setBounds (0, 30, 100, 20);
    desktop.addAndMakeVisible (a);
    desktop.addAndMakeVisible (b);

    shared.addItem (5, "LFO");
    shared.addItem (6, "Env");
    a.setSharedMenu (&shared);
    b.setSharedMenu (&shared);

    b.mouseDown (mouseEvent (b, { 5, 5 }));
    pressItem (shared, 1);
    EXPECT_TRUE (test::pumpUntil ([&] { return ! b.isOpen(); }));
    EXPECT_EQ (b.getSelectedId(), 6);
    EXPECT_EQ (a.getSelectedId(), -1);
    EXPECT_EQ (b.getText(), "Env");
}

TEST (ComboBoxEx, ArrowGeometry)
{
    ComboBoxEx box;
    box.setSize (100, 20);
    const auto bounds = box.getArrow().getBounds();
    EXPECT_FLOAT_EQ (bounds.getX(), 89.5f);
    EXPECT_FLOAT_EQ (bounds.getRight(), 95.5f);
    EXPECT_FLOAT_EQ (bounds.getY(), 7.0f);
    EXPECT_FLOAT_EQ (bounds.getBottom(), 13.0f);
}
