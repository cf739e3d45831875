// The stand-in host's command line as a user runs it: the built program with good and bad
// arguments, checked for its exit code, its message and the files it leaves.

#include "support/AssertionReport.h"
#include "support/ShellText.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cerrno>
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
             "registered \"com.orvikgroup.grindel2\" by Orvik Group, version 2.2.1, AAX interface 2.3",
             "  package name 1 of 2 (a host shows the longest that fits): High Quality Bit Crusher\n",
             "  package name 2 of 2 (a host shows the longest that fits): Grindel 2\n",
             "  category: Degradation (distortion-type)\n",
             "input: a test tone of 0.05 s (440 Hz left, 660 Hz right), 48000 Hz, 2 channels\n",
             "processing: blocks of 64 samples, real time\n",
             "preset: none (the plug-in's start preset)\n",
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
}

TEST_F (CommandLine, ChunksAreWrittenWholeOrNotAtAll)
{
    // No file may grow beyond 512 bytes (one block of dash's limit; dash is /bin/sh), as on a full disk: the
    // 156-byte 'elck' chunk is written, the render and the 'juce' chunk fail with the reason,
    // and the older 'juce' chunk stays as it was.
    file ("out.elck", { 'o', 'l', 'd' });
    const auto old = file ("out.juce", { 'o', 'l', 'd' });

    EXPECT_EQ (1, runProgram (GRINDEL_AAX_HOST, { "--tone", "0.01", "--out", output(), "--quiet" }, {}, nullptr, "trap '' XFSZ; ulimit -f 1; "));
    EXPECT_NE (err.find ("cannot write " + output() + ": " + std::strerror (EFBIG)), std::string::npos) << err;
    EXPECT_NE (err.find ("cannot save chunk 'juce' to " + old + ": " + std::strerror (EFBIG) + "\n"), std::string::npos) << err;
    EXPECT_EQ (textOf (old), "old");
    EXPECT_EQ (fs::file_size (folder / "out.elck"), 156u);

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
    std::ofstream (bin / "cmake") << "#!/bin/sh\necho \"cmake $* CCACHE_BASEDIR=$CCACHE_BASEDIR\" >>" << quoted (log) << "\n";
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
}
