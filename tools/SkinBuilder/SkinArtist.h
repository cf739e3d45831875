#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Draws the film-strip images of a skin from their recipes (the "Image" elements of
    resources/skins/Artwork.xml), at any scale. */
class SkinArtist
{
public:
    /** scale: the skin's width over 1180; font: the face for all texts. */
    SkinArtist (float scale, juce::Font font);

    /** The image of a recipe whose frames are frameWidth x frameHeight at the 1180 size
        (0 when the recipe gives its own size); an invalid image for an unknown kind. */
    juce::Image render (const juce::XmlElement& recipe, int frameWidth, int frameHeight, int frameCount) const;

    int scaled (float v) const { return juce::roundToInt (v * scale); }

    /** The height of capital letters no text of a background goes below, in the skin's pixels,
        where the room the recipe gives it allows. */
    static constexpr float minimumCapitalPixels = 8.0f;

    /** A text a background drew: its capitals' height in the skin's pixels, and whether its
        room kept it from reaching the minimum. */
    struct DrawnText
    {
        juce::String text;
        float capitalPixels;
        bool roomLimited;
    };

    const std::vector<DrawnText>& getDrawnTexts() const noexcept { return drawnTexts; }

private:
    juce::Image renderBackground (const juce::XmlElement& recipe, int baseWidth, int baseHeight) const;
    void drawKnob (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, float value) const;
    void drawButton (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, bool down) const;
    void drawLed (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, bool lit) const;
    void drawMeter (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, float value) const;
    void drawSwitch (juce::Graphics& g, juce::Rectangle<float> area, int position, int positions) const;
    void drawDigit (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, juce::juce_wchar c) const;
    void drawLogo (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area) const;
    void drawRocker (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, int frame) const;
    void drawChannel (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, int frame, int frameCount) const;
    void drawFader (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, float value) const;
    void drawBar (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, float value) const;

    juce::Font fontOf (float height, bool bold) const;
    /** A font of at least size (1180 units) whose capitals reach the minimum in this skin,
        as far as the text still fits its room (1180 units); the text is noted. */
    juce::Font readableFont (float size, bool bold, const juce::String& text, float room) const;
    float capitalHeight (const juce::Font& f) const;
    static juce::Colour colourOf (const juce::XmlElement& e, const char* attribute, juce::uint32 fallback);

    float scale;
    juce::Font font;
    mutable std::vector<DrawnText> drawnTexts;
};
