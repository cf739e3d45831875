#pragma once

/** Running peaks across blocks, one pass over both channels on a vector unit chosen once, at
    run time: AVX where the machine has it, else the widest it has. (AVX-512 is not chosen: a
    512-bit load of samples just written in 256-bit stores, as a copy writes them, waits for
    the stores to drain, and it measured slower than AVX at every block size.) A block only
    raises the lanes of a running maximum; they are reduced to one peak per channel when the
    peaks are published, not every block. Every unit gives exactly the scalar answer; NaN
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

    /** The running maxima of each channel's magnitudes, one per lane of an AVX vector (the
        AVX-512 kernel folds its sixteen into them); never NaN or negative. All zero: silence
        so far. */
    static constexpr int numLanes = 8;
    struct alignas (64) Lanes
    {
        float left[numLanes] {};
        float right[numLanes] {};
    };

    /** Raises the lanes by a block's magnitudes (right null: mono, the right lanes take the
        left ones). */
    using Function = void (*) (const float* left, const float* right, int numSamples, Lanes& lanes) noexcept;

    /** Any thread. The widest unit this machine runs. */
    static Unit getWidestUnit() noexcept;
    /** Any thread. Whether this machine runs the unit. */
    static bool isSupported (Unit unit) noexcept;
    /** Any thread. The unit's kernel (the scalar one when the build has no such kernel). */
    static Function getFunction (Unit unit) noexcept;

    /** Audio thread: never allocates or locks. The chosen unit's kernel. */
    static void accumulate (const float* left, const float* right, int numSamples, Lanes& lanes) noexcept { chosen (left, right, numSamples, lanes); }
    /** The largest of one channel's lanes (Lanes::left or Lanes::right). */
    static float reduce (const float* lanes) noexcept;
    /** Audio thread: never allocates or locks. reduce for both channels, and the lanes back
        to silence, on the chosen unit. */
    static void take (Lanes& lanes, float& left, float& right) noexcept { chosenTake (lanes, left, right); }
    using TakeFunction = void (*) (Lanes& lanes, float& left, float& right) noexcept;
    /** Any thread. The unit's take: its kernel's lanes read and cleared in the kernel's size. */
    static TakeFunction getTakeFunction (Unit unit) noexcept;

private:
    // Chosen before any audio thread runs: a plain load afterwards.
    static Function chosen;
    static TakeFunction chosenTake;
    static const bool unitChosen;
};
