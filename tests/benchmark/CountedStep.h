#pragma once

// One step of a benchmark's loop (a block, a folder refresh), kept out of line under one name:
// scripts/bench.sh --instructions counts with callgrind what runs inside it and divides by the
// number of calls, a figure no other load on the machine can change.
template <typename Step>
__attribute__ ((noinline)) void countedStep (Step&& step)
{
    step();
}
