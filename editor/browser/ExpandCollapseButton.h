#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The "Expand / Collapse" toggle of the browser's panel headers: the expand icon while off,
    the collapse icon while on, each turning grey under the mouse; clicking toggles it. */
class ExpandCollapseButton : public juce::DrawableButton
{
public:
    ExpandCollapseButton();
    ~ExpandCollapseButton() override;

    /** The grey that replaces the icons' black under the mouse and while pressed. */
    static constexpr juce::uint32 hoverGrey = 0xFFE6E6E6;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ExpandCollapseButton)
};
