#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The "Expand / Collapse" toggle of the browser's panel headers: the expand icon while off,
    the collapse icon while on, each turning grey under the mouse; clicking toggles it. */
class ExpandCollapseButton : public juce::DrawableButton
{
public:
    /** What the off and on states show. */
    enum class Look
    {
        collapsedWhenOff,   // a panel that opens: the expand arrow while off, the collapse arrow while on
        shownWhenOff        // a panel always shown, on growing over its neighbours: open while off, the left arrow while on
    };

    explicit ExpandCollapseButton (Look look = Look::collapsedWhenOff);
    ~ExpandCollapseButton() override;

    /** The grey that replaces the icons' black under the mouse and while pressed. */
    static constexpr juce::uint32 hoverGrey = 0xFFE6E6E6;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ExpandCollapseButton)
};
