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

    void scalarKernel (const float* left, const float* right, int numSamples, PeakMeter::Lanes& lanes) noexcept
    {
        lanes.left[0] = scalarPeak (left, 0, numSamples, lanes.left[0]);

        if (right != nullptr)
            lanes.right[0] = scalarPeak (right, 0, numSamples, lanes.right[0]);
        else
            std::memcpy (lanes.right, lanes.left, sizeof (lanes.right));
    }

#if GRINDEL_PEAK_X86
    // One channel's lanes raised by a block. (x > m ? x : m) is the unit's max instruction,
    // which keeps m when x is NaN, as the scalar loop does. A maximum does not mind samples
    // read twice, so the first and the last vector are read where they lie and everything
    // between from aligned addresses: a host's buffer need not be aligned to the unit's width,
    // and loads across cache lines cost twice. Long blocks keep twelve maxima apart (the
    // smaller units' sixteen registers hold them beside the sign mask and one sample vector),
    // each vector raised as soon as it is loaded, so the unit never waits on itself, nothing
    // goes through memory, and the loads set the pace, as in a copy.
    template <int width>
    __attribute__ ((always_inline)) inline void vectorPeak (const float* samples, int numSamples, float* lanes) noexcept
    {
        typedef float Floats __attribute__ ((vector_size (width * 4)));
        typedef int Ints __attribute__ ((vector_size (width * 4)));

        if (numSamples < width)
        {
            lanes[0] = scalarPeak (samples, 0, numSamples, lanes[0]);
            return;
        }

        // Through a reference: a vector returned by value would change the calling convention.
        const auto magnitudes = [samples] (int i, Floats& v) noexcept {
            std::memcpy (&v, samples + i, sizeof (v));
            v = (Floats) ((Ints) v & 0x7fffffff);
        };

        Floats m0, m1 {}, a, b;
        magnitudes (0, a);
        magnitudes (numSamples - width, b);
        std::memcpy (&m0, lanes, sizeof (m0));
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
            std::memcpy (lanes, &m0, sizeof (m0));
            return;
        }

        const auto misalignment = (int) ((reinterpret_cast<std::uintptr_t> (samples) / sizeof (float)) % width);
        int i = misalignment == 0 ? width : width - misalignment;

        if (numSamples - i >= 12 * width)
        {
            Floats m2 {}, m3 {}, m4 {}, m5 {}, m6 {}, m7 {}, m8 {}, m9 {}, m10 {}, m11 {};
            const auto raise = [&] (int at, Floats& m) {
                magnitudes (at, a);
                m = a > m ? a : m;
            };

            for (; i + 12 * width <= numSamples; i += 12 * width)
            {
                raise (i, m0);
                raise (i + width, m1);
                raise (i + 2 * width, m2);
                raise (i + 3 * width, m3);
                raise (i + 4 * width, m4);
                raise (i + 5 * width, m5);
                raise (i + 6 * width, m6);
                raise (i + 7 * width, m7);
                raise (i + 8 * width, m8);
                raise (i + 9 * width, m9);
                raise (i + 10 * width, m10);
                raise (i + 11 * width, m11);
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
        std::memcpy (lanes, &m0, sizeof (m0));
    }

    // One body for every unit: inlined into each unit's kernel, it is compiled for that unit.
    template <int width>
    __attribute__ ((always_inline)) inline void vectorKernel (const float* left, const float* right, int numSamples, PeakMeter::Lanes& lanes) noexcept
    {
        vectorPeak<width> (left, numSamples, lanes.left);

        if (right != nullptr)
            vectorPeak<width> (right, numSamples, lanes.right);
        else
            std::memcpy (lanes.right, lanes.left, sizeof (lanes.right));
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

const bool PeakMeter::unitChosen = (chosen = getFunction (isSupported (Unit::avx) ? Unit::avx : findWidestUnit()), true);

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
    static_assert (numLanes == 16);

    // The lanes hold magnitudes, never NaN: any order gives the same answer.
    typedef float Floats4 __attribute__ ((vector_size (16)));
    Floats4 a, b, c, d;
    std::memcpy (&a, lanes, sizeof (a));
    std::memcpy (&b, lanes + 4, sizeof (b));
    std::memcpy (&c, lanes + 8, sizeof (c));
    std::memcpy (&d, lanes + 12, sizeof (d));
    a = b > a ? b : a;
    c = d > c ? d : c;
    a = c > a ? c : a;
    return std::max (std::max (a[0], a[1]), std::max (a[2], a[3]));
}

void PeakMeter::take (Lanes& lanes, float& left, float& right) noexcept
{
    static_assert (numLanes == 16);

    // Both channels' lanes in one pass of 4-wide vectors, which every unit has; the loaded
    // vectors' registers are free again for the zeros.
    typedef float Floats4 __attribute__ ((vector_size (16)));
    static_assert (sizeof (Lanes) == 8 * sizeof (Floats4));
    Floats4 v[8];
    const Floats4 silence[8] {};
    std::memcpy (v, &lanes, sizeof (v));
    std::memcpy (&lanes, silence, sizeof (silence));
    v[0] = v[1] > v[0] ? v[1] : v[0];
    v[2] = v[3] > v[2] ? v[3] : v[2];
    v[4] = v[5] > v[4] ? v[5] : v[4];
    v[6] = v[7] > v[6] ? v[7] : v[6];
    v[0] = v[2] > v[0] ? v[2] : v[0];
    v[4] = v[6] > v[4] ? v[6] : v[4];

    // Across the four lanes, both channels at once: (l0 r0 l1 r1) against (l2 r2 l3 r3), then
    // the upper half against the lower.
    Floats4 a = __builtin_shufflevector (v[0], v[4], 0, 4, 1, 5);
    const Floats4 b = __builtin_shufflevector (v[0], v[4], 2, 6, 3, 7);
    a = b > a ? b : a;
    const Floats4 c = __builtin_shufflevector (a, a, 2, 3, 2, 3);
    a = c > a ? c : a;
    left = a[0];
    right = a[1];
}
