#include "dsp/NimbusEffectCore.h"
#include "dsp/MeterScale.h"
#include <algorithm>
#include <cmath>

namespace
{
    float clampUnit (float v) noexcept
    {
        return std::isfinite (v) ? std::clamp (v, 0.0f, 1.0f) : 1.0f;
    }
}

void NimbusEffectCore::prepare (const SampleRateInfo& rateInfo, int maximumBlock)
{
    BasePluginCore::prepare (rateInfo, maximumBlock);
    samplesPerPublish = std::max (1, (int) std::lround (rateInfo.getRate() * publishInterval));
    samplesToPublish = samplesPerPublish;
    runningPeaks = {};
}

void NimbusEffectCore::setMeterValues (float left, float right) noexcept
{
    meters[0].add (clampUnit (left));
    meters[1].add (clampUnit (right));
}

float NimbusEffectCore::getMeterValue (int channel) const noexcept
{
    return channel == 0 || channel == 1 ? meters[channel].peek() : 0.0f;
}

float NimbusEffectCore::takeMeterValue (int channel) noexcept
{
    return channel == 0 || channel == 1 ? meters[channel].take() : 0.0f;
}

float NimbusEffectCore::takeMeterPosition (int channel) noexcept
{
    return MeterScale::positionOfPeak (takeMeterValue (channel));
}

void NimbusEffectCore::addMeterReader() noexcept
{
    restartMeters.store (true, std::memory_order_relaxed);
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
    // What was gathered before the meters were last unread is old: it is not shown.
    if (restartMeters.load (std::memory_order_relaxed))
    {
        restartMeters.store (false, std::memory_order_relaxed);
        runningPeaks = {};
        samplesToPublish = samplesPerPublish;
    }

    samplesToPublish -= numSamples;

    if (samplesToPublish > 0)
    {
        PeakMeter::accumulate (left, right, numSamples, runningPeaks);
        return;
    }

    PeakMeter::accumulate (left, right, numSamples, runningPeaks);
    publishPeaks();
}

void NimbusEffectCore::publishPeaks() noexcept
{
    // The lanes hold magnitudes, never NaN or negative: only the top needs a clamp.
    float left, right;
    PeakMeter::take (runningPeaks, left, right);
    meters[0].add (std::min (left, 1.0f));
    meters[1].add (std::min (right, 1.0f));
    samplesToPublish = samplesPerPublish;
}
