// The system look-and-feel (colours, fonts, painters, icons) and the small layout components
// and mix-ins built on it.

#include "skin/BlinkingComponent.h"
#include "skin/ComponentRow.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/DefaultSliderLAF.h"
#include "skin/EmbeddedIcons.h"
#include "skin/FrameComponent.h"
#include "skin/HardLabel.h"
#include "skin/HeaderComponent.h"
#include "skin/WidgetIcon.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>

TEST (DefaultLookAndFeel, DefaultColours)
{
    DefaultLookAndFeel laf;
    const std::pair<int, juce::uint32> colours[] = {
        { 0, 0xFF000000 },
        { 1, 0xFF808080 },
        { 0x0F001000, 0xFFC5C5C5 },
        { 0x0F001001, 0xFF000000 },
        { 0x0F001002, 0xFFFFFFFF },
        { 0x0F002200, 0xFFD0D0D0 },
        { 0x0F002201, 0xFF000000 },
        { 0x0F002202, 0xFFD0D0D0 },
        { juce::DrawableButton::textColourId, 0xFF000000 },
        { 0x0F004001, 0xFF444444 },
        { 0x0F004002, 0xFFFFFFFF },
        { 0x0F006000, 0xFF737373 },
        { 0x0F006001, 0xFFFFFFFF },
        { 0x0F010000, 0xFFFFFFFF },
        { 0x0F007003, 0xFFA2A2A2 },
        { 0x0F007006, 0xFFE6E6E6 },
        { 0x0F007007, 0xFFFFFFFF },
        { 0x0F007009, 0xFF828282 },
        { 0x0F00700A, 0xFF4A6171 },
    };

    for (const auto& [id, argb] : colours)
        EXPECT_EQ (juce::Colour (argb), laf.findColour (id)) << std::hex << id;

    EXPECT_EQ (juce::Colour (0xFFE6E6E6).interpolatedWith (juce::Colours::white, 0.5f), laf.findColour (0x0F007008));
    EXPECT_EQ (juce::Colour (0xFF828282).interpolatedWith (juce::Colour (0xFF4A6171), 0.5f), laf.findColour (0x0F00700B));
}

TEST (DefaultLookAndFeel, FontsAreTheEmbeddedCondensedFaces)
{
    DefaultLookAndFeel laf;
    const auto primary = laf.getPrimaryFont();
    const auto secondary = laf.getSecondaryFont();

    EXPECT_EQ (14.0f, primary.getHeight());
    EXPECT_EQ (14.0f, secondary.getHeight());
    EXPECT_EQ (juce::String ("DejaVu Sans"), primary.getTypefacePtr()->getName());
    EXPECT_EQ (juce::String ("Condensed"), primary.getTypefacePtr()->getStyle());
    EXPECT_EQ (juce::String ("Condensed Bold"), secondary.getTypefacePtr()->getStyle());
    EXPECT_EQ (primary, laf.getFont());

    // A font made bold later is drawn in the bold face.
    auto bold = primary;
    bold.setBold (true);
    EXPECT_EQ (secondary.getTypefacePtr(), laf.getTypefaceForFont (bold));
    EXPECT_EQ (primary.getTypefacePtr(), laf.getTypefaceForFont (juce::Font (12.0f)));

    juce::TextButton button;
    juce::ComboBox box;
    EXPECT_EQ (primary, laf.getTextButtonFont (button, 30));
    EXPECT_EQ (primary, laf.getComboBoxFont (box));
    EXPECT_EQ (primary, laf.getPopupMenuFont());
    EXPECT_EQ (primary, laf.getAlertWindowMessageFont());
    EXPECT_EQ (secondary, laf.getAlertWindowTitleFont());
    EXPECT_EQ (primary, laf.getStatusBarFont());
    EXPECT_EQ (16, laf.getStatusBarHeight());
    EXPECT_EQ (23, laf.getAlertWindowButtonHeight());
}

TEST (DefaultLookAndFeel, TextButtonColoursForEveryLook)
{
    DefaultLookAndFeel laf;
    juce::TextButton button;
    button.setLookAndFeel (&laf);
    button.setColour (juce::TextButton::textColourOffId, juce::Colour (0xFF202020));
    button.setColour (juce::TextButton::textColourOnId, juce::Colours::white);

    EXPECT_EQ (juce::Colour (0xFF202020), laf.getTextButtonTextColour (button, false, true, false));
    EXPECT_EQ (juce::Colours::white, laf.getTextButtonTextColour (button, true, true, false));
    EXPECT_LT (laf.getTextButtonTextColour (button, false, false, false).getAlpha(), 255);
    EXPECT_NE (laf.getTextButtonTextColour (button, false, true, true), laf.getTextButtonTextColour (button, false, true, false));
    EXPECT_NE (laf.getTextButtonTextColour (button, true, true, true), laf.getTextButtonTextColour (button, true, true, false));
    button.setLookAndFeel (nullptr);
}

TEST (DefaultLookAndFeel, Painters)
{
    DefaultLookAndFeel laf;
    juce::Image image (juce::Image::ARGB, 40, 20, true);
    juce::Graphics g (image);

    laf.drawFramedRect (g, { 0.0f, 0.0f, 40.0f, 20.0f }, juce::Colours::red, juce::Colours::blue);
    EXPECT_EQ (juce::Colours::red, image.getPixelAt (20, 10));
    EXPECT_GT (image.getPixelAt (20, 0).getBlue(), 128);

    juce::Image box (juce::Image::ARGB, 40, 20, true);
    juce::Graphics gb (box);
    laf.drawRoundedBox (gb, { 0.0f, 0.0f, 40.0f, 20.0f }, juce::Colours::green, juce::Colours::black, 1.5f, 0.0f);
    EXPECT_EQ (juce::Colours::green, box.getPixelAt (20, 0));

    juce::Image filled (juce::Image::ARGB, 20, 20, true);
    juce::Graphics gf (filled);
    fillRoundedWithColour (gf, juce::Rectangle<int> (0, 0, 20, 20), juce::Colours::white, 6.0f);
    EXPECT_EQ (juce::Colours::white, filled.getPixelAt (10, 10));
    EXPECT_LT (filled.getPixelAt (0, 0).getAlpha(), 255);
}

TEST (DefaultLookAndFeel, SliderLookDrawsASlider)
{
    DefaultSliderLAF laf;
    juce::Slider slider (juce::Slider::LinearHorizontal, juce::Slider::NoTextBox);
    slider.setLookAndFeel (&laf);
    slider.setBounds (0, 0, 100, 20);
    const auto image = slider.createComponentSnapshot (slider.getLocalBounds());
    EXPECT_GT (image.getPixelAt (50, 10).getAlpha(), 0);
    slider.setLookAndFeel (nullptr);
}

//==============================================================================
TEST (Icons, StandardSetAndEmbeddedKeys)
{
    for (int i = 0; i < numStandardIcons; ++i)
    {
        auto icon = getStandardIcon (i);
        ASSERT_NE (nullptr, icon) << i;
        EXPECT_FALSE (icon->getDrawableBounds().isEmpty()) << i;
        EXPECT_TRUE (juce::Rectangle<float> (-1.0f, -1.0f, 34.0f, 34.0f).contains (icon->getDrawableBounds())) << i;
    }

    EXPECT_EQ (nullptr, getStandardIcon (-1));
    EXPECT_EQ (nullptr, getStandardIcon (numStandardIcons));

    DefaultLookAndFeel laf;
    EXPECT_NE (nullptr, laf.createStandardIcon (StandardIcon::close));
    EXPECT_EQ (nullptr, laf.createStandardIcon (99));

    for (auto key : { EmbeddedIconKey::imgSlider, EmbeddedIconKey::imgKnob, EmbeddedIconKey::imgAnim,
                      EmbeddedIconKey::imgButton, EmbeddedIconKey::imgSwitch, EmbeddedIconKey::enumDisplay,
                      EmbeddedIconKey::brokenInclude, EmbeddedIconKey::imgMixer })
        EXPECT_NE (nullptr, getEmbeddedIcon (key)) << std::hex << key;

    EXPECT_EQ (nullptr, getEmbeddedIcon (0));
    EXPECT_EQ (nullptr, getEmbeddedIcon (0x12345678));

    auto a = getEmbeddedIcon (EmbeddedIconKey::imgAnim), b = getEmbeddedIcon (EmbeddedIconKey::imgAnimAlias);
    EXPECT_EQ (a->getDrawableBounds(), b->getDrawableBounds());
    EXPECT_NE (getEmbeddedIcon (EmbeddedIconKey::imgKnob)->getDrawableBounds(), a->getDrawableBounds());

    // Black, so that they can be recoloured.
    EXPECT_TRUE (getStandardIcon (StandardIcon::close)->replaceColour (juce::Colours::black, juce::Colours::red));
}

TEST (Icons, SvgLoaderRefusesWhatIsNotSvg)
{
    const char svg[] = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 32 32\"><rect x=\"1\" y=\"1\" width=\"30\" height=\"30\"/></svg>";
    EXPECT_NE (nullptr, loadSvgDrawable (svg, sizeof (svg) - 1));
    EXPECT_EQ (nullptr, loadSvgDrawable (svg, 10));   // cut short
    EXPECT_EQ (nullptr, loadSvgDrawable ("<html/>", 7));
    EXPECT_EQ (nullptr, loadSvgDrawable ("not xml at all", 14));
    EXPECT_EQ (nullptr, loadSvgDrawable (nullptr, 5));
    EXPECT_EQ (nullptr, loadSvgDrawable (svg, 0));

    const unsigned char garbage[] = { 0xFF, 0xFE, 0x00, 0x3C, 0x80, 0x81 };
    EXPECT_EQ (nullptr, loadSvgDrawable (garbage, sizeof (garbage)));
}

TEST (Icons, WidgetIconShowsAndReplaces)
{
    struct Widget : public juce::Component, public WidgetIcon
    {
    } widget;

    widget.setIcon (widget, getEmbeddedIcon (EmbeddedIconKey::imgKnob), 48, 48);
    EXPECT_EQ (48, widget.getWidth());   // a widget without a size takes the icon's
    ASSERT_NE (nullptr, widget.getIcon());
    EXPECT_EQ (&widget, widget.getIcon()->getParentComponent());
    EXPECT_TRUE (widget.getIcon()->isVisible());
    EXPECT_TRUE (juce::Rectangle<float> (0.0f, 0.0f, 48.0f, 48.0f)
                     .contains (widget.getIcon()->getDrawableBounds().transformedBy (widget.getIcon()->getTransform())));

    widget.setSize (100, 30);
    widget.setIcon (widget, getEmbeddedIcon (EmbeddedIconKey::imgSlider), 100, 100);
    EXPECT_EQ (100, widget.getWidth());
    EXPECT_EQ (30, widget.getHeight());
    EXPECT_EQ (1, widget.getNumChildComponents());

    widget.setIcon (widget, nullptr, 10, 10);
    EXPECT_EQ (0, widget.getNumChildComponents());
    EXPECT_EQ (nullptr, widget.getIcon());
}

//==============================================================================
TEST (Blinking, EachTickFlipsThePhase)
{
    struct Blinker : public BlinkingComponent
    {
        int calls = 0;
        void blinkStateChanged() override { ++calls; }
    } blinker;

    EXPECT_FALSE (blinker.isBlinkOn());
    EXPECT_FALSE (blinker.getBlinkTimer().isTimerRunning());

    blinker.getBlinkTimer().startTimer (5);
    ASSERT_TRUE (test::pumpUntil ([&blinker] { return blinker.calls >= 2; }));
    blinker.getBlinkTimer().stopTimer();

    const bool phase = blinker.isBlinkOn();
    const int calls = blinker.calls;
    EXPECT_EQ (calls % 2 == 1, phase);
    test::pump (30);
    EXPECT_EQ (calls, blinker.calls);
    EXPECT_EQ (phase, blinker.isBlinkOn());

    // Destroying a running blinker is safe.
    {
        BlinkingComponent running;
        running.getBlinkTimer().startTimer (1);
    }
    test::pump (10);
}

//==============================================================================
TEST (ComponentRow, RowsAndColumnsSizeToTheirChildren)
{
    juce::Component a, b, c;
    a.setSize (30, 10);
    b.setSize (50, 20);
    c.setSize (10, 16);

    ComponentRow row (false, ComponentRow::centre);
    row.setSpacing (6);
    row.add (&a);
    row.add (&b);
    row.add (&c);

    EXPECT_TRUE (a.isVisible());
    EXPECT_EQ (30 + 50 + 10 + 2 * 6, row.getWidth());
    EXPECT_EQ (20, row.getHeight());
    EXPECT_EQ (juce::Point<int> (0, 5), a.getPosition());
    EXPECT_EQ (juce::Point<int> (36, 0), b.getPosition());
    EXPECT_EQ (juce::Point<int> (92, 2), c.getPosition());

    row.setAlignment (ComponentRow::end);
    EXPECT_EQ (10, a.getY());

    // A child that changes size lays the row out again.
    a.setSize (40, 10);
    EXPECT_EQ (40 + 50 + 10 + 2 * 6, row.getWidth());
    EXPECT_EQ (46, b.getX());

    // Hidden children take no room.
    b.setVisible (false);
    EXPECT_EQ (40 + 10 + 6, row.getWidth());

    row.setVertical (true);
    EXPECT_EQ (40, row.getWidth());
    EXPECT_EQ (10 + 16 + 6, row.getHeight());
    EXPECT_EQ (juce::Point<int> (30, 16), c.getPosition());

    // Nested rows follow each other.
    ComponentRow outer;
    outer.add (&row);
    const int before = outer.getWidth();
    a.setSize (60, 10);
    EXPECT_EQ (60, row.getWidth());
    EXPECT_NE (before, outer.getWidth());

    row.removeAllChildren();
    EXPECT_EQ (0, row.getWidth());
}

TEST (ComponentRow, AChildDeletedFirstIsForgotten)
{
    ComponentRow row;
    {
        juce::Component gone;
        gone.setSize (10, 10);
        row.add (&gone);
    }
    EXPECT_EQ (0, row.getNumChildComponents());
    EXPECT_EQ (0, row.getWidth());
}

TEST (HardLabel, FitsItsText)
{
    DefaultLookAndFeel laf;
    juce::Component parent;
    parent.setLookAndFeel (&laf);
    HardLabel label ({}, "Real-time");
    parent.addAndMakeVisible (label);
    label.setBorderSize ({});

    EXPECT_EQ (laf.getPrimaryFont(), label.getFont());
    label.fitWidthToText (20);
    EXPECT_EQ ((int) std::ceil (laf.getPrimaryFont().getStringWidthFloat ("Real-time")), label.getWidth());
    EXPECT_EQ (20, label.getHeight());

    label.setBorderSize ({ 1, 5, 1, 7 });
    label.fitWidthToText (18);
    EXPECT_EQ ((int) std::ceil (laf.getPrimaryFont().getStringWidthFloat ("Real-time")) + 12, label.getWidth());
    parent.setLookAndFeel (nullptr);
}

TEST (HeaderComponent, RunsAlongTheTopOfItsParent)
{
    DefaultLookAndFeel laf;
    juce::Component window;
    window.setLookAndFeel (&laf);
    window.setSize (200, 150);

    juce::TextButton left, right;
    HeaderComponent header ("CONTENT", &left, &right);
    window.addAndMakeVisible (header);

    EXPECT_EQ (juce::Rectangle<int> (0, 0, 200, 20), header.getBounds());
    EXPECT_EQ (juce::Rectangle<int> (0, 0, 20, 20), left.getBounds());
    EXPECT_EQ (juce::Rectangle<int> (180, 0, 20, 20), right.getBounds());
    EXPECT_FALSE (left.getWantsKeyboardFocus());
    EXPECT_EQ (juce::String ("CONTENT"), header.getTitle().getText());
    EXPECT_EQ (juce::Justification::centredLeft, header.getTitle().getJustificationType().getFlags());
    EXPECT_EQ (juce::Colours::white, header.getTitle().findColour (juce::Label::textColourId));

    window.setSize (300, 150);
    EXPECT_EQ (300, header.getWidth());
    EXPECT_EQ (280, right.getX());

    // A window may recolour the headers it holds.
    window.setColour (HeaderComponent::textColourId, juce::Colours::yellow);
    header.sendLookAndFeelChange();
    EXPECT_EQ (juce::Colours::yellow, header.getTitle().findColour (juce::Label::textColourId));

    HeaderComponent bare ("RESULTS", nullptr, nullptr);
    window.addAndMakeVisible (bare);
    EXPECT_EQ (300, bare.getWidth());
    window.setLookAndFeel (nullptr);
}

TEST (FrameComponent, ReadsItsElementAndDraws)
{
    DefaultLookAndFeel laf;
    FrameComponent frame (juce::ValueTree::fromXml (R"(<Panel name="Main" text="Filter" bkgCol="FF102030" frmCol="FFFF0000" txtCol="FFFFFFFF"/>)"));
    frame.setLookAndFeel (&laf);
    frame.setSize (100, 60);

    EXPECT_EQ (juce::String ("Main"), frame.getName());
    EXPECT_TRUE (frame.hasHeader());
    EXPECT_EQ (20, frame.getHeaderHeight());
    EXPECT_EQ (4, frame.getHeaderIndent());

    auto image = frame.createComponentSnapshot (frame.getLocalBounds());
    EXPECT_EQ (juce::Colour (0xFF102030), image.getPixelAt (50, 40));
    EXPECT_EQ (juce::Colour (0xFFFF0000), image.getPixelAt (0, 30));

    frame.setFillEnabled (false);
    image = frame.createComponentSnapshot (frame.getLocalBounds());
    EXPECT_EQ (0, (int) image.getPixelAt (50, 40).getAlpha());

    FrameComponent plain ((juce::ValueTree()));
    plain.setLookAndFeel (&laf);
    plain.setSize (10, 10);
    EXPECT_FALSE (plain.hasHeader());
    image = plain.createComponentSnapshot (plain.getLocalBounds());
    EXPECT_EQ (0, (int) image.getPixelAt (5, 5).getAlpha());   // transparent defaults draw nothing
    plain.setLookAndFeel (nullptr);
    frame.setLookAndFeel (nullptr);
}

TEST (FrameComponent, ItsFillAndTheHyperlinkColourNeverTakeEachOther)
{
    // The frame's fill id is the framework's hyperlink text colour too.
    static_assert ((int) FrameComponent::backgroundColourId == (int) juce::HyperlinkButton::textColourId);
    DefaultLookAndFeel ours;
    juce::LookAndFeel_V4 foreign;

    for (auto* laf : { static_cast<juce::LookAndFeel*> (&ours), static_cast<juce::LookAndFeel*> (&foreign) })
    {
        // A look-and-feel's hyperlink colour fills no frame; a skin's "bkgCol" does.
        laf->setColour (juce::HyperlinkButton::textColourId, juce::Colour (0xFFB0A0F0));
        FrameComponent plain (juce::ValueTree::fromXml (R"(<Panel/>)"));
        FrameComponent filled (juce::ValueTree::fromXml (R"(<Panel bkgCol="FF102030"/>)"));

        for (auto* frame : { &plain, &filled })
        {
            frame->setLookAndFeel (laf);
            frame->setSize (40, 40);
        }

        EXPECT_EQ (0, (int) plain.createComponentSnapshot (plain.getLocalBounds()).getPixelAt (20, 20).getAlpha());
        EXPECT_EQ (juce::Colour (0xFF102030), filled.createComponentSnapshot (filled.getLocalBounds()).getPixelAt (20, 20));

        // A hyperlink without its own colour inside the filled frame draws in its
        // look-and-feel's link colour, never in the frame's fill.
        juce::HyperlinkButton link ("www", {});
        filled.addAndMakeVisible (link);
        link.setBounds (0, 0, 40, 40);
        EXPECT_EQ (link.findColour (juce::HyperlinkButton::textColourId), juce::Colour (0xFFB0A0F0));
        const auto picture = filled.createComponentSnapshot (filled.getLocalBounds());
        bool linkInk = false;

        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                linkInk = linkInk || picture.getPixelAt (x, y).getBlue() > 0xC0;

        EXPECT_TRUE (linkInk);
        filled.removeChildComponent (&link);
        plain.setLookAndFeel (nullptr);
        filled.setLookAndFeel (nullptr);
    }

    // The system look-and-feel leaves the hyperlink colour a visible one.
    EXPECT_FALSE (DefaultLookAndFeel().findColour (juce::HyperlinkButton::textColourId).isTransparent());
}
