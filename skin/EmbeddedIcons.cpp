#include "skin/EmbeddedIcons.h"
#include <cstring>
#include <limits>

namespace
{
// Every icon is black on a 32 x 32 view box, so users can recolour it.
#define GRINDEL_SVG(body) \
    "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 32 32\" width=\"32\" height=\"32\">" body "</svg>"
#define GRINDEL_STROKE "fill=\"none\" stroke=\"#000000\" stroke-width=\"3\" stroke-linecap=\"round\" stroke-linejoin=\"round\""

    const char* const standardIcons[numStandardIcons] = {
        // close: a cross
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M8 8 L24 24 M24 8 L8 24\"/>"),
        // expand: triangle pointing right
        GRINDEL_SVG ("<path fill=\"#000000\" d=\"M11 7 L23 16 L11 25 Z\"/>"),
        // collapse: triangle pointing down
        GRINDEL_SVG ("<path fill=\"#000000\" d=\"M7 11 L25 11 L16 23 Z\"/>"),
        // arrow left
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M26 16 L7 16 M14 8 L6 16 L14 24\"/>"),
        // arrow right
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M6 16 L25 16 M18 8 L26 16 L18 24\"/>"),
        // new folder
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M4 9 L4 26 L28 26 L28 11 L15 11 L12 7 L4 7 Z M16 14 L16 23 M11.5 18.5 L20.5 18.5\"/>"),
        // cut: scissors
        GRINDEL_SVG ("<circle " GRINDEL_STROKE " cx=\"9\" cy=\"24\" r=\"4\"/><circle " GRINDEL_STROKE " cx=\"23\" cy=\"24\" r=\"4\"/>"
                     "<path " GRINDEL_STROKE " d=\"M11.5 21 L24 4 M20.5 21 L8 4\"/>"),
        // tag
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M4 4 L15 4 L28 17 L17 28 L4 15 Z\"/><circle fill=\"#000000\" cx=\"10\" cy=\"10\" r=\"2.5\"/>"),
        // filter off: outlined funnel
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M4 6 L28 6 L19 17 L19 26 L13 28 L13 17 Z\"/>"),
        // filter on: filled funnel
        GRINDEL_SVG ("<path fill=\"#000000\" stroke=\"#000000\" stroke-width=\"2\" stroke-linejoin=\"round\" d=\"M4 6 L28 6 L19 17 L19 26 L13 28 L13 17 Z\"/>"),
        // user
        GRINDEL_SVG ("<circle fill=\"#000000\" cx=\"16\" cy=\"10\" r=\"6\"/><path fill=\"#000000\" d=\"M5 28 C5 20 10 17 16 17 C22 17 27 20 27 28 Z\"/>"),
        // factory
        GRINDEL_SVG ("<path fill=\"#000000\" d=\"M3 28 L3 14 L10 18 L10 14 L17 18 L17 14 L24 18 L24 4 L29 4 L29 28 Z\"/>"),
        // chevron right
        GRINDEL_SVG ("<polyline fill=\"none\" stroke=\"#000000\" stroke-width=\"4.3\" stroke-linecap=\"round\" stroke-linejoin=\"round\" points=\"11.66,24.68 20.34,16 11.66,7.32\"/>"),
        // chevron down
        GRINDEL_SVG ("<polyline fill=\"none\" stroke=\"#000000\" stroke-width=\"4.3\" stroke-linecap=\"round\" stroke-linejoin=\"round\" points=\"7.32,11.66 16,20.34 24.68,11.66\"/>"),
        // plus
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M16 6 L16 26 M6 16 L26 16\"/>"),
        // minus
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M6 16 L26 16\"/>"),
        // tick
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M6 17 L13 24 L26 8\"/>"),
        // options: a gear
        GRINDEL_SVG ("<circle fill=\"none\" stroke=\"#000000\" stroke-width=\"6\" stroke-dasharray=\"4 3.33\" cx=\"16\" cy=\"16\" r=\"11\"/>"
                     "<circle " GRINDEL_STROKE " cx=\"16\" cy=\"16\" r=\"7\"/>"),
        // MIDI: a five-pin socket
        GRINDEL_SVG ("<circle " GRINDEL_STROKE " cx=\"16\" cy=\"16\" r=\"12\"/><circle fill=\"#000000\" cx=\"9\" cy=\"16\" r=\"2\"/>"
                     "<circle fill=\"#000000\" cx=\"23\" cy=\"16\" r=\"2\"/><circle fill=\"#000000\" cx=\"11\" cy=\"11\" r=\"2\"/>"
                     "<circle fill=\"#000000\" cx=\"21\" cy=\"11\" r=\"2\"/><circle fill=\"#000000\" cx=\"16\" cy=\"9\" r=\"2\"/>"),
        // skin size: a monitor
        GRINDEL_SVG ("<rect " GRINDEL_STROKE " x=\"4\" y=\"5\" width=\"24\" height=\"16\" rx=\"1.5\"/><path " GRINDEL_STROKE " d=\"M11 27 L21 27 M16 21 L16 27\"/>"),
        // quality: a waveform
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M3 16 L7 16 L10 6 L14 26 L18 9 L21 22 L24 16 L29 16\"/>"),
        // snapshot: a camera
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M4 10 L10 10 L12 6 L20 6 L22 10 L28 10 L28 26 L4 26 Z\"/><circle " GRINDEL_STROKE " cx=\"16\" cy=\"17\" r=\"5\"/>"),
        // folder
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M4 9 L4 26 L28 26 L28 11 L15 11 L12 7 L4 7 Z\"/>"),
        // save: a disk
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M5 5 L23 5 L27 9 L27 27 L5 27 Z\"/><rect fill=\"#000000\" x=\"10\" y=\"5\" width=\"11\" height=\"7\"/>"
                     "<rect " GRINDEL_STROKE " x=\"10\" y=\"18\" width=\"12\" height=\"9\"/>"),
        // search: a magnifier
        GRINDEL_SVG ("<circle " GRINDEL_STROKE " cx=\"13\" cy=\"13\" r=\"8\"/><path fill=\"none\" stroke=\"#000000\" stroke-width=\"4\" stroke-linecap=\"round\" d=\"M19 19 L27 27\"/>"),
        // star
        GRINDEL_SVG ("<polygon fill=\"#000000\" points=\"16,3 19.8,11.8 29,12.5 22,18.6 24.2,28 16,23 7.8,28 10,18.6 3,12.5 12.2,11.8\"/>"),
        // trash
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M5 8 L27 8 M12 8 L12 4 L20 4 L20 8 M8 8 L9.5 28 L22.5 28 L24 8 M13 13 L13 23 M19 13 L19 23\"/>"),
        // edit: a pencil
        GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M5 27 L7 20 L21 6 L26 11 L12 25 Z M18 9 L23 14\"/>"),
        // info
        GRINDEL_SVG ("<circle " GRINDEL_STROKE " cx=\"16\" cy=\"16\" r=\"12\"/><circle fill=\"#000000\" cx=\"16\" cy=\"10\" r=\"2\"/>"
                     "<path " GRINDEL_STROKE " d=\"M16 15 L16 23\"/>")
    };

    // Stand-ins for image widgets whose skin lacks the image.
    const char* const sliderIcon = GRINDEL_SVG ("<rect fill=\"#000000\" x=\"14.5\" y=\"3\" width=\"3\" height=\"26\" rx=\"1.5\"/>"
                                                "<rect fill=\"#000000\" x=\"8\" y=\"13\" width=\"16\" height=\"6\" rx=\"2\"/>");
    const char* const knobIcon = GRINDEL_SVG ("<circle " GRINDEL_STROKE " cx=\"16\" cy=\"16\" r=\"12\"/><path " GRINDEL_STROKE " d=\"M16 16 L9 9\"/>");
    const char* const animIcon = GRINDEL_SVG ("<rect " GRINDEL_STROKE " x=\"4\" y=\"6\" width=\"24\" height=\"20\" rx=\"2\"/>"
                                              "<path fill=\"#000000\" d=\"M7 23 L13 14 L17 19 L20 16 L25 23 Z\"/><circle fill=\"#000000\" cx=\"21\" cy=\"11\" r=\"2\"/>");
    const char* const buttonIcon = GRINDEL_SVG ("<rect " GRINDEL_STROKE " x=\"4\" y=\"9\" width=\"24\" height=\"14\" rx=\"4\"/><circle fill=\"#000000\" cx=\"16\" cy=\"16\" r=\"3\"/>");
    const char* const switchIcon = GRINDEL_SVG ("<rect " GRINDEL_STROKE " x=\"10\" y=\"3\" width=\"12\" height=\"26\" rx=\"6\"/><circle fill=\"#000000\" cx=\"16\" cy=\"10\" r=\"4\"/>");
    const char* const enumIcon = GRINDEL_SVG ("<rect " GRINDEL_STROKE " x=\"3\" y=\"9\" width=\"26\" height=\"14\" rx=\"2\"/><path fill=\"#000000\" d=\"M19 14 L26 14 L22.5 19 Z\"/>"
                                              "<path " GRINDEL_STROKE " d=\"M7 16 L14 16\"/>");
    const char* const brokenIncludeIcon = GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M16 3 L30 28 L2 28 Z M16 12 L16 19\"/><circle fill=\"#000000\" cx=\"16\" cy=\"23.5\" r=\"2\"/>");
    const char* const mixerIcon = GRINDEL_SVG ("<path " GRINDEL_STROKE " d=\"M8 4 L8 28 M16 4 L16 28 M24 4 L24 28\"/>"
                                               "<rect fill=\"#000000\" x=\"4\" y=\"17\" width=\"8\" height=\"5\" rx=\"1\"/>"
                                               "<rect fill=\"#000000\" x=\"12\" y=\"8\" width=\"8\" height=\"5\" rx=\"1\"/>"
                                               "<rect fill=\"#000000\" x=\"20\" y=\"13\" width=\"8\" height=\"5\" rx=\"1\"/>");

#undef GRINDEL_STROKE
#undef GRINDEL_SVG

    std::unique_ptr<juce::Drawable> fromText (const char* text)
    {
        return loadSvgDrawable (text, std::strlen (text));
    }
}

std::unique_ptr<juce::Drawable> getStandardIcon (int index)
{
    if (! juce::isPositiveAndBelow (index, numStandardIcons))
        return nullptr;

    return fromText (standardIcons[index]);
}

std::unique_ptr<juce::Drawable> getEmbeddedIcon (juce::uint32 key)
{
    switch (key)
    {
        case EmbeddedIconKey::imgSlider: return fromText (sliderIcon);
        case EmbeddedIconKey::imgKnob: return fromText (knobIcon);
        case EmbeddedIconKey::imgAnim:
        case EmbeddedIconKey::imgAnimAlias: return fromText (animIcon);
        case EmbeddedIconKey::imgButton: return fromText (buttonIcon);
        case EmbeddedIconKey::imgSwitch: return fromText (switchIcon);
        case EmbeddedIconKey::enumDisplay: return fromText (enumIcon);
        case EmbeddedIconKey::brokenInclude: return fromText (brokenIncludeIcon);
        case EmbeddedIconKey::imgMixer: return fromText (mixerIcon);
        default: return nullptr;
    }
}

std::unique_ptr<juce::Drawable> loadSvgDrawable (const void* svgText, size_t numBytes)
{
    if (svgText == nullptr || numBytes == 0)
        return nullptr;

    const auto* bytes = static_cast<const char*> (svgText);
    const auto size = (int) juce::jmin (numBytes, (size_t) std::numeric_limits<int>::max());

    if (! juce::CharPointer_UTF8::isValidString (bytes, size))
        return nullptr;

    const auto text = juce::String::fromUTF8 (bytes, size);
    const auto xml = juce::parseXML (text);

    if (xml == nullptr || ! xml->hasTagNameIgnoringNamespace ("svg"))
        return nullptr;

    return juce::Drawable::createFromSVG (*xml);
}
