#pragma once

#include <csignal>

/** While it lives, Ctrl+C (SIGINT) and a termination request (SIGTERM) only note that they
    came, so a run can end on its own terms: the editor run as a closed window does, a render
    by leaving its output as it was. Main thread: one at a time. */
class StandInInterrupt
{
public:
    StandInInterrupt();
    ~StandInInterrupt();

    /** Whether a signal came since this object was made. */
    static bool Came() noexcept;

private:
    void (*mInt) (int);
    void (*mTerm) (int);
};
