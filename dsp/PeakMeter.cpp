#include "dsp/PeakMeter.h"
#include <algorithm>
#include <cmath>
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
    // One body for every unit, in the compiler's vector types: inlined into each unit's
    // kernel, it is compiled for that unit. Both channels share the loop, each with two
    // independent maxima so the unit never waits on itself. (x > m ? x : m) is the unit's
    // max instruction, which keeps m when x is NaN, as the scalar loop does. The lanes hold
    // magnitudes, never NaN, so reducing them in any order gives the scalar answer.
    template <int width>
    __attribute__ ((always_inline)) inline void vectorKernel (const float* left, const float* right, int numSamples, float* peaks) noexcept
    {
        typedef float Floats __attribute__ ((vector_size (width * 4)));
        typedef int Ints __attribute__ ((vector_size (width * 4)));

        const bool stereo = right != nullptr;
        const float* r = stereo ? right : left;
        Floats l0 {}, l1 {}, r0 {}, r1 {}, v;
        int i = 0;

        for (; i + 2 * width <= numSamples; i += 2 * width)
        {
            std::memcpy (&v, left + i, sizeof (v));
            v = (Floats) ((Ints) v & 0x7fffffff);
            l0 = v > l0 ? v : l0;
            std::memcpy (&v, left + i + width, sizeof (v));
            v = (Floats) ((Ints) v & 0x7fffffff);
            l1 = v > l1 ? v : l1;

            if (stereo)
            {
                std::memcpy (&v, r + i, sizeof (v));
                v = (Floats) ((Ints) v & 0x7fffffff);
                r0 = v > r0 ? v : r0;
                std::memcpy (&v, r + i + width, sizeof (v));
                v = (Floats) ((Ints) v & 0x7fffffff);
                r1 = v > r1 ? v : r1;
            }
        }

        // The vectors' lanes, then the samples the loop left.
        float lanes[2][2 * width];
        std::memcpy (lanes[0], &l0, sizeof (v));
        std::memcpy (lanes[0] + width, &l1, sizeof (v));
        std::memcpy (lanes[1], &r0, sizeof (v));
        std::memcpy (lanes[1] + width, &r1, sizeof (v));
        peaks[0] = scalarPeak (left, i, numSamples, scalarPeak (lanes[0], 0, 2 * width, 0.0f));
        peaks[1] = stereo ? scalarPeak (r, i, numSamples, scalarPeak (lanes[1], 0, 2 * width, 0.0f)) : peaks[0];
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
