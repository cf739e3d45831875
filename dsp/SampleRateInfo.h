#pragma once

#include <cmath>

/** A sample rate with its reciprocal and the coefficients derived from it. */
class SampleRateInfo
{
public:
    explicit SampleRateInfo (double initialRate = 44100.0) noexcept { setRate (initialRate); }

    void setRate (double newRate) noexcept;

    double getRate() const noexcept { return rate; }
    double getPeriod() const noexcept { return period; }
    double getNyquist() const noexcept { return 0.5 * rate; }
    /** One-pole smoothing coefficient for a time constant in milliseconds. */
    double getSmoothingCoefficient (double milliseconds) const noexcept;

private:
    double rate = 44100.0, period = 1.0 / 44100.0;
};
