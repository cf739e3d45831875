// Containers around skin widgets: insertion, following the widget, replacing, and the geometry
// of the frame, label, circular and linear scale decorations.

#include "skin/CircularScaleContainer.h"
#include "skin/FrameContainer.h"
#include "skin/LabelContainer.h"
#include "skin/LinearScaleContainer.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

namespace
{
    struct Widget : public juce::Component, public ContainedComponent
    {};
    // Destroyed in the other order: its Component part goes before the container.
    struct BackwardWidget : public ContainedComponent, public juce::Component
    {};

    juce::ValueTree withContainer (const char* containerXml)
    {
        juce::ValueTree element ("ImgKnob");
        element.appendChild (juce::ValueTree::fromXml (containerXml), nullptr);
        return element;
    }

    juce::Point<int> positionInPanel (juce::Component& panel, juce::Component& widget)
    {
        return panel.getLocalPoint (&widget, juce::Point<int>());
    }

    bool settled (ContainedComponent::Container& c) { return ! c.isUpdatePending(); }

    struct Containers : public ::testing::Test
    {
        juce::Component panel;
        Widget widget;

        void SetUp() override { panel.setSize (400, 300); }

        ContainedComponent::Container& place (const char* containerXml, juce::Rectangle<int> bounds)
        {
            widget.setBounds (bounds);
            widget.createContainer (withContainer (containerXml), widget);
            panel.addAndMakeVisible (widget);
            auto* c = widget.getContainer();
            EXPECT_NE (nullptr, c);
            EXPECT_TRUE (test::pumpUntil ([c] { return settled (*c); }));
            return *c;
        }
    };
}

TEST_F (Containers, TheWidgetStaysWhereTheSkinPutsIt)
{
    auto& c = place (R"(<Container type="Frame" text="Hdr" padding="4;4;0;4"/>)", { 100, 50, 60, 40 });

    EXPECT_EQ (juce::BorderSize<int> (20, 4, 0, 4), c.getContentOffset());
    EXPECT_EQ (&panel, c.getParentComponent());
    EXPECT_EQ (&c, widget.getParentComponent());
    EXPECT_EQ (juce::Point<int> (96, 30), c.getPosition());
    EXPECT_EQ (juce::Rectangle<int> (4, 20, 60, 40), widget.getBounds());
    EXPECT_EQ (juce::Point<int> (100, 50), positionInPanel (panel, widget));
    EXPECT_EQ (juce::Point<int> (100, 50), c.getRequestedPosition());

    bool clicksSelf = true, clicksChildren = false;
    c.getInterceptsMouseClicks (clicksSelf, clicksChildren);
    EXPECT_FALSE (clicksSelf);
    EXPECT_TRUE (clicksChildren);
}

TEST_F (Containers, FollowingMovesResizesAndVisibility)
{
    auto& c = place (R"(<Container type="Frame" text="Hdr" padding="4;4;0;4"/>)", { 100, 50, 20, 20 });

    widget.setSize (60, 40);
    EXPECT_EQ (68, c.getWidth());
    EXPECT_EQ (60, c.getHeight());

    widget.setTopLeftPosition (10, 200);   // a move by code, in the panel's coordinates
    ASSERT_TRUE (test::pumpUntil ([&c] { return settled (c); }));
    EXPECT_EQ (juce::Point<int> (10, 200), positionInPanel (panel, widget));
    EXPECT_EQ (juce::Point<int> (4, 20), widget.getPosition());

    widget.setVisible (false);
    EXPECT_FALSE (c.isVisible());
    widget.setVisible (true);
    EXPECT_TRUE (c.isVisible());
}

TEST_F (Containers, OnlyTheFourExactTypesMakeOne)
{
    for (auto* xml : { R"(<Container type="label"/>)", R"(<Container/>)", R"(<Container type="Knob"/>)" })
    {
        Widget w;
        w.createContainer (withContainer (xml), w);
        EXPECT_EQ (nullptr, w.getContainer()) << xml;
    }

    Widget bare;
    bare.createContainer (juce::ValueTree ("ImgKnob"), bare);
    bare.createContainer (juce::ValueTree(), bare);
    EXPECT_EQ (nullptr, bare.getContainer());

    for (auto* type : { "CircularScale", "Label", "Frame", "LinearScale" })
    {
        Widget w;
        juce::ValueTree element ("ImgKnob");
        element.appendChild (juce::ValueTree ("Container").setProperty ("type", type, nullptr), nullptr);
        w.createContainer (element, w);
        EXPECT_NE (nullptr, w.getContainer()) << type;
    }

    // An unknown type leaves an existing container in place.
    Widget kept;
    kept.createContainer (withContainer (R"(<Container type="Frame"/>)"), kept);
    auto* first = kept.getContainer();
    kept.createContainer (withContainer (R"(<Container type="Dial"/>)"), kept);
    EXPECT_EQ (first, kept.getContainer());
}

TEST_F (Containers, ASecondContainerReplacesTheFirst)
{
    auto& first = place (R"(<Container type="Frame" text="Hdr"/>)", { 100, 50, 60, 40 });
    juce::Component::SafePointer<juce::Component> old (&first);

    widget.createContainer (withContainer (R"(<Container type="Label" label="Gain"/>)"), widget);
    auto* second = widget.getContainer();
    ASSERT_NE (nullptr, second);
    EXPECT_EQ (nullptr, old.getComponent());
    EXPECT_NE (nullptr, dynamic_cast<LabelContainer*> (second));
    ASSERT_TRUE (test::pumpUntil ([second] { return settled (*second); }));

    EXPECT_EQ (1, panel.getNumChildComponents());
    EXPECT_EQ (second, widget.getParentComponent());
    EXPECT_EQ (juce::Point<int> (100, 50), positionInPanel (panel, widget));
}

TEST_F (Containers, DestroyingTheWidgetTakesTheContainerAlong)
{
    {
        Widget w;
        w.setBounds (0, 0, 10, 10);
        w.createContainer (withContainer (R"(<Container type="Frame"/>)"), w);
        panel.addAndMakeVisible (w);
        EXPECT_EQ (1, panel.getNumChildComponents());
    }
    EXPECT_EQ (0, panel.getNumChildComponents());

    {
        BackwardWidget w;
        w.setBounds (0, 0, 10, 10);
        w.createContainer (withContainer (R"(<Container type="Label" label="x"/>)"), w);
        panel.addAndMakeVisible (w);
    }
    EXPECT_EQ (0, panel.getNumChildComponents());
    test::pump (10);
}

TEST_F (Containers, DecorationVisibility)
{
    auto& c = place (R"(<Container type="Label" label="Gain"/>)", { 10, 10, 40, 40 });
    auto& caption = static_cast<LabelContainer&> (c).getCaption();
    EXPECT_TRUE (caption.isVisible());

    c.setDecorationVisible (false);
    EXPECT_FALSE (caption.isVisible());
    c.setDecorationVisible (true);
    EXPECT_TRUE (caption.isVisible());
}

//==============================================================================
TEST_F (Containers, LabelCaptionBelowTheWidget)
{
    auto& c = place (R"(<Container type="Label" label="Gain" gap="2"/>)", { 10, 10, 80, 40 });
    auto& caption = static_cast<LabelContainer&> (c).getCaption();
    const int ch = (int) std::ceil (LabelContainer::LF().getCaptionFont().getHeight());

    EXPECT_EQ (juce::BorderSize<int> (0, 0, ch + 2, 0), c.getContentOffset());
    EXPECT_EQ (42, caption.getY());
    EXPECT_EQ (juce::Colours::black, caption.findColour (juce::Label::textColourId));
    EXPECT_EQ (40 + ch + 2, c.getHeight());

    Widget left;
    left.setBounds (100, 100, 20, 20);
    left.createContainer (withContainer (R"(<Container type="Label" label="Wide caption" position="left"/>)"), left);
    panel.addAndMakeVisible (left);
    ASSERT_TRUE (test::pumpUntil ([&left] { return settled (*left.getContainer()); }));
    EXPECT_GT (left.getContainer()->getContentOffset().getLeft(), 20);
    EXPECT_EQ (juce::Point<int> (100, 100), positionInPanel (panel, left));
}

TEST_F (Containers, FrameOffsets)
{
    auto& c = place (R"(<Container type="Frame"/>)", { 10, 10, 50, 50 });
    EXPECT_EQ (juce::BorderSize<int> (4), c.getContentOffset());

    Widget absurd;
    absurd.createContainer (withContainer (R"(<Container type="Frame" padding="-50" frmWidth="9999" corner="-3"/>)"), absurd);
    EXPECT_EQ (juce::BorderSize<int> (0), absurd.getContainer()->getContentOffset());
}

TEST_F (Containers, CircularScaleSurroundsTheKnob)
{
    auto& c = place (R"(<Container type="CircularScale" scale="-.-" values="8;0;8" label="Drive"/>)", { 100, 100, 40, 40 });
    const auto offset = c.getContentOffset();

    EXPECT_GT (offset.getTop(), 0);
    EXPECT_GT (offset.getBottom(), offset.getTop());   // the caption sits below
    EXPECT_EQ (offset.getLeft(), offset.getRight());   // the default arc is symmetric
    EXPECT_EQ (juce::Point<int> (100, 100), positionInPanel (panel, widget));

    auto& scale = static_cast<CircularScaleContainer&> (c);
    EXPECT_FLOAT_EQ (juce::degreesToRadians (-135.0f), scale.getMarkAngle (0, 5));
    EXPECT_FLOAT_EQ (juce::degreesToRadians (135.0f), scale.getMarkAngle (4, 5));
    EXPECT_FLOAT_EQ (juce::degreesToRadians (-135.0f), scale.getMarkAngle (0, 1));   // no division by zero

    // A knob without a size and absurd angles still lay out and paint.
    Widget empty;
    empty.createContainer (withContainer (R"(<Container type="CircularScale" scale="-" values="x" startAngle="999999" endAngle="nan"/>)"), empty);
    panel.addAndMakeVisible (empty);
    auto* e = empty.getContainer();
    ASSERT_TRUE (test::pumpUntil ([e] { return settled (*e); }));
    EXPECT_GE (e->getContentOffset().getLeft(), 0);
    e->createComponentSnapshot (e->getLocalBounds().withSize (juce::jmax (1, e->getWidth()), juce::jmax (1, e->getHeight())));
}

//==============================================================================
namespace
{
    struct LinearScale : public Containers
    {
        juce::Image render (ContainedComponent::Container& c)
        {
            return c.createComponentSnapshot (c.getLocalBounds());
        }

        static bool inked (const juce::Image& image, int x, int y)
        {
            return image.getPixelAt (x, y).getAlpha() > 128;
        }

        float valueFontHeight() const { return juce::Font().getHeight(); }
    };
}

TEST_F (LinearScale, TicksAndValuesBelowASlider)
{
    auto& c = place (R"(<Container type="LinearScale" scale="-.-.-" values="0;5;10" position="bottom"/>)", { 50, 50, 100, 20 });
    auto& scale = static_cast<LinearScaleContainer&> (c);

    EXPECT_EQ (juce::BorderSize<int> (0, 0, 13 + (int) valueFontHeight(), 0), c.getContentOffset());
    EXPECT_EQ (juce::Rectangle<float> (0.0f, 20.0f, 100.0f, 12.0f), scale.getScaleArea());
    EXPECT_EQ (juce::Rectangle<float> (0.0f, 33.0f, 100.0f, valueFontHeight()), scale.getValuesArea());
    EXPECT_EQ (juce::Point<int> (50, 50), positionInPanel (panel, widget));

    const auto image = render (c);

    for (int x : { 0, 25, 50, 75, 99 })
        EXPECT_TRUE (inked (image, x, 24)) << x;

    EXPECT_FALSE (inked (image, 12, 24));   // between ticks
    EXPECT_TRUE (inked (image, 50, 30));    // long ticks reach 12 down
    EXPECT_FALSE (inked (image, 25, 30));   // short ones 9
    EXPECT_FALSE (inked (image, 50, 19));   // nothing over the widget

    bool textUnderThird = false, textUnderFourth = false;

    for (int x = 40; x < 60; ++x)
        for (int y = 33; y < image.getHeight(); ++y)
            textUnderThird = textUnderThird || inked (image, x, y);

    for (int x = 70; x < 80; ++x)
        for (int y = 33; y < image.getHeight(); ++y)
            textUnderFourth = textUnderFourth || inked (image, x, y);

    EXPECT_TRUE (textUnderThird);
    EXPECT_FALSE (textUnderFourth);   // three values under the first three of five ticks
}

TEST_F (LinearScale, TicksAloneDrawNothing)
{
    auto& c = place (R"(<Container type="LinearScale" scale="-.-.-"/>)", { 0, 0, 100, 20 });
    EXPECT_GT (c.getContentOffset().getBottom(), 0);

    const auto image = render (c);
    EXPECT_FALSE (inked (image, 50, 24));
}

TEST_F (LinearScale, AtMostThirtyTwoTicks)
{
    auto& c = place (R"(<Container type="LinearScale" scale="........................................"/>)", { 0, 0, 100, 20 });
    EXPECT_EQ (32, static_cast<LinearScaleContainer&> (c).getTickCount());
    EXPECT_EQ (9.0f, static_cast<LinearScaleContainer&> (c).getTickLength());
}

TEST_F (LinearScale, OneValueWithoutTicksSitsAtTheStart)
{
    auto& c = place (R"(<Container type="LinearScale" values="Lo" position="left"/>)", { 60, 10, 20, 100 });
    const auto image = render (c);
    const auto values = static_cast<LinearScaleContainer&> (c).getValuesArea().toNearestInt();

    bool inkNearTop = false, inkLower = false;

    for (int x = values.getX(); x < values.getRight(); ++x)
    {
        for (int y = 0; y < 12; ++y)
            inkNearTop = inkNearTop || inked (image, x, y);

        for (int y = 20; y < image.getHeight(); ++y)
            inkLower = inkLower || inked (image, x, y);
    }

    EXPECT_TRUE (inkNearTop);
    EXPECT_FALSE (inkLower);
    EXPECT_EQ (juce::Point<int> (60, 10), positionInPanel (panel, widget));
}

TEST_F (LinearScale, CentredDrawsNoScaleButKeepsTheCaption)
{
    auto& c = place (R"(<Container type="LinearScale" scale="---" values="a;b" position="centred" label="Cap"/>)", { 0, 0, 100, 20 });
    auto& scale = static_cast<LinearScaleContainer&> (c);

    EXPECT_TRUE (scale.getScaleArea().isEmpty());
    EXPECT_TRUE (scale.getCaption().isVisible());
    EXPECT_EQ (21, scale.getCaption().getY());
    EXPECT_EQ (0, c.getContentOffset().getTop());
    EXPECT_EQ (1 + (int) scale.getCaption().getHeight(), c.getContentOffset().getBottom());
}

TEST_F (LinearScale, WideCaptionsAreLaidOut120Wide)
{
    auto& c = place (R"(<Container type="LinearScale" label="A very long caption that is much wider than the slider it labels"/>)",
                     { 100, 100, 100, 20 });
    auto& caption = static_cast<LinearScaleContainer&> (c).getCaption();
    EXPECT_EQ (120, caption.getWidth());
    EXPECT_EQ (10, c.getContentOffset().getLeft());
    EXPECT_EQ (10, c.getContentOffset().getRight());
    EXPECT_EQ (juce::Point<int> (100, 100), positionInPanel (panel, widget));

    Widget wide;
    wide.setBounds (0, 0, 200, 20);
    wide.createContainer (withContainer (R"(<Container type="LinearScale" label="A very long caption that is much wider than the slider it labels"/>)"), wide);
    panel.addAndMakeVisible (wide);
    EXPECT_EQ (200, static_cast<LinearScaleContainer*> (wide.getContainer())->getCaption().getWidth());
}

TEST_F (LinearScale, BackgroundAndAbsurdPadding)
{
    auto& c = place (R"(<Container type="LinearScale" bkgState="1" txtCol="FF0000FF" bkgInset="2"/>)", { 0, 0, 40, 40 });
    const auto image = render (c);
    const auto alpha = image.getPixelAt (20, 20).getAlpha();   // txtCol at half alpha
    EXPECT_NEAR (128, (int) alpha, 4);
    EXPECT_EQ (0, (int) image.getPixelAt (1, 1).getAlpha());   // the inset stays clear

    Widget odd;
    odd.setBounds (0, 0, 30, 30);
    odd.createContainer (withContainer (R"(<Container type="LinearScale" scale="--" values="1;2" padding="500" position="right" bkgState="1" bkgInset="900"/>)"), odd);
    panel.addAndMakeVisible (odd);
    auto* o = odd.getContainer();
    ASSERT_TRUE (test::pumpUntil ([o] { return settled (*o); }));
    EXPECT_TRUE (static_cast<LinearScaleContainer*> (o)->getScaleArea().getHeight() >= 0.0f);
    o->createComponentSnapshot (o->getLocalBounds());
}
