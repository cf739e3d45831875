#pragma once

#include "AAX_CEffectParameters.h"
#include "AAX_Errors.h"

#include <string>
#include <vector>

// The tests' own small effect: a few float parameters added in EffectInit, each feeding
// one coefficient packet through the dispatcher's single-value handler.
class TestEffect : public AAX_CEffectParameters
{
public:
    struct Spec
    {
        std::string id;
        std::string name;
        float defaultValue;
        int32_t port;   // negative: no packet
    };

    explicit TestEffect (std::vector<Spec> parameters = DefaultParameters());

    // "Gain" (port 0), "Mix" (port 1) and the master bypass (port 2).
    static std::vector<Spec> DefaultParameters();

    static AAX_CEffectParameters* AAX_CALLBACK Create() { return new TestEffect(); }

    AAX_Result effectInitResult = AAX_SUCCESS;
    int effectInitCalls = 0;

    int32_t NumChunkedParameters() const { return mNumChunkedParameters; }
    using AAX_CEffectParameters::FilterParameterIDOnSave;
    AAX_CPacketDispatcher& Dispatcher() { return mPacketDispatcher; }

protected:
    AAX_Result EffectInit() override;

private:
    std::vector<Spec> mSpecs;
};
