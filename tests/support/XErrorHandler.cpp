#include "support/XErrorHandler.h"
#include <X11/Xlib.h>
#include <cstdlib>

namespace
{
    XErrorHandler previous = nullptr;

    int ignoreVanishedWindows (Display* display, XErrorEvent* event)
    {
        if (event->error_code == BadWindow || event->error_code == BadDrawable)
            return 0;

        return previous != nullptr ? previous (display, event) : 0;
    }
}

namespace test
{
    void installXErrorHandler()
    {
        static bool installed = false;

        if (installed || std::getenv ("DISPLAY") == nullptr)
            return;

        installed = true;
        previous = XSetErrorHandler (ignoreVanishedWindows);
    }
}
