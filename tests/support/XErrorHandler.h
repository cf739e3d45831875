#pragma once

namespace test
{
    /** What a host does for its plug-ins' windows: JUCE installs no X error handler inside a
        plug-in (nor in a program without a JUCEApplication), and Xlib's default one ends the
        process. Tests share one X server, so a window of another test can vanish between
        JUCE's asking for the focus and its next question about that window: a BadWindow or
        BadDrawable is ignored; every other error still ends the run as before.
        Main thread, before any window: installs it once (no X library calls without DISPLAY). */
    void installXErrorHandler();
}
