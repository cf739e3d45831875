// The editor as the stand-in host shows it, driven as a user drives it: the built program
// with --editor under an X server, a knob dragged and the browse button clicked with real
// pointer events, the window closed through the window manager's close request; and the
// picture that --snapshot writes.

#include "ScriptCheckout.h"
#include "StandInWavFile.h"
#include "support/AssertionReport.h"
#include "support/ShellText.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace
{
    namespace fs = std::filesystem;

    using test::quoted;
    using test::textOf;

    // Places in the product's default skin, "1180" (resources/skins/PluginEditor.orvikgui).
    constexpr int kJitterKnobX = 119 + 36, kJitterKnobY = 378 + 36, kBrowseX = 810 + 16, kBrowseY = 20 + 16;

    class EditorRun : public ::testing::Test
    {
    protected:
        fs::path folder = fs::temp_directory_path() / ("standin-editor-" + std::to_string (std::random_device {}()));
        pid_t child = 0, server = 0;
        std::string displayName;
        Display* display = nullptr;

        void SetUp() override
        {
            fs::create_directories (folder / "data");
            fs::create_directory_symlink (fs::path (GRINDEL_DATA_DIR) / "Common", folder / "data" / "Common");
        }

        void TearDown() override
        {
            if (child > 0)
            {
                kill (child, SIGKILL);
                waitpid (child, nullptr, 0);
            }
            if (display != nullptr)
                XCloseDisplay (display);
            if (server > 0)
            {
                kill (server, SIGTERM);
                waitpid (server, nullptr, 0);
            }
            fs::remove_all (folder);
        }

        // An X server of the test's own: pointer events from tests running beside it, and
        // their windows, never reach this one. False without Xvfb.
        bool openDisplay()
        {
            if (! fs::exists ("/usr/bin/Xvfb"))
                return false;

            int pipeEnds[2];
            if (pipe (pipeEnds) != 0)
                return false;

            const auto fd = std::to_string (pipeEnds[1]);
            const char* argv[] = { "/usr/bin/Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", nullptr };
            const bool started = posix_spawn (&server, argv[0], nullptr, nullptr, const_cast<char**> (argv), environ) == 0;
            close (pipeEnds[1]);

            // The server writes its display number once it is ready; a server that fails closes the pipe.
            std::string number;
            char c = 0;
            while (started && read (pipeEnds[0], &c, 1) == 1 && c != '\n')
                number += c;
            close (pipeEnds[0]);

            if (number.empty())
                return false;

            displayName = ":" + number;
            display = XOpenDisplay (displayName.c_str());
            return display != nullptr;
        }

        // Starts the host (or another program) in the test's folder with its own data root;
        // prefix goes before it (an environment change).
        void start (const std::vector<std::string>& args, const std::string& prefix = {}, const std::string& program = GRINDEL_AAX_HOST)
        {
            const auto onDisplay = displayName.empty() ? std::string() : " DISPLAY=" + displayName;
            std::string command = "cd " + quoted (folder.string()) + " && exec " + prefix + " env GRINDEL_DATA_ROOT="
                + quoted ((folder / "data").string()) + onDisplay + " " + quoted (program);
            for (const auto& a : args)
                command += " " + quoted (a);
            command += " >" + quoted ((folder / "stdout").string()) + " 2>" + quoted ((folder / "stderr").string());

            const char* argv[] = { "/bin/sh", "-c", command.c_str(), nullptr };
            ASSERT_EQ (0, posix_spawn (&child, "/bin/sh", nullptr, nullptr, const_cast<char**> (argv), environ));
        }

        // Polls a condition between short pauses, a bounded number of times.
        static bool waitFor (const std::function<bool()>& condition)
        {
            for (int turn = 0; turn < 3000; ++turn)
            {
                if (condition())
                    return true;
                std::this_thread::sleep_for (std::chrono::milliseconds (20));
            }
            return condition();
        }

        // The host's exit code once it has ended (its assertions count as this test's own).
        int finish()
        {
            int status = 0;
            const bool ended = waitFor ([&] { return waitpid (child, &status, WNOHANG) == child; });
            EXPECT_TRUE (ended) << "the host did not end";
            if (! ended)
                return -1;
            child = 0;

            std::istringstream lines (err());
            for (std::string line; std::getline (lines, line);)
                test::AssertionReport::reportJuceMessage (line);

            return WIFEXITED (status) ? WEXITSTATUS (status) : -1;
        }

        int run (const std::vector<std::string>& args, const std::string& prefix = {})
        {
            start (args, prefix);
            return finish();
        }

        std::string out() const { return textOf (folder / "stdout"); }
        std::string err() const { return textOf (folder / "stderr"); }

        // The groups of the first match of a pattern in what the host has printed so far
        // (the whole match first); empty without one.
        std::vector<std::string> printed (const std::regex& pattern) const
        {
            const auto text = out();
            std::smatch match;
            std::vector<std::string> groups;
            if (std::regex_search (text, match, pattern))
                for (const auto& group : match)
                    groups.push_back (group.str());
            return groups;
        }

        void pointerTo (Window window, int x, int y)
        {
            Window inner = 0;
            int rootX = 0, rootY = 0;
            XTranslateCoordinates (display, window, DefaultRootWindow (display), x, y, &rootX, &rootY, &inner);
            XTestFakeMotionEvent (display, DefaultScreen (display), rootX, rootY, CurrentTime);
            XSync (display, False);
        }

        void button (bool down)
        {
            XTestFakeButtonEvent (display, 1, down ? True : False, CurrentTime);
            XSync (display, False);
        }

        // A press, an upward drag in steps (a pause after each), a release.
        void drag (Window window, int x, int y, int up, int pauseMilliseconds = 0)
        {
            pointerTo (window, x, y);
            button (true);
            for (int step = 1; step <= up; step += 4)
            {
                pointerTo (window, x, y - step);
                std::this_thread::sleep_for (std::chrono::milliseconds (pauseMilliseconds));
            }
            button (false);
        }

        void click (Window window, int x, int y)
        {
            pointerTo (window, x, y);
            button (true);
            button (false);
        }

        // What a window manager sends when the user closes the window.
        void askToClose (Window window)
        {
            XEvent event {};
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = XInternAtom (display, "WM_PROTOCOLS", False);
            event.xclient.format = 32;
            event.xclient.data.l[0] = static_cast<long> (XInternAtom (display, "WM_DELETE_WINDOW", False));
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent (display, window, False, NoEventMask, &event);
            XSync (display, False);
        }

        // A PNG file's width and height, from its header.
        static std::pair<uint32_t, uint32_t> pngSize (const fs::path& path)
        {
            const auto bytes = textOf (path);
            if (bytes.size() < 24 || bytes.compare (1, 3, "PNG") != 0)
                return { 0, 0 };
            const auto at = [&] (size_t i) {
                return (uint32_t (uint8_t (bytes[i])) << 24) | (uint32_t (uint8_t (bytes[i + 1])) << 16) | (uint32_t (uint8_t (bytes[i + 2])) << 8)
                    | uint32_t (uint8_t (bytes[i + 3]));
            };
            return { at (16), at (20) };
        }
    };
}

TEST_F (EditorRun, AUserMovesAKnobOpensTheBrowserAndClosesTheWindow)
{
    if (! openDisplay())
        GTEST_SKIP() << "no Xvfb";

    const auto output = (folder / "take.wav").string();
    start ({ "--editor", "--tone", "1", "--out", output, "--block", "256" });

    std::vector<std::string> opened;
    ASSERT_TRUE (waitFor ([&] { return ! (opened = printed (std::regex ("editor window 0x([0-9a-f]+): (\\d+) x (\\d+)"))).empty(); }))
        << out() << err();
    const auto window = static_cast<Window> (std::stoul (opened[1], nullptr, 16));
    const int height = std::stoi (opened[3]);
    EXPECT_EQ (opened[2], "1180");
    EXPECT_NE (out().find ("the about window: hold Ctrl (the Command key on a Mac) and click the round options button at the top right\n"), std::string::npos);

    // The knob answers once the skin is built: drag until the host hears the gesture end. The
    // drag's steps are turns of the host's loop apart, as a hand's are.
    const std::regex moved ("editor: \"Rate Jitter\" ([1-9][0-9.]* %)");
    int drags = 0;
    ASSERT_TRUE (waitFor ([&] {
        if (! printed (moved).empty())
            return true;
        if (drags++ % 50 == 0)
            drag (window, kJitterKnobX, kJitterKnobY, 40, 50);
        return false;
    })) << out();
    const auto value = printed (moved)[1];

    // One line a gesture, however many steps the drag took.
    const auto reported = [&] {
        const auto text = out();
        return std::distance (std::sregex_iterator (text.begin(), text.end(), moved), std::sregex_iterator());
    };
    EXPECT_LE (reported(), (drags + 49) / 50) << out();

    // The browse button docks the browser: the editor asks the host for a taller window. A
    // click that lands while the editor is still busy with the drag is clicked again; any
    // taller size the host printed counts.
    int clicks = 0;
    ASSERT_TRUE (waitFor ([&] {
        const auto size = printed (std::regex ("editor size: 1180 x (\\d+)"));
        if (! size.empty() && std::stoi (size[1]) > height)
            return true;
        if (clicks++ % 100 == 0)
            click (window, kBrowseX, kBrowseY);
        return false;
    })) << out();

    askToClose (window);
    EXPECT_EQ (0, finish()) << err();

    // The run ends as a render does: the audio that played, the chunks and the report, which
    // has the value the knob was left at.
    const auto report = out();
    EXPECT_TRUE (std::regex_search (report, std::regex ("rendered [1-9][0-9]* frames of 2 channel\\(s\\) at 48000 Hz to " + output))) << report;

    // The report tells how long the tone played and its real peaks, and claims nothing it did not compare.
    std::smatch played, frames;
    ASSERT_TRUE (std::regex_search (report, played, std::regex ("input: the test tone \\(440 Hz left, 660 Hz right\\), 48000 Hz, 2 channels, played for ([0-9.]+) s while the editor was open\n")))
        << report;
    ASSERT_TRUE (std::regex_search (report, frames, std::regex ("rendered ([0-9]+) frames"))) << report;
    EXPECT_NEAR (std::stod (played[1]), std::stod (frames[1]) / 48000.0, 0.006);
    EXPECT_NE (report.find ("output peak: channel 1 -6.02 dBFS, channel 2 -6.02 dBFS\n"), std::string::npos) << report;
    EXPECT_EQ (report.find ("sample for sample"), std::string::npos) << report;
    EXPECT_TRUE (std::regex_search (report, std::regex ("Rate Jitter +" + value))) << report;
    EXPECT_GT (fs::file_size (output), 44u);

    // The saved chunk holds it too: restored into the next run.
    ASSERT_GT (fs::file_size (folder / "take.juce"), 56u);
    ASSERT_GT (fs::file_size (folder / "take.elck"), 56u);
    EXPECT_EQ (0, run ({ "--tone", "0.05", "--out", (folder / "again.wav").string(), "--preset", (folder / "take.juce").string() })) << err();
    EXPECT_TRUE (std::regex_search (out(), std::regex ("Rate Jitter +" + value))) << out();
}

TEST_F (EditorRun, WithoutADisplayTheEditorSaysSoInOneLine)
{
    const auto output = (folder / "take.wav").string();
    EXPECT_EQ (1, run ({ "--editor", "--tone", "1", "--out", output }, "env -u DISPLAY"));
    EXPECT_EQ (err(), "the editor needs an X display, and DISPLAY is not set (--snapshot draws it without one)\n");
    EXPECT_FALSE (fs::exists (output));
}

TEST_F (EditorRun, SnapshotDrawsTheChosenSkinWithTheBrowserOpen)
{
    if (! openDisplay())
        GTEST_SKIP() << "no Xvfb";

    const auto picture = folder / "editor.png";
    ASSERT_EQ (0, run ({ "--snapshot", picture.string(), "--skin", "885", "--browser" })) << err();
    EXPECT_NE (out().find ("snapshot: 885 x "), std::string::npos) << out();

    // The docked browser makes the editor taller than wide; the user's settings stay untouched.
    const auto [width, height] = pngSize (picture);
    EXPECT_EQ (width, 885u);
    EXPECT_GT (height, width);
    EXPECT_FALSE (fs::exists (folder / "data" / "User"));
}

TEST_F (EditorRun, ASnapshotOfContentWithoutSkinsWritesNothingAndSaysWhere)
{
    if (! openDisplay())
        GTEST_SKIP() << "no Xvfb";

    // The plug-in would show its "Skin error" alert instead of the editor.
    const auto data = folder / "data", picture = folder / "editor.png";
    fs::remove (data / "Common");
    fs::create_directories (data / "Common");
    EXPECT_EQ (1, run ({ "--snapshot", picture.string() }));
    const auto message = err();
    EXPECT_EQ (message.find ("--snapshot: GRINDEL_DATA_ROOT " + data.string() + " holds no skins ("), 0u) << message;
    EXPECT_EQ (std::count (message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_FALSE (fs::exists (picture));

    // A skin the content lacks is named too.
    EXPECT_EQ (1, run ({ "--snapshot", picture.string(), "--skin", "885" }));
    EXPECT_NE (err().find ("holds no skin 885 ("), std::string::npos) << err();
    EXPECT_FALSE (fs::exists (picture));
}

TEST_F (EditorRun, SnapshotArgumentsAreChecked)
{
    const struct
    {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        { { "--snapshot", "editor.png", "--skin", "1000" }, "--skin needs 885, 1180 or 1475, not \"1000\"" },
        { { "--snapshot", "editor.jpg" }, "--snapshot needs a file name ending in .png" },
        { { "--snapshot", "editor.png", "--out", "x.wav" }, "--snapshot takes only" },
        { { "--tone", "1", "--out", "x.wav", "--browser" }, "--skin and --browser go with --snapshot" },
        { { "--editor", "--tone", "1", "--out", "x.wav", "--offline" }, "--editor plays in real time; --offline does not go with it" },
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ (2, run (c.args)) << c.message;
        EXPECT_NE (err().find (c.message), std::string::npos) << err();
        EXPECT_FALSE (fs::exists (folder / "editor.png"));
    }
}

TEST_F (EditorRun, CtrlCEndsTheRunAsClosingTheWindowDoesAndTheRenderIsTheInputLooped)
{
    if (! openDisplay())
        GTEST_SKIP() << "no Xvfb";

    // A short 16-bit input whose every frame differs.
    constexpr size_t kFrames = 300;
    const auto input = (folder / "in.wav").string(), output = (folder / "take.wav").string();
    std::vector<std::vector<float>> frames (2, std::vector<float> (kFrames));
    for (size_t i = 0; i < kFrames; ++i)
    {
        frames[0][i] = static_cast<float> (i) / 512.0f;
        frames[1][i] = -static_cast<float> (i) / 1024.0f;
    }
    {
        StandInWavFile wav;
        wav.bitsPerSample = 16;
        std::string error;
        ASSERT_TRUE (wav.OpenForWriting (input, 2, error) && wav.WriteFrames (frames, kFrames, error) && wav.Close (error)) << error;
    }

    start ({ "--editor", "--in", input, "--out", output, "--block", "64" });
    ASSERT_TRUE (waitFor ([&] { return ! printed (std::regex ("editor window 0x")).empty(); })) << out() << err();

    kill (child, SIGINT);
    EXPECT_EQ (0, finish()) << err();
    EXPECT_GT (fs::file_size (folder / "take.juce"), 56u);

    // Every frame rendered is the input's, from its start, round and round.
    StandInWavFile rendered;
    std::string error;
    ASSERT_TRUE (rendered.OpenForReading (output, error)) << error;
    ASSERT_GT (rendered.NumFrames(), 0u);
    std::vector<std::vector<float>> got (2, std::vector<float> (rendered.NumFrames()));
    ASSERT_EQ (rendered.ReadFrames (got, got[0].size()), got[0].size());

    size_t wrong = 0;
    for (size_t i = 0; i < got[0].size(); ++i)
        wrong += got[0][i] != frames[0][i % kFrames] || got[1][i] != frames[1][i % kFrames] ? 1 : 0;
    EXPECT_EQ (wrong, 0u) << "of " << got[0].size() << " frames";
}

TEST_F (EditorRun, TheScriptsEditorPlaysAFileNamedAloneLoopedAndWritesWhatPlayed)
{
    if (! openDisplay())
        GTEST_SKIP() << "no Xvfb";

    // A short 16-bit input whose every frame differs, named as the README names it.
    constexpr size_t kFrames = 300;
    std::vector<std::vector<float>> frames (2, std::vector<float> (kFrames));
    for (size_t i = 0; i < kFrames; ++i)
    {
        frames[0][i] = static_cast<float> (i + 1) / 512.0f;
        frames[1][i] = -static_cast<float> (i + 1) / 1024.0f;
    }
    {
        StandInWavFile wav;
        wav.bitsPerSample = 16;
        std::string error;
        ASSERT_TRUE (wav.OpenForWriting ((folder / "in.wav").string(), 2, error) && wav.WriteFrames (frames, kFrames, error) && wav.Close (error))
            << error;
    }

    const test::ScriptCheckout checkout (folder);
    const auto renders = checkout.repo / "build-release" / "out";
    start ({ "--editor", "in.wav", "--block", "64" }, "env PATH=" + checkout.path, checkout.script.string());

    // Until the window opens, or the run ends without one.
    std::vector<std::string> opened;
    waitFor ([&] {
        siginfo_t ended {};
        return ! (opened = printed (std::regex ("editor window 0x([0-9a-f]+):"))).empty()
            || (waitid (P_PID, static_cast<id_t> (child), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 && ended.si_pid == child);
    });
    ASSERT_FALSE (opened.empty()) << err();

    // Close once the file has played round several times: the render being written is longer.
    const auto writtenFrames = [&] {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator (renders, ec))
            if (const auto size = entry.file_size (ec); entry.path().filename().string().rfind (".render.wav.", 0) == 0 && size > 44)
                return (size - 44) / 4;
        return std::uintmax_t (0);
    };
    EXPECT_TRUE (waitFor ([&] { return writtenFrames() > 8 * kFrames; })) << writtenFrames();
    askToClose (static_cast<Window> (std::stoul (opened[1], nullptr, 16)));
    ASSERT_EQ (0, finish()) << err();
    EXPECT_NE (out().find ("input: " + (folder / "in.wav").string() + ", 16-bit integer PCM, 48000 Hz, 2 channels, looped for "), std::string::npos)
        << out();

    // The render is the file over and over from its start: whole loops, then a part.
    StandInWavFile rendered;
    std::string error;
    ASSERT_TRUE (rendered.OpenForReading ((renders / "render.wav").string(), error)) << error;
    ASSERT_GT (rendered.NumFrames(), 8 * kFrames);
    std::vector<std::vector<float>> got (2, std::vector<float> (rendered.NumFrames()));
    ASSERT_EQ (rendered.ReadFrames (got, got[0].size()), got[0].size());

    size_t wrong = 0;
    for (size_t i = 0; i < got[0].size(); ++i)
        wrong += got[0][i] != frames[0][i % kFrames] || got[1][i] != frames[1][i % kFrames] ? 1 : 0;
    EXPECT_EQ (wrong, 0u) << "of " << got[0].size() << " frames";
    EXPECT_GT (fs::file_size (renders / "render.juce"), 56u);
}
