#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <memory>

/** The program's own artwork for the editor's windows and the status bar: black on a 32 x 32
    view box, so users recolour it with juce::Drawable::replaceColour. */
namespace WindowIcons
{
    /** The default icon of a window header. */
    std::unique_ptr<juce::Drawable> createHeaderIcon();
    /** Status bar buttons and pages. */
    std::unique_ptr<juce::Drawable> createSnapshotIcon();
    std::unique_ptr<juce::Drawable> createSkinIcon();
    std::unique_ptr<juce::Drawable> createQualityIcon();
    std::unique_ptr<juce::Drawable> createMidiIcon();
    /** Chevrons of the options window's sections. */
    std::unique_ptr<juce::Drawable> createChevronRight();
    std::unique_ptr<juce::Drawable> createChevronDown();
}
