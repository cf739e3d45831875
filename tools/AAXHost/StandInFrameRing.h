#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

// Frames of audio passed between two threads, one writing and one reading: a fixed ring of
// per-channel samples, made before either thread starts; neither side locks or allocates.
class StandInFrameRing
{
public:
    // Message thread, before the two sides start.
    StandInFrameRing (int channels, size_t capacity);

    // Either side.
    size_t Readable() const;
    size_t Writable() const;

    // Writer only. Copies frames frames from channels[c][0...]; false (and nothing written)
    // when they do not fit.
    bool Write (const float* const* channels, size_t frames);
    // Reader only. Moves frames frames into channels[c][0...]; false (and nothing read)
    // when fewer are there.
    bool Read (float* const* channels, size_t frames);

private:
    std::vector<std::vector<float>> mSamples;
    size_t mCapacity;
    std::atomic<uint64_t> mWritten { 0 }, mRead { 0 };
};
