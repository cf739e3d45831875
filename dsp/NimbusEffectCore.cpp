#include "dsp/NimbusEffectCore.h"
#include "dsp/PeakMeter.h"
#include <algorithm>
#include <cmath>

namespace
{
    float clampUnit (float v) noexcept
    {
        return std::isfinite (v) ? std::clamp (v, 0.0f, 1.0f) : 1.0f;
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

void NimbusEffectCore::addMeterReader() noexcept
{
    meterReaders.fetch_add (1, std::memory_order_relaxed);
}

void NimbusEffectCore::removeMeterReader() noexcept
{
    // Never below zero, so an unpaired call cannot switch the meters off for a real reader.
    auto readers = meterReaders.load (std::memory_order_relaxed);

    while (readers > 0 && ! meterReaders.compare_exchange_weak (readers, readers - 1, std::memory_order_relaxed))
    {
    }
}

void NimbusEffectCore::measurePiece (const float* left, const float* right, int numSamples) noexcept
{
    float peaks[2];
    PeakMeter::measure (left, right, numSamples, peaks);
    blockPeaks[0] = std::max (blockPeaks[0], peaks[0]);
    blockPeaks[1] = std::max (blockPeaks[1], peaks[1]);
    metered = true;
}

void NimbusEffectCore::endBlock()
{
    if (! metered)
        return;

    setMeterValues (blockPeaks[0], blockPeaks[1]);
    blockPeaks[0] = blockPeaks[1] = 0.0f;
    metered = false;
}
