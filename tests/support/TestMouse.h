#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace test
{
    /** Mouse input through the window's peer, as the platform delivers it: JUCE finds the
        component under the pointer, counts clicks and calls the mouse listeners. */
    class Mouse
    {
    public:
        explicit Mouse (juce::Component& windowContent) : content (windowContent) {}

        void moveTo (juce::Component& target, juce::Point<int> local);
        void press (juce::Component& target, juce::Point<int> local, juce::ModifierKeys buttons);
        void release (juce::Component& target, juce::Point<int> local, juce::ModifierKeys keys = {});
        void click (juce::Component& target, juce::ModifierKeys buttons = juce::ModifierKeys::leftButtonModifier,
                    juce::ModifierKeys keys = {});
        void doubleClick (juce::Component& target);

    private:
        void send (juce::Component& target, juce::Point<int> local, juce::ModifierKeys mods);

        juce::Component& content;
    };
}
