#pragma once

#include "editor/windows/WindowComponent.h"
#include <juce_gui_basics/juce_gui_basics.h>
#include <memory>

/** The system look-and-feel: set on the editor, the content browser and the windows, and the
    base of the widgets' own look-and-feels.

    Its two faces are DejaVu Sans Condensed and DejaVu Sans Condensed Bold, held by the program;
    any sans-serif font asked of it is drawn in them (bold fonts in the bold face).
*/
class DefaultLookAndFeel : public juce::LookAndFeel_V4,
                           public WindowComponent::LookAndFeelMethods
{
public:
    /** The content browser's panels: background, tag and source buttons. */
    enum BrowserColourIds
    {
        browserPanelColourId = 0x0F007003,
        browserTextOffColourId = 0x0F007006,
        browserTextOnColourId = 0x0F007007,
        browserTextPartialColourId = 0x0F007008,
        browserButtonOffColourId = 0x0F007009,
        browserButtonOnColourId = 0x0F00700A,
        browserButtonPartialColourId = 0x0F00700B
    };

    /** The highlight behind selected text in every text field. */
    static constexpr juce::uint32 selectedTextFill = 0xFFB3D7FF;

    DefaultLookAndFeel();
    ~DefaultLookAndFeel() override;

    /** The regular condensed face at height 14 (the main font). */
    juce::Font getPrimaryFont() const;
    /** The bold condensed face at height 14. */
    juce::Font getSecondaryFont() const;
    /** The font the look-and-feel's own fonts start from (the main font). */
    const juce::Font& getFont() const noexcept { return font; }

    juce::Typeface::Ptr getTypefaceForFont (const juce::Font& f) override;

    //==============================================================================
    /** The main font at height 15. */
    juce::Font getWindowTitleFont() override;
    void drawWindow (juce::Graphics& g, WindowComponent& window) override;

    //==============================================================================
    virtual juce::Font getStatusBarFont();
    virtual int getStatusBarHeight();

    juce::Font getTextButtonFont (juce::TextButton& button, int buttonHeight) override;
    juce::Font getComboBoxFont (juce::ComboBox& box) override;
    juce::Font getPopupMenuFont() override;
    juce::Font getAlertWindowMessageFont() override;
    juce::Font getAlertWindowTitleFont() override;
    int getAlertWindowButtonHeight() override;

    //==============================================================================
    void drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                               bool isMouseOverButton, bool isButtonDown) override;
    void drawButtonText (juce::Graphics& g, juce::TextButton& button,
                         bool isMouseOverButton, bool isButtonDown) override;

    /** Draws a text button's text into area in font, in the colour of the button's look. */
    virtual void drawTextButtonText (juce::Graphics& g, juce::TextButton& button, juce::Rectangle<int> area,
                                     const juce::Font& textFont, bool isMouseOverButton, bool isButtonDown);
    /** A text button's text colour for one look: on or off, enabled or not, hovered or not. */
    virtual juce::Colour getTextButtonTextColour (const juce::Button& button, bool on, bool enabled, bool over);

    /** A field: the fill inset by one pixel, then the outline, both with corner 1.5. */
    virtual void drawFramedRect (juce::Graphics& g, juce::Rectangle<float> area,
                                 juce::Colour fill, juce::Colour outline);
    /** A rounded box filled and outlined (the outline is skipped when thickness <= 0). */
    virtual void drawRoundedBox (juce::Graphics& g, juce::Rectangle<float> area, juce::Colour fill,
                                 juce::Colour outline, float cornerSize, float lineThickness);

    /** The numbered icon set (see EmbeddedIcons.h); null for an unknown index. */
    virtual std::unique_ptr<juce::Drawable> createStandardIcon (int index);

protected:
    juce::Font font;

private:
    struct Faces;
    juce::SharedResourcePointer<Faces> faces;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DefaultLookAndFeel)
};

/** The component's colour (looked up through its parents when inherit is set), else its
    look-and-feel's, else the fallback: so the system's own ids draw sensibly under any
    look-and-feel. */
juce::Colour findColourOr (const juce::Component& component, int colourId, juce::Colour fallback,
                           bool inherit = false);

/** Fills a rounded rectangle in one colour. */
void fillRoundedWithColour (juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour, float cornerSize);
void fillRoundedWithColour (juce::Graphics& g, juce::Rectangle<int> area, juce::Colour colour, float cornerSize);
