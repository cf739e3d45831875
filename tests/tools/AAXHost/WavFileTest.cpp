// WAV files through the stand-in host's reader and writer: every sample value of every
// format it reads comes back exactly, and files it cannot render are refused with a reason.

#include "StandInWavFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace
{
    namespace fs = std::filesystem;

    struct Format
    {
        const char* name;
        uint16_t tag;   // 1 PCM, 3 floating point
        uint16_t bits;
    };

    void put (std::vector<uint8_t>& out, uint64_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            out.push_back (static_cast<uint8_t> (value >> (8 * i)));
    }

    std::vector<uint8_t> wav (const Format& f, uint32_t rate, uint16_t channels, const std::vector<uint8_t>& samples)
    {
        std::vector<uint8_t> out { 'R', 'I', 'F', 'F' };
        put (out, 36 + samples.size(), 4);
        out.insert (out.end(), { 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ' });
        put (out, 16, 4);
        put (out, f.tag, 2);
        put (out, channels, 2);
        put (out, rate, 4);
        put (out, uint64_t (rate) * channels * f.bits / 8, 4);
        put (out, channels * f.bits / 8u, 2);
        put (out, f.bits, 2);
        out.insert (out.end(), { 'd', 'a', 't', 'a' });
        put (out, samples.size(), 4);
        out.insert (out.end(), samples.begin(), samples.end());
        return out;
    }

    // Every value of an integer format, in order; a spread of values (the extremes among them)
    // for 32-bit integers and floating point.
    std::vector<uint8_t> everyValue (const Format& f)
    {
        std::vector<uint8_t> samples;

        if (f.tag == 1 && f.bits <= 24)
        {
            const size_t width = f.bits / 8u;
            samples.resize ((size_t (1) << f.bits) * width);
            for (size_t v = 0; v < (size_t (1) << f.bits); ++v)
                for (size_t b = 0; b < width; ++b)
                    samples[v * width + b] = static_cast<uint8_t> (v >> (8 * b));
            return samples;
        }

        std::mt19937_64 random (7);
        for (int i = 0; i < 4096; ++i)
        {
            uint64_t v = random();
            if (f.tag == 3 && f.bits == 32)
            {
                float x = static_cast<float> (static_cast<double> (v % 2000001) / 1000000.0 - 1.0);
                uint32_t bits = 0;
                std::memcpy (&bits, &x, 4);
                v = bits;
            }
            else if (f.tag == 3)
            {
                double x = static_cast<double> (v % 2000001) / 1000000.0 - 1.0;
                std::memcpy (&v, &x, 8);
            }
            const uint64_t extremes[] = { 0, 0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu };
            put (samples, f.tag == 1 && i < 4 ? extremes[i] : (i == 0 ? 0 : v), f.bits / 8);
        }
        return samples;
    }

    class WavFile : public ::testing::Test
    {
    protected:
        fs::path folder = fs::temp_directory_path() / ("wav-" + std::to_string (std::random_device {}()));

        void SetUp() override { fs::create_directories (folder); }
        void TearDown() override { fs::remove_all (folder); }

        std::string file (const std::string& name, const std::vector<uint8_t>& bytes)
        {
            const auto path = (folder / name).string();
            std::ofstream (path, std::ios::binary).write (reinterpret_cast<const char*> (bytes.data()), static_cast<std::streamsize> (bytes.size()));
            return path;
        }

        // The whole file through the streaming reader, in blocks of an odd size that ends
        // inside frames of every format.
        static bool readAll (StandInWavFile& wav, const std::string& path, std::vector<std::vector<float>>& channels, std::string& error)
        {
            if (! wav.OpenForReading (path, error))
                return false;

            constexpr size_t block = 1001;
            std::vector<std::vector<float>> buffer (static_cast<size_t> (wav.NumChannels()), std::vector<float> (block));
            channels.assign (buffer.size(), {});

            for (size_t got; (got = wav.ReadFrames (buffer, block)) > 0;)
                for (size_t c = 0; c < buffer.size(); ++c)
                    channels[c].insert (channels[c].end(), buffer[c].begin(), buffer[c].begin() + static_cast<std::ptrdiff_t> (got));

            return channels.empty() || channels.front().size() == wav.NumFrames();
        }

        // The channels through the streaming writer in blocks of another odd size.
        static bool writeAll (StandInWavFile& wav, const std::string& path, const std::vector<std::vector<float>>& channels, std::string& error)
        {
            if (! wav.OpenForWriting (path, static_cast<int> (channels.size()), error))
                return false;

            constexpr size_t block = 777;
            std::vector<std::vector<float>> buffer (channels.size(), std::vector<float> (block));

            for (size_t start = 0; start < channels.front().size(); start += block)
            {
                const auto frames = std::min (block, channels.front().size() - start);
                for (size_t c = 0; c < channels.size(); ++c)
                    std::copy_n (channels[c].begin() + static_cast<std::ptrdiff_t> (start), frames, buffer[c].begin());
                if (! wav.WriteFrames (buffer, frames, error))
                    return false;
            }

            return wav.Close (error);
        }

        static std::vector<uint8_t> bytesOf (const std::string& path)
        {
            std::vector<uint8_t> bytes (fs::file_size (path));
            std::ifstream (path, std::ios::binary).read (reinterpret_cast<char*> (bytes.data()), static_cast<std::streamsize> (bytes.size()));
            return bytes;
        }
    };
}

TEST_F (WavFile, EverySampleValueOfEveryFormatComesBackExactly)
{
    const Format formats[] = { { "8-bit", 1, 8 }, { "16-bit", 1, 16 }, { "24-bit", 1, 24 }, { "32-bit", 1, 32 }, { "float", 3, 32 }, { "double", 3, 64 } };

    for (const auto& f : formats)
    {
        const auto samples = everyValue (f);
        StandInWavFile first, written, second;
        std::vector<std::vector<float>> firstChannels, secondChannels;
        std::string error;
        ASSERT_TRUE (readAll (first, file ("in.wav", wav (f, 44100, 1, samples)), firstChannels, error)) << f.name << ": " << error;
        written.sampleRate = first.sampleRate;
        written.bitsPerSample = first.bitsPerSample;
        ASSERT_TRUE (writeAll (written, (folder / "out.wav").string(), firstChannels, error)) << f.name << ": " << error;
        ASSERT_TRUE (readAll (second, (folder / "out.wav").string(), secondChannels, error)) << f.name << ": " << error;

        // What was read is what is read back, value for value; 16 and 24 bits also byte for byte.
        EXPECT_EQ (firstChannels, secondChannels) << f.name;
        EXPECT_EQ (second.sampleRate, 44100.0) << f.name;

        if (f.tag == 1 && (f.bits == 16 || f.bits == 24))
        {
            const auto bytes = bytesOf ((folder / "out.wav").string());
            EXPECT_TRUE (bytes.size() == 44 + samples.size() && std::equal (samples.begin(), samples.end(), bytes.begin() + 44)) << f.name;
        }
    }
}

TEST_F (WavFile, FilesThatCannotBeRenderedAreRefusedWithTheReason)
{
    const Format pcm { "16-bit", 1, 16 };
    const std::vector<uint8_t> silence (8, 0);

    const struct
    {
        const char* what;
        std::string path;
        const char* reason;
    } cases[] = {
        { "a folder", folder.string(), "is a folder" },
        { "a missing file", (folder / "missing.wav").string(), "cannot open" },
        { "an absurd rate", file ("fast.wav", wav (pcm, 4000000000u, 2, silence)), "sample rate of 4000000000 Hz" },
        { "a rate below 8 kHz", file ("slow.wav", wav (pcm, 100, 2, silence)), "sample rate of 100 Hz" },
        { "not a WAV file", file ("text.wav", { 'h', 'e', 'l', 'l', 'o' }), "not a WAV file" },
    };

    for (const auto& c : cases)
    {
        StandInWavFile audio;
        std::string error;
        EXPECT_FALSE (audio.OpenForReading (c.path, error)) << c.what;
        EXPECT_NE (error.find (c.reason), std::string::npos) << c.what << ": " << error;
    }
}

TEST_F (WavFile, AChunkOfAnOddSizeIsPaddedAndAFailedFileLeavesTheOldOne)
{
    // Mono 24-bit frames make data of an odd size: a pad byte follows, which the RIFF size counts.
    const struct
    {
        int channels, bits;
        size_t frames;
        uint64_t fileSize;
    } cases[] = { { 1, 24, 3, 44 + 9 + 1 }, { 1, 24, 2, 44 + 6 }, { 2, 24, 3, 44 + 18 }, { 1, 16, 3, 44 + 6 }, { 1, 32, 1, 44 + 4 } };

    const auto path = (folder / "out.wav").string();

    for (const auto& c : cases)
    {
        StandInWavFile written, read;
        written.bitsPerSample = c.bits;
        std::vector<std::vector<float>> channels (static_cast<size_t> (c.channels), std::vector<float> (c.frames, 0.25f)), back;
        std::string error;
        ASSERT_TRUE (writeAll (written, path, channels, error)) << error;

        const auto bytes = bytesOf (path);
        ASSERT_EQ (bytes.size(), c.fileSize) << c.channels << " x " << c.bits << " bits x " << c.frames;
        EXPECT_EQ (uint64_t (bytes[4]) | uint64_t (bytes[5]) << 8, c.fileSize - 8);
        EXPECT_EQ (uint64_t (bytes[40]), c.frames * static_cast<size_t> (c.channels * c.bits / 8));
        ASSERT_TRUE (readAll (read, path, back, error)) << error;
        EXPECT_EQ (back, channels);
    }

    // Until it is closed whole, the older file stays; one discarded leaves nothing of its own.
    StandInWavFile unfinished;
    std::string error;
    ASSERT_TRUE (unfinished.OpenForWriting (path, 2, error)) << error;
    ASSERT_TRUE (unfinished.WriteFrames ({ { 0.5f }, { -0.5f } }, 1, error)) << error;
    EXPECT_EQ (fs::file_size (path), 48u);
    unfinished.Discard();
    EXPECT_EQ (fs::file_size (path), 48u);
    EXPECT_EQ (std::distance (fs::directory_iterator (folder), fs::directory_iterator()), 1);
}
