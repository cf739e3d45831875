#include "dsp/PeakMeter.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#define GRINDEL_PEAK_X86 1
#else
#define GRINDEL_PEAK_X86 0
#endif

namespace
{
    // std::max keeps its first argument when the second is NaN; the vector kernels put the
    // running maximum second for the same answer.
    float scalarPeak (const float* samples, int begin, int end, float result) noexcept
    {
        for (int i = begin; i < end; ++i)
            result = std::max (result, std::abs (samples[i]));

        return result;
    }

    void scalarTake (PeakMeter::Lanes& lanes, float& left, float& right) noexcept
    {
        left = PeakMeter::reduce (lanes.left);
        right = PeakMeter::reduce (lanes.right);
        lanes = {};
    }

    void scalarKernel (const float* left, const float* right, int numSamples, PeakMeter::Lanes& lanes) noexcept
    {
        lanes.left[0] = scalarPeak (left, 0, numSamples, lanes.left[0]);

        if (right != nullptr)
            lanes.right[0] = scalarPeak (right, 0, numSamples, lanes.right[0]);
        else
            std::memcpy (lanes.right, lanes.left, sizeof (lanes.right));
    }

#if GRINDEL_PEAK_X86
    // The lanes go to and from memory in stores and loads of one size per unit (16 bytes for
    // SSE2, 32 for the others), the kernel's and its take's alike: a load of part of a wider
    // store, or across two narrower ones, waits for the stores to drain on some processors.
    // The maxima by reference: AVX-512's 64-byte vector by value draws GCC's note that its
    // calling convention once changed, although the call is always inlined (same code).
    template <int width, typename Floats>
    __attribute__ ((always_inline)) inline void storeLanes (const Floats& maxima, float* lanes, float* mirror) noexcept
    {
        Floats m = maxima;

        if constexpr (width > PeakMeter::numLanes)
        {
            static_assert (width == 2 * PeakMeter::numLanes);
            const Floats high = __builtin_shufflevector (m, m, 8, 9, 10, 11, 12, 13, 14, 15, 0, 1, 2, 3, 4, 5, 6, 7);
            m = high > m ? high : m;
        }

        constexpr size_t bytes = std::min<size_t> (width, PeakMeter::numLanes) * sizeof (float);
        std::memcpy (__builtin_assume_aligned (lanes, bytes), &m, bytes);

        if (mirror != nullptr)
            std::memcpy (__builtin_assume_aligned (mirror, bytes), &m, bytes);
    }

    // Both channels' largest lanes, and the lanes back to silence, in the unit's size.
    template <int width>
    __attribute__ ((always_inline)) inline void takeLanes (PeakMeter::Lanes& lanes, float& left, float& right) noexcept
    {
        static_assert (PeakMeter::numLanes == 8);
        typedef float Floats4 __attribute__ ((vector_size (16)));
        Floats4 l, r;

        if constexpr (width == 4)
        {
            static_assert (sizeof (PeakMeter::Lanes) == 4 * sizeof (Floats4));
            Floats4 v[4];
            const Floats4 silence[4] {};
            std::memcpy (v, __builtin_assume_aligned (&lanes, sizeof (Floats4)), sizeof (v));
            std::memcpy (__builtin_assume_aligned (&lanes, sizeof (Floats4)), silence, sizeof (silence));
            l = v[1] > v[0] ? v[1] : v[0];
            r = v[3] > v[2] ? v[3] : v[2];
        }
        else
        {
            typedef float Floats8 __attribute__ ((vector_size (32)));
            static_assert (sizeof (PeakMeter::Lanes) == 2 * sizeof (Floats8));
            Floats8 v[2];
            const Floats8 silence {};
            std::memcpy (v, __builtin_assume_aligned (&lanes, sizeof (Floats8)), sizeof (v));
            std::memcpy (__builtin_assume_aligned (lanes.left, sizeof (Floats8)), &silence, sizeof (silence));
            std::memcpy (__builtin_assume_aligned (lanes.right, sizeof (Floats8)), &silence, sizeof (silence));
            const Floats4 l0 = __builtin_shufflevector (v[0], v[0], 0, 1, 2, 3), l1 = __builtin_shufflevector (v[0], v[0], 4, 5, 6, 7);
            const Floats4 r0 = __builtin_shufflevector (v[1], v[1], 0, 1, 2, 3), r1 = __builtin_shufflevector (v[1], v[1], 4, 5, 6, 7);
            l = l1 > l0 ? l1 : l0;
            r = r1 > r0 ? r1 : r0;
        }

        // Across the four lanes, both channels at once: (l0 r0 l1 r1) against (l2 r2 l3 r3),
        // then the upper half against the lower.
        Floats4 a = __builtin_shufflevector (l, r, 0, 4, 1, 5);
        const Floats4 b = __builtin_shufflevector (l, r, 2, 6, 3, 7);
        a = b > a ? b : a;
        const Floats4 c = __builtin_shufflevector (a, a, 2, 3, 2, 3);
        a = c > a ? c : a;
        left = a[0];
        right = a[1];
    }

    void sse2Take (PeakMeter::Lanes& lanes, float& left, float& right) noexcept
    {
        takeLanes<4> (lanes, left, right);
    }

    __attribute__ ((target ("avx"))) void avxTake (PeakMeter::Lanes& lanes, float& left, float& right) noexcept
    {
        takeLanes<8> (lanes, left, right);
    }

    // One channel's lanes raised by a block. (x > m ? x : m) is the unit's max instruction,
    // which keeps m when x is NaN, as the scalar loop does. A maximum does not mind samples
    // read twice, so the first and the last vector are read where they lie and everything
    // between from aligned addresses: a host's buffer need not be aligned to the unit's width,
    // and loads across cache lines cost twice. Long blocks keep twelve maxima apart (the
    // smaller units' sixteen registers hold them beside the sign mask and one sample vector),
    // each vector raised as soon as it is loaded, so the unit never waits on itself, nothing
    // goes through memory, and the loads set the pace, as in a copy.
    // mirror: the other channel's lanes of a mono block, which take the same maxima.
    template <int width>
    __attribute__ ((always_inline)) inline void vectorPeak (const float* samples, int numSamples, float* lanes, float* mirror) noexcept
    {
        typedef float Floats __attribute__ ((vector_size (width * 4)));
        typedef int Ints __attribute__ ((vector_size (width * 4)));

        if (numSamples < width)
        {
            lanes[0] = scalarPeak (samples, 0, numSamples, lanes[0]);

            if (mirror != nullptr)
                std::memcpy (mirror, lanes, PeakMeter::numLanes * sizeof (float));

            return;
        }

        // Through a reference: a vector returned by value would change the calling convention.
        const auto magnitudes = [samples] (int i, Floats& v) noexcept {
            std::memcpy (&v, samples + i, sizeof (v));
            v = (Floats) ((Ints) v & 0x7fffffff);
        };

        // The running maxima: every lane of the narrower units, the lower half of AVX-512's
        // (whose upper half folds into it at the end).
        constexpr size_t laneBytes = std::min<size_t> (width, PeakMeter::numLanes) * sizeof (float);
        Floats m0 {}, m1 {}, a, b;
        magnitudes (0, a);
        magnitudes (numSamples - width, b);
        std::memcpy (&m0, __builtin_assume_aligned (lanes, laneBytes), laneBytes);
        m0 = a > m0 ? a : m0;
        m1 = b > m1 ? b : m1;

        // A short block: vectors where they lie, overlapping the last one.
        if (numSamples <= 4 * width)
        {
            for (int i = width; i < numSamples - width; i += width)
            {
                magnitudes (i, a);
                m0 = a > m0 ? a : m0;
            }

            m0 = m1 > m0 ? m1 : m0;
            storeLanes<width> (m0, lanes, mirror);
            return;
        }

        const auto misalignment = (int) ((reinterpret_cast<std::uintptr_t> (samples) / sizeof (float)) % width);
        int i = misalignment == 0 ? width : width - misalignment;

        if (numSamples - i >= 12 * width)
        {
            Floats m2 {}, m3 {}, m4 {}, m5 {}, m6 {}, m7 {}, m8 {}, m9 {}, m10 {}, m11 {};
            const float* at = samples + i;
            const auto raise = [&at, &a] (int k, Floats& m) {
                std::memcpy (&a, at + k * width, sizeof (a));
                a = (Floats) ((Ints) a & 0x7fffffff);
                m = a > m ? a : m;
            };

            // Counted down, with the samples' address as the only other induction variable.
            const int rounds = (numSamples - i) / (12 * width);
            i += rounds * 12 * width;

            for (int round = rounds; round > 0; --round, at += 12 * width)
            {
                raise (0, m0);
                raise (1, m1);
                raise (2, m2);
                raise (3, m3);
                raise (4, m4);
                raise (5, m5);
                raise (6, m6);
                raise (7, m7);
                raise (8, m8);
                raise (9, m9);
                raise (10, m10);
                raise (11, m11);
            }

            m0 = m6 > m0 ? m6 : m0;
            m1 = m7 > m1 ? m7 : m1;
            m2 = m8 > m2 ? m8 : m2;
            m3 = m9 > m3 ? m9 : m3;
            m4 = m10 > m4 ? m10 : m4;
            m5 = m11 > m5 ? m11 : m5;
            m0 = m2 > m0 ? m2 : m0;
            m1 = m3 > m1 ? m3 : m1;
            m0 = m4 > m0 ? m4 : m0;
            m1 = m5 > m1 ? m5 : m1;
        }

        for (; i + 2 * width <= numSamples; i += 2 * width)
        {
            magnitudes (i, a);
            magnitudes (i + width, b);
            m0 = a > m0 ? a : m0;
            m1 = b > m1 ? b : m1;
        }

        // What is left is shorter than a vector and lies inside the last one, read above.
        if (i + width <= numSamples)
        {
            magnitudes (i, a);
            m0 = a > m0 ? a : m0;
        }

        m0 = m1 > m0 ? m1 : m0;
        storeLanes<width> (m0, lanes, mirror);
    }

    // One body for every unit: inlined into each unit's kernel, it is compiled for that unit.
    template <int width>
    __attribute__ ((always_inline)) inline void vectorKernel (const float* left, const float* right, int numSamples, PeakMeter::Lanes& lanes) noexcept
    {
        if (right != nullptr)
        {
            vectorPeak<width> (left, numSamples, lanes.left, nullptr);
            vectorPeak<width> (right, numSamples, lanes.right, nullptr);
        }
        else
        {
            vectorPeak<width> (left, numSamples, lanes.left, lanes.right);
        }
    }

    void sse2Kernel (const float* left, const float* right, int numSamples, PeakMeter::Lanes& lanes) noexcept
    {
        vectorKernel<4> (left, right, numSamples, lanes);
    }

    __attribute__ ((target ("avx"))) void avxKernel (const float* left, const float* right, int numSamples, PeakMeter::Lanes& lanes) noexcept
    {
        vectorKernel<8> (left, right, numSamples, lanes);
    }

    __attribute__ ((target ("avx512f"))) void avx512Kernel (const float* left, const float* right, int numSamples, PeakMeter::Lanes& lanes) noexcept
    {
        vectorKernel<16> (left, right, numSamples, lanes);
    }
#endif

    PeakMeter::Unit findWidestUnit() noexcept
    {
        for (auto unit : { PeakMeter::Unit::avx512, PeakMeter::Unit::avx, PeakMeter::Unit::sse2 })
            if (PeakMeter::isSupported (unit))
                return unit;

        return PeakMeter::Unit::scalar;
    }

}

// The scalar kernel until the unit is chosen (constant initialisation comes before any code
// runs), so it is never null.
PeakMeter::Function PeakMeter::chosen = scalarKernel;

PeakMeter::TakeFunction PeakMeter::chosenTake = scalarTake;

const bool PeakMeter::unitChosen = [] {
    const auto unit = isSupported (Unit::avx) ? Unit::avx : findWidestUnit();
    chosen = getFunction (unit);
    chosenTake = getTakeFunction (unit);
    return true;
}();

bool PeakMeter::isSupported (Unit unit) noexcept
{
#if GRINDEL_PEAK_X86
    __builtin_cpu_init();

    switch (unit)
    {
        case Unit::scalar: return true;
        case Unit::sse2: return __builtin_cpu_supports ("sse2");
        case Unit::avx: return __builtin_cpu_supports ("avx");
        case Unit::avx512: return __builtin_cpu_supports ("avx512f");
    }

    return false;
#else
    return unit == Unit::scalar;
#endif
}

PeakMeter::Unit PeakMeter::getWidestUnit() noexcept
{
    return findWidestUnit();
}

PeakMeter::TakeFunction PeakMeter::getTakeFunction (Unit unit) noexcept
{
#if GRINDEL_PEAK_X86
    switch (unit)
    {
        case Unit::scalar:
        case Unit::sse2: return sse2Take;
        case Unit::avx:
        case Unit::avx512: return avxTake;
    }
#else
    (void) unit;
#endif

    return scalarTake;
}

PeakMeter::Function PeakMeter::getFunction (Unit unit) noexcept
{
#if GRINDEL_PEAK_X86
    switch (unit)
    {
        case Unit::scalar: return scalarKernel;
        case Unit::sse2: return sse2Kernel;
        case Unit::avx: return avxKernel;
        case Unit::avx512: return avx512Kernel;
    }
#else
    (void) unit;
#endif

    return scalarKernel;
}

float PeakMeter::reduce (const float* lanes) noexcept
{
    static_assert (numLanes == 8);

    // The lanes hold magnitudes, never NaN: any order gives the same answer.
    typedef float Floats4 __attribute__ ((vector_size (16)));
    Floats4 a, b;
    std::memcpy (&a, lanes, sizeof (a));
    std::memcpy (&b, lanes + 4, sizeof (b));
    a = b > a ? b : a;
    return std::max (std::max (a[0], a[1]), std::max (a[2], a[3]));
}
