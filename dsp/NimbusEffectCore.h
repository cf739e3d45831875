#pragma once

#include "dsp/BasePluginCore.h"
#include "dsp/PeakMeter.h"
#include <atomic>

/** The DSP core of an effect: adds the output meters, which cross to the editor as atomics.
    The meters cost nothing while nobody reads them: a reader (the editor while its meters
    show) raises the reader count for as long as it reads.

    While read, the audio thread keeps a running maximum across blocks and publishes it every
    few milliseconds of audio (publishInterval), whatever the block size. A published peak
    stays until the reader takes it, so no peak between two reads is lost. */
class NimbusEffectCore : public BasePluginCore
{
public:
    /** How much audio the peaks gather before they are published: a fifth of the editor's
        25 ms between reads. */
    static constexpr double publishInterval = 0.005;

    /** Any thread but the audio thread, outside processing: starts the meters afresh. */
    void prepare (const SampleRateInfo& rateInfo, int maximumBlockSize) override;

    /** Audio thread: never allocates or locks. Publishes peaks, each clamped to 0..1 (NaN and
        infinity read as 1): a meter value the reader has not taken yet only rises. */
    void setMeterValues (float left, float right) noexcept;
    /** Any thread (the editor's timer): lock-free. The largest peak published since the last
        take, or the last value taken when nothing was published since; they keep still while
        nobody reads the meters. */
    float getMeterValue (int channel) const noexcept;
    /** Any thread (the editor's timer, the one reader that takes): lock-free. As getMeterValue,
        and the next value gathers only what is published from now on. */
    float takeMeterValue (int channel) noexcept;
    /** Any thread (the editor's timer, the one reader that takes): lock-free. What the meters
        show: takeMeterValue as a position on the meters' dB scale (MeterScale), 0 to 1. */
    float takeMeterPosition (int channel) noexcept;

    /** Any thread: lock-free. Starts metering from the next block; pair each with
        removeMeterReader. */
    void addMeterReader() noexcept;
    /** Any thread: lock-free. The last reader gone, metering stops after the current block. */
    void removeMeterReader() noexcept;
    /** Any thread: lock-free. */
    int getNumMeterReaders() const noexcept { return meterReaders.load (std::memory_order_relaxed); }

protected:
    /** Audio thread: never allocates or locks. Gathers the peaks of one processed piece
        (right null for mono), when somebody reads the meters. */
    void meterPiece (const float* left, const float* right, int numSamples) noexcept
    {
        if (meterReaders.load (std::memory_order_relaxed) > 0)
            measurePiece (left, right, numSamples);
    }

private:
    void measurePiece (const float* left, const float* right, int numSamples) noexcept;
    void publishPeaks() noexcept;

    // Audio thread only.
    PeakMeter::Lanes runningPeaks;
    int samplesPerPublish = 1;
    int samplesToPublish = 1;

    static constexpr float nothingPublished = -1.0f;
    std::atomic<float> meters[2] { { nothingPublished }, { nothingPublished } };
    std::atomic<float> taken[2] { { 0.0f }, { 0.0f } };
    std::atomic<int> meterReaders { 0 };
    std::atomic<bool> restartMeters { false };   // a reader came: gather afresh
};
