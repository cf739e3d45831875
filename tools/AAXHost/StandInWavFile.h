#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A WAV file as the stand-in host's front end reads and writes it: PCM of 8 to 32 bits
// or floating point, mono or stereo, any sample rate. Samples are kept per channel.
class StandInWavFile
{
public:
    double sampleRate = 48000.0;
    int bitsPerSample = 24;   // 16 or 24 write PCM, 32 writes float
    std::vector<std::vector<float>> channels;

    int NumChannels() const { return static_cast<int> (channels.size()); }
    size_t NumFrames() const { return channels.empty() ? 0 : channels.front().size(); }

    // False with a reason for a missing, unreadable or unsupported file.
    bool Read (const std::string& path, std::string& error);
    bool Write (const std::string& path, std::string& error) const;
};
