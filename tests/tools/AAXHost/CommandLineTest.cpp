// The stand-in host's command line as a user runs it: the built program with good and bad
// arguments, checked for its exit code, its message and the files it leaves.

#include "support/AssertionReport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

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

    std::string quoted (const std::string& text)
    {
        std::string q = "'";
        for (const char c : text)
            q += c == '\'' ? std::string ("'\\''") : std::string (1, c);
        return q + "'";
    }

    std::string textOf (const fs::path& path)
    {
        std::ifstream in (path, std::ios::binary);
        return std::string (std::istreambuf_iterator<char> (in), std::istreambuf_iterator<char>());
    }

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
            const auto root = dataRoot == nullptr ? "GRINDEL_DATA_ROOT=" + quoted ((folder / "data").string())
                : *dataRoot == 0                  ? std::string ("env -u GRINDEL_DATA_ROOT")
                                                  : "GRINDEL_DATA_ROOT=" + quoted (dataRoot);
            std::string command = "cd " + quoted ((in.empty() ? folder : in).string()) + " && " + root + " " + quoted (GRINDEL_AAX_HOST);
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
            std::vector<uint8_t> record (56, 0);
            const int32_t size = static_cast<int32_t> (data.size());
            const uint32_t id = 'elck';
            std::memcpy (record.data(), &size, 4);
            std::memcpy (record.data() + 20, &id, 4);
            record.insert (record.end(), data.begin(), data.end());
            return file (name, record);
        }

        std::string output() const { return (folder / "out.wav").string(); }
    };
}

TEST_F (CommandLine, RendersAndSavesTheChunks)
{
    EXPECT_EQ (0, run ({ "--tone", "0.05", "--out", output(), "--set", "Mix=50 %", "--block", "64" })) << err;
    EXPECT_NE (out.find ("rendered 2400 frames of 2 channel(s) at 48000 Hz"), std::string::npos) << out;
    EXPECT_NE (out.find ("Mix"), std::string::npos);
    EXPECT_EQ (fs::file_size (output()), 44u + 2400u * 2u * 3u);
    EXPECT_GT (fs::file_size (folder / "out.elck"), 56u);
    EXPECT_GT (fs::file_size (folder / "out.juce"), 56u);

    // The saved chunk is a preset for the next run, and a bundle's binary named without a slash
    // is the file in the current folder.
    const fs::path binary = fs::path (GRINDEL_AAX_BUNDLE) / "Contents" / (std::string (GRINDEL_AAX_ARCH) + "-linux");
    EXPECT_EQ (0, run ({ "--bundle", "Grindel 2.so", "--tone", "0.05", "--out", output(), "--preset", (folder / "out.elck").string(), "--quiet" }, binary)) << err;
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

    const struct
    {
        std::vector<std::string> args;
        int exitCode;
        const char* message;
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
        { { "--in", (folder / "a folder").string(), "--out", output() }, 1, "input " },
        { { "--in", file ("text.wav", { 'h', 'e', 'l', 'l', 'o' }), "--out", output() }, 1, "is not a WAV file" },
        { { "--tone", "0.01", "--out", output(), "--preset", (folder / "a folder").string() }, 1, "is a folder, not a file" },
        { { "--tone", "0.01", "--out", output(), "--preset", empty }, 1, "preset " },
        { { "--tone", "0.01", "--out", (folder / "a folder").string() }, 1, "output " },
        { { "--tone", "0.01", "--out", (folder / "no such folder" / "out.wav").string() }, 1, "no folder" },
        { { "--in", wav, "--out", wav }, 1, "is the input file" },
        { { "--tone", "0.01", "--out", output(), "--set", "No Such Thing=1" }, 1, "no parameter named \"No Such Thing\"" },
        { { "--tone", "0.01", "--out", output(), "--set", "Mix=loud" }, 1, "\"Mix\" cannot read \"loud\" as a value" },
        { { "--tone", "0.01", "--out", output(), "--preset", malformed }, 1, "cannot restore preset" },
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
    }

    EXPECT_EQ (textOf (wav), std::string (wavBytes.begin(), wavBytes.end()));
}
