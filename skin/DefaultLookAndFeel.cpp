#include "skin/DefaultLookAndFeel.h"
#include "skin/EmbeddedIcons.h"
#include "skin/CheckBox.h"
#include "skin/FrameComponent.h"
#include "skin/HeaderComponent.h"
#include "skin/PathComponent.h"
#include <GrindelFonts.h>

// The faces are parsed once and shared by every look-and-feel alive.
struct DefaultLookAndFeel::Faces
{
    Faces()
        : regular (juce::Typeface::createSystemTypefaceFor (GrindelFonts::DejaVuSansCondensed_ttf,
                                                            (size_t) GrindelFonts::DejaVuSansCondensed_ttfSize)),
          bold (juce::Typeface::createSystemTypefaceFor (GrindelFonts::DejaVuSansCondensedBold_ttf,
                                                         (size_t) GrindelFonts::DejaVuSansCondensedBold_ttfSize))
    {
    }

    juce::Typeface::Ptr regular, bold;
};

namespace
{
    constexpr float fontHeight = 14.0f;

    juce::Colour halfway (juce::Colour a, juce::Colour b)
    {
        return a.interpolatedWith (b, 0.5f);
    }
}

DefaultLookAndFeel::DefaultLookAndFeel()
{
    setColourScheme (getLightColourScheme());

    font = getPrimaryFont();

    const juce::Colour black (0xFF000000), white (0xFFFFFFFF);

    setColour (0, black);
    setColour (1, juce::Colour (0xFF808080));

    // Windows: background, header, title.
    setColour (0x0F001000, juce::Colour (0xFFC5C5C5));
    setColour (0x0F001001, black);
    setColour (0x0F001002, white);

    setColour (PathComponent::fillColourId, juce::Colour (0xFFD0D0D0));
    setColour (PathComponent::textColourId, black);
    setColour (PathComponent::outlineColourId, juce::Colour (0xFFD0D0D0));
    setColour (juce::DrawableButton::textColourId, black);

    // Status bar: background, text.
    setColour (0x0F004001, juce::Colour (0xFF444444));
    setColour (0x0F004002, white);

    setColour (HeaderComponent::backgroundColourId, juce::Colour (0xFF737373));
    setColour (HeaderComponent::textColourId, white);

    // Content browser panels and category columns and tags.
    setColour (0x0F007000, juce::Colour (0xFFB5B5B5));
    setColour (0x0F007001, juce::Colour (0xFF202020));
    setColour (browserPanelColourId, juce::Colour (0xFFA2A2A2));
    setColour (browserTextOffColourId, juce::Colour::greyLevel (0.9f));
    setColour (browserTextOnColourId, white);
    setColour (browserTextPartialColourId, halfway (findColour (browserTextOffColourId), findColour (browserTextOnColourId)));
    setColour (browserButtonOffColourId, juce::Colour (0xFF828282));
    setColour (browserButtonOnColourId, juce::Colour (0xFF4A6171));
    setColour (browserButtonPartialColourId, halfway (findColour (browserButtonOffColourId), findColour (browserButtonOnColourId)));

    setColour (CheckBox::textColourId, white);

    // No frame fill here: its id is the hyperlink's text colour, which must stay a link's.
    setColour (FrameComponent::borderColourId, juce::Colour (0x00000000));
    setColour (FrameComponent::headerTextColourId, black);

    // Every text field: the selection keeps the text black on a light blue, which reads as well
    // on the paler shade JUCE draws while the field has no focus.
    setColour (juce::TextEditor::highlightColourId, juce::Colour (selectedTextFill));
    setColour (juce::TextEditor::highlightedTextColourId, black);

    setColour (juce::TextButton::buttonColourId, juce::Colour (0xFFD0D0D0));
    setColour (juce::TextButton::buttonOnColourId, juce::Colour (0xFF737373));
    setColour (juce::TextButton::textColourOffId, juce::Colour (0xFF202020));
    setColour (juce::TextButton::textColourOnId, white);
}

DefaultLookAndFeel::~DefaultLookAndFeel() = default;

juce::Font DefaultLookAndFeel::getPrimaryFont() const
{
    return faces->regular != nullptr ? juce::Font (faces->regular).withHeight (fontHeight)
                                     : juce::Font (fontHeight);
}

juce::Font DefaultLookAndFeel::getSecondaryFont() const
{
    return faces->bold != nullptr ? juce::Font (faces->bold).withHeight (fontHeight)
                                  : juce::Font (fontHeight, juce::Font::bold);
}

juce::Typeface::Ptr DefaultLookAndFeel::getTypefaceForFont (const juce::Font& f)
{
    // Our own faces stand in for every family asked for (the generic sans-serif, "Tahoma",
    // their own family in any style), so text looks the same on every machine and a font made
    // bold later still draws in the bold face.
    if (auto face = f.isBold() ? faces->bold : faces->regular)
        return face;

    return LookAndFeel_V4::getTypefaceForFont (f);
}

juce::Font DefaultLookAndFeel::getStatusBarFont() { return font; }
int DefaultLookAndFeel::getStatusBarHeight() { return 16; }
juce::Font DefaultLookAndFeel::getTextButtonFont (juce::TextButton&, int) { return getPrimaryFont(); }
juce::Font DefaultLookAndFeel::getComboBoxFont (juce::ComboBox&) { return getPrimaryFont(); }
juce::Font DefaultLookAndFeel::getPopupMenuFont() { return getPrimaryFont(); }
juce::Font DefaultLookAndFeel::getAlertWindowMessageFont() { return getPrimaryFont(); }
juce::Font DefaultLookAndFeel::getAlertWindowTitleFont() { return getSecondaryFont(); }
int DefaultLookAndFeel::getAlertWindowButtonHeight() { return 23; }

//==============================================================================
void DefaultLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button,
                                               const juce::Colour& backgroundColour,
                                               bool isMouseOverButton, bool isButtonDown)
{
    auto colour = backgroundColour.withMultipliedAlpha (button.isEnabled() ? 1.0f : 0.5f);

    if (isButtonDown)
        colour = colour.darker (0.2f);
    else if (isMouseOverButton)
        colour = colour.brighter (0.1f);

    const auto area = button.getLocalBounds().toFloat().reduced (0.5f);
    drawRoundedBox (g, area, colour, colour.darker (0.3f), 2.0f, 1.0f);
}

void DefaultLookAndFeel::drawButtonText (juce::Graphics& g, juce::TextButton& button,
                                         bool isMouseOverButton, bool isButtonDown)
{
    drawTextButtonText (g, button, button.getLocalBounds(),
                        getTextButtonFont (button, button.getHeight()), isMouseOverButton, isButtonDown);
}

void DefaultLookAndFeel::drawTextButtonText (juce::Graphics& g, juce::TextButton& button,
                                             juce::Rectangle<int> area, const juce::Font& textFont,
                                             bool isMouseOverButton, bool)
{
    g.setFont (textFont);
    g.setColour (getTextButtonTextColour (button, button.getToggleState(), button.isEnabled(),
                                          isMouseOverButton));

    const auto yIndent = juce::jmin (4, area.getHeight() / 4);
    const auto xIndent = juce::jmin (4, area.getWidth() / 8);
    const auto textArea = area.reduced (xIndent, yIndent);

    g.drawFittedText (button.getButtonText(), textArea, juce::Justification::centred, 1, 0.9f);
}

juce::Colour DefaultLookAndFeel::getTextButtonTextColour (const juce::Button& button, bool on,
                                                          bool enabled, bool over)
{
    auto colour = button.findColour (on ? juce::TextButton::textColourOnId : juce::TextButton::textColourOffId);

    if (! enabled)
        return colour.withMultipliedAlpha (0.4f);

    if (over)
        return colour.getPerceivedBrightness() < 0.5f ? colour.brighter (0.6f) : colour.darker (0.15f);

    return colour;
}

void DefaultLookAndFeel::drawFramedRect (juce::Graphics& g, juce::Rectangle<float> area,
                                         juce::Colour fill, juce::Colour outline)
{
    fillRoundedWithColour (g, area.reduced (1.0f), fill, 1.5f);
    g.setColour (outline);
    g.drawRoundedRectangle (area.reduced (0.5f), 1.5f, 1.0f);
}

void DefaultLookAndFeel::drawRoundedBox (juce::Graphics& g, juce::Rectangle<float> area, juce::Colour fill,
                                         juce::Colour outline, float cornerSize, float lineThickness)
{
    fillRoundedWithColour (g, area, fill, cornerSize);

    if (lineThickness > 0.0f)
    {
        g.setColour (outline);
        g.drawRoundedRectangle (area, cornerSize, lineThickness);
    }
}

std::unique_ptr<juce::Drawable> DefaultLookAndFeel::createStandardIcon (int index)
{
    return getStandardIcon (index);
}

//==============================================================================
juce::Colour findColourOr (const juce::Component& component, int colourId, juce::Colour fallback, bool inherit)
{
    for (auto* c = &component; c != nullptr; c = inherit ? c->getParentComponent() : nullptr)
        if (c->isColourSpecified (colourId))
            return c->findColour (colourId);

    auto& laf = component.getLookAndFeel();
    return laf.isColourSpecified (colourId) ? laf.findColour (colourId) : fallback;
}

void fillRoundedWithColour (juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour, float cornerSize)
{
    g.setColour (colour);
    g.fillRoundedRectangle (area, cornerSize);
}

void fillRoundedWithColour (juce::Graphics& g, juce::Rectangle<int> area, juce::Colour colour, float cornerSize)
{
    fillRoundedWithColour (g, area.toFloat(), colour, cornerSize);
}

juce::Font DefaultLookAndFeel::getWindowTitleFont()
{
    return getPrimaryFont().withHeight (15.0f);
}

void DefaultLookAndFeel::drawWindow (juce::Graphics& g, WindowComponent& window)
{
    WindowComponent::drawDefaultWindow (g, window, getWindowTitleFont());
}
