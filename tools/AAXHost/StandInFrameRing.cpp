#include "StandInFrameRing.h"

#include <algorithm>

StandInFrameRing::StandInFrameRing (int channels, size_t capacity)
    : mSamples (static_cast<size_t> (channels), std::vector<float> (capacity)), mCapacity (capacity)
{
}

size_t StandInFrameRing::Readable() const
{
    return static_cast<size_t> (mWritten.load (std::memory_order_acquire) - mRead.load (std::memory_order_acquire));
}

size_t StandInFrameRing::Writable() const
{
    return mCapacity - Readable();
}

bool StandInFrameRing::Write (const float* const* channels, size_t frames)
{
    const auto written = mWritten.load (std::memory_order_relaxed);

    if (frames > mCapacity - static_cast<size_t> (written - mRead.load (std::memory_order_acquire)))
        return false;

    const auto start = static_cast<size_t> (written % mCapacity), first = std::min (frames, mCapacity - start);

    for (size_t c = 0; c < mSamples.size(); ++c)
    {
        std::copy (channels[c], channels[c] + first, mSamples[c].data() + start);
        std::copy (channels[c] + first, channels[c] + frames, mSamples[c].data());
    }

    mWritten.store (written + frames, std::memory_order_release);
    return true;
}

bool StandInFrameRing::Read (float* const* channels, size_t frames)
{
    const auto read = mRead.load (std::memory_order_relaxed);

    if (frames > static_cast<size_t> (mWritten.load (std::memory_order_acquire) - read))
        return false;

    const auto start = static_cast<size_t> (read % mCapacity), first = std::min (frames, mCapacity - start);

    for (size_t c = 0; c < mSamples.size(); ++c)
    {
        std::copy (mSamples[c].data() + start, mSamples[c].data() + start + first, channels[c]);
        std::copy (mSamples[c].data(), mSamples[c].data() + (frames - first), channels[c] + first);
    }

    mRead.store (read + frames, std::memory_order_release);
    return true;
}
