#include "WindowsTestSupport.h"

namespace wintest
{
    juce::MouseEvent mouseEvent (juce::Component& component, juce::Point<int> local, juce::ModifierKeys mods,
                                 juce::Component* originator, int clicks)
    {
        const auto now = juce::Time::getCurrentTime();
        return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), local.toFloat(), mods,
                                 juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f,
                                 &component, originator != nullptr ? originator : &component, now,
                                 local.toFloat(), now, clicks, false);
    }

    void click (juce::Button& button)
    {
        bool clicked = false;
        juce::Component::SafePointer<juce::Button> safe (&button);
        const auto previous = button.onClick;
        button.onClick = [&clicked, previous] { clicked = true; if (previous) previous(); };
        button.triggerClick();
        test::pumpUntil ([&] { return clicked || safe == nullptr; });

        if (safe != nullptr)
            safe->onClick = previous;
    }
}
