#include "support/BareXServer.h"
#include "support/TestSupport.h"
#include "support/XErrorHandler.h"
#include <X11/Xlib.h>
#include <cstdlib>

namespace
{
    // Open until the process ends: the atoms must outlive every JUCE window.
    Display* display = nullptr;

    const test::StartUpHook prepareBeforeJuce { &test::BareXServer::prepare };
}

namespace test
{
    void BareXServer::prepare()
    {
        if (display != nullptr || std::getenv ("DISPLAY") == nullptr || (display = XOpenDisplay (nullptr)) == nullptr)
            return;

        installXErrorHandler();

        for (const char* name : { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING",
                                  "WM_CHANGE_STATE", "WM_STATE", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE",
                                  "_NET_WM_STATE_HIDDEN" })
            XInternAtom (display, name, False);

        XSync (display, False);
    }

    bool BareXServer::isReady()
    {
        return display != nullptr;
    }
}
