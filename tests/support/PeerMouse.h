#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <gtest/gtest.h>

namespace test
{
    /** Mouse input through a window's peer, as the platform delivers it: JUCE finds the
        component under the pointer, counts clicks and calls the mouse listeners. local is in
        target's coordinates; mods holds the keys and the buttons down. */
    inline void sendMouseThroughPeer (juce::Component& window, juce::Component& target, juce::Point<int> local,
                                      juce::ModifierKeys mods)
    {
        auto* peer = window.getPeer();
        ASSERT_NE (peer, nullptr);
        const auto position = window.getLocalPoint (&target, local).toFloat();
        // JUCE reads the keys from the global state, the buttons from the event.
        juce::ModifierKeys::currentModifiers = mods;
        peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, position, mods,
                                juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                juce::Time::currentTimeMillis());
    }
}
