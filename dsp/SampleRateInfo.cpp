#include "dsp/SampleRateInfo.h"

void SampleRateInfo::setRate (double newRate) noexcept
{
    // A host may report 0 before it has a device; keep a usable rate.
    rate = (std::isfinite (newRate) && newRate > 0.0) ? newRate : 44100.0;
    period = 1.0 / rate;
}

double SampleRateInfo::getSmoothingCoefficient (double milliseconds) const noexcept
{
    return milliseconds > 0.0 ? std::exp (-1000.0 / (milliseconds * rate)) : 0.0;
}
