#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A WAV file as the stand-in host's front end reads and writes it: PCM of 8 to 32 bits
// or floating point, mono or stereo, 8 to 384 kHz. Samples are kept per channel; PCM's
// full scale is 2^(bits-1) both ways, so 8-, 16- and 24-bit samples survive a round trip
// exactly.
class StandInWavFile
{
public:
    // Rates outside these are refused: no host renders them, and a WAV header cannot hold all of them.
    static constexpr uint32_t kMinSampleRate = 8000;
    static constexpr uint32_t kMaxSampleRate = 384000;

    double sampleRate = 48000.0;
    int bitsPerSample = 24;   // 16 or 24 write PCM, 32 writes float
    std::vector<std::vector<float>> channels;

    int NumChannels() const { return static_cast<int> (channels.size()); }
    size_t NumFrames() const { return channels.empty() ? 0 : channels.front().size(); }

    // Any thread, one call at a time per object. False with a reason for a missing, unreadable or unsupported file.
    bool Read (const std::string& path, std::string& error);
    // Any thread, as Read. False with a reason when the file cannot be written.
    bool Write (const std::string& path, std::string& error) const;
};
