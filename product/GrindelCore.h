#pragma once

#include "dsp/NimbusEffectCore.h"
#include <array>

/** Grindel's DSP core. The effect's signal processing is not part of this build: audio passes
    through unchanged and the output is metered; parameter values are kept for the processing. */
class GrindelCore : public NimbusEffectCore
{
public:
    static constexpr int maxParameterId = 64;

    void setParameter (int parameterId, float plainValue) override;
    /** The last value received for an effect parameter (0 for ids out of range). */
    float getParameterValue (int parameterId) const noexcept;

    void processMono (float* samples, int numSamples) override;
    void processStereo (float* left, float* right, int numSamples) override;

private:
    std::array<float, maxParameterId> values {};
};
