// What a render leaves and reports when it fails or its input is not what its header says,
// as a user meets it: scripts/run.sh run from the user's folder, checked for its exit code, its
// messages and the bytes of the files it leaves.

#include "ScriptCheckout.h"
#include "support/AssertionReport.h"
#include "support/ShellText.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace
{
    namespace fs = std::filesystem;

    using test::quoted;
    using test::textOf;

    // A checkout of scripts/run.sh whose set-up and build are stand-ins, with this build's host
    // where the script's build puts it, the build's content as its data root, and the user's
    // folder beside it.
    class RenderReport : public ::testing::Test
    {
    protected:
        fs::path folder = fs::temp_directory_path() / ("standin-report-" + std::to_string (std::random_device {}()));
        fs::path user = folder / "user", data = folder / "data";
        std::unique_ptr<test::ScriptCheckout> checkout;
        std::string out, err;

        void SetUp() override
        {
            for (const auto& path : { user, data })
                fs::create_directories (path);
            fs::create_directory_symlink (fs::path (GRINDEL_DATA_DIR) / "Common", data / "Common");
            checkout = std::make_unique<test::ScriptCheckout> (folder);
        }
        void TearDown() override { fs::remove_all (folder); }

        // scripts/run.sh from the user's folder after the shell commands in prefix, with the
        // plug-in's content under dataRoot (default: the build's); the exit code.
        int runScript (const std::vector<std::string>& args, const std::string& prefix = {}, const fs::path& dataRoot = {})
        {
            std::string command = prefix + "cd " + quoted (user.string()) + " && unset CCACHE_BASEDIR; export PATH=" + checkout->path
                + " GRINDEL_DATA_ROOT=" + quoted ((dataRoot.empty() ? data : dataRoot).string()) + "; "
                + quoted (checkout->script.string());
            for (const auto& a : args)
                command += " " + quoted (a);
            command += " >" + quoted ((folder / "stdout").string()) + " 2>" + quoted ((folder / "stderr").string());

            const int status = std::system (command.c_str());
            out = textOf (folder / "stdout");
            err = textOf (folder / "stderr");

            // The host's assertions count as this program's own.
            std::istringstream lines (err);
            for (std::string line; std::getline (lines, line);)
                test::AssertionReport::reportJuceMessage (line);

            return WIFEXITED (status) ? WEXITSTATUS (status) : -1;
        }

        // A WAV file in the user's folder whose header states statedFrames frames of the format,
        // followed by the samples given (which may be fewer).
        std::string wav (const std::string& name, uint16_t tag, uint16_t bits, uint16_t channels, uint32_t statedFrames, const std::vector<uint8_t>& samples)
        {
            const uint32_t blockAlign = channels * bits / 8u, size = statedFrames * blockAlign;
            std::vector<uint8_t> bytes;
            const auto text = [&] (const char* t) { bytes.insert (bytes.end(), t, t + 4); };
            const auto put = [&] (uint32_t v, int n) {
                for (int i = 0; i < n; ++i)
                    bytes.push_back (static_cast<uint8_t> (v >> (8 * i)));
            };
            text ("RIFF"), put (36 + size, 4), text ("WAVE"), text ("fmt "), put (16, 4), put (tag, 2), put (channels, 2);
            put (44100, 4), put (44100 * blockAlign, 4), put (blockAlign, 2), put (bits, 2), text ("data"), put (size, 4);
            bytes.insert (bytes.end(), samples.begin(), samples.end());

            const auto path = user / name;
            std::ofstream (path, std::ios::binary).write (reinterpret_cast<const char*> (bytes.data()), static_cast<std::streamsize> (bytes.size()));
            return path.string();
        }

        template <typename Sample>
        static std::vector<uint8_t> bytesOf (const std::vector<Sample>& samples)
        {
            std::vector<uint8_t> bytes (samples.size() * sizeof (Sample));
            std::memcpy (bytes.data(), samples.data(), bytes.size());
            return bytes;
        }

        // The samples of a WAV file written by the host (its 44-byte header skipped).
        std::string samplesOf (const std::string& name) const { return textOf (user / name).substr (44); }
    };
}

TEST_F (RenderReport, ARunThatFailsLeavesTheOutputAndTheChunksAsTheyWere)
{
    // A state saved with Mix at 10 %, its render beside it; each failed run sets Mix to 90 %.
    ASSERT_EQ (0, runScript ({ "--tone", "0.01", "--out", "keep.wav", "--set", "Mix=10 %", "--quiet" })) << err;
    std::map<std::string, std::string> before;
    for (const char* name : { "keep.wav", "keep.elck", "keep.juce" })
        before[name] = textOf (user / name);

    // A file-size limit of 512 bytes (dash's ulimit -f 1) as a full disk: the render's 2,880
    // bytes do not fit, a one-sample render's 50 and the 'elck' chunk's 156 do, the 'juce'
    // chunk's more than 512 do not.
    const std::string full = "trap '' XFSZ; ulimit -f 1; ", keep = (user / "keep").string();
    const struct
    {
        const char* what;
        std::string prefix;
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        { "an output the system refuses", "", { "--tone", "0.01", "--out", "/proc/o.wav", "--chunks", "keep" }, "cannot write /proc/o.wav: " },
        { "an output beyond the disk's room", full, { "--tone", "0.01", "--out", "keep.wav", "--quiet" }, "cannot write " + keep + ".wav: " + std::strerror (EFBIG) },
        { "an output beyond a plain shell's file-size limit", "ulimit -f 1; ", { "--tone", "0.01", "--out", "keep.wav", "--quiet" }, "cannot write " + keep + ".wav: " + std::strerror (EFBIG) },
        { "a chunk beyond the disk's room, the output within it", full, { "--tone", "0.00003", "--out", "keep.wav", "--quiet" }, "cannot save chunk 'juce' to " + keep + ".juce: " + std::strerror (EFBIG) },
        { "chunks the system refuses, the output written first", "", { "--tone", "0.02", "--out", "keep.wav", "--chunks", "/proc/keep" }, "cannot save chunk 'elck' to /proc/keep.elck: " },
    };

    for (const auto& c : cases)
    {
        for (const auto& [name, bytes] : before)
            std::ofstream (user / name, std::ios::binary) << bytes;

        auto args = c.args;
        args.insert (args.end(), { "--set", "Mix=90 %" });
        const auto output = c.args[3][0] == '/' ? c.args[3] : keep + ".wav";

        EXPECT_EQ (1, runScript (args, c.prefix)) << c.what << "\n"
                                                  << err;
        EXPECT_NE (err.find (c.message), std::string::npos) << c.what << "\n"
                                                            << err;
        EXPECT_NE (err.find ("; " + output + " and the chunks were left as they were\n"), std::string::npos) << c.what << "\n"
                                                                                                             << err;
        for (const auto& [name, bytes] : before)
            EXPECT_EQ (textOf (user / name), bytes) << c.what << ": " << name << " was replaced";
        for (const auto& entry : fs::directory_iterator (user))
            EXPECT_NE (entry.path().filename().string()[0], '.') << c.what << ": a temporary file left: " << entry.path();

        // The report claims no output, no peaks and no chunks.
        for (const auto& claim : { "output: " + output + ",", std::string ("output peak:"), std::string ("chunk '"), std::string ("rendered ") })
            EXPECT_EQ (out.find (claim), std::string::npos) << c.what << ": " << claim << "\n"
                                                            << out;
        if (std::find (c.args.begin(), c.args.end(), "--quiet") == c.args.end())
        {
            EXPECT_NE (out.find ("output: none written (" + output + " was left as it was)\n"), std::string::npos) << c.what << "\n"
                                                                                                                   << out;
        }
    }

    // A run that succeeds replaces all three.
    EXPECT_EQ (0, runScript ({ "--tone", "0.01", "--out", "keep.wav", "--set", "Mix=90 %" })) << err;
    EXPECT_NE (out.find ("chunk 'juce': "), std::string::npos) << out;
    EXPECT_NE (out.find ("rendered 480 frames"), std::string::npos) << out;
    EXPECT_NE (textOf (user / "keep.juce"), before["keep.juce"]);
    EXPECT_NE (textOf (user / "keep.elck"), before["keep.elck"]);
}

TEST_F (RenderReport, AnInputCutShortIsRenderedAsFarAsItGoesAndSaysSo)
{
    const struct
    {
        const char* name;
        uint16_t bits, channels;
        uint32_t stated;
        size_t bytes;
        uint64_t read;
    } cases[] = {
        { "short16.wav", 16, 1, 1000, 1000, 500 },
        { "short24.wav", 24, 2, 1000, 6 * 300 + 4, 300 },   // ends inside a frame
        { "whole16.wav", 16, 1, 1000, 2000, 1000 },
    };

    for (const auto& c : cases)
    {
        std::vector<uint8_t> samples (c.bytes);
        std::mt19937 random (c.bits);
        for (auto& b : samples)
            b = static_cast<uint8_t> (random());
        const auto in = wav (c.name, 1, c.bits, c.channels, c.stated, samples);
        const auto rendered = std::string (c.name) + ".out.wav";

        EXPECT_EQ (0, runScript ({ c.name, rendered })) << c.name << "\n"
                                                        << err;
        const auto frameBytes = c.channels * c.bits / 8u;
        EXPECT_EQ (samplesOf (rendered), std::string (samples.begin(), samples.begin() + static_cast<std::ptrdiff_t> (c.read * frameBytes))) << c.name;
        EXPECT_NE (out.find ("rendered " + std::to_string (c.read) + " frames"), std::string::npos) << c.name << "\n"
                                                                                                    << out;

        const auto ended = "ended after " + std::to_string (c.read) + " of its " + std::to_string (c.stated) + " frames";

        if (c.read == c.stated)
        {
            EXPECT_EQ (err.find ("warning"), std::string::npos) << c.name << "\n"
                                                                << err;
            EXPECT_NE (out.find ("note: the output is the input, sample for sample: "), std::string::npos) << c.name << "\n"
                                                                                                           << out;
            continue;
        }

        EXPECT_NE (err.find ("warning: the input " + in + " " + ended + "; those read were rendered\n"), std::string::npos) << c.name << "\n"
                                                                                                                            << err;
        EXPECT_NE (out.find ("input: " + in + ", " + std::to_string (c.bits) + "-bit integer PCM, 44100 Hz, " + (c.channels == 1 ? "1 channel" : "2 channels")
                             + "; it " + ended + "\n"),
                   std::string::npos)
            << c.name << "\n"
            << out;
        EXPECT_NE (out.find ("note: the output is the input, sample for sample, for the " + std::to_string (c.read) + " frames read: "), std::string::npos)
            << c.name << "\n"
            << out;
    }
}

TEST_F (RenderReport, WithoutItsFactoryPresetsThePluginIsSaidToStartAtItsDefaults)
{
    const auto empty = folder / "empty";
    fs::create_directories (empty);

    EXPECT_EQ (0, runScript ({ "--tone", "0.01", "--out", "take.wav" }, {}, empty)) << err;
    EXPECT_NE (err.find ("warning: the plug-in did not find its start preset (its factory presets, under GRINDEL_DATA_ROOT " + empty.string()
                         + "), so it started at its parameters' defaults\n"),
               std::string::npos)
        << err;
    EXPECT_NE (out.find ("preset: none restored, and the plug-in's start preset was not found: it started at its parameters' defaults\n"), std::string::npos) << out;
    EXPECT_NE (out.find ("Sample Rate                  96.0 kHz\n"), std::string::npos) << out;

    // With them it starts on its start preset, which the report names.
    EXPECT_EQ (0, runScript ({ "--tone", "0.01", "--out", "take.wav" })) << err;
    EXPECT_EQ (err.find ("warning"), std::string::npos) << err;
    EXPECT_NE (out.find ("preset: none restored; the plug-in's start preset, \"MPC60\"\n"), std::string::npos) << out;
    EXPECT_NE (out.find ("Sample Rate                  40.0 kHz\n"), std::string::npos) << out;
}

TEST_F (RenderReport, FloatSamplesThatComeBackBitForBitAreReportedAsTheInput)
{
    // NaNs (quiet, signalling, negative with a payload), infinities, signed zeros, denormals.
    const auto bits = [] (uint32_t raw) {
        float value = 0.0f;
        std::memcpy (&value, &raw, sizeof (value));
        return value;
    };
    const std::vector<float> narrow { bits (0x7FC00000), bits (0x7FA00001), bits (0xFFC12345), std::numeric_limits<float>::infinity(),
                                      -std::numeric_limits<float>::infinity(), 0.0f, -0.0f, bits (0x00000001), bits (0x807FFFFF), 0.5f };
    const auto in32 = wav ("float32.wav", 3, 32, 1, static_cast<uint32_t> (narrow.size()), bytesOf (narrow));

    EXPECT_EQ (0, runScript ({ in32, "float32.out.wav" })) << err;
    EXPECT_NE (out.find ("note: the output is the input, sample for sample: "), std::string::npos) << out;
    EXPECT_EQ (samplesOf ("float32.out.wav"), textOf (in32).substr (44));

    // A 64-bit sample is rounded when the float does not hold its value: a denormal of its own
    // (to 0), 0.1, 1e300 (to infinity); a NaN stays a NaN, and the others are floats' values.
    const std::vector<double> wide { std::nan (""), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), -0.0,
                                     std::ldexp (1.0, -149), 1.0e-310, 0.1, 1.0e300, 0.5 };
    const auto in64 = wav ("float64.wav", 3, 64, 1, static_cast<uint32_t> (wide.size()), bytesOf (wide));

    EXPECT_EQ (0, runScript ({ in64, "float64.out.wav" })) << err;
    EXPECT_NE (out.find ("note: the output is the input as the plug-in takes it, in 32-bit float, which holds 24 bits: 3 of the 9 samples of the "
                         "64-bit float input came back rounded; "),
               std::string::npos)
        << out;
}
