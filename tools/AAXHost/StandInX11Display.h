#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Message thread: every operation.
// The X11 seam of the stand-in host: one display connection for the whole run, opened
// before the plug-in starts JUCE. On a bare X server JUCE uses window-manager atoms
// without checking that they exist; interning them here first keeps it alive.
class StandInX11Display
{
public:
    static StandInX11Display& Shared();

    // False when there is no display to open (headless).
    bool Open();
    bool IsOpen() const { return mDisplay != nullptr; }

    // A mapped top-level window to embed an editor in; 0 without a display.
    uint64_t CreateWindow (int width, int height);
    void DestroyWindow (uint64_t window);
    // The size of a window's first child (the embedded editor), or false without one.
    bool ChildSize (uint64_t window, int& width, int& height);
    void Sync();

    // A window of the user's: titled, closable through the window manager's close button
    // (WM_DELETE_WINDOW), taking the focus itself when the window manager offers it
    // (WM_TAKE_FOCUS), sized to its editor.
    void Describe (uint64_t window, const std::string& title);
    void Resize (uint64_t window, int width, int height);
    // From now on TakeCloseRequest hands the keyboard focus on to the editor in the window,
    // as hosts that embed a child window do, whenever the window itself holds it.
    void HandFocusToChild (uint64_t window);
    // Handles the events waiting on the host's connection; true once the window was asked
    // to close or is gone.
    bool TakeCloseRequest (uint64_t window);
    // The window's pixels as rows of 8-bit RGB; false when it is not wholly on the screen.
    bool Capture (uint64_t window, int& width, int& height, std::vector<uint8_t>& rgb);
    // A left-button click at a point of the window, as the X server's test extension makes
    // it (a real pointer move, press and release); false without that extension.
    bool Click (uint64_t window, int x, int y);

private:
    StandInX11Display() = default;

    // The editor's window in a window of ours, or 0.
    uint64_t FirstChild (uint64_t window);
    void FocusChild (uint64_t window);
    // Whether inner lies inside window, below it (the window itself is not).
    bool IsBelow (uint64_t window, uint64_t inner);
    // The window manager offers the window the focus: it goes to the editor, unless it is
    // inside the window already.
    void TakeFocus (uint64_t window);

    void* mDisplay = nullptr;
    uint64_t mFocusWindow = 0;
};
