#include "StandInInterrupt.h"

namespace
{
    volatile std::sig_atomic_t interrupted = 0;

    extern "C" void noteInterrupt (int) { interrupted = 1; }
}

StandInInterrupt::StandInInterrupt()
{
    interrupted = 0;
    mInt = std::signal (SIGINT, noteInterrupt);
    mTerm = std::signal (SIGTERM, noteInterrupt);
}

StandInInterrupt::~StandInInterrupt()
{
    std::signal (SIGINT, mInt);
    std::signal (SIGTERM, mTerm);
}

bool StandInInterrupt::Came() noexcept
{
    return interrupted != 0;
}
