#pragma once

#include "dsp/BasePluginCore.h"
#include <atomic>

/** The DSP core of an effect: adds the output meters, which cross to the editor as atomics.
    The meters cost nothing while nobody reads them: a reader (the editor while its meters
    show) raises the reader count for as long as it reads. */
class NimbusEffectCore : public BasePluginCore
{
public:
    /** Audio thread: never allocates or locks. Left and right, each clamped to 0..1 (NaN and
        infinity read as 1). */
    void setMeterValues (float left, float right) noexcept;
    /** Any thread (the editor's timer): lock-free. The last values written; they keep still
        while nobody reads the meters. */
    float getMeterValue (int channel) const noexcept;

    /** Any thread: lock-free. Starts metering from the next block; pair each with
        removeMeterReader. */
    void addMeterReader() noexcept;
    /** Any thread: lock-free. The last reader gone, metering stops after the current block. */
    void removeMeterReader() noexcept;
    /** Any thread: lock-free. */
    int getNumMeterReaders() const noexcept { return meterReaders.load (std::memory_order_relaxed); }

    /** Audio thread: never allocates or locks. Publishes the peaks gathered since the last
        block as the meter values (nothing while nobody reads them). */
    void endBlock() override;

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

    float blockPeaks[2] { 0.0f, 0.0f };
    bool metered = false;   // a piece of this block was metered
    std::atomic<float> meters[2] { { 0.0f }, { 0.0f } };
    std::atomic<int> meterReaders { 0 };
};
