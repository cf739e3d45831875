// The content browser's work over many presets (10,000, 50,000 and 100,000), each against a
// baseline in the same run. Both sides of a pair start from the same state of the file system:
// the same files, written and then flushed to the disk (sync) before the clock starts, so that
// neither side pays for the other's write-back, nor deletes files the disk never saw (deleting
// 100,000 files seconds after writing them costs a sixth of deleting them once on disk):
// - importing an archive of them through the real browser (Edit Mode, its result list sorting
//   each item into place) against the import job alone into the same empty folder. Goal: at
//   most 1.3 times.
// - a tag click with all of them selected, run to its end in slices on the message loop,
//   against rewriting the same files with AtomicFile in a plain loop. Goal: at most 1.5 times.
// - deleting all of them through the browser against deleting the same files in a plain loop,
//   in the folder's own order (order:0) and in the browser's, the list's (order:1).
// - exporting all of them through the browser against writing the same archive (ZipWriter,
//   AtomicFile) in a plain loop.
// The browser does the disk part of a tag edit, a delete and an export on a worker thread:
// every case is timed by the wall clock, the whole operation to its end.

#include "core/PluginAudioProcessor.h"
#include "core/content/PackageImportJob.h"
#include "core/content/PresetSources.h"
#include "core/parameters/AtomicFile.h"
#include "editor/browser/ContentBrowser.h"
#include "editor/browser/ContentTagEditor.h"
#include "BenchmarkSetup.h"
#include <unistd.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_DUMP_STATS_AT(name)
#endif

namespace
{
    juce::File benchRoot()
    {
        static const auto root = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                     .getNonexistentChildFile ("grindel-bench-bulk", {}, false);
        return root;
    }

    /** count presets in folder, named in an order unlike the order they are written in, and
        flushed to the disk. */
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

    /** Under callgrind (scripts/bench.sh --instructions), the instructions of every thread
        while it lives are written out on their own; elsewhere nothing. */
    struct CountedRegion
    {
        CountedRegion() { CALLGRIND_ZERO_STATS; }
        ~CountedRegion() { CALLGRIND_DUMP_STATS_AT ("countedRegion"); }
    };

    /** The archive of count presets (made once per size). */
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

    /** Leaves the import folder empty after count files were deleted from the file system: a
        file system finds inodes for new files more slowly right after a mass delete, so both
        sides of a pair start from the same state. */
    void emptyAfterChurn (const juce::File& folder, int count)
    {
        writePresets (folder, count);
        folder.deleteRecursively();
        ::sync();
    }

    /** The browser on one user folder, in Edit Mode. */
    struct Browser
    {
        explicit Browser (const juce::File& folder)
            : source (processor.getPlugin(), folder), browser (processor.getPlugin(), "Presets", ".grzip")
        {
            browser.setSize (1062, 540);
            browser.setCurrentSource (&source);
            browser.open (true);
            browser.getEditModeButton().setToggleState (true, juce::sendNotificationSync);
        }

        ~Browser() { browser.close (true); }

        /** Runs the message loop until the running operation and the list's layout are done. */
        void settle()
        {
            // Slice after slice, as the message loop would run them, without the harness's own
            // waits between messages.
            while (browser.getBulkOperation().runSlice() || browser.getPackageImport().runSlice())
            {
            }

            browser.getResults().flushLayout();

            // The tag editor's rebuild over the new selection is part of the work.
            if (auto* tags = browser.getTagEditor())
                tags->handleUpdateNowIfNeeded();
        }

        PluginAudioProcessor processor;
        PresetsDirectoryContent<Preset> source;
        ContentBrowser browser;
    };

    void importJobAlone (benchmark::State& state)
    {
        const auto count = (int) state.range (0);
        const auto archive = archiveOf (count);
        const auto folder = benchRoot().getChildFile ("Imported");
        PluginAudioProcessor processor;
        PresetsDirectoryContent<Preset> target (processor.getPlugin(), folder);

        for (auto _ : state)
        {
            state.PauseTiming();
            emptyAfterChurn (folder, count);
            target.refresh();
            state.ResumeTiming();

            const CountedRegion counted;
            PackageImportJob job;
            job.start (archive, target);

            if (job.getCounts().imported != count)
                state.SkipWithError ("not every preset was imported");
        }
    }

    void importThroughBrowser (benchmark::State& state)
    {
        const auto count = (int) state.range (0);
        const auto archive = archiveOf (count);
        const auto folder = benchRoot().getChildFile ("Imported");

        std::unique_ptr<Browser> b;

        for (auto _ : state)
        {
            state.PauseTiming();
            b.reset();
            emptyAfterChurn (folder, count);
            b = std::make_unique<Browser> (folder);
            state.ResumeTiming();

            const CountedRegion counted;
            b->browser.getPackageImport().importFromFile (archive);
            b->settle();

            if (b->browser.getResults().getNumResults() != count)
                state.SkipWithError ("not every preset was listed");
        }

        b.reset();
    }

    void rewriteWithAtomicFile (benchmark::State& state)
    {
        const auto count = (int) state.range (0);
        const auto folder = benchRoot().getChildFile ("Rewritten");
        writePresets (folder, count);
        const auto files = folder.findChildFiles (juce::File::findFiles, false, "*");

        for (auto _ : state)
        {
            const CountedRegion counted;

            for (const auto& file : files)
            {
                juce::MemoryBlock data;
                file.loadFileAsData (data);

                if (AtomicFile::write (file, data.getData(), data.getSize()).failed())
                    state.SkipWithError ("write failed");
            }
        }
    }

    void tagClickThroughBrowser (benchmark::State& state)
    {
        const auto count = (int) state.range (0);
        const auto folder = benchRoot().getChildFile ("Tagged");
        writePresets (folder, count);
        Browser b (folder);
        b.browser.getResults().keyPressed (juce::KeyPress ('a', juce::ModifierKeys::commandModifier, 0));
        auto* editor = b.browser.getTagEditor();
        editor->rebuild();
        auto* column = editor->getContainer().getCategory (0);

        for (auto _ : state)
        {
            // Each click turns the tag off or on again on every selected preset.
            const CountedRegion counted;
            editor->categoryItemClicked (column, 0);
            b.settle();
        }

        state.counters["slices"] = b.browser.getBulkOperation().getSlicesRun();
    }

    void deleteInAPlainLoop (benchmark::State& state)
    {
        const auto count = (int) state.range (0);
        const auto folder = benchRoot().getChildFile ("Deleted");

        for (auto _ : state)
        {
            state.PauseTiming();
            writePresets (folder, count);
            auto files = folder.findChildFiles (juce::File::findFiles, false, "*");

            if (state.range (1) != 0)
                std::sort (files.begin(), files.end(), [] (const juce::File& a, const juce::File& b) {
                    return ContentResults::isInDisplayOrder (a.getFileNameWithoutExtension(), b.getFileNameWithoutExtension());
                });

            state.ResumeTiming();

            const CountedRegion counted;

            for (const auto& file : files)
                file.deleteFile();
        }
    }

    void deleteThroughBrowser (benchmark::State& state)
    {
        const auto count = (int) state.range (0);
        const auto folder = benchRoot().getChildFile ("Deleted");

        std::unique_ptr<Browser> b;

        for (auto _ : state)
        {
            state.PauseTiming();
            b.reset();
            writePresets (folder, count);
            b = std::make_unique<Browser> (folder);
            b->browser.getResults().keyPressed (juce::KeyPress ('a', juce::ModifierKeys::commandModifier, 0));
            b->settle();
            state.ResumeTiming();

            const CountedRegion counted;
            b->browser.deleteSelectedConfirmed();
            b->settle();

            if (b->browser.getResults().getNumResults() != 0)
                state.SkipWithError ("not every preset was deleted");
        }

        b.reset();
    }

    void exportInAPlainLoop (benchmark::State& state)
    {
        const auto count = (int) state.range (0);
        const auto folder = benchRoot().getChildFile ("Exported");
        writePresets (folder, count);
        const auto files = folder.findChildFiles (juce::File::findFiles, false, "*");
        const auto target = benchRoot().getChildFile ("Plain.grzip");

        for (auto _ : state)
        {
            const CountedRegion counted;

            if (! createZipFile (target, files, 9, nullptr, true))
                state.SkipWithError ("export failed");
        }
    }

    void exportThroughBrowser (benchmark::State& state)
    {
        const auto count = (int) state.range (0);
        const auto folder = benchRoot().getChildFile ("Exported");
        writePresets (folder, count);
        Browser b (folder);
        b.browser.getResults().keyPressed (juce::KeyPress ('a', juce::ModifierKeys::commandModifier, 0));
        b.settle();
        const auto target = benchRoot().getChildFile ("Browser.grzip");

        for (auto _ : state)
        {
            const CountedRegion counted;

            if (! b.browser.getPackageImport().exportTo (target))
                state.SkipWithError ("export failed");

            b.settle();
        }
    }

    void sizes (benchmark::internal::Benchmark* b)
    {
        b->Arg (10000)->Arg (50000)->Arg (100000)->Unit (benchmark::kMillisecond)->Iterations (1)->UseRealTime();
    }
}

BENCHMARK (importJobAlone)->Apply (sizes);
BENCHMARK (importThroughBrowser)->Apply (sizes);
BENCHMARK (rewriteWithAtomicFile)->Apply (sizes);
BENCHMARK (tagClickThroughBrowser)->Apply (sizes);
BENCHMARK (deleteInAPlainLoop)->ArgNames ({ "", "order" })->ArgsProduct ({ { 10000, 50000, 100000 }, { 0, 1 } })->Unit (benchmark::kMillisecond)->Iterations (1)->UseRealTime();
BENCHMARK (deleteThroughBrowser)->Apply (sizes);
BENCHMARK (exportInAPlainLoop)->Apply (sizes);
BENCHMARK (exportThroughBrowser)->Apply (sizes);

int main (int argc, char** argv)
{
    const auto result = runBenchmarksWithGui (argc, argv);
    benchRoot().deleteRecursively();
    return result;
}
