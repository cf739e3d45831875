#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

// A WAV file as the stand-in host's front end streams it: PCM of 8 to 32 bits or floating
// point, mono or stereo, 8 to 384 kHz. Opened for reading or for writing, it moves a block
// of frames at a time, so memory does not grow with the file's length. Samples are kept per
// channel; PCM's full scale is 2^(bits-1) both ways, so 8-, 16- and 24-bit samples survive
// a round trip exactly. A file written goes to a temporary file beside it, which replaces
// the file only when it is complete: an older file of that name stays whole until then.
class StandInWavFile
{
public:
    StandInWavFile() = default;
    ~StandInWavFile();

    StandInWavFile (const StandInWavFile&) = delete;
    StandInWavFile& operator= (const StandInWavFile&) = delete;

    // Rates outside these are refused: no host renders them, and a WAV header cannot hold all of them.
    static constexpr uint32_t kMinSampleRate = 8000;
    static constexpr uint32_t kMaxSampleRate = 384000;

    double sampleRate = 48000.0;
    int bitsPerSample = 24;   // 16 or 24 write PCM, 32 writes float

    int NumChannels() const { return mNumChannels; }
    // Reading: the frames the file holds; writing: the frames written so far.
    uint64_t NumFrames() const { return mNumFrames; }
    // Reading: the frames the header states, more than NumFrames when the file was cut short.
    uint64_t StatedFrames() const { return mStatedFrames; }
    // Reading: whether the samples are 32-bit floats, which ReadFrames hands on bit for bit.
    bool IsFloat32() const { return mFormat == 3 && mBits == 32; }
    bool IsFloat64() const { return mFormat == 3 && mBits == 64; }
    // The open file's sample format, as "24-bit integer PCM, 48000 Hz, 2 channels".
    std::string FormatText() const;

    // Any thread, one call at a time per object. False with a reason for a missing,
    // unreadable or unsupported file.
    bool OpenForReading (const std::string& path, std::string& error);
    // Up to maxFrames frames into channels[c][0...]; the count read (0 at the end). With exact,
    // also each sample's value as the file holds it (a fraction of full scale), which a
    // float cannot always hold: 32-bit integers and 64-bit floats have more bits. 32-bit
    // floats keep their bits (NaNs, infinities and denormals as they are).
    size_t ReadFrames (std::vector<std::vector<float>>& channels, size_t maxFrames, std::vector<std::vector<double>>* exact = nullptr);

    // Starts the temporary file beside path with the header for sampleRate and bitsPerSample;
    // the sizes follow at Close. False with a reason when the folder takes no file or the
    // rate does not fit a WAV file.
    bool OpenForWriting (const std::string& path, int numChannels, std::string& error);
    // frames frames from channels[c][0...].
    bool WriteFrames (const std::vector<std::vector<float>>& channels, size_t frames, std::string& error);
    // Writing: patches the sizes into the header and syncs the temporary file, which has not
    // yet replaced the path; false, with the temporary removed, when it could not be finished.
    bool Finish (std::string& error);
    // Writing: finishes the file when that is not done yet and renames it over the path;
    // false, with the path untouched, when the file could not be finished or renamed.
    bool Close (std::string& error);
    // Writing: removes the temporary file; the path stays as it was.
    void Discard();

    // The value a sample is stored as in this file (a fraction of full scale): PCM rounds
    // and clips it.
    double Stored (float sample) const;
    // Writing: the largest magnitude written so far, per channel.
    const std::vector<float>& Peaks() const { return mPeaks; }

private:
    int32_t Pcm (float sample) const;

    std::string mPath, mTemporary;
    std::ifstream mIn;
    std::FILE* mOut = nullptr;
    std::vector<float> mPeaks;
    int mNumChannels = 0;
    uint64_t mNumFrames = 0, mStatedFrames = 0, mFramesLeft = 0;
    uint16_t mFormat = 0, mBits = 0, mBlockAlign = 0;
    std::vector<uint8_t> mBytes;   // one block of frames as the file holds them
};
