#include "editor/browser/SliceTimer.h"
#include <utility>

void SliceTimer::timerCallback()
{
    if (std::exchange (resting, ! resting))
        return;

    if (! slice())
        stopTimer();
}
