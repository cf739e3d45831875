#pragma once

#include <cstdint>

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

private:
    StandInX11Display() = default;

    void* mDisplay = nullptr;
};
