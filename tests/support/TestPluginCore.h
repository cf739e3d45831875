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

        void processMono (float* samples, int numSamples) override { process (samples, nullptr, numSamples); }
        void processStereo (float* left, float* right, int numSamples) override { process (left, right, numSamples); }
        /** Whether flush-to-zero was on while the last block was processed (read after it). */
        bool denormalsWereOff = false;

        /** Off by default, as the product's core: a test turns it on to see the play head asked. */
        using BasePluginCore::setUsesTempo;

    private:
        void process (float* left, float* right, int numSamples);

        std::array<float, maxParameterId> values {};
    };
}
