#pragma once

#include "dsp/NimbusEffectCore.h"
#include <array>

namespace test
{
    /** TestPlugin's DSP core: passes audio through, meters it and keeps the last value each
        effect parameter sent. */
    class TestPluginCore : public NimbusEffectCore
    {
    public:
        static constexpr int maxParameterId = 64;

        void setParameter (int parameterId, float plainValue) override;
        /** 0 for ids out of range. */
        float getParameterValue (int parameterId) const noexcept;

        void processMono (float* samples, int numSamples) override { meterPiece (samples, nullptr, numSamples); }
        void processStereo (float* left, float* right, int numSamples) override { meterPiece (left, right, numSamples); }

        /** Off by default, as the product's core: a test turns it on to see the play head asked. */
        using BasePluginCore::setUsesTempo;

    private:
        std::array<float, maxParameterId> values {};
    };
}
