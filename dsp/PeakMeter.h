#pragma once

/** The peaks of a block, in one pass over both channels, on the widest vector unit the
    machine has (chosen once, at run time). Every unit gives exactly the scalar answer; NaN
    samples count as silence. Audio thread: never allocates or locks. */
class PeakMeter
{
public:
    enum class Unit
    {
        scalar,
        sse2,
        avx,
        avx512
    };

    /** peaks[0] and peaks[1]: the largest magnitudes of left and right (right null: mono, both
        peaks the left one's). */
    using Function = void (*) (const float* left, const float* right, int numSamples, float* peaks) noexcept;

    /** Any thread. The widest unit this machine runs. */
    static Unit getWidestUnit() noexcept;
    /** Any thread. Whether this machine runs the unit. */
    static bool isSupported (Unit unit) noexcept;
    /** Any thread. The unit's kernel (the scalar one when the build has no such kernel). */
    static Function getFunction (Unit unit) noexcept;

    /** Audio thread: never allocates or locks. The widest unit's kernel. */
    static void measure (const float* left, const float* right, int numSamples, float* peaks) noexcept;
};
