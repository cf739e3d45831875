#pragma once

#include "dsp/BasePluginCore.h"
#include <atomic>

/** The DSP core of an effect: adds the output meters, which cross to the editor as atomics. */
class NimbusEffectCore : public BasePluginCore
{
public:
    /** Audio thread: never allocates or locks. Left and right, each clamped to 0..1 (NaN and
        infinity read as 1). */
    void setMeterValues (float left, float right) noexcept;
    /** Any thread (the editor's timer): lock-free. The last values written. */
    float getMeterValue (int channel) const noexcept;

    /** Audio thread: never allocates or locks. Publishes the peaks gathered since the last
        block as the meter values. */
    void endBlock() override;

protected:
    /** Audio thread: never allocates or locks. Gathers the peaks of one processed piece;
        right is null for mono. */
    void meterPiece (const float* left, const float* right, int numSamples) noexcept;

private:
    float blockPeaks[2] { 0.0f, 0.0f };
    std::atomic<float> meters[2] { { 0.0f }, { 0.0f } };
};
