#include "product/GrindelCore.h"
#include <juce_core/juce_core.h>

void GrindelCore::setParameter (int parameterId, float plainValue)
{
    // Command and quality parameters (ids from 100000) are no business of the signal path.
    if (juce::isPositiveAndBelow (parameterId, maxParameterId))
        values[(size_t) parameterId] = plainValue;
}

float GrindelCore::getParameterValue (int parameterId) const noexcept
{
    return juce::isPositiveAndBelow (parameterId, maxParameterId) ? values[(size_t) parameterId] : 0.0f;
}

void GrindelCore::processMono (float* samples, int numSamples)
{
    meterPiece (samples, nullptr, numSamples);
}

void GrindelCore::processStereo (float* left, float* right, int numSamples)
{
    meterPiece (left, right, numSamples);
}
