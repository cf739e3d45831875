#include "dsp/NimbusEffectCore.h"
#include <algorithm>
#include <cmath>
#include <juce_audio_basics/juce_audio_basics.h>

#if JUCE_USE_SSE_INTRINSICS
#include <emmintrin.h>
#endif

namespace
{
    float clampUnit (float v) noexcept
    {
        return std::isfinite (v) ? std::clamp (v, 0.0f, 1.0f) : 1.0f;
    }

    // The largest magnitude. Four independent maxima keep the vector unit busy; one running
    // maximum would wait on itself every step.
    float peak (const float* samples, int numSamples) noexcept
    {
        float result = 0.0f;
        int i = 0;

#if JUCE_USE_SSE_INTRINSICS
        const auto magnitude = _mm_castsi128_ps (_mm_set1_epi32 (0x7fffffff));
        __m128 m[4] = { _mm_setzero_ps(), _mm_setzero_ps(), _mm_setzero_ps(), _mm_setzero_ps() };

        for (; i + 16 <= numSamples; i += 16)
            for (int k = 0; k < 4; ++k)
                m[k] = _mm_max_ps (m[k], _mm_and_ps (_mm_loadu_ps (samples + i + 4 * k), magnitude));

        float lanes[4];
        _mm_storeu_ps (lanes, _mm_max_ps (_mm_max_ps (m[0], m[1]), _mm_max_ps (m[2], m[3])));
        result = std::max (std::max (lanes[0], lanes[1]), std::max (lanes[2], lanes[3]));
#else
        if (numSamples > 0)
        {
            const auto range = juce::FloatVectorOperations::findMinAndMax (samples, numSamples);
            return std::max (-range.getStart(), range.getEnd());
        }
#endif

        for (; i < numSamples; ++i)
            result = std::max (result, std::abs (samples[i]));

        return result;
    }
}

void NimbusEffectCore::setMeterValues (float left, float right) noexcept
{
    // Release stores: the editor only reads, and a locked exchange per block would cost more
    // than the metering itself.
    meters[0].store (clampUnit (left), std::memory_order_release);
    meters[1].store (clampUnit (right), std::memory_order_release);
}

float NimbusEffectCore::getMeterValue (int channel) const noexcept
{
    return (channel == 0 || channel == 1) ? meters[channel].load (std::memory_order_acquire) : 0.0f;
}

void NimbusEffectCore::meterPiece (const float* left, const float* right, int numSamples) noexcept
{
    const auto l = peak (left, numSamples);
    blockPeaks[0] = std::max (blockPeaks[0], l);
    blockPeaks[1] = std::max (blockPeaks[1], right != nullptr ? peak (right, numSamples) : l);
}

void NimbusEffectCore::endBlock()
{
    setMeterValues (blockPeaks[0], blockPeaks[1]);
    blockPeaks[0] = blockPeaks[1] = 0.0f;
}
