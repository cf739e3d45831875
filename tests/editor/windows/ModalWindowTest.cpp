#include "WindowsTestSupport.h"
#include "editor/windows/WindowComponent.h"
#include "skin/DefaultLookAndFeel.h"

using wintest::TestDesktop;

namespace
{
    struct Box : public ModalComponent
    {
        Box() { setSize (100, 50); }
        bool dims = false;
        bool dimsBackground() const override { return dims; }
    };
}

TEST (ModalLayer, ShowsInACoveringWindowCentredInTheDesktopAreaAndFollowsItsSize)
{
    TestDesktop desktop (800, 600);
    juce::Component panel;
    desktop.addAndMakeVisible (panel);
    Box box;
    panel.addChildComponent (box);

    box.show();

    auto& cover = box.getCoveringWindow();
    ASSERT_EQ (cover.getParentComponent(), &desktop);
    EXPECT_EQ (box.getParentComponent(), &cover);
    EXPECT_TRUE (cover.isVisible() && box.isVisible());
    EXPECT_EQ (cover.getBounds(), desktop.getLocalBounds());
    EXPECT_EQ (box.getBounds().getCentre(), juce::Point<int> (400, 300));
    EXPECT_EQ (desktop.getIndexOfChildComponent (&cover), desktop.getNumChildComponents() - 1);

    // The editor grows (and its skin area with it): the window stays centred.
    desktop.area = { 0, 0, 1000, 500 };
    desktop.setSize (1000, 516);
    EXPECT_EQ (cover.getBounds(), desktop.getLocalBounds());
    EXPECT_EQ (box.getBounds().getCentre(), juce::Point<int> (500, 250));

    box.setSize (200, 100);
    EXPECT_EQ (box.getBounds().getCentre(), juce::Point<int> (500, 250));

    // Hiding keeps both in the tree for the next show.
    box.hide();
    EXPECT_FALSE (box.isVisible());
    EXPECT_FALSE (cover.isVisible());
    EXPECT_EQ (box.getParentComponent(), &cover);
    EXPECT_EQ (cover.getParentComponent(), &desktop);
}

TEST (ModalLayer, AtPositionIsTakenFromTheReferenceComponentIntoTheLayer)
{
    TestDesktop desktop;
    juce::Component reference;
    reference.setBounds (100, 40, 50, 20);
    desktop.addAndMakeVisible (reference);
    Box box;
    desktop.addChildComponent (box);

    // A component that was elsewhere before is placed by the layer's coordinates, not its own.
    box.setTopLeftPosition (300, 300);
    box.showAt (&reference, { 10, 20 });
    EXPECT_EQ (box.getPosition(), juce::Point<int> (110, 60));
    EXPECT_EQ (box.getPositionMode(), ModalComponent::AtPosition);

    // Showing an open component again keeps its mode and position.
    box.show (nullptr, { 0, 0 }, ModalComponent::Centred);
    EXPECT_EQ (box.getPositionMode(), ModalComponent::AtPosition);
    EXPECT_EQ (box.getPosition(), juce::Point<int> (110, 60));

    box.hide();
    box.show (nullptr, { 0, 0 }, ModalComponent::Centred);
    EXPECT_EQ (box.getBounds().getCentre(), juce::Point<int> (400, 300));
}

TEST (ModalLayer, WithoutADesktopShowsInPlaceAndMovingAwayReleasesTheCover)
{
    juce::Component plain;
    plain.setSize (500, 500);
    Box box;
    box.setTopLeftPosition (7, 9);
    plain.addChildComponent (box);
    box.show();
    EXPECT_EQ (box.getParentComponent(), &plain);
    EXPECT_TRUE (box.isVisible());
    EXPECT_EQ (box.getPosition(), juce::Point<int> (7, 9));
    EXPECT_EQ (box.getCoveringWindow().getParentComponent(), nullptr);

    TestDesktop desktop;
    desktop.addChildComponent (box);
    box.hide();
    box.show();
    ASSERT_EQ (box.getCoveringWindow().getParentComponent(), &desktop);

    // Moved elsewhere by its owner: the covering window leaves the editor.
    plain.addChildComponent (box);
    EXPECT_EQ (box.getCoveringWindow().getParentComponent(), nullptr);
    EXPECT_EQ (desktop.getNumChildComponents(), 0);
}

TEST (ModalLayer, DeletingAShownComponentLeavesNothingBehind)
{
    TestDesktop desktop;
    {
        auto box = std::make_unique<Box>();
        desktop.addChildComponent (*box);
        box->show();
        ASSERT_EQ (desktop.getNumChildComponents(), 1);
    }
    EXPECT_EQ (desktop.getNumChildComponents(), 0);
}

TEST (ModalLayer, VeilOnlyForComponentsThatDim)
{
    TestDesktop desktop (40, 40);
    Box box;
    box.setSize (10, 10);
    desktop.addChildComponent (box);
    box.show();
    box.setVisible (false);   // look at the veil alone

    auto veil = [&] { return desktop.createComponentSnapshot (desktop.getLocalBounds()).getPixelAt (2, 2); };
    EXPECT_EQ (veil().getAlpha(), 0);
    box.dims = true;
    EXPECT_EQ (veil().getARGB(), juce::Colours::white.withAlpha (0.25f).getARGB());
}

//==============================================================================
TEST (WindowComponent, LayoutOfTheDefaultWindow)
{
    DefaultLookAndFeel lf;
    WindowComponent window;
    window.setLookAndFeel (&lf);
    window.setContentSize (0, 0);
    EXPECT_EQ (window.getWidth(), 250);
    EXPECT_EQ (window.getHeight(), 120);

    window.setContentSize (400, 200);
    EXPECT_EQ (window.getWidth(), 400 + 6 + 12);
    EXPECT_EQ (window.getHeight(), 200 + 31 + 6 + 15);
    // The header replaces the top border in the layout, so the content gets those pixels too.
    EXPECT_EQ (window.getContentArea(), juce::Rectangle<int> (9, 37, 400, 203));

    const int w = window.getWidth();
    EXPECT_EQ (window.getCloseButton().getBounds(), juce::Rectangle<int> (w - 26, 5, 20, 20));
    ASSERT_NE (window.getIcon(), nullptr);
    const auto iconArea = window.getIcon()->getDrawableBounds().transformedBy (window.getIcon()->getTransform());
    EXPECT_NEAR (iconArea.getX(), 2.0f, 0.01f);
    EXPECT_NEAR (iconArea.getWidth(), 27.0f, 0.01f);
    EXPECT_NEAR (iconArea.getHeight(), 27.0f, 0.01f);
    // Title font 15 (odd): one pixel less than the header; after the icon, before the close button.
    EXPECT_EQ (window.getTitleArea(), juce::Rectangle<int> (31, 0, w - 62, 30));

    window.setIcon (nullptr);
    EXPECT_EQ (window.getTitleArea().getX(), 6);

    window.setHeaderVisible (false);
    EXPECT_EQ (window.getContentArea().getY(), 3 + 6);
    EXPECT_FALSE (window.getCloseButton().isVisible());
    EXPECT_TRUE (window.getHeaderArea().isEmpty());
    window.setCloseButtonVisible (true);
    EXPECT_FALSE (window.getCloseButton().isVisible());

    // Sizes never go negative.
    window.setSize (5, 5);
    EXPECT_GE (window.getContentArea().getWidth(), 0);
    EXPECT_GE (window.getContentArea().getHeight(), 0);
    window.setLookAndFeel (nullptr);
}

TEST (WindowComponent, CloseButtonHidesTheWindow)
{
    TestDesktop desktop;
    WindowComponent window;
    window.setContentSize (100, 100);
    desktop.addChildComponent (window);
    window.show();
    ASSERT_TRUE (window.isVisible());

    wintest::click (window.getCloseButton());
    EXPECT_FALSE (window.isVisible());
    EXPECT_FALSE (window.getCoveringWindow().isVisible());
}

TEST (WindowComponent, PaintedByTheSystemLookAndFeelOnly)
{
    DefaultLookAndFeel lf;
    WindowComponent window;
    window.setTitle ("Settings");
    window.setLookAndFeel (&lf);
    window.setContentSize (100, 100);
    EXPECT_EQ (window.getTitleFont().getHeight(), 15.0f);

    const auto image = window.createComponentSnapshot (window.getLocalBounds());
    EXPECT_EQ (image.getPixelAt (100, 60).getARGB(), 0xFFC5C5C5);                      // background
    EXPECT_EQ (image.getPixelAt (1, 60).getARGB(), juce::Colours::black.getARGB());    // border
    EXPECT_EQ (image.getPixelAt (200, 3).getARGB(), juce::Colours::black.getARGB());   // header
    window.setLookAndFeel (nullptr);
}
