#include "SkinArtist.h"
#include "dsp/MeterScale.h"
#include <cmath>
#include <map>

namespace
{
    constexpr float pi = juce::MathConstants<float>::pi;

    // Segments a..g of a seven-segment glyph in a 24 x 40 box: x, y, w, h, horizontal.
    struct Segment
    {
        float x, y, w, h;
        bool horizontal;
    };
    // clang-format off
    const Segment segments[7] = {
        { 5, 2, 14, 4, true },   { 18, 5, 4, 14, false }, { 18, 21, 4, 14, false },
        { 5, 34, 14, 4, true },  { 2, 21, 4, 14, false }, { 2, 5, 4, 14, false },
        { 5, 18, 14, 4, true }
    };
    // clang-format on

    // Which segments each digit lights (bit 0 = a).
    const int digitSegments[10] = { 0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F };

    juce::Path segmentPath (const Segment& s)
    {
        juce::Path p;
        const float t = s.horizontal ? s.h : s.w;
        const float half = t * 0.5f;

        if (s.horizontal)
        {
            p.startNewSubPath (s.x, s.y + half);
            p.lineTo (s.x + half, s.y);
            p.lineTo (s.x + s.w - half, s.y);
            p.lineTo (s.x + s.w, s.y + half);
            p.lineTo (s.x + s.w - half, s.y + s.h);
            p.lineTo (s.x + half, s.y + s.h);
        }
        else
        {
            p.startNewSubPath (s.x + half, s.y);
            p.lineTo (s.x + s.w, s.y + half);
            p.lineTo (s.x + s.w, s.y + s.h - half);
            p.lineTo (s.x + half, s.y + s.h);
            p.lineTo (s.x, s.y + s.h - half);
            p.lineTo (s.x, s.y + half);
        }

        p.closeSubPath();
        return p;
    }
}

SkinArtist::SkinArtist (float s, juce::Font f) : scale (s), font (std::move (f)) {}

juce::Colour SkinArtist::colourOf (const juce::XmlElement& e, const char* attribute, juce::uint32 fallback)
{
    return e.hasAttribute (attribute) ? juce::Colour ((juce::uint32) e.getStringAttribute (attribute).getHexValue64())
                                      : juce::Colour (fallback);
}

juce::Font SkinArtist::fontOf (float height, bool bold) const
{
    auto f = font.withHeight (height);
    f.setBold (bold);
    return f;
}

float SkinArtist::capitalHeight (const juce::Font& f) const
{
    // The ink of a capital, not the font's line box.
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (f, "H", 0.0f, 0.0f);
    juce::Path outline;
    glyphs.createPath (outline);
    return outline.getBounds().getHeight();
}

juce::Font SkinArtist::readableFont (float size, bool bold, const juce::String& text, float room) const
{
    auto f = fontOf (size, bold);
    const float perUnit = capitalHeight (fontOf (100.0f, bold)) / 100.0f;
    const float wanted = minimumCapitalPixels / (perUnit * scale);
    bool limited = false;

    if (wanted > size)
    {
        const float width = fontOf (wanted, bold).getStringWidthFloat (text);
        limited = width > room;
        f = fontOf (limited ? juce::jmax (size, wanted * room / width) : wanted, bold);
    }

    drawnTexts.push_back ({ text, capitalHeight (f) * scale, limited });
    return f;
}

juce::Image SkinArtist::render (const juce::XmlElement& recipe, int frameWidth, int frameHeight, int frameCount) const
{
    const auto kind = recipe.getStringAttribute ("kind");

    if (kind == "background")
        return renderBackground (recipe, frameWidth, frameHeight);

    if (kind == "digits")
    {
        frameWidth = recipe.getIntAttribute ("glyphWidth", 24);
        frameHeight = recipe.getIntAttribute ("glyphHeight", 40);
    }

    const int w = juce::jmax (1, scaled ((float) frameWidth));
    const int h = juce::jmax (1, scaled ((float) frameHeight));
    juce::Image image (juce::Image::ARGB, w, h * frameCount, true);
    juce::Graphics g (image);

    for (int frame = 0; frame < frameCount; ++frame)
    {
        juce::Graphics::ScopedSaveState state (g);
        // Each frame is drawn in the 1180-size units of its recipe.
        g.addTransform (juce::AffineTransform::scale ((float) w / (float) frameWidth, (float) h / (float) frameHeight)
                            .translated (0.0f, (float) (frame * h)));
        g.reduceClipRegion (0, 0, frameWidth, frameHeight);

        const juce::Rectangle<float> area (0.0f, 0.0f, (float) frameWidth, (float) frameHeight);
        const float value = frameCount > 1 ? (float) frame / (float) (frameCount - 1) : 0.0f;

        if (kind == "knob")
            drawKnob (g, recipe, area, value);
        else if (kind == "button")
            drawButton (g, recipe, area, frame == 1);
        else if (kind == "led")
            drawLed (g, recipe, area, frame == 1);
        else if (kind == "meter")
            drawMeter (g, recipe, area, value);
        else if (kind == "switch")
            drawSwitch (g, area, frame, frameCount);
        else if (kind == "digits")
            drawDigit (g, recipe, area, recipe.getStringAttribute ("charset")[frame]);
        else if (kind == "logo")
            drawLogo (g, recipe, area);
        else if (kind == "rocker")
            drawRocker (g, recipe, area, frame);
        else if (kind == "channel")
            drawChannel (g, recipe, area, frame, frameCount);
        else if (kind == "fader")
            drawFader (g, recipe, area, value);
        else if (kind == "bar")
            drawBar (g, recipe, area, value);
        else
            return {};
    }

    return image;
}

juce::Image SkinArtist::renderBackground (const juce::XmlElement& recipe, int baseWidth, int baseHeight) const
{
    const float baseW = (float) juce::jmax (1, baseWidth), baseH = (float) juce::jmax (1, baseHeight);
    const int width = juce::jmax (1, scaled (baseW)), height = juce::jmax (1, scaled (baseH));
    juce::Image image (juce::Image::RGB, width, height, true);
    juce::Graphics g (image);
    g.addTransform (juce::AffineTransform::scale ((float) width / baseW, (float) height / baseH));

    const auto face = colourOf (recipe, "face", 0xFFCFC8B8);
    const auto bar = colourOf (recipe, "bar", 0xFF26262A);
    const auto ink = colourOf (recipe, "ink", 0xFF2B2B2E);
    const auto accent = colourOf (recipe, "accent", 0xFFE0582A);
    const float barHeight = (float) recipe.getIntAttribute ("barHeight", 72);

    // Face with a slight vertical sheen, dark bars at the top and the bottom.
    g.setGradientFill (juce::ColourGradient (face.brighter (0.08f), 0, 0, face.darker (0.08f), 0, baseH, false));
    g.fillAll();
    g.setColour (bar);
    g.fillRect (0.0f, 0.0f, baseW, barHeight);
    g.fillRect (0.0f, baseH - 62.0f, baseW, 62.0f);
    g.setColour (accent);
    g.fillRect (0.0f, barHeight, baseW, 3.0f);

    // Screws in the corners of the face.
    for (auto p : { juce::Point<float> (10, barHeight + 14), juce::Point<float> (baseW - 10, barHeight + 14) })
    {
        g.setColour (face.darker (0.35f));
        g.fillEllipse (p.x - 5, p.y - 5, 10, 10);
        g.setColour (face.darker (0.7f));
        g.drawLine (p.x - 3, p.y - 3, p.x + 3, p.y + 3, 1.2f);
    }

    // Captions of one "group" (the labels of one switch) share the size the least roomy of
    // them can take.
    std::map<juce::String, float> groupSizes;

    for (auto* e : recipe.getChildWithTagNameIterator ("Caption"))
    {
        if (! e->hasAttribute ("group"))
            continue;

        const auto size = readableFont ((float) e->getDoubleAttribute ("size", 13.0), true, e->getStringAttribute ("text"),
                                        (float) e->getDoubleAttribute ("room", 200.0))
                              .getHeight();
        drawnTexts.pop_back();
        const auto group = e->getStringAttribute ("group");
        groupSizes[group] = groupSizes.count (group) != 0 ? juce::jmin (groupSizes[group], size) : size;
    }

    for (auto* e : recipe.getChildIterator())
    {
        const juce::Rectangle<float> r ((float) e->getIntAttribute ("x"), (float) e->getIntAttribute ("y"),
                                        (float) e->getIntAttribute ("w"), (float) e->getIntAttribute ("h"));

        if (e->hasTagName ("Logo"))
        {
            g.setColour (juce::Colour (0xFFF4F0E6));
            g.setFont (fontOf (30.0f, true));
            g.drawText (e->getStringAttribute ("text"), (int) r.getX(), (int) r.getY(), 300, 32, juce::Justification::left);
            g.setColour (accent);
            const auto subtitle = readableFont (11.0f, false, e->getStringAttribute ("subtitle"), 300.0f);
            g.setFont (subtitle);
            g.drawText (e->getStringAttribute ("subtitle"), r.getX() + 2.0f, r.getY() + 32.0f, 300.0f,
                        juce::jmax (14.0f, subtitle.getHeight() + 2.0f), juce::Justification::left);
        }
        else if (e->hasTagName ("Section"))
        {
            g.setColour (face.darker (0.12f));
            g.fillRoundedRectangle (r, 6.0f);
            g.setColour (ink.withAlpha (0.55f));
            g.drawRoundedRectangle (r.reduced (0.5f), 6.0f, 1.0f);

            // Title plate.
            const auto plate = r.withHeight (26.0f).reduced (10.0f, 0.0f).translated (0.0f, 8.0f);
            g.setColour (ink);
            g.fillRoundedRectangle (plate, 3.0f);
            g.setColour (juce::Colour (0xFFF4F0E6));
            g.setFont (readableFont (14.0f, true, e->getStringAttribute ("title"), plate.getWidth()));
            g.drawText (e->getStringAttribute ("title"), plate, juce::Justification::centred);
        }
        else if (e->hasTagName ("Window"))
        {
            g.setColour (colourOf (*e, "fill", 0xFF101010));
            g.fillRoundedRectangle (r, 4.0f);
            g.setColour (juce::Colours::black.withAlpha (0.6f));
            g.drawRoundedRectangle (r.reduced (0.5f), 4.0f, 1.5f);
            g.setColour (juce::Colours::white.withAlpha (0.12f));
            g.drawLine (r.getX() + 4, r.getBottom() + 0.5f, r.getRight() - 4, r.getBottom() + 0.5f, 1.0f);

            if (e->getStringAttribute ("kind") == "led")
            {
                // Unlit segments behind the readout, as on a real display.
                g.setColour (juce::Colour (0xFFFF3B2F).withAlpha (0.07f));
                for (float x = r.getRight() - 30.0f; x > r.getX() + 8.0f; x -= 24.0f)
                    for (int i : { 0, 1, 2, 3, 4, 5, 6 })
                        g.fillPath (segmentPath (segments[i]), juce::AffineTransform::translation (x, r.getY() + 6.0f));
            }
        }
        else if (e->hasTagName ("Caption"))
        {
            // "room": the width the caption may take, centred on x (200 by default).
            const float room = (float) e->getDoubleAttribute ("room", 200.0);
            auto captionFont = readableFont ((float) e->getDoubleAttribute ("size", 13.0), true, e->getStringAttribute ("text"), room);

            if (e->hasAttribute ("group"))
            {
                captionFont = fontOf (groupSizes[e->getStringAttribute ("group")], true);
                auto& noted = drawnTexts.back();
                noted.capitalPixels = capitalHeight (captionFont) * scale;
                noted.roomLimited = noted.capitalPixels < minimumCapitalPixels;   // held by the group's least roomy
            }

            g.setColour (colourOf (*e, "colour", ink.getARGB()));
            g.setFont (captionFont);
            g.drawText (e->getStringAttribute ("text"), juce::Rectangle<float> (r.getX() - room * 0.5f - 2.0f, r.getY(), room + 4.0f, captionFont.getHeight() + 4.0f),
                        juce::Justification::centred);
        }
        else if (e->hasTagName ("Scale"))
        {
            // The marks are dBFS, placed where the meters show those levels.
            const auto marks = juce::StringArray::fromTokens (e->getStringAttribute ("marks"), "|", {});
            // The marks' room: left of the scale, up to "room" wide (40 by default).
            const float room = (float) e->getDoubleAttribute ("room", 40.0);

            for (int i = 0; i < marks.size(); ++i)
            {
                const float y = r.getY() + r.getHeight() * (1.0f - MeterScale::positionOfDecibels (marks[i].getFloatValue()));
                const auto markFont = readableFont (9.0f, false, marks[i], room);
                g.setFont (markFont);
                g.setColour (ink);
                g.drawText (marks[i], juce::Rectangle<float> (r.getX() - 4.0f - room, y - markFont.getHeight() * 0.5f, room, markFont.getHeight()),
                            juce::Justification::centredRight);
                g.drawLine (r.getX() - 3.0f, y, r.getX(), y, 1.0f);
            }
        }
    }

    return image;
}

void SkinArtist::drawKnob (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, float value) const
{
    const auto cap = colourOf (recipe, "cap", 0xFF35353A);
    const auto arcColour = colourOf (recipe, "arc", 0xFFE0582A);
    const auto pointer = colourOf (recipe, "pointer", 0xFFF4F0E6);
    const auto centre = area.getCentre();
    const float radius = area.getWidth() * 0.5f;
    const float start = -0.75f * pi, end = 0.75f * pi;
    const float angle = start + value * (end - start);

    // Track and value arc around the knob.
    juce::Path track;
    track.addCentredArc (centre.x, centre.y, radius * 0.9f, radius * 0.9f, 0.0f, start, end, true);
    g.setColour (juce::Colours::black.withAlpha (0.25f));
    g.strokePath (track, juce::PathStrokeType (radius * 0.08f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));

    if (value > 0.0f)
    {
        juce::Path arc;
        arc.addCentredArc (centre.x, centre.y, radius * 0.9f, radius * 0.9f, 0.0f, start, angle, true);
        g.setColour (arcColour);
        g.strokePath (arc, juce::PathStrokeType (radius * 0.08f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    // Shadow, skirt and cap.
    const float body = radius * 0.74f;
    g.setColour (juce::Colours::black.withAlpha (0.3f));
    g.fillEllipse (centre.x - body, centre.y - body + radius * 0.05f, body * 2.0f, body * 2.0f);
    g.setGradientFill (juce::ColourGradient (cap.brighter (0.5f), centre.x, centre.y - body,
                                             cap.darker (0.6f), centre.x, centre.y + body, false));
    g.fillEllipse (centre.x - body, centre.y - body, body * 2.0f, body * 2.0f);
    const float top = body * 0.8f;
    g.setGradientFill (juce::ColourGradient (cap.brighter (0.15f), centre.x, centre.y - top,
                                             cap.darker (0.2f), centre.x, centre.y + top, false));
    g.fillEllipse (centre.x - top, centre.y - top, top * 2.0f, top * 2.0f);

    // Pointer.
    juce::Path line;
    line.addRoundedRectangle (-radius * 0.035f, -top, radius * 0.07f, top * 0.55f, radius * 0.03f);
    g.setColour (pointer);
    g.fillPath (line, juce::AffineTransform::rotation (angle).translated (centre));
}

void SkinArtist::drawButton (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, bool down) const
{
    auto r = area.reduced (1.0f);
    const auto base = juce::Colour (0xFF45454B);
    g.setGradientFill (juce::ColourGradient (down ? base.darker (0.3f) : base.brighter (0.25f), 0, r.getY(),
                                             down ? base.darker (0.1f) : base.darker (0.3f), 0, r.getBottom(), false));
    g.fillRoundedRectangle (r, 4.0f);
    g.setColour (juce::Colours::black.withAlpha (0.7f));
    g.drawRoundedRectangle (r, 4.0f, 1.0f);

    const auto glyphColour = down ? colourOf (recipe, "lit", 0xFFE0582A) : juce::Colour (0xFFE8E2D4);
    const auto inner = r.reduced (r.getHeight() * 0.3f).translated (0.0f, down ? 1.0f : 0.0f);
    const auto glyph = recipe.getStringAttribute ("glyph");
    g.setColour (glyphColour);

    if (glyph == "left" || glyph == "right")
    {
        juce::Path p;
        const float dir = glyph == "left" ? -1.0f : 1.0f;
        const auto c = inner.getCentre();
        const float s = inner.getHeight() * 0.5f;
        p.addTriangle (c.x + dir * s * 0.8f, c.y, c.x - dir * s * 0.6f, c.y - s, c.x - dir * s * 0.6f, c.y + s);
        g.fillPath (p);
    }
    else if (glyph == "list")
    {
        for (int i = 0; i < 3; ++i)
            g.fillRect (inner.getX(), inner.getY() + (float) i * inner.getHeight() * 0.4f, inner.getWidth(), inner.getHeight() * 0.18f);
    }
    else if (glyph == "gear")
    {
        const auto c = inner.getCentre();
        const float s = inner.getHeight() * 0.55f;
        juce::Path p;
        for (int i = 0; i < 8; ++i)
            p.addRectangle (-s * 0.16f, -s, s * 0.32f, s * 2.0f), p.applyTransform (juce::AffineTransform::rotation (pi / 8.0f));
        p.addEllipse (-s * 0.72f, -s * 0.72f, s * 1.44f, s * 1.44f);
        g.fillPath (p, juce::AffineTransform::translation (c));
        g.setColour (base);
        g.fillEllipse (c.x - s * 0.3f, c.y - s * 0.3f, s * 0.6f, s * 0.6f);
    }
    else
    {
        g.setFont (fontOf (r.getHeight() * 0.42f, true));
        g.drawText (recipe.getStringAttribute ("text"), r.translated (0.0f, down ? 1.0f : 0.0f), juce::Justification::centred);
    }
}

void SkinArtist::drawLed (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, bool lit) const
{
    const auto colour = colourOf (recipe, "lit", 0xFFFF3B2F);
    const auto r = area.reduced (1.0f);
    g.setColour (juce::Colours::black);
    g.fillEllipse (r);
    g.setGradientFill (juce::ColourGradient (lit ? colour.brighter (0.6f) : colour.darker (2.5f), r.getCentreX(), r.getY(),
                                             lit ? colour : colour.darker (3.5f), r.getCentreX(), r.getBottom(), false));
    g.fillEllipse (r.reduced (1.0f));
}

void SkinArtist::drawMeter (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, float value) const
{
    const int count = juce::jmax (1, recipe.getIntAttribute ("segments", 20));
    g.setColour (juce::Colour (0xFF121214));
    g.fillRoundedRectangle (area, 2.0f);

    const float gap = 2.0f;
    const float segmentHeight = (area.getHeight() - gap * (float) (count + 1)) / (float) count;
    const int lit = juce::roundToInt (value * (float) count);

    for (int i = 0; i < count; ++i)
    {
        const float level = (float) (i + 1) / (float) count;
        const auto colour = level > 0.9f ? juce::Colour (0xFFFF3B2F) : level > 0.7f ? juce::Colour (0xFFF2C12E)
                                                                                    : juce::Colour (0xFF4CD964);
        const float y = area.getBottom() - gap - (float) (i + 1) * (segmentHeight + gap) + gap;
        g.setColour (i < lit ? colour : colour.withAlpha (0.12f));
        g.fillRect (area.getX() + 3.0f, y, area.getWidth() - 6.0f, segmentHeight);
    }
}

void SkinArtist::drawSwitch (juce::Graphics& g, juce::Rectangle<float> area, int position, int positions) const
{
    const auto slot = area.reduced (2.0f, area.getHeight() * 0.25f);
    g.setColour (juce::Colour (0xFF0E0E10));
    g.fillRoundedRectangle (slot, slot.getHeight() * 0.5f);

    const float thumbWidth = area.getWidth() / (float) juce::jmax (1, positions);
    const auto thumb = juce::Rectangle<float> (area.getX() + thumbWidth * (float) position, area.getY(), thumbWidth, area.getHeight())
                           .reduced (2.0f, 1.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xFFE8E2D4), 0, thumb.getY(), juce::Colour (0xFF9C968A), 0, thumb.getBottom(), false));
    g.fillRoundedRectangle (thumb, 3.0f);
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.drawRoundedRectangle (thumb, 3.0f, 1.0f);
    g.drawLine (thumb.getCentreX(), thumb.getY() + 4.0f, thumb.getCentreX(), thumb.getBottom() - 4.0f, 1.5f);
}

void SkinArtist::drawDigit (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, juce::juce_wchar c) const
{
    const auto lit = colourOf (recipe, "lit", 0xFFFF3B2F);
    const auto transform = juce::AffineTransform::scale (area.getWidth() / 24.0f, area.getHeight() / 40.0f);
    g.setColour (lit);

    if (c >= '0' && c <= '9')
    {
        for (int i = 0; i < 7; ++i)
            if ((digitSegments[c - '0'] >> i) & 1)
                g.fillPath (segmentPath (segments[i]), transform);
    }
    else if (c == '-')
    {
        g.fillPath (segmentPath (segments[6]), transform);
    }
    else if (c == '.')
    {
        g.fillEllipse (juce::Rectangle<float> (9.0f, 33.0f, 5.0f, 5.0f).transformedBy (transform));
    }
}

void SkinArtist::drawLogo (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area) const
{
    // The product's name in the panel's lettering, an accent rule and the subtitle below it,
    // in a tint of the accent light enough to read on the about window's black.
    const auto accent = colourOf (recipe, "accent", 0xFFE0582A);
    const auto ink = colourOf (recipe, "ink", 0xFFF4F0E6);
    auto r = area;
    g.setColour (ink);
    g.setFont (fontOf (r.getHeight() * 0.5f, true));
    g.drawText (recipe.getStringAttribute ("text"), r.removeFromTop (r.getHeight() * 0.52f), juce::Justification::centred);
    g.setColour (accent);
    g.fillRect (r.removeFromTop (1.0f).reduced (area.getWidth() * 0.2f, 0.0f));
    g.setColour (accent.interpolatedWith (ink, 0.45f));
    g.setFont (fontOf (r.getHeight() * 0.9f, false));
    g.drawText (recipe.getStringAttribute ("subtitle"), r, juce::Justification::centred);
}

void SkinArtist::drawRocker (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, int frame) const
{
    // Frame 0: the "less" half pressed, 1: neutral, 2: the "more" half pressed.
    const bool horizontal = recipe.getStringAttribute ("orientation") == "horizontal";
    const auto lit = colourOf (recipe, "lit", 0xFFE0582A);
    auto r = area.reduced (1.0f);
    g.setColour (juce::Colour (0xFF1A1A1C));
    g.fillRoundedRectangle (r, 4.0f);

    auto more = horizontal ? r.removeFromRight (r.getWidth() * 0.5f) : r.removeFromTop (r.getHeight() * 0.5f);
    auto less = r;

    for (int half = 0; half < 2; ++half)
    {
        const bool pressed = (half == 0 && frame == 0) || (half == 1 && frame == 2);
        const auto part = (half == 0 ? less : more).reduced (2.0f);
        const auto base = juce::Colour (0xFF45454B);
        g.setGradientFill (juce::ColourGradient (pressed ? base.darker (0.3f) : base.brighter (0.25f), 0, part.getY(),
                                                 base.darker (0.3f), 0, part.getBottom(), false));
        g.fillRoundedRectangle (part, 3.0f);
        g.setColour (pressed ? lit : juce::Colour (0xFFE8E2D4));
        g.setFont (fontOf (juce::jmin (part.getWidth(), part.getHeight()) * 0.7f, true));
        g.drawText (half == 0 ? "-" : "+", part, juce::Justification::centred);
    }
}

void SkinArtist::drawChannel (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, int frame, int frameCount) const
{
    // Frame 0 is the disabled look; the others show "ALL" and the channels 1 to 16 in turn.
    const auto lit = colourOf (recipe, "lit", 0xFFFF3B2F);
    g.setColour (juce::Colour (0xFF120C0C));
    g.fillRoundedRectangle (area, 3.0f);

    if (frame == 0)
        return;

    const float value = frameCount > 2 ? (float) (frame - 1) / (float) (frameCount - 2) : 0.0f;
    const int channel = (int) std::floor (value * 16.0f + 0.5f);
    g.setColour (lit);
    g.setFont (fontOf (area.getHeight() * 0.6f, true));
    g.drawText (channel == 0 ? juce::String ("ALL") : juce::String (channel), area, juce::Justification::centred);
}

void SkinArtist::drawFader (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, float value) const
{
    // A slot with a lit column up to the value and a cap on top of it.
    const auto lit = colourOf (recipe, "lit", 0xFFE0582A);
    const auto slot = area.withSizeKeepingCentre (juce::jmax (2.0f, area.getWidth() * 0.3f), area.getHeight() - 4.0f);
    g.setColour (juce::Colour (0xFF0E0E10));
    g.fillRoundedRectangle (slot, 2.0f);
    const float capHeight = juce::jmax (3.0f, area.getHeight() * 0.08f);
    const float y = slot.getBottom() - capHeight - value * (slot.getHeight() - capHeight);
    g.setColour (lit.withAlpha (0.8f));
    g.fillRect (slot.withTop (y + capHeight * 0.5f).reduced (1.0f, 0.0f));
    g.setColour (juce::Colour (0xFFE8E2D4));
    g.fillRoundedRectangle (area.getX() + 1.0f, y, area.getWidth() - 2.0f, capHeight, 1.5f);
}

void SkinArtist::drawBar (juce::Graphics& g, const juce::XmlElement& recipe, juce::Rectangle<float> area, float value) const
{
    // A small horizontal readout: the value as a lit part of the width.
    g.setColour (juce::Colour (0xFF121214));
    g.fillRect (area);
    g.setColour (colourOf (recipe, "lit", 0xFF4CD964));
    g.fillRect (area.reduced (1.0f).withWidth ((area.getWidth() - 2.0f) * value));
}
