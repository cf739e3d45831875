#include "support/TestPluginCore.h"
#include <juce_audio_basics/juce_audio_basics.h>

namespace test
{
    void TestPluginCore::setParameter (int parameterId, float plainValue)
    {
        if (parameterId >= 0 && parameterId < maxParameterId)
            values[(size_t) parameterId] = plainValue;
    }

    void TestPluginCore::process (float* left, float* right, int numSamples)
    {
        denormalsWereOff = juce::FloatVectorOperations::areDenormalsDisabled();
        meterPiece (left, right, numSamples);
    }

    float TestPluginCore::getParameterValue (int parameterId) const noexcept
    {
        return parameterId >= 0 && parameterId < maxParameterId ? values[(size_t) parameterId] : 0.0f;
    }
}
