#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A look-and-feel that one component wears for as long as the look-and-feel lives: set on the
    component when made, taken off it again before it goes (JUCE wants no component left using
    a deleted look-and-feel). Both steps call the component's lookAndFeelChanged: as a member,
    declare it after everything that lookAndFeelChanged reaches. */
template <typename LookAndFeelType>
class ScopedLookAndFeel : public LookAndFeelType
{
public:
    explicit ScopedLookAndFeel (juce::Component& wearerToUse)
        : wearer (wearerToUse)
    {
        wearer.setLookAndFeel (this);
    }

    ~ScopedLookAndFeel() override
    {
        wearer.setLookAndFeel (nullptr);
    }

private:
    juce::Component& wearer;

    JUCE_DECLARE_NON_COPYABLE (ScopedLookAndFeel)
};
