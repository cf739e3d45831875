#include "StandInWavFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

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
    uint64_t dataSize = 0, statedSize = 0;
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
            statedSize = size;
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
    mStatedFrames = statedSize / mBlockAlign;
    sampleRate = rate;
    bitsPerSample = floating || mBits == 32 ? 32 : mBits <= 16 ? 16
                                                               : 24;
    return true;
}

size_t StandInWavFile::ReadFrames (std::vector<std::vector<float>>& channels, size_t maxFrames, std::vector<std::vector<double>>* exact)
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
            double value = 0.0;   // every format's value fits a double exactly

            if (floating && mBits == 32)
            {
                // Bit for bit: a conversion through double would quieten a signalling NaN.
                const uint32_t raw = le32 (s);
                std::memcpy (&channels[c][f], &raw, sizeof (float));
                if (exact != nullptr)
                    (*exact)[c][f] = channels[c][f];
                continue;
            }
            else if (floating)
            {
                const uint64_t raw = uint64_t (le32 (s)) | uint64_t (le32 (s + 4)) << 32;
                std::memcpy (&value, &raw, sizeof (value));
            }
            else if (mBits == 8)
                value = (static_cast<int> (s[0]) - 128) / 128.0;
            else
            {
                uint32_t raw = 0;
                for (size_t b = 0; b < bytesPerSample; ++b)
                    raw |= uint32_t (s[b]) << (8 * b);

                const uint32_t shifted = raw << (32 - mBits);
                int32_t signedValue = 0;
                std::memcpy (&signedValue, &shifted, sizeof (signedValue));
                value = signedValue / 2147483648.0;
            }

            channels[c][f] = static_cast<float> (value);
            if (exact != nullptr)
                (*exact)[c][f] = value;
        }
    }

    return frames;
}

bool StandInWavFile::OpenForWriting (const std::string& path, int numChannels, std::string& error)
{
    Discard();
    mPath = path;
    mNumChannels = numChannels;
    mNumFrames = 0;
    mBits = static_cast<uint16_t> (bitsPerSample >= 32 ? 32 : (bitsPerSample <= 16 ? 16 : 24));
    mFormat = bitsPerSample >= 32 ? 3 : 1;
    mBlockAlign = static_cast<uint16_t> (numChannels * mBits / 8);
    mPeaks.assign (static_cast<size_t> (std::max (numChannels, 0)), 0.0f);

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

    // Beside the file, so the rename at Close stays on one file system.
    const std::filesystem::path target (path);
    auto pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    errno = 0;
    const int fd = mkstemp (pattern.data());

    if (fd < 0)
    {
        error = "cannot write " + path + ": " + reason();
        return false;
    }

    mTemporary = pattern;

    // The permissions any new file gets, not the temporary file's private ones.
    const mode_t mask = umask (0);
    umask (mask);
    if (fchmod (fd, 0666 & ~mask) != 0 || (mOut = fdopen (fd, "wb")) == nullptr)
    {
        error = "cannot write " + path + ": " + reason();
        close (fd);
        Discard();
        return false;
    }

    if (std::fwrite (header.data(), 1, header.size(), mOut) != header.size())
    {
        error = "cannot write " + path + ": " + reason();
        Discard();
        return false;
    }

    return true;
}

int32_t StandInWavFile::Pcm (float sample) const
{
    // Full scale is 2^(bits-1) both ways, so every PCM value read comes back as it was.
    const double scale = mBits == 16 ? 32768.0 : 8388608.0;
    const long largest = std::lround (scale) - 1;

    if (std::isnan (sample))
        return 0;

    const double clipped = std::clamp (static_cast<double> (sample), -1.0, 1.0);
    return static_cast<int32_t> (std::min (std::lround (clipped * scale), largest));
}

double StandInWavFile::Stored (float sample) const
{
    return mFormat == 3 ? static_cast<double> (sample) : Pcm (sample) / (mBits == 16 ? 32768.0 : 8388608.0);
}

bool StandInWavFile::WriteFrames (const std::vector<std::vector<float>>& channels, size_t frames, std::string& error)
{
    if (mOut == nullptr)
    {
        error = "cannot write " + mPath + ": it is not open";
        return false;
    }

    if ((mNumFrames + frames) * mBlockAlign > kMaxDataSize)
    {
        error = "cannot write " + mPath + ": too long for a WAV file";
        return false;
    }

    const bool floating = mFormat == 3;
    const size_t bytesPerSample = mBits / 8u;
    mBytes.resize (frames * mBlockAlign);
    uint8_t* at = mBytes.data();

    for (size_t f = 0; f < frames; ++f)
    {
        for (size_t c = 0; c < static_cast<size_t> (mNumChannels); ++c)
        {
            const float sample = channels[c][f];
            uint32_t raw = 0;
            mPeaks[c] = std::max (mPeaks[c], std::abs (sample));

            if (floating)
                std::memcpy (&raw, &sample, sizeof (raw));
            else
                raw = static_cast<uint32_t> (Pcm (sample));

            for (size_t b = 0; b < bytesPerSample; ++b)
                *at++ = static_cast<uint8_t> (raw >> (8 * b));
        }
    }

    errno = 0;

    if (std::fwrite (mBytes.data(), 1, mBytes.size(), mOut) != mBytes.size())
    {
        error = "cannot write " + mPath + ": " + reason();
        return false;
    }

    mNumFrames += frames;
    return true;
}

bool StandInWavFile::Finish (std::string& error)
{
    if (mOut == nullptr)
    {
        if (! mTemporary.empty())
            return true;   // finished already

        error = "cannot write " + mPath + ": it is not open";
        return false;
    }

    // A chunk of an odd size is followed by a pad byte, which the RIFF size counts.
    const auto dataSize = static_cast<uint32_t> (mNumFrames * mBlockAlign);
    const uint32_t pad = dataSize & 1u;
    std::vector<uint8_t> riffSize, dataSizeBytes;
    put32 (riffSize, 36 + dataSize + pad);
    put32 (dataSizeBytes, dataSize);

    errno = 0;
    bool written = (pad == 0 || std::fputc (0, mOut) != EOF) && std::fseek (mOut, 4, SEEK_SET) == 0
        && std::fwrite (riffSize.data(), 1, 4, mOut) == 4 && std::fseek (mOut, 40, SEEK_SET) == 0
        && std::fwrite (dataSizeBytes.data(), 1, 4, mOut) == 4 && std::fflush (mOut) == 0 && fsync (fileno (mOut)) == 0;
    int failure = errno;

    if (std::fclose (mOut) != 0 && written)
    {
        written = false;
        failure = errno;
    }

    mOut = nullptr;

    if (! written)
    {
        Discard();
        errno = failure;
        error = "cannot write " + mPath + ": " + reason();
        return false;
    }

    return true;
}

bool StandInWavFile::Close (std::string& error)
{
    if (mOut == nullptr && mTemporary.empty())
        return true;

    if (mOut != nullptr && ! Finish (error))
        return false;

    errno = 0;

    if (std::rename (mTemporary.c_str(), mPath.c_str()) != 0)
    {
        error = "cannot write " + mPath + ": " + reason();
        Discard();
        return false;
    }

    mTemporary.clear();
    return true;
}

void StandInWavFile::Discard()
{
    if (mOut != nullptr)
        std::fclose (mOut);

    mOut = nullptr;

    if (! mTemporary.empty())
        unlink (mTemporary.c_str());

    mTemporary.clear();
}

StandInWavFile::~StandInWavFile()
{
    Discard();
}
