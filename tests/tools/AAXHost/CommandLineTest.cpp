// The stand-in host's command line as a user runs it: the built program with good and bad
// arguments, checked for its exit code, its message and the files it leaves.

#include "ScriptCheckout.h"
#include "support/AssertionReport.h"
#include "support/ShellText.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace
{
    namespace fs = std::filesystem;

    using test::quoted;
    using test::textOf;

    class CommandLine : public ::testing::Test
    {
    protected:
        fs::path folder = fs::temp_directory_path() / ("standin-cli-" + std::to_string (std::random_device {}()));
        std::string out, err;

        // The build's installed content (skins, factory presets); the settings stay in the folder.
        void SetUp() override
        {
            fs::create_directories (folder / "data");
            fs::create_directory_symlink (fs::path (GRINDEL_DATA_DIR) / "Common", folder / "data" / "Common");
        }
        void TearDown() override { fs::remove_all (folder); }

        static constexpr const char* kNoDataRoot = "";

        // Runs the host in the given folder (default: the test's) with the given data root
        // (default: the test's own; kNoDataRoot: none); returns the exit code.
        int run (const std::vector<std::string>& args, const fs::path& in = {}, const char* dataRoot = nullptr)
        {
            return runProgram (GRINDEL_AAX_HOST, args, in, dataRoot);
        }

        // The same for any program, after the shell commands in prefix.
        int runProgram (const std::string& program, const std::vector<std::string>& args, const fs::path& in = {},
                        const char* dataRoot = nullptr, const std::string& prefix = {})
        {
            const auto root = dataRoot == nullptr ? "GRINDEL_DATA_ROOT=" + quoted ((folder / "data").string())
                : *dataRoot == 0                  ? std::string ("env -u GRINDEL_DATA_ROOT")
                                                  : "GRINDEL_DATA_ROOT=" + quoted (dataRoot);
            std::string command = prefix + "cd " + quoted ((in.empty() ? folder : in).string()) + " && " + root + " " + quoted (program);
            for (const auto& a : args)
                command += " " + quoted (a);
            command += " >" + quoted ((folder / "stdout").string()) + " 2>" + quoted ((folder / "stderr").string());

            const int status = std::system (command.c_str());
            out = textOf (folder / "stdout");
            err = textOf (folder / "stderr");

            // The program's assertions count as this program's own.
            std::istringstream lines (err);
            for (std::string line; std::getline (lines, line);)
                test::AssertionReport::reportJuceMessage (line);

            return WIFEXITED (status) ? WEXITSTATUS (status) : -1;
        }

        std::string file (const std::string& name, const std::vector<uint8_t>& bytes)
        {
            const auto path = folder / name;
            std::ofstream (path, std::ios::binary).write (reinterpret_cast<const char*> (bytes.data()), static_cast<std::streamsize> (bytes.size()));
            return path.string();
        }

        // A chunk record as the host saves it: the 56-byte header, then the data.
        std::string chunkFile (const std::string& name, const std::vector<uint8_t>& data)
        {
            std::vector<uint8_t> record (56 + data.size(), 0);
            const int32_t size = static_cast<int32_t> (data.size());
            const uint32_t id = 'elck';
            std::memcpy (record.data(), &size, 4);
            std::memcpy (record.data() + 20, &id, 4);
            std::copy (data.begin(), data.end(), record.begin() + 56);
            return file (name, record);
        }

        std::string output() const { return (folder / "out.wav").string(); }
    };
}

TEST_F (CommandLine, RendersAndSavesTheChunks)
{
    // A relative output is the current folder's, and is reported by its whole path.
    EXPECT_EQ (0, run ({ "--tone", "0.05", "--out", "out.wav", "--set", "Mix=50 %", "--block", "64" })) << err;

    for (const auto& line : {
             "registered \"com.orvikgroup.grindel2\" by Orvik Group, version " GRINDEL_VERSION_STRING ", AAX interface 2.3",
             "  package name 1 of 2 (a host shows the longest that fits): High Quality Bit Crusher\n",
             "  package name 2 of 2 (a host shows the longest that fits): Grindel 2\n",
             "  category: Degradation (distortion-type)\n",
             "input: a test tone of 0.05 s (440 Hz left, 660 Hz right), 48000 Hz, 2 channels\n",
             "processing: blocks of 64 samples, real time\n",
             "preset: none restored; the plug-in's start preset, \"MPC60\"\n",
             "output peak: channel 1 -6.02 dBFS, channel 2 -6.02 dBFS\n",
             "note: the output is the input, sample for sample: in this build the effect's DSP is a metered pass-through",
         })
        EXPECT_NE (out.find (line), std::string::npos) << line << "\n"
                                                       << out;

    EXPECT_NE (out.find ("output: " + output() + ", 24-bit integer PCM, 48000 Hz, 2 channels\n"), std::string::npos) << out;
    EXPECT_NE (out.find ("chunk 'elck': 156 bytes to " + (folder / "out.elck").string()), std::string::npos) << out;
    EXPECT_NE (out.find ("rendered 2400 frames of 2 channel(s) at 48000 Hz to " + output()), std::string::npos) << out;
    EXPECT_NE (out.find ("Mix                          50 %"), std::string::npos) << out;
    EXPECT_EQ (fs::file_size (output()), 44u + 2400u * 2u * 3u);
    EXPECT_GT (fs::file_size (folder / "out.elck"), 56u);
    EXPECT_GT (fs::file_size (folder / "out.juce"), 56u);

    // The saved chunk is a preset for the next run, and a bundle's binary named without a slash
    // is the file in the current folder.
    const fs::path binary = fs::path (GRINDEL_AAX_BUNDLE) / "Contents" / (std::string (GRINDEL_AAX_ARCH) + "-linux");
    EXPECT_EQ (0, run ({ "--bundle", "Grindel 2.so", "--tone", "0.05", "--out", output(), "--preset", (folder / "out.elck").string(), "--quiet" }, binary)) << err;
    EXPECT_TRUE (out.empty()) << out;

    // Both chunks restore whole; the report says so, and how it rendered.
    fs::copy_file (folder / "out.juce", folder / "saved.juce");
    EXPECT_EQ (0, run ({ "--tone", "0.05", "--out", output(), "--preset", "saved.juce", "--offline", "--block", "8192" })) << err;
    EXPECT_NE (out.find ("preset: restored from " + (folder / "saved.juce").string() + "\n"), std::string::npos) << out;
    EXPECT_NE (out.find ("processing: blocks of 8192 samples, offline\n"), std::string::npos) << out;
    EXPECT_NE (out.find ("Mix                          50 %"), std::string::npos) << out;
}

TEST_F (CommandLine, HelpGivesEveryOptionWithItsDefaultAndLimits)
{
    for (const char* help : { "--help", "-h" })
    {
        EXPECT_EQ (0, run ({ "--tone", "1", help, "--block", "0" })) << err;
        EXPECT_TRUE (err.empty()) << err;

        for (const char* text : { "--bundle PATH", "--in FILE.wav", "8 to 384 kHz", "--tone SECONDS", "at most 600 seconds",
                                  "--out FILE.wav", "--preset CHUNKFILE", "--set \"NAME=TEXT\"", "--block N",
                                  "1 to 8192; default 512", "--offline", "default: real time", "--chunks PREFIX", "--quiet", "-h" })
            EXPECT_NE (out.find (text), std::string::npos) << text << "\n"
                                                           << out;
    }
}

TEST_F (CommandLine, AValueBeyondTheRangeIsClampedAndSaysSo)
{
    EXPECT_EQ (0, run ({ "--tone", "0.01", "--out", output(), "--set", "Mix=150 %", "--set", "Sample Rate=0.1 kHz", "--set", "Mix=99 %" })) << err;
    EXPECT_NE (err.find ("note: \"150 %\" lies beyond the range of \"Mix\", which is set to its maximum, 100 %\n"), std::string::npos) << err;
    EXPECT_NE (err.find ("note: \"0.1 kHz\" lies beyond the range of \"Sample Rate\", which is set to its minimum, "), std::string::npos) << err;
    EXPECT_EQ (err.find ("\"99 %\""), std::string::npos) << err;
    EXPECT_NE (out.find ("Mix                          99 %"), std::string::npos) << out;

    // An end shown as no number ("-inf dB", silence) still has one: -60 dB is that end, -100 dB beyond it.
    EXPECT_EQ (0, run ({ "--tone", "0.01", "--out", output(), "--set", "Output=-100 dB" })) << err;
    EXPECT_NE (err.find ("note: \"-100 dB\" lies beyond the range of \"Output\", which is set to its minimum, -inf dB\n"), std::string::npos) << err;
    EXPECT_EQ (0, run ({ "--tone", "0.01", "--out", output(), "--set", "Output=-60 dB" })) << err;
    EXPECT_EQ (err.find ("note:"), std::string::npos) << err;
    EXPECT_NE (out.find ("Output                       -inf dB"), std::string::npos) << out;
}

TEST_F (CommandLine, AParameterIsFoundByItsOwnOrItsShownNameInAnyCase)
{
    const struct
    {
        const char* setting;
        const char* reported;
    } cases[] = {
        { "Output Level=-3 dB", "Output                       -3.0 dB" },
        { "Filter Cutoff=1 kHz", "Cutoff                       1.00 kHz" },
        { "cutoff=2 kHz", "Cutoff                       2.00 kHz" },
        { "mix=50 %", "Mix                          50 %" },
        { "Mix =40 %", "Mix                          40 %" },
        { " OUTPUT LEVEL =+3 dB", "Output                       +3.0 dB" },
        { "7=1 dB", "Output                       +1.0 dB" },
        { "master bypass=On", "Master Bypass                On" },
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ (0, run ({ "--tone", "0.01", "--out", output(), "--set", c.setting })) << c.setting << "\n"
                                                                                         << err;
        EXPECT_NE (out.find (c.reported), std::string::npos) << c.setting << "\n"
                                                             << out;
    }

    // A name it does not know lists those it does; a parameter kept from hosts is named as such.
    const std::string names = "the host's parameters: \"Sample Rate\", \"Rate Jitter\", \"Bit Depth\", \"Dither\", \"Filter Cutoff\" (shown as "
                              "\"Cutoff\"), \"Filter Resonance\" (shown as \"Resonance\"), \"Mix\", \"Output Level\" (shown as \"Output\"), "
                              "\"Master Bypass\"\n";
    fs::remove (output());
    EXPECT_EQ (1, run ({ "--tone", "0.01", "--out", output(), "--set", "Mixx=50 %" }));
    EXPECT_NE (err.find ("no parameter named \"Mixx\"; " + names), std::string::npos) << err;
    EXPECT_EQ (1, run ({ "--tone", "0.01", "--out", output(), "--set", "processing quality=High" }));
    EXPECT_NE (err.find ("\"processing quality\" is a parameter the plug-in does not give its host (hosts cannot automate it), so --set cannot reach it; " + names),
               std::string::npos)
        << err;
    EXPECT_FALSE (fs::exists (output()));

    EXPECT_EQ (0, run ({ "--help" }));
    EXPECT_NE (out.find ("gives the host can be set: not those hosts cannot automate (Grindel 2's\n"), std::string::npos) << out;
}

TEST_F (CommandLine, TheReportSaysWhetherTheOutputIsTheInputSampleForSample)
{
    // Values of every format, the extremes among them; those of 32-bit integers and 64-bit
    // floats need more than a float's 24 bits.
    const struct
    {
        uint16_t tag, bits;
        bool exact;
    } formats[] = { { 1, 8, true }, { 1, 16, true }, { 1, 24, true }, { 3, 32, true }, { 1, 32, false }, { 3, 64, false } };

    for (const auto& f : formats)
    {
        const uint32_t frames = 1001, size = frames * f.bits / 8u;
        std::vector<uint8_t> bytes { 'R', 'I', 'F', 'F' };
        const auto put = [&] (uint64_t v, int n) {
            for (int i = 0; i < n; ++i)
                bytes.push_back (static_cast<uint8_t> (v >> (8 * i)));
        };
        put (36 + size, 4);
        bytes.insert (bytes.end(), { 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ' });
        put (16, 4), put (f.tag, 2), put (1, 2), put (44100, 4), put (44100u * f.bits / 8u, 4), put (f.bits / 8u, 2), put (f.bits, 2);
        bytes.insert (bytes.end(), { 'd', 'a', 't', 'a' });
        put (size, 4);

        std::mt19937_64 random (f.bits);
        for (uint32_t i = 0; i < frames; ++i)
        {
            const double x = i < 2 ? (i == 0 ? -1.0 : 0.0) : static_cast<double> (random() % 2000001) / 1000000.0 - 1.0 + 1.0e-9;
            uint64_t raw = 0;
            if (f.tag == 3 && f.bits == 32)
            {
                const float narrow = static_cast<float> (x);
                uint32_t bits = 0;
                std::memcpy (&bits, &narrow, 4);
                raw = bits;
            }
            else if (f.tag == 3)
                std::memcpy (&raw, &x, 8);
            else
                raw = static_cast<uint64_t> (static_cast<int64_t> (std::floor (x * std::ldexp (1.0, f.bits - 1)))) + (f.bits == 8 ? 128 : 0);
            put (raw, f.bits / 8);
        }

        const auto name = std::to_string (f.bits) + (f.tag == 3 ? "-float.wav" : "-pcm.wav");
        EXPECT_EQ (0, run ({ "--in", file (name, bytes), "--out", output() })) << name << "\n"
                                                                               << err;
        const bool exact = out.find ("note: the output is the input, sample for sample: in this build") != std::string::npos;
        const bool rounded = out.find ("note: the output is the input as the plug-in takes it, in 32-bit float, which holds 24 bits: ") != std::string::npos;
        EXPECT_TRUE (exact == f.exact && rounded == ! f.exact) << name << "\n"
                                                               << out;
    }
}

TEST_F (CommandLine, AnOlderRenderStaysWholeUntilTheNewOneIs)
{
    // A render that fails (a full disk: a file-size limit of 512 bytes) leaves the older file
    // as it was and no part of its own; one that succeeds replaces it.
    const auto old = file ("out.wav", { 'o', 'l', 'd' });
    EXPECT_EQ (1, runProgram (GRINDEL_AAX_HOST, { "--tone", "0.01", "--out", old, "--quiet" }, {}, nullptr, "trap '' XFSZ; ulimit -f 1; "));
    EXPECT_NE (err.find ("cannot write " + old + ": " + std::strerror (EFBIG)), std::string::npos) << err;
    EXPECT_EQ (textOf (old), "old");
    for (const auto& entry : fs::directory_iterator (folder))
        EXPECT_EQ (entry.path().filename().string().find (".out.wav."), std::string::npos) << "a temporary file left: " << entry.path();

    EXPECT_EQ (0, run ({ "--tone", "0.01", "--out", old, "--quiet" })) << err;
    EXPECT_EQ (fs::file_size (old), 44u + 480u * 2u * 3u);

    // A folder as the chunks' prefix takes them inside, named after the output.
    fs::create_directories (folder / "takes");
    for (const auto& prefix : { (folder / "takes").string(), (folder / "takes").string() + "/" })
    {
        fs::remove_all (folder / "takes");
        fs::create_directories (folder / "takes");
        EXPECT_EQ (0, run ({ "--tone", "0.01", "--out", old, "--chunks", prefix, "--quiet" })) << err;
        EXPECT_TRUE (fs::exists (folder / "takes" / "out.elck") && fs::exists (folder / "takes" / "out.juce")) << prefix;
    }
}

TEST_F (CommandLine, ChunksAreWrittenWholeOrNotAtAll)
{
    // No file may grow beyond 512 bytes (one block of dash's limit; dash is /bin/sh), as on a full disk: the
    // render fails with the reason, so no chunk is written and the older ones stay as they were.
    file ("out.elck", { 'o', 'l', 'd' });
    const auto old = file ("out.juce", { 'o', 'l', 'd' });

    EXPECT_EQ (1, runProgram (GRINDEL_AAX_HOST, { "--tone", "0.01", "--out", output(), "--quiet" }, {}, nullptr, "trap '' XFSZ; ulimit -f 1; "));
    EXPECT_NE (err.find ("cannot write " + output() + ": " + std::strerror (EFBIG)), std::string::npos) << err;
    EXPECT_EQ (err.find ("cannot save chunk"), std::string::npos) << err;
    EXPECT_EQ (textOf (old), "old");
    EXPECT_EQ (textOf (folder / "out.elck"), "old");

    for (const auto& entry : fs::directory_iterator (folder))
        EXPECT_EQ (entry.path().filename().string().find (".out."), std::string::npos) << "a temporary file left: " << entry.path();
}

TEST_F (CommandLine, RunDirectlyABundleInABuildFolderFindsThatBuildsContent)
{
    // A build folder of the test's own: the bundle's binary and resources, and the content.
    const fs::path bundle = fs::path (GRINDEL_AAX_BUNDLE), build = folder / "build";
    const auto binary = build / "Grindel 2.aaxplugin" / "Contents" / (std::string (GRINDEL_AAX_ARCH) + "-linux");
    fs::create_directories (binary);
    fs::create_directories (build / "data");
    fs::create_symlink (bundle / "Contents" / binary.filename() / "Grindel 2.so", binary / "Grindel 2.so");
    fs::create_directory_symlink (bundle / "Contents" / "Resources", binary.parent_path() / "Resources");
    fs::create_directory_symlink (fs::path (GRINDEL_DATA_DIR) / "Common", build / "data" / "Common");

    // Without GRINDEL_DATA_ROOT (not through scripts/run.sh) the start preset is there, whether
    // the bundle or its binary is named.
    EXPECT_EQ (0, run ({ "--bundle", (build / "Grindel 2.aaxplugin").string(), "--tone", "0.05", "--out", output() }, {}, kNoDataRoot)) << err;
    EXPECT_NE (out.find ("40.0 kHz"), std::string::npos) << out;
    EXPECT_EQ (0, run ({ "--bundle", "Grindel 2.so", "--tone", "0.05", "--out", output() }, binary, kNoDataRoot)) << err;
    EXPECT_NE (out.find ("40.0 kHz"), std::string::npos) << out;

    // A data root that is not a folder is named before anything loads.
    const auto missing = (folder / "missing").string();
    EXPECT_EQ (1, run ({ "--tone", "0.05", "--out", output() }, {}, missing.c_str()));
    EXPECT_NE (err.find ("GRINDEL_DATA_ROOT " + missing + " is not a folder"), std::string::npos) << err;
}

TEST_F (CommandLine, BadArgumentsAreRefusedWithAClearMessageAndNoOutput)
{
    fs::create_directories (folder / "a folder");
    const auto empty = file ("empty.elck", {});
    const auto malformed = chunkFile ("malformed.elck", { 1, 1, 1, 1, 'd', '_', 'M', 'i' });
    // A 16-bit mono WAV of two frames, which a render would stream from as it writes.
    const std::vector<uint8_t> wavBytes { 'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0, 0x80, 0xBB, 0, 0, 0, 0x77, 1, 0, 2, 0, 16, 0, 'd', 'a', 't', 'a', 4, 0, 0, 0, 1, 2, 3, 4 };
    const auto wav = file ("in.wav", wavBytes);
    const auto wavNamedLikeAChunk = file ("in.elck", wavBytes);
    // A 'juce' chunk of the right size whose data the plug-in cannot read.
    std::vector<uint8_t> garbage (200, 'x');
    auto corruptJuce = chunkFile ("corrupt.juce", garbage);
    {
        auto bytes = std::vector<uint8_t> (56 + garbage.size());
        std::ifstream (corruptJuce, std::ios::binary).read (reinterpret_cast<char*> (bytes.data()), static_cast<std::streamsize> (bytes.size()));
        const uint32_t juce = 'juce';
        std::memcpy (bytes.data() + 20, &juce, 4);
        corruptJuce = file ("corrupt.juce", bytes);
    }

    const struct
    {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    } cases[] = {
        { { "--tone", "1", "--out", output(), "--block", "7x" }, 2, "--block needs a whole number of samples from 1 to 8192, not \"7x\"" },
        { { "--tone", "1", "--out", output(), "--block", "0" }, 2, "--block needs" },
        { { "--tone", "2s", "--out", output() }, 2, "--tone needs a number of seconds" },
        { { "--tone", "nan", "--out", output() }, 2, "--tone needs" },
        { { "--tone", "1", "--in", empty, "--out", output() }, 2, "--in and --tone exclude each other" },
        { { "--tone", "1", "--out", output(), "--set", "Mix" }, 2, "--set needs \"Parameter Name=value text\"" },
        { { "--tone", "1", "--out", output(), "--set", "Mix=" }, 2, "--set needs" },
        { { "--tone", "1", "--out", output(), "--frobnicate" }, 2, "unknown argument --frobnicate" },
        { { "--tone", "1" }, 2, "--out is required" },
        { { "--tone", "1", "--out", "--quiet" }, 2, "--out needs a value (FILE.wav), not the option \"--quiet\"" },
        { { "--tone", "1", "--out", output(), "--preset", "--offline" }, 2, "--preset needs a value (CHUNKFILE), not the option \"--offline\"" },
        { { "--tone", "1", "--out", output(), "--chunks" }, 2, "--chunks needs a value" },
        { { "--tone", "0.01", "--out", (folder / "take.juce").string() }, 1, "chunk file " + (folder / "take.juce").string() + " is the output" },
        { { "--in", wavNamedLikeAChunk, "--out", output(), "--chunks", (folder / "in").string() }, 1, "chunk file " + wavNamedLikeAChunk + " is the input file" },
        { { "--in", (folder / "a folder").string(), "--out", output() }, 1, "input " },
        { { "--in", file ("text.wav", { 'h', 'e', 'l', 'l', 'o' }), "--out", output() }, 1, "is not a WAV file" },
        { { "--tone", "0.01", "--out", output(), "--preset", (folder / "a folder").string() }, 1, "is a folder, not a file" },
        { { "--tone", "0.01", "--out", output(), "--preset", empty }, 1, "preset " },
        { { "--tone", "0.01", "--out", (folder / "a folder").string() }, 1, "output " },
        { { "--tone", "0.01", "--out", (folder / "no such folder" / "out.wav").string() }, 1, "no folder" },
        { { "--in", wav, "--out", wav }, 1, "is the input file" },
        { { "--tone", "0.01", "--out", output(), "--set", "No Such Thing=1" }, 1, "no parameter named \"No Such Thing\"" },
        { { "--tone", "0.01", "--out", output(), "--preset", malformed }, 1, "cannot restore preset " + malformed + ": AAX_ERROR_" },
        { { "--tone", "0.01", "--out", output(), "--preset", corruptJuce }, 1, "cannot restore preset " + corruptJuce + ": the plug-in did not take all of its 'juce' chunk" },
        { { "--bundle", (folder / "a folder").string(), "--tone", "0.01", "--out", output() }, 1, "no binary in bundle" },
        { { "--tone", "0.00001", "--out", output() }, 2, "--tone needs at least one sample of the 48 kHz tone (1/48000 s, about 0.000021), not \"0.00001\"" },
        { { "--tone", "0.01", "--out", output(), "--out", (folder / "other.wav").string() }, 2, "--out is given twice; give it once" },
        { { "--tone", "0.01", "--out", output(), "--preset", wav }, 1, "preset " + wav + " is a WAV file, not a chunk file (PREFIX.elck or PREFIX.juce, as a render writes them)" },
        { { "--tone", "0.01", "--out", output(), "--preset", file ("short.juce", { 1, 2, 3 }) }, 1, "is not a chunk file: shorter than a chunk's 56-byte header" },
        { { "--in", file ("silent.wav", { 'R', 'I', 'F', 'F', 36, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0, 0x80, 0xBB, 0, 0, 0, 0x77, 1, 0, 2, 0, 16, 0, 'd', 'a', 't', 'a', 0, 0, 0, 0 }), "--out", output() }, 1, "holds no samples" },
    };

    for (const auto& c : cases)
    {
        std::string args;
        for (const auto& a : c.args)
            args += a + " ";

        fs::remove (output());
        EXPECT_EQ (c.exitCode, run (c.args)) << args << "\n"
                                             << err;
        EXPECT_NE (err.find (c.message), std::string::npos) << args << "\n"
                                                            << err;
        EXPECT_FALSE (fs::exists (output())) << args;
        EXPECT_FALSE (fs::exists (folder / "--quiet")) << args;
    }

    // Texts a parameter cannot read, which hosts' text entry meets too: nothing is rendered.
    for (const auto& setting : { "Mix=loud", "Master Bypass=Bypassed", "Master Bypass=Onn", "Master Bypass=maybe", "Master Bypass=0.7",
                                 "Sample Rate=1 MHz", "Cutoff=2 MHz", "Sample Rate=12 bit", "Mix=50 dB", "Mix=0x10", "Cutoff=1O kHz",
                                 "Sample Rate=22,05 kHz", "Mix=50 % junk" })
    {
        const std::string text (setting);
        const auto equals = text.find ('=');
        EXPECT_EQ (1, run ({ "--tone", "0.01", "--out", output(), "--set", text })) << text;
        EXPECT_NE (err.find ("\"" + text.substr (0, equals) + "\" cannot read \"" + text.substr (equals + 1) + "\" as a value"), std::string::npos)
            << text << "\n"
            << err;
        EXPECT_FALSE (fs::exists (output())) << text;
    }

    EXPECT_EQ (textOf (wav), std::string (wavBytes.begin(), wavBytes.end()));
}

TEST_F (CommandLine, RunScriptReadsPathsFromTheCallersFolderAndItsOwnOptions)
{
    // A checkout of the script whose set-up and build are stand-ins that note they ran, with
    // this build's host where the script's build puts it.
    const auto repo = folder / "repo", caller = folder / "caller", bin = folder / "bin";
    fs::create_directories (repo / "scripts");
    fs::create_directories (repo / "build-release" / "bin");
    fs::create_directories (caller / "sub");
    fs::create_directories (bin);
    fs::copy_file (fs::path (GRINDEL_SOURCE_DIR) / "scripts" / "run.sh", repo / "scripts" / "run.sh");
    fs::create_symlink (GRINDEL_AAX_HOST, repo / "build-release" / "bin" / "AAXStandInHost");
    const auto log = (folder / "build.log").string();
    file ("repo/scripts/setup.sh", {});
    std::ofstream (repo / "scripts" / "setup.sh") << "#!/bin/sh\necho setup >>" << quoted (log) << "\n";
    std::ofstream (bin / "cmake") << "#!/bin/sh\necho \"cmake $* CCACHE_BASEDIR=$CCACHE_BASEDIR\" >>" << quoted (log) << "\necho \"[1/1] building\"\n";
    for (const auto& script : { repo / "scripts" / "run.sh", repo / "scripts" / "setup.sh", bin / "cmake" })
        fs::permissions (script, fs::perms::owner_all, fs::perm_options::add);

    const auto runScript = [&] (const std::vector<std::string>& args) {
        fs::remove (log);
        return runProgram ((repo / "scripts" / "run.sh").string(), args, caller, nullptr,
                           "unset CCACHE_BASEDIR; export PATH=" + quoted (bin.string()) + ":\"$PATH\" GRINDEL_JOBS=3; ");
    };

    ASSERT_EQ (0, run ({ "--tone", "0.01", "--out", (caller / "in.wav").string(), "--quiet" })) << err;

    EXPECT_EQ (0, runScript ({ "in.wav", "out.wav", "--chunks", "sub/take" })) << err;
    EXPECT_TRUE (fs::exists (caller / "out.wav"));
    EXPECT_TRUE (fs::exists (caller / "sub" / "take.elck"));
    EXPECT_NE (out.find ("input: " + (caller / "in.wav").string() + ", 24-bit integer PCM"), std::string::npos) << out;
    EXPECT_NE (out.find ("to " + (caller / "out.wav").string() + "\n"), std::string::npos) << out;
    EXPECT_NE (textOf (log).find ("-j 3 --target AAXStandInHost CCACHE_BASEDIR=" + fs::canonical (repo).string() + "\n"), std::string::npos) << textOf (log);

    EXPECT_EQ (0, runScript ({ "in.wav", "--preset", "sub/take.elck", "again.wav", "--offline", "--quiet" })) << err;
    EXPECT_TRUE (fs::exists (caller / "again.wav"));

    // Usage and refusals come before any set-up or build, and leave no file behind.
    for (const auto& args : std::vector<std::vector<std::string>> { { "--help" }, { "-h" }, { "in.wav" }, { "in.wav", "--offline" }, { "in.wav", "x.wav", "--chunks", "--quiet" }, { "in.wav", "x.wav", "--frobnicate" } })
    {
        const bool help = args[0] == "--help" || args[0] == "-h";
        EXPECT_EQ (help ? 0 : 2, runScript (args)) << args[0] << " " << err;
        EXPECT_FALSE (fs::exists (log)) << args[0];
        EXPECT_EQ ((help ? out : err).find ("AAXStandInHost"), std::string::npos) << "run.sh's own usage";
        EXPECT_FALSE (fs::exists (caller / "--offline"));
        EXPECT_FALSE (fs::exists (caller / "x.wav"));

        if (help || args.size() < 3)
        {
            for (const char* text : { "usage: scripts/run.sh [IN.wav OUT.wav] [options]", "--preset CHUNKFILE", "1 to 8192; default 512",
                                      "8 to 384 kHz", "at most 600", "GRINDEL_JOBS" })
                EXPECT_NE ((help ? out : err).find (text), std::string::npos) << text;
        }
    }

    EXPECT_NE (err.find ("run.sh: unknown option --frobnicate"), std::string::npos) << err;
    runScript ({ "in.wav", "x.wav", "--chunks", "--quiet" });
    EXPECT_NE (err.find ("run.sh: --chunks needs a value, not the option \"--quiet\""), std::string::npos) << err;

    // --quiet silences the set-up and the build too; a folder for the chunks keeps its slash.
    EXPECT_EQ (0, runScript ({ "in.wav", "out.wav", "--quiet", "--chunks", "sub/" })) << err;
    EXPECT_EQ (out, "");
    EXPECT_TRUE (fs::exists (caller / "sub" / "out.elck"));
    EXPECT_EQ (0, runScript ({ "in.wav", "out.wav" })) << err;
    EXPECT_NE (out.find ("[1/1] building\n"), std::string::npos) << out;
}

TEST_F (CommandLine, RunScriptRefusesWhatTheHostRefusesBeforeItsBuild)
{
    // The script's stand-in set-up and build note that they ran.
    const auto repo = folder / "repo", log = folder / "build.log";
    fs::create_directories (repo / "scripts");
    fs::copy_file (fs::path (GRINDEL_SOURCE_DIR) / "scripts" / "run.sh", repo / "scripts" / "run.sh");
    std::ofstream (repo / "scripts" / "setup.sh") << "#!/bin/sh\necho setup >>" << quoted (log.string()) << "\n";
    fs::permissions (repo / "scripts" / "setup.sh", fs::perms::owner_all, fs::perm_options::add);

    // The message is the host's own, for the options the user typed; the host gives it the
    // same when the option is its own too.
    const struct
    {
        std::vector<std::string> args;
        std::string message;
        bool hostToo;
    } cases[] = {
        { { "--block", "0" }, "--block needs a whole number of samples from 1 to 8192, not \"0\"", true },
        { { "--quiet", "--block", "8193" }, "--block needs a whole number of samples from 1 to 8192, not \"8193\"", true },
        { { "--tone", "2s" }, "--tone needs a number of seconds above 0 and up to 600, not \"2s\"", true },
        { { "--tone", "600.5" }, "--tone needs a number of seconds above 0 and up to 600, not \"600.5\"", true },
        { { "--tone", "0.00001" }, "--tone needs at least one sample of the 48 kHz tone (1/48000 s, about 0.000021), not \"0.00001\"", true },
        { { "--snapshot", "x.png", "--skin", "1000" }, "--skin needs 885, 1180 or 1475, not \"1000\"", true },
        { { "--snapshot", "x.jpg" }, "--snapshot needs a file name ending in .png, not \"x.jpg\"", true },
        { { "--set", "Mix" }, "--set needs \"Parameter Name=value text\", not \"Mix\"", true },
        { { "--set", "=50 %" }, "--set needs \"Parameter Name=value text\", not \"=50 %\"", true },
        { { "--snapshot", "x.png", "--offline" }, "--snapshot takes only --bundle, --skin, --browser, --block and --quiet, not --offline", true },
        { { "--snapshot", "x.png", "--quiet", "--tone", "1" }, "--snapshot takes only --bundle, --skin, --browser, --block and --quiet, not --tone", true },
        { { "--snapshot", "x.png", "--chunks", "take" }, "--snapshot takes only --bundle, --skin, --browser, --block and --quiet, not --chunks", true },
        { { "--browser" }, "--skin and --browser go with --snapshot", true },
        { { "--editor", "--offline" }, "--editor plays in real time; --offline does not go with it", true },
        { { "--out", "a.wav", "--out", "b.wav" }, "--out is given twice; give it once", true },
        { { "in.wav", "out.wav", "--out", "other.wav" }, "OUT.wav and --out both name the output; give one", false },
        { { "in.wav", "out.wav", "--in", "other.wav" }, "IN.wav and --in both name the input; give one", false },
        { { "in.wav", "out.wav", "--tone", "1" }, "--in and --tone exclude each other", false },
        { { "--in", "in.wav", "out.wav" }, "IN.wav and --in both name the input; give one", false },
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ (2, runProgram ((repo / "scripts" / "run.sh").string(), c.args)) << c.message;
        EXPECT_EQ (err, "run.sh: " + c.message + "\nrun.sh --help tells how to run it\n");
        EXPECT_FALSE (fs::exists (log)) << c.message << ": the set-up ran";

        if (c.hostToo)
        {
            EXPECT_EQ (2, run (c.args)) << c.message;
            EXPECT_EQ (err.substr (0, err.find ('\n')), c.message);
        }
    }

    // Every option of the host's is one of the script's.
    ASSERT_EQ (0, run ({ "--help" }));
    const auto hostHelp = out;
    ASSERT_EQ (0, runProgram ((repo / "scripts" / "run.sh").string(), { "--help" }));
    std::istringstream lines (hostHelp);
    for (std::string line; std::getline (lines, line);)
    {
        const auto option = line.rfind ("  --", 0) == 0 ? line.substr (2, line.find (' ', 2) - 2) : std::string ("--help");
        EXPECT_NE (out.find (option), std::string::npos) << line;
    }
}

TEST_F (CommandLine, RunScriptTakesTheBundleAsShellCompletionTypesItAndASnapshotQuietly)
{
    const test::ScriptCheckout checkout (folder);
    const auto runScript = [&] (const std::vector<std::string>& args) {
        return runProgram (checkout.script.string(), args, {}, nullptr, "export PATH=" + checkout.path + "; ");
    };
    ASSERT_EQ (0, run ({ "--tone", "0.01", "--out", "in.wav", "--quiet" })) << err;

    // The bundle folder with the slash that completion adds, or its binary; IN.wav with the
    // output as --out.
    fs::create_directory_symlink (GRINDEL_AAX_BUNDLE, folder / "Grindel 2.aaxplugin");
    const auto binary = std::string (GRINDEL_AAX_BUNDLE) + "/Contents/" + GRINDEL_AAX_ARCH + "-linux/Grindel 2.so";
    for (const auto& args : std::vector<std::vector<std::string>> { { "--bundle", "Grindel 2.aaxplugin/", "in.wav", "out.wav" },
                                                                    { "in.wav", "out.wav", "--bundle", "Grindel 2.aaxplugin//" },
                                                                    { "--bundle", binary, "in.wav", "out.wav" },
                                                                    { "in.wav", "--out", "out.wav" } })
    {
        fs::remove (output());
        EXPECT_EQ (0, runScript (args)) << args[1] << "\n"
                                        << err;
        EXPECT_NE (out.find ("rendered 480 frames of 2 channel(s) at 48000 Hz to " + output()), std::string::npos) << args[1] << "\n"
                                                                                                                   << out;
    }

    // Both usages show what --snapshot takes.
    for (const bool script : { false, true })
    {
        ASSERT_EQ (0, script ? runScript ({ "--help" }) : run ({ "--help" }));
        const auto head = out.substr (0, out.find ("\n  -"));
        const auto snapshot = head.find ("--snapshot FILE.png");
        ASSERT_NE (snapshot, std::string::npos) << head;
        for (const char* option : { "[--block N]", "[--quiet]" })
            EXPECT_NE (head.find (option, snapshot), std::string::npos) << option << "\n"
                                                                        << head;
    }

    // --quiet silences the build and the report; the picture is written all the same.
    if (! fs::exists ("/usr/bin/xvfb-run"))
        GTEST_SKIP() << "no xvfb-run";
    EXPECT_EQ (0, runScript ({ "--snapshot", "editor.png", "--quiet", "--block", "256" })) << err;
    EXPECT_EQ (out, "");
    EXPECT_TRUE (fs::exists (folder / "editor.png") && fs::file_size (folder / "editor.png") > 1000u);
}

TEST_F (CommandLine, CtrlCDuringARenderLeavesTheOutputAndTheChunksAsTheyWere)
{
    // A long render in the background, interrupted once its temporary output exists.
    const auto old = file ("out.wav", { 'o', 'l', 'd' });
    const auto command = "cd " + quoted (folder.string()) + " || exit 9; GRINDEL_DATA_ROOT=" + quoted ((folder / "data").string()) + " "
        + quoted (GRINDEL_AAX_HOST) + " --tone 600 --block 16 --out out.wav >stdout 2>stderr & pid=$!; n=0; "
        + "until ls -A | grep -q '^\\.out\\.wav\\.'; do n=$((n+1)); [ $n -gt 30000 ] && break; sleep 0.01; done; "
        + "kill -INT $pid; wait $pid";
    const int status = std::system (command.c_str());
    err = textOf (folder / "stderr");

    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 130) << status << " " << err;
    EXPECT_NE (err.find ("interrupted: " + old + " and the chunks were left as they were"), std::string::npos) << err;
    EXPECT_EQ (textOf (old), "old");
    EXPECT_EQ (textOf (folder / "stdout").find ("rendered"), std::string::npos);
    for (const auto& entry : fs::directory_iterator (folder))
        EXPECT_TRUE (entry.path().filename() == "out.wav" || entry.path().filename() == "data" || entry.path().filename() == "stdout"
                     || entry.path().filename() == "stderr")
            << "left behind: " << entry.path();
}
