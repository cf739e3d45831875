#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <memory>

/** The program's own SVG icons, drawn in black on a 0 0 32 32 view box so that users can
    recolour them with juce::Drawable::replaceColour. */

/** Numbered icons of the look-and-feel (0..numStandardIcons-1; 0 is the close cross of window
    headers); null for any other index. DefaultLookAndFeel::createStandardIcon hands these out. */
std::unique_ptr<juce::Drawable> getStandardIcon (int index);
constexpr int numStandardIcons = 29;

/** Indices of the standard icons. */
namespace StandardIcon
{
    enum : int
    {
        close = 0,
        expand,
        collapse,
        arrowLeft,
        arrowRight,
        newFolder,
        cut,
        tag,
        filterOff,
        filterOn,
        user,
        factory,
        chevronRight,
        chevronDown,
        plus,
        minus,
        tick,
        options,
        midi,
        skinSize,
        quality,
        snapshot,
        folder,
        save,
        search,
        star,
        trash,
        edit,
        info
    };
}

/** Stand-in icons for image widgets whose skin lacks the image, by a fixed key; null for a
    key that is not in the table. */
std::unique_ptr<juce::Drawable> getEmbeddedIcon (juce::uint32 key);

/** Keys of the embedded icons, named after their users. */
namespace EmbeddedIconKey
{
    constexpr juce::uint32 imgSlider = 0x03407238;
    constexpr juce::uint32 imgKnob = 0x0F43BBAC;
    constexpr juce::uint32 imgAnim = 0x517D70BD;
    constexpr juce::uint32 imgAnimAlias = 0xD1AFF415;   // same drawing as imgAnim
    constexpr juce::uint32 imgButton = 0x661B9A82;
    constexpr juce::uint32 imgSwitch = 0x7684D3E6;
    constexpr juce::uint32 enumDisplay = 0x95112947;
    constexpr juce::uint32 brokenInclude = 0xD95799B8;
    constexpr juce::uint32 imgMixer = 0xE79A47E0;
}

/** Parses SVG text (not zero-terminated; size in bytes) into a new drawable; null when the
    text is not an SVG document. */
std::unique_ptr<juce::Drawable> loadSvgDrawable (const void* svgText, size_t numBytes);
