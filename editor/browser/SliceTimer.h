#pragma once

#include <juce_events/juce_events.h>

/** Runs a long operation's slices on a 1 ms timer, resting every other tick. JUCE 7's Linux
    loop handles every message posted while it empties its queue, so back-to-back slices would
    never let it read the X display; a rest makes the timer's next message come a tick later,
    and the loop reads the user's input between slices. Message thread only. */
class SliceTimer : private juce::Timer
{
public:
    /** Message thread: slices run from a later turn of the loop until slice() says done. */
    void startSlices() { startTimer (1); }
    /** Message thread. */
    void stopSlices() { stopTimer(); }

protected:
    SliceTimer() = default;
    ~SliceTimer() override = default;

    /** One slice of the operation; false once nothing is left to do. */
    virtual bool slice() = 0;

private:
    void timerCallback() override;

    bool resting = false;
};
