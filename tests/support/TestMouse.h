#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Skips the test when real windows cannot be opened. */
#define SKIP_WITHOUT_DISPLAY() \
    if (! test::hasDisplay()) GTEST_SKIP() << "needs a display (run under xvfb-run)"

namespace test
{
    /** Whether real windows can be opened (an X server, as under xvfb-run). */
    bool hasDisplay();

    /** Mouse input through a window's peer, as the platform delivers it: JUCE finds the
        component under the pointer, counts clicks and calls the mouse listeners. local is in
        target's coordinates; mods holds the keys and the buttons down. */
    void sendMouseThroughPeer (juce::Component& window, juce::Component& target, juce::Point<int> local,
                               juce::ModifierKeys mods);

    /** A key through the window's peer, with its modifiers held while JUCE handles it; whether
        a component used it. */
    bool pressKey (juce::Component& window, const juce::KeyPress& key);

    /** Mouse input through the window's peer (sendMouseThroughPeer). */
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
        juce::Component& content;
    };
}
