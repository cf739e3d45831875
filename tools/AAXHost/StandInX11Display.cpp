#include "StandInX11Display.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

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

uint64_t StandInX11Display::FirstChild (uint64_t window)
{
    auto* display = static_cast<Display*> (mDisplay);

    if (display == nullptr || window == 0)
        return 0;

    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window first = 0;

    if (XQueryTree (display, static_cast<Window> (window), &root, &parent, &children, &count) != 0 && count > 0)
        first = children[0];

    if (children != nullptr)
        XFree (children);

    return first;
}

bool StandInX11Display::ChildSize (uint64_t window, int& width, int& height)
{
    auto* display = static_cast<Display*> (mDisplay);
    const auto child = FirstChild (window);
    XWindowAttributes attributes {};

    if (child == 0 || XGetWindowAttributes (display, static_cast<Window> (child), &attributes) == 0)
        return false;

    width = attributes.width;
    height = attributes.height;
    return true;
}

void StandInX11Display::Sync()
{
    if (auto* display = static_cast<Display*> (mDisplay))
        XSync (display, False);
}

void StandInX11Display::Describe (uint64_t window, const std::string& title)
{
    auto* display = static_cast<Display*> (mDisplay);

    if (display == nullptr || window == 0)
        return;

    XStoreName (display, static_cast<Window> (window), title.c_str());
    // The window manager offers the focus (WM_TAKE_FOCUS) instead of giving it to the window:
    // a click in the editor then leaves the focus where it is, in the editor, as a host that
    // embeds one does. Were it moved to this window and handed back, JUCE would take the
    // round trip as leaving and coming back, and give the keys to the control focused before
    // the click instead of the one the click focused.
    Atom protocols[] = { XInternAtom (display, "WM_DELETE_WINDOW", False), XInternAtom (display, "WM_TAKE_FOCUS", False) };
    XSetWMProtocols (display, static_cast<Window> (window), protocols, 2);
    XWMHints hints {};
    hints.flags = InputHint;
    hints.input = False;
    XSetWMHints (display, static_cast<Window> (window), &hints);
    XSelectInput (display, static_cast<Window> (window), StructureNotifyMask);
    XSync (display, False);
}

void StandInX11Display::Resize (uint64_t window, int width, int height)
{
    if (auto* display = static_cast<Display*> (mDisplay); display != nullptr && window != 0 && width > 0 && height > 0)
    {
        XResizeWindow (display, static_cast<Window> (window), static_cast<unsigned> (width), static_cast<unsigned> (height));
        XSync (display, False);
    }
}

void StandInX11Display::HandFocusToChild (uint64_t window)
{
    mFocusWindow = window;
}

void StandInX11Display::FocusChild (uint64_t window)
{
    auto* display = static_cast<Display*> (mDisplay);
    XWindowAttributes attributes {};

    // Only a window on the screen can take the focus.
    if (const auto child = FirstChild (window);
        child != 0 && XGetWindowAttributes (display, static_cast<Window> (child), &attributes) != 0 && attributes.map_state == IsViewable)
    {
        XSetInputFocus (display, static_cast<Window> (child), RevertToParent, CurrentTime);
        XFlush (display);
    }
}

bool StandInX11Display::IsBelow (uint64_t window, uint64_t inner)
{
    auto* display = static_cast<Display*> (mDisplay);

    for (auto at = static_cast<Window> (inner); at != 0 && at != PointerRoot;)
    {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        const bool found = XQueryTree (display, at, &root, &parent, &children, &count) != 0;

        if (children != nullptr)
            XFree (children);

        if (! found || parent == root)
            return false;

        if (parent == static_cast<Window> (window))
            return true;

        at = parent;
    }

    return false;
}

void StandInX11Display::TakeFocus (uint64_t window)
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus (static_cast<Display*> (mDisplay), &focus, &revert);

    // Already with the editor or a window of its own: left where it is.
    if (! IsBelow (window, focus))
        FocusChild (window);
}

bool StandInX11Display::TakeCloseRequest (uint64_t window)
{
    auto* display = static_cast<Display*> (mDisplay);

    if (display == nullptr || window == 0)
        return true;

    const Atom protocols = XInternAtom (display, "WM_PROTOCOLS", False);
    const Atom close = XInternAtom (display, "WM_DELETE_WINDOW", False);
    const Atom takeFocus = XInternAtom (display, "WM_TAKE_FOCUS", False);
    bool closing = false;

    while (XPending (display) > 0)
    {
        XEvent event {};
        XNextEvent (display, &event);

        if (event.xany.window != static_cast<Window> (window))
            continue;

        if (event.type == ClientMessage && event.xclient.message_type == protocols)
        {
            const auto request = static_cast<Atom> (event.xclient.data.l[0]);
            closing = closing || request == close;

            if (request == takeFocus)
                TakeFocus (window);
        }
        else if (event.type == DestroyNotify)
            closing = true;
    }

    // The window itself holds the focus: the window manager focused it (the user came back to
    // it, or clicked it while the editor was busy), or the focus fell back from the editor.
    // The editor takes it, and with it the control it last had. Once a turn, so a focus given
    // before the editor was there is handed on too.
    if (window == mFocusWindow && ! closing)
    {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus (display, &focus, &revert);

        if (focus == static_cast<Window> (window))
            FocusChild (window);
    }

    return closing;
}

bool StandInX11Display::Capture (uint64_t window, int& width, int& height, std::vector<uint8_t>& rgb)
{
    auto* display = static_cast<Display*> (mDisplay);
    XWindowAttributes attributes {};

    if (display == nullptr || window == 0 || XGetWindowAttributes (display, static_cast<Window> (window), &attributes) == 0)
        return false;

    // XGetImage of a window that reaches beyond the screen is an error, not a picture.
    Window child = 0;
    int x = 0, y = 0;
    XTranslateCoordinates (display, static_cast<Window> (window), attributes.root, 0, 0, &x, &y, &child);
    const auto* screen = attributes.screen;

    if (x < 0 || y < 0 || x + attributes.width > WidthOfScreen (screen) || y + attributes.height > HeightOfScreen (screen))
        return false;

    XSync (display, False);
    auto* image = XGetImage (display, static_cast<Window> (window), 0, 0, static_cast<unsigned> (attributes.width),
                             static_cast<unsigned> (attributes.height), AllPlanes, ZPixmap);

    if (image == nullptr)
        return false;

    width = attributes.width;
    height = attributes.height;
    rgb.resize (static_cast<size_t> (width) * static_cast<size_t> (height) * 3);
    auto* to = rgb.data();

    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
        {
            const auto pixel = XGetPixel (image, column, row);
            *to++ = static_cast<uint8_t> ((pixel & image->red_mask) * 255 / image->red_mask);
            *to++ = static_cast<uint8_t> ((pixel & image->green_mask) * 255 / image->green_mask);
            *to++ = static_cast<uint8_t> ((pixel & image->blue_mask) * 255 / image->blue_mask);
        }

    XDestroyImage (image);
    return true;
}

bool StandInX11Display::Click (uint64_t window, int x, int y)
{
    auto* display = static_cast<Display*> (mDisplay);
    int event = 0, error = 0, major = 0, minor = 0;

    if (display == nullptr || window == 0 || ! XTestQueryExtension (display, &event, &error, &major, &minor))
        return false;

    XWindowAttributes attributes {};
    Window child = 0;
    int rootX = 0, rootY = 0;

    if (XGetWindowAttributes (display, static_cast<Window> (window), &attributes) == 0
        || ! XTranslateCoordinates (display, static_cast<Window> (window), attributes.root, x, y, &rootX, &rootY, &child))
        return false;

    XTestFakeMotionEvent (display, XScreenNumberOfScreen (attributes.screen), rootX, rootY, CurrentTime);
    XTestFakeButtonEvent (display, 1, True, CurrentTime);
    XTestFakeButtonEvent (display, 1, False, CurrentTime);
    XSync (display, False);
    return true;
}
