#include "StandInWavFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

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
}

bool StandInWavFile::Read (const std::string& path, std::string& error)
{
    std::error_code ec;

    if (std::filesystem::is_directory (path, ec))
    {
        error = path + " is a folder, not a WAV file";
        return false;
    }

    std::ifstream file (path, std::ios::binary);

    if (! file)
    {
        error = "cannot open " + path;
        return false;
    }

    // One read of the whole file: long files would crawl through a byte-wise iterator.
    std::vector<uint8_t> bytes;
    file.seekg (0, std::ios::end);
    const auto length = static_cast<std::streamoff> (file.tellg());
    file.seekg (0, std::ios::beg);

    if (length > 0)
    {
        bytes.resize (static_cast<size_t> (length));
        file.read (reinterpret_cast<char*> (bytes.data()), length);
        bytes.resize (static_cast<size_t> (std::max<std::streamsize> (0, file.gcount())));
    }

    if (bytes.size() < 12 || std::memcmp (bytes.data(), "RIFF", 4) != 0 || std::memcmp (bytes.data() + 8, "WAVE", 4) != 0)
    {
        error = path + " is not a WAV file";
        return false;
    }

    uint16_t format = 0, numChannels = 0, bits = 0, blockAlign = 0;
    uint32_t rate = 0;
    const uint8_t* data = nullptr;
    size_t dataSize = 0;

    for (size_t pos = 12; pos + 8 <= bytes.size();)
    {
        const uint8_t* chunk = bytes.data() + pos;
        const size_t size = le32 (chunk + 4);
        const size_t available = std::min (size, bytes.size() - pos - 8);

        if (std::memcmp (chunk, "fmt ", 4) == 0 && available >= 16)
        {
            format = le16 (chunk + 8);
            numChannels = le16 (chunk + 10);
            rate = le32 (chunk + 12);
            blockAlign = le16 (chunk + 20);
            bits = le16 (chunk + 22);

            if (format == 0xFFFE && available >= 26)
                format = le16 (chunk + 32);
        }
        else if (std::memcmp (chunk, "data", 4) == 0)
        {
            data = chunk + 8;
            dataSize = available;
        }

        pos += 8 + size + (size & 1);
    }

    const bool pcm = format == 1 && bits >= 8 && bits <= 32 && bits % 8 == 0;
    const bool floating = format == 3 && (bits == 32 || bits == 64);

    if (data == nullptr || rate == 0 || blockAlign == 0 || ! (pcm || floating))
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

    const size_t bytesPerSample = bits / 8;

    if (blockAlign < numChannels * bytesPerSample)
    {
        error = path + " has an inconsistent block size";
        return false;
    }

    const size_t frames = dataSize / blockAlign;
    sampleRate = rate;
    bitsPerSample = floating || bits == 32 ? 32 : bits <= 16 ? 16
                                                             : 24;
    channels.assign (numChannels, std::vector<float> (frames));

    for (size_t f = 0; f < frames; ++f)
    {
        for (size_t c = 0; c < numChannels; ++c)
        {
            const uint8_t* s = data + f * blockAlign + c * bytesPerSample;
            float value = 0.0f;

            if (floating && bits == 32)
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
            else if (bits == 8)
                value = (static_cast<int> (s[0]) - 128) / 128.0f;
            else
            {
                uint32_t raw = 0;
                for (size_t b = 0; b < bytesPerSample; ++b)
                    raw |= uint32_t (s[b]) << (8 * b);

                const uint32_t shifted = raw << (32 - bits);
                int32_t signedValue = 0;
                std::memcpy (&signedValue, &shifted, sizeof (signedValue));
                value = static_cast<float> (signedValue / 2147483648.0);
            }

            channels[c][f] = value;
        }
    }

    return true;
}

bool StandInWavFile::Write (const std::string& path, std::string& error) const
{
    const bool floating = bitsPerSample >= 32;
    const uint32_t bits = floating ? 32u : (bitsPerSample <= 16 ? 16u : 24u);
    const uint32_t numChannels = static_cast<uint32_t> (channels.size());
    const uint32_t blockAlign = numChannels * bits / 8;
    const uint64_t dataSize = uint64_t (NumFrames()) * blockAlign;

    if (numChannels == 0 || dataSize > 0xFFFFFF00u)
    {
        error = "cannot write " + path + ": no channels or too long for a WAV file";
        return false;
    }

    if (! (sampleRate >= kMinSampleRate && sampleRate <= kMaxSampleRate))
    {
        error = "cannot write " + path + ": a sample rate of " + std::to_string (sampleRate) + " Hz does not fit a WAV file";
        return false;
    }

    std::vector<uint8_t> out;
    out.reserve (44 + dataSize);
    putText (out, "RIFF");
    put32 (out, static_cast<uint32_t> (36 + dataSize));
    putText (out, "WAVE");
    putText (out, "fmt ");
    put32 (out, 16);
    put16 (out, floating ? 3 : 1);
    put16 (out, numChannels);
    put32 (out, static_cast<uint32_t> (std::lround (sampleRate)));
    put32 (out, static_cast<uint32_t> (std::lround (sampleRate)) * blockAlign);
    put16 (out, blockAlign);
    put16 (out, bits);
    putText (out, "data");
    put32 (out, static_cast<uint32_t> (dataSize));

    // Full scale is 2^(bits-1) both ways, so every PCM value read comes back as it was.
    const double scale = bits == 16 ? 32768.0 : 8388608.0;
    const long largest = std::lround (scale) - 1;
    size_t at = out.size();
    out.resize (out.size() + static_cast<size_t> (dataSize));

    for (size_t f = 0; f < NumFrames(); ++f)
    {
        for (const auto& channel : channels)
        {
            if (floating)
            {
                uint32_t raw = 0;
                std::memcpy (&raw, &channel[f], sizeof (raw));
                for (int b = 0; b < 4; ++b)
                    out[at++] = static_cast<uint8_t> (raw >> (8 * b));
                continue;
            }

            const double clipped = std::clamp (static_cast<double> (channel[f]), -1.0, 1.0);
            const auto value = static_cast<int32_t> (std::min (std::lround (clipped * scale), largest));
            const auto raw = static_cast<uint32_t> (value);

            for (uint32_t b = 0; b < bits / 8; ++b)
                out[at++] = static_cast<uint8_t> (raw >> (8 * b));
        }
    }

    std::ofstream file (path, std::ios::binary | std::ios::trunc);

    if (! file || ! file.write (reinterpret_cast<const char*> (out.data()), static_cast<std::streamsize> (out.size())))
    {
        error = "cannot write " + path;
        return false;
    }

    return true;
}
