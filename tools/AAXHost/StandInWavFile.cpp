#include "StandInWavFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace
{
    uint32_t le32 (const uint8_t* p) { return uint32_t (p[0]) | uint32_t (p[1]) << 8 | uint32_t (p[2]) << 16 | uint32_t (p[3]) << 24; }
    uint16_t le16 (const uint8_t* p) { return static_cast<uint16_t> (p[0] | p[1] << 8); }

    void put32 (std::vector<uint8_t>& out, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out.push_back (static_cast<uint8_t> (v >> (8 * i)));
    }
    void put16 (std::vector<uint8_t>& out, uint32_t v)
    {
        for (int i = 0; i < 2; ++i)
            out.push_back (static_cast<uint8_t> (v >> (8 * i)));
    }
    void putText (std::vector<uint8_t>& out, const char* text) { out.insert (out.end(), text, text + 4); }

    constexpr uint64_t kMaxDataSize = 0xFFFFFF00u;

    // The system's reason for the last failed file operation.
    std::string reason()
    {
        return errno != 0 ? std::strerror (errno) : "the system gave no reason";
    }
}

std::string StandInWavFile::FormatText() const
{
    return std::to_string (mBits) + "-bit " + (mFormat == 3 ? "float" : "integer PCM") + ", " + std::to_string (std::lround (sampleRate))
        + " Hz, " + std::to_string (mNumChannels) + (mNumChannels == 1 ? " channel" : " channels");
}

bool StandInWavFile::OpenForReading (const std::string& path, std::string& error)
{
    mPath = path;
    std::error_code ec;

    if (std::filesystem::is_directory (path, ec))
    {
        error = path + " is a folder, not a WAV file";
        return false;
    }

    errno = 0;
    mIn.open (path, std::ios::binary);

    if (! mIn)
    {
        error = "cannot open " + path + ": " + reason();
        return false;
    }

    uint8_t header[12] = {};

    if (! mIn.read (reinterpret_cast<char*> (header), 12) || std::memcmp (header, "RIFF", 4) != 0 || std::memcmp (header + 8, "WAVE", 4) != 0)
    {
        error = path + " is not a WAV file";
        return false;
    }

    // The chunks before the samples; the samples stay on disk until read.
    uint32_t rate = 0;
    bool haveData = false;
    uint64_t dataSize = 0;
    mFormat = mBits = mBlockAlign = 0;
    uint16_t numChannels = 0;

    mIn.seekg (0, std::ios::end);
    const auto end = static_cast<uint64_t> (mIn.tellg());
    mIn.seekg (12);
    std::streamoff dataStart = 0;

    for (uint8_t chunk[8]; ! (haveData && mFormat != 0) && mIn.read (reinterpret_cast<char*> (chunk), 8);)
    {
        const uint32_t size = le32 (chunk + 4);

        if (std::memcmp (chunk, "data", 4) == 0)
        {
            dataStart = mIn.tellg();
            dataSize = std::min<uint64_t> (size, end - static_cast<uint64_t> (dataStart));
            haveData = true;
            mIn.seekg (static_cast<std::streamoff> (size + (size & 1)), std::ios::cur);
            continue;
        }

        if (std::memcmp (chunk, "fmt ", 4) == 0 && size >= 16)
        {
            uint8_t fmt[40] = {};
            const auto wanted = std::min<uint32_t> (size, sizeof (fmt));

            if (! mIn.read (reinterpret_cast<char*> (fmt), wanted))
                break;

            mFormat = le16 (fmt);
            numChannels = le16 (fmt + 2);
            rate = le32 (fmt + 4);
            mBlockAlign = le16 (fmt + 12);
            mBits = le16 (fmt + 14);

            if (mFormat == 0xFFFE && size >= 26)
                mFormat = le16 (fmt + 24);

            mIn.seekg (static_cast<std::streamoff> (size - wanted + (size & 1)), std::ios::cur);
        }
        else
            mIn.seekg (static_cast<std::streamoff> (size + (size & 1)), std::ios::cur);
    }

    const bool pcm = mFormat == 1 && mBits >= 8 && mBits <= 32 && mBits % 8 == 0;
    const bool floating = mFormat == 3 && (mBits == 32 || mBits == 64);

    if (! haveData || rate == 0 || mBlockAlign == 0 || ! (pcm || floating))
    {
        error = path + " is not a readable WAV file (PCM of 8 to 32 bits or floating point)";
        return false;
    }

    if (rate < kMinSampleRate || rate > kMaxSampleRate)
    {
        error = path + " has a sample rate of " + std::to_string (rate) + " Hz; rates from " + std::to_string (kMinSampleRate)
            + " to " + std::to_string (kMaxSampleRate) + " Hz are rendered";
        return false;
    }

    if (numChannels < 1 || numChannels > 2)
    {
        error = path + " has " + std::to_string (numChannels) + " channels; only mono and stereo are rendered";
        return false;
    }

    if (mBlockAlign < numChannels * (mBits / 8))
    {
        error = path + " has an inconsistent block size";
        return false;
    }

    mIn.clear();
    mIn.seekg (dataStart);
    mNumChannels = numChannels;
    mNumFrames = mFramesLeft = dataSize / mBlockAlign;
    sampleRate = rate;
    bitsPerSample = floating || mBits == 32 ? 32 : mBits <= 16 ? 16
                                                               : 24;
    return true;
}

size_t StandInWavFile::ReadFrames (std::vector<std::vector<float>>& channels, size_t maxFrames)
{
    const auto frames = static_cast<size_t> (std::min<uint64_t> (maxFrames, mFramesLeft));
    mBytes.resize (frames * mBlockAlign);

    if (frames == 0 || ! mIn.read (reinterpret_cast<char*> (mBytes.data()), static_cast<std::streamsize> (mBytes.size())))
    {
        mFramesLeft = 0;
        return 0;
    }

    mFramesLeft -= frames;
    const bool floating = mFormat == 3;
    const size_t bytesPerSample = mBits / 8u;

    for (size_t f = 0; f < frames; ++f)
    {
        for (size_t c = 0; c < static_cast<size_t> (mNumChannels); ++c)
        {
            const uint8_t* s = mBytes.data() + f * mBlockAlign + c * bytesPerSample;
            float value = 0.0f;

            if (floating && mBits == 32)
            {
                const uint32_t raw = le32 (s);
                std::memcpy (&value, &raw, sizeof (value));
            }
            else if (floating)
            {
                const uint64_t raw = uint64_t (le32 (s)) | uint64_t (le32 (s + 4)) << 32;
                double wide = 0.0;
                std::memcpy (&wide, &raw, sizeof (wide));
                value = static_cast<float> (wide);
            }
            else if (mBits == 8)
                value = (static_cast<int> (s[0]) - 128) / 128.0f;
            else
            {
                uint32_t raw = 0;
                for (size_t b = 0; b < bytesPerSample; ++b)
                    raw |= uint32_t (s[b]) << (8 * b);

                const uint32_t shifted = raw << (32 - mBits);
                int32_t signedValue = 0;
                std::memcpy (&signedValue, &shifted, sizeof (signedValue));
                value = static_cast<float> (signedValue / 2147483648.0);
            }

            channels[c][f] = value;
        }
    }

    return frames;
}

bool StandInWavFile::OpenForWriting (const std::string& path, int numChannels, std::string& error)
{
    mPath = path;
    mNumChannels = numChannels;
    mNumFrames = 0;
    mBits = static_cast<uint16_t> (bitsPerSample >= 32 ? 32 : (bitsPerSample <= 16 ? 16 : 24));
    mFormat = bitsPerSample >= 32 ? 3 : 1;
    mBlockAlign = static_cast<uint16_t> (numChannels * mBits / 8);

    if (numChannels <= 0)
    {
        error = "cannot write " + path + ": no channels";
        return false;
    }

    if (! (sampleRate >= kMinSampleRate && sampleRate <= kMaxSampleRate))
    {
        error = "cannot write " + path + ": a sample rate of " + std::to_string (sampleRate) + " Hz does not fit a WAV file";
        return false;
    }

    // The sizes are patched in at Close, once they are known.
    std::vector<uint8_t> header;
    putText (header, "RIFF");
    put32 (header, 0);
    putText (header, "WAVE");
    putText (header, "fmt ");
    put32 (header, 16);
    put16 (header, mFormat);
    put16 (header, static_cast<uint32_t> (numChannels));
    put32 (header, static_cast<uint32_t> (std::lround (sampleRate)));
    put32 (header, static_cast<uint32_t> (std::lround (sampleRate)) * mBlockAlign);
    put16 (header, mBlockAlign);
    put16 (header, mBits);
    putText (header, "data");
    put32 (header, 0);

    errno = 0;
    mOut.open (path, std::ios::binary | std::ios::in | std::ios::out | std::ios::trunc);

    if (! mOut || ! mOut.write (reinterpret_cast<const char*> (header.data()), static_cast<std::streamsize> (header.size())))
    {
        error = "cannot write " + path + ": " + reason();
        return false;
    }

    return true;
}

bool StandInWavFile::WriteFrames (const std::vector<std::vector<float>>& channels, size_t frames, std::string& error)
{
    if ((mNumFrames + frames) * mBlockAlign > kMaxDataSize)
    {
        error = "cannot write " + mPath + ": too long for a WAV file";
        return false;
    }

    const bool floating = mFormat == 3;
    const size_t bytesPerSample = mBits / 8u;

    // Full scale is 2^(bits-1) both ways, so every PCM value read comes back as it was.
    const double scale = mBits == 16 ? 32768.0 : 8388608.0;
    const long largest = std::lround (scale) - 1;
    mBytes.resize (frames * mBlockAlign);
    uint8_t* at = mBytes.data();

    for (size_t f = 0; f < frames; ++f)
    {
        for (size_t c = 0; c < static_cast<size_t> (mNumChannels); ++c)
        {
            const float sample = channels[c][f];
            uint32_t raw = 0;

            if (floating)
                std::memcpy (&raw, &sample, sizeof (raw));
            else
            {
                const double clipped = std::clamp (static_cast<double> (sample), -1.0, 1.0);
                raw = static_cast<uint32_t> (static_cast<int32_t> (std::min (std::lround (clipped * scale), largest)));
            }

            for (size_t b = 0; b < bytesPerSample; ++b)
                *at++ = static_cast<uint8_t> (raw >> (8 * b));
        }
    }

    errno = 0;

    if (! mOut.write (reinterpret_cast<const char*> (mBytes.data()), static_cast<std::streamsize> (mBytes.size())))
    {
        error = "cannot write " + mPath + ": " + reason();
        return false;
    }

    mNumFrames += frames;
    return true;
}

bool StandInWavFile::Close (std::string& error)
{
    if (! mOut.is_open())
        return true;

    const auto dataSize = static_cast<uint32_t> (mNumFrames * mBlockAlign);
    std::vector<uint8_t> riffSize, dataSizeBytes;
    put32 (riffSize, 36 + dataSize);
    put32 (dataSizeBytes, dataSize);

    errno = 0;
    const bool written = mOut.seekp (4) && mOut.write (reinterpret_cast<const char*> (riffSize.data()), 4)
        && mOut.seekp (40) && mOut.write (reinterpret_cast<const char*> (dataSizeBytes.data()), 4);
    mOut.close();

    if (! written || mOut.fail())
    {
        error = "cannot write " + mPath + ": " + reason();
        return false;
    }

    return true;
}
