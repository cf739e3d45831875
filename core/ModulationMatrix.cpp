#include "core/ModulationMatrix.h"
#include <algorithm>
#include <cmath>

float ModulationMatrix::getSourceValue (int sourceIndex) const
{
    if (sourceIndex < 0 || sourceIndex >= numSources)
        return 0.0f;

    const std::lock_guard<std::mutex> lock (mutex);
    return sources[(size_t) sourceIndex];
}

void ModulationMatrix::setSourceValue (int sourceIndex, float value)
{
    if (sourceIndex < 0 || sourceIndex >= numSources || std::isnan (value))
        return;

    const std::lock_guard<std::mutex> lock (mutex);
    sources[(size_t) sourceIndex] = std::clamp (value, -1.0f, 1.0f);
}
