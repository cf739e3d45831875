#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The content browser's small icon buttons: one of the standard icons (black), with a copy in
    grey as the mouse-over look. */
namespace BrowserIcons
{
    constexpr juce::uint32 overGrey = 0xFFE6E6E6;

    /** The standard icon with black replaced by colour; null for an unknown index. */
    std::unique_ptr<juce::Drawable> createIcon (int standardIcon, juce::Colour colour = juce::Colours::black);

    /** A flat icon button: normal image the icon, over and down images its grey copy,
        transparent background, no keyboard focus. */
    void setIconImages (juce::DrawableButton& button, int standardIcon);

    /** A toggling icon button: offIcon while off and onIcon while on, each with its grey copy
        for over and down. */
    void setToggleIconImages (juce::DrawableButton& button, int offIcon, int onIcon);
}
