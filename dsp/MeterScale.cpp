#include "dsp/MeterScale.h"
#include <cmath>
#include <iterator>

namespace
{
    // The law's corners: dBFS, position.
    constexpr float corners[][2] = { { -70.0f, 0.0f }, { -60.0f, 0.025f }, { -50.0f, 0.075f }, { -40.0f, 0.15f }, { -30.0f, 0.3f }, { -20.0f, 0.5f }, { 0.0f, 1.0f } };
}

float MeterScale::positionOfDecibels (float decibels) noexcept
{
    if (! (decibels > floorDecibels))
        return 0.0f;

    for (auto c = std::begin (corners) + 1; c != std::end (corners); ++c)
        if (decibels <= (*c)[0])
        {
            const auto& low = *(c - 1);
            return low[1] + (decibels - low[0]) * ((*c)[1] - low[1]) / ((*c)[0] - low[0]);
        }

    return 1.0f;
}

float MeterScale::positionOfPeak (float peak) noexcept
{
    // NaN fails the test too.
    if (! (peak > 0.0f))
        return 0.0f;

    return positionOfDecibels (20.0f * std::log10 (peak));
}
