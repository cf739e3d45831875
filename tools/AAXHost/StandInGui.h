#pragma once

#include "AAX.h"
#include "AAX_IACFEffectGUI.h"

#include <cstdint>
#include <string>

class StandInInstance;
class StandInViewContainer;

// Message thread.
// The editor window of one effect instance: the GUI object made through the registered
// factory, initialised with the instance's controller, and a view container: a real
// X11 window when the stand-in host has a display (the native-window kind), otherwise a
// container without a native view, in which the plug-in still builds its editor.
class StandInGui
{
public:
    explicit StandInGui (StandInInstance& instance);
    ~StandInGui();

    StandInGui (const StandInGui&) = delete;
    StandInGui& operator= (const StandInGui&) = delete;

    // withWindow asks for a real window; without a display the container stays headless.
    bool Open (bool withWindow, std::string& error);
    // Removes the view (SetViewContainer with null), uninitialises and releases the object.
    void Close();
    // Releases the object with its view container still set, as a careless host might.
    void ReleaseWithoutClosing();

    bool IsOpen() const { return mGui != nullptr; }
    bool HasWindow() const { return mWindow != 0; }
    uint64_t Window() const { return mWindow; }
    AAX_IACFEffectGUI& Gui() { return *mGui; }
    StandInViewContainer* Container() { return mContainer; }

    // The size the GUI reports (width and height), false when it reports none.
    bool ViewSize (int& width, int& height) const;

private:
    StandInInstance& mInstance;
    AAX_IACFEffectGUI* mGui = nullptr;
    StandInViewContainer* mContainer = nullptr;
    uint64_t mWindow = 0;
};
