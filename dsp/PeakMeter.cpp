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

    void scalarKernel (const float* left, const float* right, int numSamples, float* peaks) noexcept
    {
        peaks[0] = scalarPeak (left, 0, numSamples, 0.0f);
        peaks[1] = right != nullptr ? scalarPeak (right, 0, numSamples, 0.0f) : peaks[0];
    }

#if GRINDEL_PEAK_X86
    typedef float Floats4 __attribute__ ((vector_size (16)));
    typedef float Floats8 __attribute__ ((vector_size (32)));

    // The largest lane, folded in halves: a few vector steps rather than a chain of scalar
    // maxima through memory. The lanes hold magnitudes, never NaN, so any order gives the
    // scalar answer.
    template <int width, typename Floats>
    __attribute__ ((always_inline)) inline float largestLane (const Floats& m) noexcept
    {
        Floats4 q;

        if constexpr (width == 16)
        {
            const Floats8 a = __builtin_shufflevector (m, m, 0, 1, 2, 3, 4, 5, 6, 7);
            const Floats8 b = __builtin_shufflevector (m, m, 8, 9, 10, 11, 12, 13, 14, 15);
            const Floats8 h = b > a ? b : a;
            const Floats4 c = __builtin_shufflevector (h, h, 0, 1, 2, 3);
            const Floats4 d = __builtin_shufflevector (h, h, 4, 5, 6, 7);
            q = d > c ? d : c;
        }
        else if constexpr (width == 8)
        {
            const Floats4 c = __builtin_shufflevector (m, m, 0, 1, 2, 3);
            const Floats4 d = __builtin_shufflevector (m, m, 4, 5, 6, 7);
            q = d > c ? d : c;
        }
        else
        {
            q = m;
        }

        return std::max (std::max (q[0], q[1]), std::max (q[2], q[3]));
    }

    // One channel's peak: four independent maxima, so the unit never waits on itself.
    // (x > m ? x : m) is the unit's max instruction, which keeps m when x is NaN, as the
    // scalar loop does. A maximum does not mind samples read twice, so the first and the last
    // vector are read where they lie and everything between from aligned addresses: a host's
    // buffer need not be aligned to the unit's width, and loads across cache lines cost twice.
    template <int width>
    __attribute__ ((always_inline)) inline float vectorPeak (const float* samples, int numSamples) noexcept
    {
        typedef float Floats __attribute__ ((vector_size (width * 4)));
        typedef int Ints __attribute__ ((vector_size (width * 4)));

        if (numSamples < width)
            return scalarPeak (samples, 0, numSamples, 0.0f);

        Floats m0 {}, m1 {}, m2 {}, m3 {}, a, b, c, d;
        std::memcpy (&a, samples, sizeof (a));
        std::memcpy (&b, samples + numSamples - width, sizeof (b));
        a = (Floats) ((Ints) a & 0x7fffffff);
        b = (Floats) ((Ints) b & 0x7fffffff);
        m0 = a > m0 ? a : m0;
        m1 = b > m1 ? b : m1;

        const auto misalignment = (int) ((reinterpret_cast<std::uintptr_t> (samples) / sizeof (float)) % width);
        int i = misalignment == 0 ? width : width - misalignment;

        for (; i + 4 * width <= numSamples; i += 4 * width)
        {
            std::memcpy (&a, samples + i, sizeof (a));
            std::memcpy (&b, samples + i + width, sizeof (b));
            std::memcpy (&c, samples + i + 2 * width, sizeof (c));
            std::memcpy (&d, samples + i + 3 * width, sizeof (d));
            a = (Floats) ((Ints) a & 0x7fffffff);
            b = (Floats) ((Ints) b & 0x7fffffff);
            c = (Floats) ((Ints) c & 0x7fffffff);
            d = (Floats) ((Ints) d & 0x7fffffff);
            m0 = a > m0 ? a : m0;
            m1 = b > m1 ? b : m1;
            m2 = c > m2 ? c : m2;
            m3 = d > m3 ? d : m3;
        }

        for (; i + width <= numSamples; i += width)
        {
            std::memcpy (&a, samples + i, sizeof (a));
            a = (Floats) ((Ints) a & 0x7fffffff);
            m2 = a > m2 ? a : m2;
        }

        m0 = m1 > m0 ? m1 : m0;
        m2 = m3 > m2 ? m3 : m2;
        m0 = m2 > m0 ? m2 : m0;
        return largestLane<width> (m0);
    }

    // One body for every unit: inlined into each unit's kernel, it is compiled for that unit.
    template <int width>
    __attribute__ ((always_inline)) inline void vectorKernel (const float* left, const float* right, int numSamples, float* peaks) noexcept
    {
        peaks[0] = vectorPeak<width> (left, numSamples);
        peaks[1] = right != nullptr ? vectorPeak<width> (right, numSamples) : peaks[0];
    }

    void sse2Kernel (const float* left, const float* right, int numSamples, float* peaks) noexcept
    {
        vectorKernel<4> (left, right, numSamples, peaks);
    }

    __attribute__ ((target ("avx"))) void avxKernel (const float* left, const float* right, int numSamples, float* peaks) noexcept
    {
        vectorKernel<8> (left, right, numSamples, peaks);
    }

    __attribute__ ((target ("avx512f"))) void avx512Kernel (const float* left, const float* right, int numSamples, float* peaks) noexcept
    {
        vectorKernel<16> (left, right, numSamples, peaks);
    }
#endif

    PeakMeter::Unit findWidestUnit() noexcept
    {
        for (auto unit : { PeakMeter::Unit::avx512, PeakMeter::Unit::avx, PeakMeter::Unit::sse2 })
            if (PeakMeter::isSupported (unit))
                return unit;

        return PeakMeter::Unit::scalar;
    }

    // Chosen before any audio thread runs: a plain load afterwards.
    const PeakMeter::Function widest = PeakMeter::getFunction (findWidestUnit());
}

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

void PeakMeter::measure (const float* left, const float* right, int numSamples, float* peaks) noexcept
{
    (widest != nullptr ? widest : scalarKernel) (left, right, numSamples, peaks);
}
