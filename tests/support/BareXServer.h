#pragma once

namespace test
{
    /** Prepares an X server without a window manager (plain Xvfb) for JUCE's windows.

        JUCE 7.0.5 uses a few atoms without asking whether they exist, and addToDesktop then
        dies with BadAtom. prepare() makes them, before JUCE starts, on a connection that stays
        open for the whole run. Linked only into test executables that open real windows; they
        register prepare() with a StartUpHook. */
    class BareXServer
    {
    public:
        /** Does nothing without DISPLAY or when the server cannot be reached. */
        static void prepare();
        /** Whether prepare() reached an X server. */
        static bool isReady();
    };
}
