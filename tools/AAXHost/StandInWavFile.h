#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// A WAV file as the stand-in host's front end streams it: PCM of 8 to 32 bits or floating
// point, mono or stereo, 8 to 384 kHz. Opened for reading or for writing, it moves a block
// of frames at a time, so memory does not grow with the file's length. Samples are kept per
// channel; PCM's full scale is 2^(bits-1) both ways, so 8-, 16- and 24-bit samples survive
// a round trip exactly.
class StandInWavFile
{
public:
    // Rates outside these are refused: no host renders them, and a WAV header cannot hold all of them.
    static constexpr uint32_t kMinSampleRate = 8000;
    static constexpr uint32_t kMaxSampleRate = 384000;

    double sampleRate = 48000.0;
    int bitsPerSample = 24;   // 16 or 24 write PCM, 32 writes float

    int NumChannels() const { return mNumChannels; }
    // Reading: the frames the file holds; writing: the frames written so far.
    uint64_t NumFrames() const { return mNumFrames; }
    // The open file's sample format, as "24-bit integer PCM, 48000 Hz, 2 channels".
    std::string FormatText() const;

    // Any thread, one call at a time per object. False with a reason for a missing,
    // unreadable or unsupported file.
    bool OpenForReading (const std::string& path, std::string& error);
    // Up to maxFrames frames into channels[c][0...]; the count read (0 at the end).
    size_t ReadFrames (std::vector<std::vector<float>>& channels, size_t maxFrames);

    // Writes the header for sampleRate and bitsPerSample; the sizes follow at Close. False
    // with a reason when the file cannot be written or the rate does not fit a WAV file.
    bool OpenForWriting (const std::string& path, int numChannels, std::string& error);
    // frames frames from channels[c][0...].
    bool WriteFrames (const std::vector<std::vector<float>>& channels, size_t frames, std::string& error);
    // Writing: patches the sizes into the header; false when the file could not be finished.
    bool Close (std::string& error);

private:
    std::string mPath;
    std::ifstream mIn;
    std::fstream mOut;
    int mNumChannels = 0;
    uint64_t mNumFrames = 0, mFramesLeft = 0;
    uint16_t mFormat = 0, mBits = 0, mBlockAlign = 0;
    std::vector<uint8_t> mBytes;   // one block of frames as the file holds them
};
