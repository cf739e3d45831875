#include "StandInX11Display.h"

#include <X11/Xlib.h>

#include <cstdlib>

StandInX11Display& StandInX11Display::Shared()
{
    // Never closed: JUCE may still refer to the atoms at the very end of the run.
    static StandInX11Display display;
    return display;
}

bool StandInX11Display::Open()
{
    if (mDisplay != nullptr)
        return true;

    const char* name = std::getenv ("DISPLAY");

    if (name == nullptr || *name == 0)
        return false;

    auto* display = XOpenDisplay (nullptr);

    if (display == nullptr)
        return false;

    const char* atoms[] = { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_CHANGE_STATE",
                            "WM_STATE", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN" };

    for (const char* atom : atoms)
        XInternAtom (display, atom, False);

    XSync (display, False);
    mDisplay = display;
    return true;
}

uint64_t StandInX11Display::CreateWindow (int width, int height)
{
    auto* display = static_cast<Display*> (mDisplay);

    if (display == nullptr)
        return 0;

    const int screen = DefaultScreen (display);
    const auto window = XCreateSimpleWindow (display, RootWindow (display, screen), 0, 0,
                                             static_cast<unsigned> (width > 0 ? width : 1), static_cast<unsigned> (height > 0 ? height : 1),
                                             0, BlackPixel (display, screen), BlackPixel (display, screen));
    XMapWindow (display, window);
    XSync (display, False);
    return window;
}

void StandInX11Display::DestroyWindow (uint64_t window)
{
    if (auto* display = static_cast<Display*> (mDisplay); display != nullptr && window != 0)
    {
        XDestroyWindow (display, static_cast<Window> (window));
        XSync (display, False);
    }
}

bool StandInX11Display::ChildSize (uint64_t window, int& width, int& height)
{
    auto* display = static_cast<Display*> (mDisplay);

    if (display == nullptr || window == 0)
        return false;

    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;

    if (XQueryTree (display, static_cast<Window> (window), &root, &parent, &children, &count) == 0 || count == 0)
    {
        if (children != nullptr)
            XFree (children);
        return false;
    }

    XWindowAttributes attributes {};
    const bool known = XGetWindowAttributes (display, children[0], &attributes) != 0;
    XFree (children);

    width = attributes.width;
    height = attributes.height;
    return known;
}

void StandInX11Display::Sync()
{
    if (auto* display = static_cast<Display*> (mDisplay))
        XSync (display, False);
}
