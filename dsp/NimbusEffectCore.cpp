#include "dsp/NimbusEffectCore.h"
#include <algorithm>
#include <cmath>
#include <juce_audio_basics/juce_audio_basics.h>

namespace
{
    float clampUnit (float v) noexcept
    {
        return std::isfinite (v) ? std::clamp (v, 0.0f, 1.0f) : 1.0f;
    }

    float peak (const float* samples, int numSamples) noexcept
    {
        if (numSamples <= 0)
            return 0.0f;

        const auto range = juce::FloatVectorOperations::findMinAndMax (samples, numSamples);
        return std::max (-range.getStart(), range.getEnd());
    }
}

void NimbusEffectCore::setMeterValues (float left, float right) noexcept
{
    meters[0].exchange (clampUnit (left));
    meters[1].exchange (clampUnit (right));
}

float NimbusEffectCore::getMeterValue (int channel) const noexcept
{
    return (channel == 0 || channel == 1) ? meters[channel].load() : 0.0f;
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
