// The keyboard in the editor that the stand-in host shows under a window manager, as a user
// meets it: the built program with --editor on an X server of the test's own with openbox
// managing its window, Save As opened and its name field clicked with real pointer events
// (after browsing, renaming or saving first), a name typed with real key events, and the
// preset file that Return or Save writes.

#include "support/AssertionReport.h"
#include "support/ShellText.h"

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
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

    // Places in the product's default skin, "1180" (resources/skins/PluginEditor.orvikgui): the
    // preset name, and "Save As", the third row of its actions (20 pixels each, 2 below it).
    constexpr int kPresetNameX = 464 + 150, kPresetNameY = 18 + 18, kSaveAsY = 18 + 36 + 2 + 1 + 2 * 20 + 10;
    // The docked browser's save row: the name field (300 wide) ends left of "Save" and
    // "Cancel" at the right edge, 25 pixels above the browser's bottom, the status bar below.
    constexpr int kNameFieldX = 1180 - 150 - 150, kNameFieldAboveBottom = 16 + 25 - 10;
    // The same row: "Edit Mode" at its left end, "Save" (46 wide) left of "Cancel" (57 wide)
    // at its right end. In Edit Mode the first row of the result list, right of the collapsed
    // sources (30) and the two tag columns (144 each), under the panel's header.
    constexpr int kEditModeX = 40, kDeleteX = 130, kSaveButtonX = 1180 - 57 - 6 - 24;
    constexpr int kFirstRowX = 30 + 2 * 144 + 20, kFirstRowAboveBottom = 615;
    // The skin's dark header left of the preset name once the skin is painted; the name
    // field's white; the grey of the browser's row of buttons where no button is.
    constexpr int kHeaderX = 200, kHeaderY = 5;
    constexpr unsigned long kHeaderGrey = 0x26262A, kFieldWhite = 0xFFFFFF, kRowGrey = 0xB5B5B5;

    class EditorKeyboard : public ::testing::Test
    {
    protected:
        fs::path folder = fs::temp_directory_path() / ("standin-keyboard-" + std::to_string (std::random_device {}()));
        pid_t child = 0, server = 0, manager = 0;
        std::string displayName;
        Display* display = nullptr;

        void SetUp() override
        {
            fs::create_directories (folder / "data");
            fs::create_directory_symlink (fs::path (GRINDEL_DATA_DIR) / "Common", folder / "data" / "Common");
        }

        void TearDown() override
        {
            for (auto* process : { &child, &manager })
                if (*process > 0)
                {
                    kill (*process, SIGKILL);
                    waitpid (*process, nullptr, 0);
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

        // An X server of the test's own, tall enough for the editor with its browser docked,
        // with openbox managing it. False without Xvfb or openbox.
        bool openManagedDisplay()
        {
            if (! fs::exists ("/usr/bin/Xvfb") || ! fs::exists ("/usr/bin/openbox"))
                return false;

            int pipeEnds[2];
            if (pipe (pipeEnds) != 0)
                return false;

            const auto fd = std::to_string (pipeEnds[1]);
            const char* xvfb[] = { "/usr/bin/Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1600x1700x24", "-nolisten", "tcp", nullptr };
            const bool started = posix_spawn (&server, xvfb[0], nullptr, nullptr, const_cast<char**> (xvfb), environ) == 0;
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

            if (display == nullptr)
                return false;

            const auto command = "exec env DISPLAY=" + displayName + " /usr/bin/openbox --sm-disable >" + quoted ((folder / "openbox.log").string()) + " 2>&1";
            const char* sh[] = { "/bin/sh", "-c", command.c_str(), nullptr };
            if (posix_spawn (&manager, sh[0], nullptr, nullptr, const_cast<char**> (sh), environ) != 0)
                return false;

            // A window manager announces itself on the root window once it manages the screen.
            const Atom check = XInternAtom (display, "_NET_SUPPORTING_WM_CHECK", False);
            return waitFor ([&] {
                Atom type = None;
                int format = 0;
                unsigned long items = 0, after = 0;
                unsigned char* data = nullptr;
                XGetWindowProperty (display, DefaultRootWindow (display), check, 0, 1, False, XA_WINDOW, &type, &format, &items, &after, &data);
                if (data != nullptr)
                    XFree (data);
                return items == 1;
            });
        }

        void start (const std::vector<std::string>& args)
        {
            std::string command = "cd " + quoted (folder.string()) + " && exec env GRINDEL_DATA_ROOT=" + quoted ((folder / "data").string())
                + " DISPLAY=" + displayName + " " + quoted (GRINDEL_AAX_HOST);
            for (const auto& a : args)
                command += " " + quoted (a);
            command += " >" + quoted ((folder / "stdout").string()) + " 2>" + quoted ((folder / "stderr").string());

            const char* argv[] = { "/bin/sh", "-c", command.c_str(), nullptr };
            ASSERT_EQ (0, posix_spawn (&child, "/bin/sh", nullptr, nullptr, const_cast<char**> (argv), environ));
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

            std::istringstream lines (textOf (folder / "stderr"));
            for (std::string line; std::getline (lines, line);)
                test::AssertionReport::reportJuceMessage (line);

            return WIFEXITED (status) ? WEXITSTATUS (status) : -1;
        }

        std::string out() const { return textOf (folder / "stdout"); }

        // The groups of the last match of a pattern in what the host has printed so far.
        std::vector<std::string> printedLast (const std::regex& pattern) const
        {
            const auto text = out();
            std::vector<std::string> groups;
            for (std::sregex_iterator i (text.begin(), text.end(), pattern), end; i != end; ++i)
            {
                groups.clear();
                for (const auto& group : *i)
                    groups.push_back (group.str());
            }
            return groups;
        }

        void click (Window window, int x, int y, unsigned int button = 1)
        {
            Window inner = 0;
            int rootX = 0, rootY = 0;
            XTranslateCoordinates (display, window, DefaultRootWindow (display), x, y, &rootX, &rootY, &inner);
            XTestFakeMotionEvent (display, DefaultScreen (display), rootX, rootY, CurrentTime);
            XTestFakeButtonEvent (display, button, True, CurrentTime);
            XTestFakeButtonEvent (display, button, False, CurrentTime);
            XSync (display, False);
        }

        // Waits until the window manager (which holds every click in a window to focus it) and
        // the window have let go of the pointer: the click has been delivered, and what is
        // typed next reaches the window after it.
        void letGo()
        {
            const auto root = DefaultRootWindow (display);
            ASSERT_TRUE (waitFor ([&] {
                if (XGrabPointer (display, root, False, 0, GrabModeAsync, GrabModeAsync, None, None, CurrentTime) != GrabSuccess)
                    return false;
                XUngrabPointer (display, CurrentTime);
                XSync (display, False);
                return true;
            }));
        }

        // Key presses and releases as a keyboard makes them, the modifier held around the key.
        void key (const char* name, const char* modifier = nullptr)
        {
            const auto code = XKeysymToKeycode (display, XStringToKeysym (name));
            const auto held = modifier != nullptr ? XKeysymToKeycode (display, XStringToKeysym (modifier)) : 0;
            if (held != 0)
                XTestFakeKeyEvent (display, held, True, CurrentTime);
            XTestFakeKeyEvent (display, code, True, CurrentTime);
            XTestFakeKeyEvent (display, code, False, CurrentTime);
            if (held != 0)
                XTestFakeKeyEvent (display, held, False, CurrentTime);
            XSync (display, False);
        }

        Window focus() const
        {
            Window focused = 0;
            int revert = 0;
            XGetInputFocus (display, &focused, &revert);
            return focused;
        }

        Window firstChild (Window window) const
        {
            Window root = 0, parent = 0, first = 0;
            Window* children = nullptr;
            unsigned int count = 0;
            if (XQueryTree (display, window, &root, &parent, &children, &count) != 0 && count > 0)
                first = children[0];
            if (children != nullptr)
                XFree (children);
            return first;
        }

        // What a task bar asks of the window manager when the user picks a window.
        void activate (Window window)
        {
            XEvent event {};
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = XInternAtom (display, "_NET_ACTIVE_WINDOW", False);
            event.xclient.format = 32;
            event.xclient.data.l[0] = 2;   // from a pager or task bar
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent (display, DefaultRootWindow (display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
            XSync (display, False);
        }

        // The colours of an area of the window as the X server shows it; none while the area
        // is not on the screen (the window is being resized, or is not mapped yet).
        std::vector<unsigned long> pixels (Window window, int x, int y, int w, int h) const
        {
            std::vector<unsigned long> found;
            const auto previous = XSetErrorHandler ([] (Display*, XErrorEvent*) { return 0; });
            if (auto* image = XGetImage (display, window, x, y, static_cast<unsigned> (w), static_cast<unsigned> (h), AllPlanes, ZPixmap))
            {
                for (int row = 0; row < h; ++row)
                    for (int column = 0; column < w; ++column)
                        found.push_back (XGetPixel (image, column, row) & 0xFFFFFF);
                XDestroyImage (image);
            }
            XSync (display, False);
            XSetErrorHandler (previous);
            return found;
        }

        bool shows (Window window, int x, int y, int w, int h, unsigned long colour) const
        {
            const auto area = pixels (window, x, y, w, h);
            return std::find (area.begin(), area.end(), colour) != area.end();
        }

        void type (const std::string& text)
        {
            for (const char c : text)
                key (c == ' ' ? "space" : std::string (1, c).c_str(), std::isupper (static_cast<unsigned char> (c)) != 0 ? "Shift_L" : nullptr);
        }

        // The user presets the host's run has written.
        std::vector<std::string> savedPresets() const
        {
            std::vector<std::string> names;
            std::error_code ec;
            for (fs::recursive_directory_iterator i (folder / "data" / "User", ec), end; ! ec && i != end; i.increment (ec))
                if (i->path().extension() == ".grprs2")
                    names.push_back (i->path().filename().string());
            return names;
        }
    };
}

TEST_F (EditorKeyboard, UnderAWindowManagerANameTypedIntoSaveAsNamesTheSavedPreset)
{
    if (! openManagedDisplay())
        GTEST_SKIP() << "no Xvfb or no openbox";

    start ({ "--editor", "--tone", "1", "--out", (folder / "take.wav").string(), "--block", "256" });

    std::vector<std::string> opened;
    ASSERT_TRUE (waitFor ([&] { return ! (opened = printedLast (std::regex ("editor window 0x([0-9a-f]+): (\\d+) x (\\d+)"))).empty(); }))
        << out() << textOf (folder / "stderr");
    const auto window = static_cast<Window> (std::stoul (opened[1], nullptr, 16));
    const int closedHeight = std::stoi (opened[3]);

    // "Save As" from the preset name's actions docks the browser in its save mode: the editor
    // asks for a taller window. Until the skin is up, the clicks are made again.
    int height = closedHeight, tries = 0;
    ASSERT_TRUE (waitFor ([&] {
        if (const auto size = printedLast (std::regex ("editor size: 1180 x (\\d+)")); ! size.empty())
            height = std::stoi (size[1]);
        if (height > closedHeight)
            return true;
        if (tries++ % 50 == 0)
        {
            click (window, kPresetNameX, kPresetNameY, 3);
            click (window, kPresetNameX, kSaveAsY);
        }
        return false;
    })) << out();

    // The user clicks the name field, then works in another window for a while, picked in
    // the task bar (asked again until the window manager has taken the new window on) ...
    click (window, kNameFieldX, height - kNameFieldAboveBottom);
    const auto other = XCreateSimpleWindow (display, DefaultRootWindow (display), 0, 0, 200, 200, 0, 0, 0);
    XMapWindow (display, other);
    XSync (display, False);
    int asked = 0;
    ASSERT_TRUE (waitFor ([&] {
        if (asked++ % 25 == 0)
            activate (other);
        return focus() == other;
    }));

    // ... and comes back through the task bar: the window manager focuses the host's window,
    // which hands the keyboard to the editor, whose name field has it again.
    activate (window);
    const auto editorWindow = firstChild (window);
    ASSERT_NE (editorWindow, 0u);
    ASSERT_TRUE (waitFor ([&] { return focus() == editorWindow; })) << "the keyboard stays with window 0x" << std::hex << focus();

    // The user types a name of their own over what the field holds.
    const std::string typed = "typed 42";
    key ("a", "Control_L");

    for (const char c : typed)
        key (c == ' ' ? "space" : std::string (1, c).c_str());

    key ("Return");

    std::vector<std::string> saved;
    EXPECT_TRUE (waitFor ([&] { return ! (saved = savedPresets()).empty(); })) << "nothing was saved";
    EXPECT_EQ (saved, std::vector<std::string> { typed + ".grprs2" });

    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom (display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long> (XInternAtom (display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent (display, window, False, NoEventMask, &event);
    XSync (display, False);
    EXPECT_EQ (0, finish()) << textOf (folder / "stderr");
}

namespace
{
    // What the user does before the Save As whose name field takes "My Crunch 1".
    enum class Step
    {
        browse,          // a click on the preset name opens the browser below the skin
        closeBrowser,    // a second click closes it
        saveFirstTake,   // Save As, "First Take" typed and saved
        renameMine       // Edit Mode, a double click on "Mine" and "Renamed" typed
    };

    struct SaveAsOrder
    {
        const char* name;
        std::vector<Step> before;
        std::vector<std::string> presets;   // the user presets at the end
    };

    void PrintTo (const SaveAsOrder& order, std::ostream* os) { *os << order.name; }

    class SaveAsAfterOtherSteps : public EditorKeyboard,
                                  public ::testing::WithParamInterface<SaveAsOrder>
    {
    protected:
        Window window = 0;
        int closedHeight = 0;

        fs::path presetFolder() const { return folder / "data" / "User" / "Application Support" / "Orvik Group" / "Grindel 2" / "Presets"; }

        int height() const
        {
            const auto size = printedLast (std::regex ("editor size: 1180 x (\\d+)"));
            return size.empty() ? closedHeight : std::stoi (size[1]);
        }

        // Moves the window to the top of the screen, as a user drags it there, so that the
        // browser it grows for stays on the screen wherever the window manager put it.
        void moveToTop()
        {
            const auto topOfScreen = [&] {
                Window root = 0, parent = 0, inner = 0;
                Window* children = nullptr;
                unsigned int count = 0;
                int x = 0, y = 0;
                XQueryTree (display, window, &root, &parent, &children, &count);
                if (children != nullptr)
                    XFree (children);
                XTranslateCoordinates (display, window, root, 0, 0, &x, &y, &inner);
                return parent != root && y < 100;   // in the window manager's frame, at the top
            };
            int tries = 0;
            ASSERT_TRUE (waitFor ([&] {
                if (tries++ % 25 == 0)
                {
                    XMoveWindow (display, window, 0, 0);
                    XSync (display, False);
                }
                return topOfScreen();
            })) << "the window stays where the window manager put it";
        }

        bool nameFieldShows() const { return height() > closedHeight && shows (window, kNameFieldX, height() - kNameFieldAboveBottom, 1, 1, kFieldWhite); }

        // A click as a user makes it: the window manager has let go of it and offered the
        // host's window the focus, and the keyboard is with the editor before the user acts
        // again.
        void clickThrough (int x, int y, unsigned int button = 1)
        {
            click (window, x, y, button);
            letGo();
            const auto editorWindow = firstChild (window);
            ASSERT_TRUE (waitFor ([&] { return focus() == editorWindow; })) << "the keyboard stays with window 0x" << std::hex << focus();
        }

        // "Save As" from the preset name's actions (asked again should the actions miss it:
        // once in Save As, asking again changes nothing).
        void saveAs()
        {
            int tries = 0;
            ASSERT_TRUE (waitFor ([&] {
                if (tries++ % 100 == 0)
                {
                    clickThrough (kPresetNameX, kPresetNameY, 3);
                    clickThrough (kPresetNameX, kSaveAsY);
                }
                return nameFieldShows();
            })) << "no Save As\n"
                << out();
        }

        // Clicks the name field and types over its text.
        void typeName (const std::string& name)
        {
            clickThrough (kNameFieldX, height() - kNameFieldAboveBottom);
            key ("a", "Control_L");
            type (name);
        }

        // Saves, and waits for the new preset file (written by the browser's disk worker).
        void save()
        {
            const auto before = savedPresets().size();
            clickThrough (kSaveButtonX, height() - kNameFieldAboveBottom);
            ASSERT_TRUE (waitFor ([&] { return ! nameFieldShows() && savedPresets().size() > before; })) << "Save wrote nothing";
        }

        void take (Step step)
        {
            switch (step)
            {
                case Step::browse:
                {
                    // Until the window manager has grown its frame, the bottom row is off the
                    // screen. A click that the loaded machine lost (the editor asked for no new
                    // size for 5 s) is made again, as a user would.
                    int polls = 0;
                    ASSERT_TRUE (waitFor ([&] {
                        if (polls++ % 250 == 0 && height() == closedHeight)
                            clickThrough (kPresetNameX, kPresetNameY);
                        return height() > closedHeight && shows (window, kDeleteX, height() - kNameFieldAboveBottom, 1, 1, kRowGrey);
                    })) << "the browser did not open\n"
                        << out();
                    break;
                }
                case Step::closeBrowser:
                    // Away from the first click: not a double click.
                    clickThrough (kPresetNameX + 40, kPresetNameY);
                    ASSERT_TRUE (waitFor ([&] { return height() == closedHeight; })) << "the browser did not close";
                    break;
                case Step::saveFirstTake:
                    saveAs();
                    typeName ("First Take");
                    save();
                    ASSERT_TRUE (waitFor ([&] { return height() == closedHeight; })) << "the browser did not close after Save";
                    break;
                case Step::renameMine:
                {
                    // Edit Mode lists the user's presets alone, "Mine" in the first row, and
                    // shows "Delete" beside "Edit Mode".
                    const int y = height() - kFirstRowAboveBottom;
                    const auto firstRow = [&] { return pixels (window, kFirstRowX - 14, y - 6, 80, 12); };
                    const auto named = [] (std::vector<unsigned long> row) {
                        std::sort (row.begin(), row.end());
                        return std::unique (row.begin(), row.end()) - row.begin() > 2;
                    };
                    std::vector<unsigned long> browsing;
                    ASSERT_TRUE (waitFor ([&] { return named (browsing = firstRow()); })) << "no list";
                    clickThrough (kEditModeX, height() - kNameFieldAboveBottom);
                    ASSERT_TRUE (waitFor ([&] {
                        const auto row = firstRow();
                        return row != browsing && named (row) && ! shows (window, kDeleteX, height() - kNameFieldAboveBottom, 1, 1, kRowGrey);
                    })) << "no Edit Mode";
                    click (window, kFirstRowX, y);
                    clickThrough (kFirstRowX, y);
                    type ("Renamed");
                    key ("Return");
                    ASSERT_TRUE (waitFor ([&] { return fs::exists (presetFolder() / "Renamed.grprs2"); })) << "no rename";
                    break;
                }
            }
        }
    };
}

TEST_P (SaveAsAfterOtherSteps, TheNameFieldTakesTheTypedNameAndSaveWritesIt)
{
    if (! openManagedDisplay())
        GTEST_SKIP() << "no Xvfb or no openbox";

    // One preset of the user's own, to rename.
    fs::create_directories (presetFolder());
    std::ofstream (presetFolder() / "Mine.grprs2") << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                                   << "<Preset name=\"Mine\" application=\"Grindel 2\"><Value id=\"0\" value=\"20000\"/></Preset>\n";

    start ({ "--editor", "--tone", "1", "--out", (folder / "take.wav").string(), "--block", "256" });
    std::vector<std::string> opened;
    ASSERT_TRUE (waitFor ([&] { return ! (opened = printedLast (std::regex ("editor window 0x([0-9a-f]+): (\\d+) x (\\d+)"))).empty(); }))
        << out() << textOf (folder / "stderr");
    window = static_cast<Window> (std::stoul (opened[1], nullptr, 16));
    closedHeight = std::stoi (opened[3]);
    moveToTop();
    ASSERT_TRUE (waitFor ([&] { return shows (window, kHeaderX, kHeaderY, 40, 10, kHeaderGrey); })) << "the skin never showed\n"
                                                                                                    << out();

    for (const auto step : GetParam().before)
    {
        take (step);
        if (HasFatalFailure())
            return;
    }

    saveAs();
    ASSERT_FALSE (HasFatalFailure());
    typeName ("My Crunch 1");
    save();
    ASSERT_FALSE (HasFatalFailure());

    auto saved = savedPresets();
    std::sort (saved.begin(), saved.end());
    std::vector<std::string> expected;
    for (const auto& name : GetParam().presets)
        expected.push_back (name + ".grprs2");
    EXPECT_EQ (saved, expected);

    const auto text = textOf (presetFolder() / "My Crunch 1.grprs2");
    std::smatch root;
    EXPECT_TRUE (std::regex_search (text, root, std::regex ("<Preset name=\"([^\"]*)\"")) && root[1] == "My Crunch 1") << text;

    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom (display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long> (XInternAtom (display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent (display, window, False, NoEventMask, &event);
    XSync (display, False);
    EXPECT_EQ (0, finish()) << textOf (folder / "stderr");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P (EditorKeyboard, SaveAsAfterOtherSteps, ::testing::Values (
    SaveAsOrder { "SaveAsFirst",            {},                                     { "Mine", "My Crunch 1" } },
    SaveAsOrder { "BrowseThenSaveAs",       { Step::browse },                       { "Mine", "My Crunch 1" } },
    SaveAsOrder { "BrowseCloseThenSaveAs",  { Step::browse, Step::closeBrowser },   { "Mine", "My Crunch 1" } },
    SaveAsOrder { "SaveAsTwice",            { Step::saveFirstTake },                { "First Take", "Mine", "My Crunch 1" } },
    SaveAsOrder { "SaveAsAfterARename",     { Step::browse, Step::renameMine },     { "My Crunch 1", "Renamed" } }),
    [] (const ::testing::TestParamInfo<SaveAsOrder>& row) { return std::string (row.param.name); });
// clang-format on
