// The longest turn of the message loop while the content browser imports, exports, changes the
// tags of and deletes 10,000, 50,000 and 100,000 presets: the browser is on the screen (an X
// display is needed: scripts/bench.sh starts Xvfb when there is none), the operation runs on
// the real message loop as a click starts it, and a 10 ms timer notes the longest gap between
// its calls. Goal: no turn over 100 ms at any size ("longest_ms"). "us_per_item" is the
// operation's time to its end (from the click to the last item in the list) per preset. Each
// case starts with its files flushed to the disk (sync), so it pays for no earlier write-back.

#include "core/PluginAudioProcessor.h"
#include "core/content/PresetSources.h"
#include "editor/browser/ContentBrowser.h"
#include "editor/browser/ContentTagEditor.h"
#include "BenchmarkSetup.h"
#include <unistd.h>

/** The X connection that makes a bare server's atoms (defined at the end: Xlib's macros stay
    out of the rest). */
void* prepareBareXServer();
void closeBareXServer (void* display);

namespace
{
    juce::File benchRoot()
    {
        static const auto root = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                     .getNonexistentChildFile ("grindel-bench-turns", {}, false);
        return root;
    }

    void writePresets (const juce::File& folder, int count)
    {
        folder.deleteRecursively();
        folder.createDirectory();

        for (int i = 0; i < count; ++i)
        {
            const auto name = "Preset " + juce::String ((int) (((juce::int64) i * 7919) % count));
            folder.getChildFile (name + Preset::fileExtension)
                .replaceWithText ("<?xml version=\"1.0\"?>\r\n<Preset name=\"" + name
                                  + "\" application=\"Grindel 2\" tags=\"Style:Bass\">\r\n  <Value id=\"6\" value=\"25\"/>\r\n</Preset>\r\n");
        }

        ::sync();
    }

    juce::File archiveOf (int count)
    {
        const auto archive = benchRoot().getChildFile ("Archive " + juce::String (count) + ".grzip");

        if (! archive.existsAsFile())
        {
            const auto folder = benchRoot().getChildFile ("Out");
            writePresets (folder, count);
            createZipFile (archive, folder.findChildFiles (juce::File::findFiles, false, "*"), 0);
            folder.deleteRecursively();
        }

        return archive;
    }

    /** Notes the longest gap between the calls of a 10 ms timer. */
    struct TurnWatch : juce::Timer
    {
        TurnWatch()
        {
            last = juce::Time::getMillisecondCounterHiRes();
            startTimer (10);
        }

        ~TurnWatch() override { stopTimer(); }

        void timerCallback() override
        {
            const auto now = juce::Time::getMillisecondCounterHiRes();
            longest = juce::jmax (longest, now - last);
            last = now;
        }

        double last = 0, longest = 0;
    };

    /** The browser in Edit Mode on one user folder, in a window on the screen. */
    struct ShownBrowser
    {
        explicit ShownBrowser (const juce::File& folder)
            : source (processor.getPlugin(), folder), browser (processor.getPlugin(), "Presets", ".grzip")
        {
            window.setBounds (40, 40, 1062, 540);
            browser.setWindowed (false);
            browser.setBounds (window.getLocalBounds());
            window.addAndMakeVisible (browser);
            browser.setCurrentSource (&source);
            window.addToDesktop (juce::ComponentPeer::windowHasTitleBar);
            window.setVisible (true);
            browser.open (false);
            browser.getEditModeButton().setToggleState (true, juce::sendNotificationSync);
            runUntil ([this] { return window.isShowing(); });
        }

        ~ShownBrowser()
        {
            browser.close (true);
            window.removeFromDesktop();
        }

        void selectAll()
        {
            browser.getResults().keyPressed (juce::KeyPress ('a', juce::ModifierKeys::commandModifier, 0));
            runUntil ([] { return true; });
        }

        /** Runs the real message loop until done; false when it took over ten minutes. */
        static bool runUntil (const std::function<bool()>& done)
        {
            const auto deadline = juce::Time::getMillisecondCounter() + 600000;

            do
            {
                juce::MessageManager::getInstance()->runDispatchLoopUntil (2);
            } while (! done() && juce::Time::getMillisecondCounter() < deadline);

            return done();
        }

        PluginAudioProcessor processor;
        PresetsDirectoryContent<Preset> source;
        juce::Component window;
        ContentBrowser browser;
    };

    /** Times the operation that start() begins until finished() holds, on the real loop. */
    void measure (benchmark::State& state, int count, const std::function<void()>& start,
                  const std::function<bool()>& finished)
    {
        TurnWatch watch;
        const auto began = juce::Time::getMillisecondCounterHiRes();
        start();

        if (! ShownBrowser::runUntil (finished))
            state.SkipWithError ("the operation did not end");

        const auto took = juce::Time::getMillisecondCounterHiRes() - began;
        watch.timerCallback();
        state.SetIterationTime (took / 1000.0);
        state.counters["longest_ms"] = watch.longest;
        state.counters["us_per_item"] = took * 1000.0 / count;
    }

    void importTurns (benchmark::State& state)
    {
        const auto count = (int) state.range (0);
        const auto archive = archiveOf (count);
        const auto folder = benchRoot().getChildFile ("Imported");

        for (auto _ : state)
        {
            folder.deleteRecursively();
            ::sync();
            ShownBrowser b (folder);
            auto& transfer = b.browser.getPackageImport();
            measure (
                state, count, [&] { transfer.importFromFile (archive); }, [&] { return ! transfer.isImporting(); });

            if (b.browser.getResults().getNumResults() != count)
                state.SkipWithError ("not every preset was imported");
        }
    }

    void exportTurns (benchmark::State& state)
    {
        const auto count = (int) state.range (0);
        const auto folder = benchRoot().getChildFile ("Exported");
        writePresets (folder, count);
        const auto target = benchRoot().getChildFile ("Export.grzip");

        for (auto _ : state)
        {
            ShownBrowser b (folder);
            b.selectAll();
            auto& transfer = b.browser.getPackageImport();
            measure (
                state, count, [&] { transfer.exportTo (target); }, [&] { return ! transfer.isExporting(); });

            if (ZipReader (target).getNumEntries() != count)
                state.SkipWithError ("not every preset was exported");
        }
    }

    void tagClickTurns (benchmark::State& state)
    {
        const auto count = (int) state.range (0);
        const auto folder = benchRoot().getChildFile ("Tagged");
        writePresets (folder, count);

        for (auto _ : state)
        {
            ShownBrowser b (folder);
            b.selectAll();
            auto* editor = b.browser.getTagEditor();
            editor->rebuild();
            auto& bulk = b.browser.getBulkOperation();
            measure (
                state, count, [&] { editor->categoryItemClicked (editor->getContainer().getCategory (0), 0); },
                [&] { return ! bulk.isRunning(); });
        }
    }

    void deleteTurns (benchmark::State& state)
    {
        const auto count = (int) state.range (0);
        const auto folder = benchRoot().getChildFile ("Deleted");

        for (auto _ : state)
        {
            writePresets (folder, count);
            ShownBrowser b (folder);
            b.selectAll();
            auto& bulk = b.browser.getBulkOperation();
            measure (
                state, count, [&] { b.browser.deleteSelectedConfirmed(); }, [&] { return ! bulk.isRunning(); });

            if (b.browser.getResults().getNumResults() != 0)
                state.SkipWithError ("not every preset was deleted");
        }
    }

    void sizes (benchmark::internal::Benchmark* b)
    {
        b->Arg (10000)->Arg (50000)->Arg (100000)->Unit (benchmark::kMillisecond)->Iterations (1)->UseManualTime();
    }
}

BENCHMARK (importTurns)->Apply (sizes);
BENCHMARK (exportTurns)->Apply (sizes);
BENCHMARK (tagClickTurns)->Apply (sizes);
BENCHMARK (deleteTurns)->Apply (sizes);

int main (int argc, char** argv)
{
    auto* display = prepareBareXServer();

    if (display == nullptr)
    {
        std::fprintf (stderr, "BulkTurnBenchmark needs an X display (scripts/bench.sh starts Xvfb)\n");
        return 1;
    }

    const auto result = runBenchmarksWithGui (argc, argv);
    benchRoot().deleteRecursively();
    closeBareXServer (display);
    return result;
}

#include <X11/Xlib.h>

// A bare X server (no window manager) lacks atoms JUCE uses unchecked: made before JUCE
// starts, on a connection that stays open.
void* prepareBareXServer()
{
    auto* display = XOpenDisplay (nullptr);

    if (display != nullptr)
    {
        for (const char* name : { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_CHANGE_STATE",
                                  "WM_STATE", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN" })
            XInternAtom (display, name, False);

        XSync (display, False);
    }

    return display;
}

void closeBareXServer (void* display)
{
    XCloseDisplay (static_cast<Display*> (display));
}
