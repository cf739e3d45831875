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

    // Raises a value the reader has not taken: a compare-exchange only when it rises, which
    // happens once every few milliseconds of audio at most.
    void raise (std::atomic<float>& meter, float value) noexcept
    {
        auto current = meter.load (std::memory_order_relaxed);

        while (value > current && ! meter.compare_exchange_weak (current, value, std::memory_order_release, std::memory_order_relaxed))
        {
        }
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
    raise (meters[0], clampUnit (left));
    raise (meters[1], clampUnit (right));
}

float NimbusEffectCore::getMeterValue (int channel) const noexcept
{
    if (channel != 0 && channel != 1)
        return 0.0f;

    const auto published = meters[channel].load (std::memory_order_acquire);
    return published >= 0.0f ? published : taken[channel].load (std::memory_order_relaxed);
}

float NimbusEffectCore::takeMeterValue (int channel) noexcept
{
    if (channel != 0 && channel != 1)
        return 0.0f;

    const auto published = meters[channel].exchange (nothingPublished, std::memory_order_acq_rel);

    if (published < 0.0f)
        return taken[channel].load (std::memory_order_relaxed);

    taken[channel].store (published, std::memory_order_relaxed);
    return published;
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
    raise (meters[0], std::min (PeakMeter::reduce (runningPeaks.left), 1.0f));
    raise (meters[1], std::min (PeakMeter::reduce (runningPeaks.right), 1.0f));
    runningPeaks = {};
    samplesToPublish = samplesPerPublish;
}
