#include "support/TestMouse.h"
#include "support/PeerMouse.h"

namespace test
{
    void Mouse::send (juce::Component& target, juce::Point<int> local, juce::ModifierKeys mods)
    {
        test::sendMouseThroughPeer (content, target, local, mods);
    }

    void Mouse::moveTo (juce::Component& target, juce::Point<int> local)
    {
        send (target, local, {});
    }

    void Mouse::press (juce::Component& target, juce::Point<int> local, juce::ModifierKeys buttons)
    {
        send (target, local, {});
        send (target, local, buttons);
    }

    void Mouse::release (juce::Component& target, juce::Point<int> local, juce::ModifierKeys keys)
    {
        send (target, local, keys);
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
