#include "support/XInput.h"
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace test
{
    XInput::XInput()
    {
        auto* d = XOpenDisplay (nullptr);
        int event = 0, error = 0, major = 0, minor = 0;

        if (d != nullptr && ! XTestQueryExtension (d, &event, &error, &major, &minor))
        {
            XCloseDisplay (d);
            d = nullptr;
        }

        display = d;
    }

    XInput::~XInput()
    {
        if (display != nullptr)
            XCloseDisplay (static_cast<Display*> (display));
    }

    void XInput::click (juce::Component& target)
    {
        auto* d = static_cast<Display*> (display);

        if (d == nullptr)
            return;

        const auto at = target.getScreenBounds().getCentre();
        XTestFakeMotionEvent (d, -1, at.x, at.y, CurrentTime);
        XTestFakeButtonEvent (d, 1, True, CurrentTime);
        XTestFakeButtonEvent (d, 1, False, CurrentTime);
        XSync (d, False);
    }

    void XInput::pressKey (juce::Component& inWindow, const char* keySymbolName)
    {
        auto* d = static_cast<Display*> (display);
        auto* peer = inWindow.getPeer();

        if (d == nullptr || peer == nullptr)
            return;

        XSetInputFocus (d, (::Window) (juce::pointer_sized_uint) peer->getNativeHandle(), RevertToParent, CurrentTime);
        const auto code = XKeysymToKeycode (d, XStringToKeysym (keySymbolName));
        XTestFakeKeyEvent (d, code, True, CurrentTime);
        XTestFakeKeyEvent (d, code, False, CurrentTime);
        XSync (d, False);
    }
}
