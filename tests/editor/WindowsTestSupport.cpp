#include "WindowsTestSupport.h"
#include <X11/Xlib.h>
#include <cstdlib>

namespace
{
    // A bare X server (Xvfb without a window manager) lacks atoms that JUCE uses unchecked in
    // addToDesktop; they are made before JUCE starts, on a connection open for the whole run.
    struct AtomsForBareXServer
    {
        AtomsForBareXServer()
        {
            if (std::getenv ("DISPLAY") == nullptr || (display = XOpenDisplay (nullptr)) == nullptr)
                return;

            for (const char* name : { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING",
                                      "WM_CHANGE_STATE", "WM_STATE", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE",
                                      "_NET_WM_STATE_HIDDEN" })
                XInternAtom (display, name, False);

            XSync (display, False);
        }

        Display* display = nullptr;
    };

    const AtomsForBareXServer atoms;
}

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

    bool hasDisplay()
    {
        return atoms.display != nullptr
               && juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
    }
}
