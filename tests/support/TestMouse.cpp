#include "support/TestMouse.h"
#include "support/BareXServer.h"
#include <gtest/gtest.h>

namespace test
{
    bool hasDisplay()
    {
        return BareXServer::isReady() && juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
    }

    void sendMouseThroughPeer (juce::Component& window, juce::Component& target, juce::Point<int> local,
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

    bool pressKey (juce::Component& window, const juce::KeyPress& key)
    {
        auto* peer = window.getPeer();
        EXPECT_NE (peer, nullptr);
        juce::ModifierKeys::currentModifiers = key.getModifiers();
        const bool used = peer != nullptr && peer->handleKeyPress (key);
        juce::ModifierKeys::currentModifiers = {};
        return used;
    }

    void Mouse::moveTo (juce::Component& target, juce::Point<int> local)
    {
        sendMouseThroughPeer (content, target, local, {});
    }

    void Mouse::press (juce::Component& target, juce::Point<int> local, juce::ModifierKeys buttons)
    {
        sendMouseThroughPeer (content, target, local, buttons.withoutMouseButtons());
        sendMouseThroughPeer (content, target, local, buttons);
    }

    void Mouse::release (juce::Component& target, juce::Point<int> local, juce::ModifierKeys keys)
    {
        sendMouseThroughPeer (content, target, local, keys);
    }

    void Mouse::click (juce::Component& target, juce::ModifierKeys buttons, juce::ModifierKeys keys)
    {
        const auto centre = target.getLocalBounds().getCentre();
        press (target, centre, buttons.withFlags (keys.getRawFlags()));
        release (target, centre, keys);
        juce::ModifierKeys::currentModifiers = {};
    }

    void Mouse::doubleClick (juce::Component& target)
    {
        click (target);
        click (target);
    }
}
