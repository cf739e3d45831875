#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace test
{
    /** Input as a user gives it: through the X server (XTest), so it reaches JUCE only when its
        message loop reads the display. Each call returns once the server has the events. */
    class XInput
    {
    public:
        XInput();
        ~XInput();

        /** Whether the display and its XTest extension are there. */
        bool isReady() const noexcept { return display != nullptr; }

        /** A left click at the middle of the component, on the screen. */
        void click (juce::Component& target);
        /** Gives the component's window the X keyboard focus, then presses and releases the key
            (an X key symbol name, such as "F5"). */
        void pressKey (juce::Component& inWindow, const char* keySymbolName);

    private:
        void* display = nullptr;

        JUCE_DECLARE_NON_COPYABLE (XInput)
    };
}
