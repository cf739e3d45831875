#include "editor/browser/PackageImportExport.h"
#include "editor/browser/BrowserBulkOperation.h"

namespace
{
    juce::String plural (int count, const char* one, const char* many)
    {
        return juce::String (count) + " " + (count == 1 ? one : many);
    }

    juce::String withThousands (int n)
    {
        auto text = juce::String (n);

        for (int i = text.length() - 3; i > 0; i -= 3)
            text = text.substring (0, i) + "," + text.substring (i);

        return text;
    }
}

void PackageImportExport::ImportWrites::write (std::shared_ptr<PackageImportJob::WriteBatch> batch)
{
    struct Task : BrowserDiskWorker::Task
    {
        void run() override { batch->perform(); }
        std::shared_ptr<PackageImportJob::WriteBatch> batch;
    };

    auto task = std::make_shared<Task>();
    task->batch = std::move (batch);
    worker.add (std::move (task));
}

/** An archive whose directory the worker reads. */
struct PackageImportExport::Opening : BrowserDiskWorker::Task
{
    void run() override { zip = std::make_unique<ZipReader> (file); }

    juce::File file;
    ContentSource* target = nullptr;
    std::unique_ptr<ZipReader> zip;
};

/** One export: the files listed on the message thread, then read, packed and written (with
    its sync) by run(), on the worker or, for a few items, at once. */
struct PackageImportExport::Export : BrowserDiskWorker::Task
{
    void run() override
    {
        juce::MemoryOutputStream archive;
        ZipWriter writer (archive, 9);

        for (const auto& file : files)
        {
            if (cancelled.load (std::memory_order_relaxed))
            {
                ok = false;
                return;
            }

            if (! file.existsAsFile())
                ++missing;
            else if (! writer.addFile (file, error))
            {
                ok = false;
                return;
            }

            done.fetch_add (1, std::memory_order_relaxed);
        }

        written = writer.getNumEntries();

        // Recorded: a temporary that a kill leaves in the user's folder is found at the next start.
        if (written > 0)
            ok = writer.writeTo (target, &error, true);
    }

    // Set on the message thread before the worker has it.
    ContentSource* source = nullptr;
    juce::Array<ContentItem*> items;
    juce::Array<juce::File> files;
    juce::File target;
    int listed = 0;

    std::atomic<int> done { 0 };
    std::atomic<bool> cancelled { false };

    // Read once the task is done.
    bool ok = true;
    juce::String error;
    int written = 0, missing = 0;
};

PackageImportExport::PackageImportExport (Browser& b, const juce::String& exportExtension, const juce::String& name,
                                          const juce::String& base)
    : browser (b), extension (exportExtension), displayName (name), baseName (base), importFolder (juce::File::getSpecialLocation (juce::File::userDesktopDirectory)), exportFolder (importFolder)
{
    job.onItemAdded = [this] (ContentItem* item) { browser.itemImported (item); };
    job.onItemRemoved = [this] (ContentItem* item) { browser.itemRemoved (item); };
    job.setSliceLimits (BrowserBulkOperation::maxItemsPerSlice, BrowserBulkOperation::sliceBudgetMs);
    job.setWriteThread (&importWrites, BrowserBulkOperation::maxItemsAtOnce);
}

PackageImportExport::~PackageImportExport()
{
    // The entry stream and the reader go before the dialogs that wait on them; an export not
    // written yet is dropped (nothing of it reaches the disk), one being written ends first.
    stopSlices();
    // The browser is going: what was written lands in its source only.
    job.onItemAdded = nullptr;
    job.onItemRemoved = nullptr;
    job.cancel();

    if (exporting != nullptr)
        exporting->cancelled = true;

    worker.dropQueued();
    worker.waitUntilIdle();
}

void PackageImportExport::stopQuietly()
{
    if (opening != nullptr || job.getState() == PackageImportJob::State::paused || job.getState() == PackageImportJob::State::conflict)
    {
        opening.reset();
        retire (std::move (question));
        job.cancel();
        browser.transferProgress ({});
        browser.importFinished();
    }

    if (exporting != nullptr)
    {
        exporting->cancelled = true;
        exporting.reset();
        browser.transferProgress ({});
    }

    worker.dropQueued();
    worker.waitUntilIdle();
}

void PackageImportExport::setBuild (const juce::String& branchName, const juce::String& commitText)
{
    branch = branchName;
    commit = commitText;
}

void PackageImportExport::retire (std::unique_ptr<Orvik::AlertWindow> alert)
{
    if (alert == nullptr)
        return;

    alert->setVisible (false);
    retired.add (alert.release());
}

void PackageImportExport::request (const juce::String& title, const juce::String& patterns, bool forSaving,
                                   const juce::File& start, std::function<void (const juce::File&)> done)
{
    if (fileRequest)
    {
        fileRequest (title, patterns, forSaving, std::move (done));
        return;
    }

    // Asynchronous: the host's message thread never waits on the native dialog.
    chooser = std::make_unique<juce::FileChooser> (title, start, patterns, true);
    const int flags = forSaving ? juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles
            | juce::FileBrowserComponent::warnAboutOverwriting
                                : juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles;
    chooser->launchAsync (flags, [done = std::move (done)] (const juce::FileChooser& c) { done (c.getResult()); });
}

void PackageImportExport::showMessage (const juce::String& title, const juce::String& text)
{
    retire (std::move (message));
    message = Orvik::AlertWindow::showMessage (this, title, text, &browser.getDialogParent());
}

//==============================================================================
// Import

juce::String PackageImportExport::describe (const PackageImportJob::Counts& counts)
{
    auto text = "Imported " + plural (counts.imported, "item", "items") + ".";

    if (counts.skipped > 0)
        text << "\nSkipped " << plural (counts.skipped, "entry", "entries") << ".";

    if (counts.refused() == 0 && counts.notTried == 0)
        return text;

    text << "\nRefused " << plural (counts.refused(), "entry", "entries") << ":";

    // clang-format off
    static const char* const reasons[PackageImportJob::numReasons] = {
        "unsafe name",
        "name too long (more than 200 bytes)",
        "too large",
        "not a preset",
        "damaged (does not match its checksum)",
        "encrypted",
        "unsupported compression method",
        "the disk is full",
        "the folder is read-only",
        "write error"
    };
    // clang-format on

    for (int r = 0; r < PackageImportJob::numReasons; ++r)
        if (const auto n = counts.refusedFor[r]; n > 0)
            text << "\n  " << n << ": " << reasons[r];

    if (counts.notTried > 0)
        text << "\nStopped there: " << plural (counts.notTried, "entry was", "entries were") << " not tried.";

    return text;
}

void PackageImportExport::importPackage()
{
    if (! browser.canManageItems() || browser.getCurrentSource() == nullptr)
        return;

    auto patterns = extension.isNotEmpty() ? "*" + extension : juce::String();

    if (displayName == "Kelvane")
        patterns << ";*.orvikpkg";

    request (importTitle, patterns, false, importFolder, [this] (const juce::File& file) {
        if (file == juce::File())
            return;

        importFromFile (file);
        importFolder = file.getParentDirectory();
    });
}

void PackageImportExport::importFromFile (const juce::File& file)
{
    auto* source = browser.getCurrentSource();

    if (source == nullptr || isImporting() || job.getState() == PackageImportJob::State::conflict)
        return;

    retire (std::move (question));
    retire (std::move (message));
    retired.clear();   // a new job starts from a button or a chooser, never inside a dialog

    largestSlice = 0;
    importStopped = false;
    browser.importStarted();

    // A large archive's directory takes a while to read: the worker reads it.
    if (file.getSize() > maxArchiveReadAtOnce)
    {
        opening = std::make_shared<Opening>();
        opening->file = file;
        opening->target = source;
        worker.add (opening);
        browser.transferProgress ("Importing: reading " + file.getFileName());
        startSlices();
        return;
    }

    startJob (std::make_unique<ZipReader> (file), file);
}

void PackageImportExport::startJob (std::unique_ptr<ZipReader> zip, const juce::File& file)
{
    auto* source = browser.getCurrentSource();

    if (source == nullptr)
    {
        browser.transferProgress ({});
        browser.importFinished();
        return;
    }

    follow ([this, &zip, source] { return job.start (std::move (zip), *source); });

    if (job.isNotAZip())
    {
        finish();
        showMessage (importTitle, "'" + file.getFileName() + "' is not a readable package.\nNothing was imported.");
        return;
    }

    if (job.wasEmpty())
    {
        finish();
        showMessage (importTitle, "'" + file.getFileName() + "' holds no entries.\nNothing was imported.");
    }
}

void PackageImportExport::follow (const std::function<PackageImportJob::State()>& slice)
{
    const auto before = job.getPosition();
    const auto state = slice();
    largestSlice = juce::jmax (largestSlice, job.getPosition() - before);

    if (job.isNotAZip() || job.wasEmpty())
        return;

    follow (state);
}

void PackageImportExport::follow (PackageImportJob::State state)
{
    if (state == PackageImportJob::State::paused)
    {
        browser.transferProgress ("Importing: " + withThousands (job.getPosition()) + " of "
                                  + withThousands (job.getNumEntries()) + " entries");
        startSlices();
    }
    else if (state == PackageImportJob::State::conflict)
        ask();
    else
        finish();
}

bool PackageImportExport::importMayGoOn()
{
    return browser.canManageItems() && browser.getCurrentSource() == job.getTarget();
}

bool PackageImportExport::runSlice()
{
    if (opening != nullptr && ! opening->isDone())
        worker.waitForTask (1000);
    else if (job.isWaitingForWrites())
        importWrites.worker.waitForTask (1000);
    else if (exporting != nullptr && exporting->listed >= exporting->items.size() && ! exporting->isDone())
        worker.waitForTask (1000);

    return slice();
}

bool PackageImportExport::slice()
{
    ++slicesRun;

    if (opening != nullptr && opening->isDone())
    {
        const auto done = std::move (opening);

        if (browser.getCurrentSource() != done->target || ! browser.canManageItems())
        {
            browser.transferProgress ({});
            browser.importFinished();
        }
        else
        {
            startJob (std::move (done->zip), done->file);
        }
    }

    if (job.getState() == PackageImportJob::State::paused)
    {
        // The browser shows another source now, or left Edit Mode: nothing more goes in.
        // The writes in flight land first.
        if (! importStopped && ! importMayGoOn())
        {
            importStopped = true;
            job.stopReading();
        }

        follow ([this] { return job.resume(); });
    }

    if (exporting != nullptr)
    {
        if (exporting->listed < exporting->items.size())
            prepareExport();
        else if (exporting->isDone())
            exportDone();
        else
            browser.transferProgress ("Exporting: " + withThousands (exporting->done.load (std::memory_order_relaxed)) + " of "
                                      + withThousands (exporting->files.size()) + " items");
    }

    return isImporting() || isExporting();
}

void PackageImportExport::ask()
{
    retire (std::move (question));
    question = Orvik::ReplaceAlertWindow::show (this, "Import - " + job.getEntryName(), job.getPendingName(),
                                                job.suggestName(), &browser.getDialogParent(), job.canReplace());
}

void PackageImportExport::finish()
{
    retire (std::move (question));
    const auto counts = job.getCounts();
    const bool ended = job.getState() == PackageImportJob::State::finished;
    const auto position = job.getPosition(), total = job.getNumEntries();
    job.cancel();
    browser.transferProgress ({});
    browser.importFinished();

    // A job that left entries out says so; one that imported all of them needs no words.
    if (importStopped)
        showMessage (importTitle, "The import stopped after " + withThousands (position) + " of " + withThousands (total) + " entries: the browser left the source it imported into.\n" + describe (counts));
    else if (ended && ! job.isNotAZip() && ! job.wasEmpty() && (counts.skipped > 0 || counts.refused() > 0))
        showMessage (importTitle, describe (counts));

    importStopped = false;
}

void PackageImportExport::alertWindowClosed (Orvik::AlertWindow* alert, int kind)
{
    if (alert != nullptr && alert == overwriteAlert.get())
    {
        if (kind == Orvik::AlertWindow::Overwrite)
            exportTo (pendingExport);

        pendingExport = juce::File();
        return;
    }

    if (alert == nullptr || alert != question.get() || job.getState() != PackageImportJob::State::conflict)
        return;

    switch (kind)
    {
        case Orvik::AlertWindow::Cancel:
            job.cancel();
            finish();
            break;
        case Orvik::AlertWindow::Replace: follow ([this] { return job.replace(); }); break;
        case Orvik::AlertWindow::Skip: follow ([this] { return job.skip(); }); break;
        case Orvik::AlertWindow::ReplaceAll: follow ([this] { return job.replaceAll(); }); break;
        case Orvik::AlertWindow::SkipAll: follow ([this] { return job.skipAll(); }); break;
        case Orvik::AlertWindow::Rename:
        {
            const auto newName = question->getNewName();
            follow ([this, &newName] { return job.rename (newName); });
            break;
        }
        default: break;
    }
}

//==============================================================================
// Export

juce::String PackageImportExport::getDefaultExportName() const
{
    auto name = displayName + " - " + baseName;

    if (branch != "master")
        name << " - " << juce::Time::getCurrentTime().formatted ("%Y-%m-%d - %H_%M_%S") << " - " << commit;

    return name;
}

void PackageImportExport::exportSelected()
{
    if (! browser.canManageItems() || browser.getSelectedItems().isEmpty())
        return;

    const auto folder = exportFolder.isDirectory() ? exportFolder
                                                   : juce::File::getSpecialLocation (juce::File::userDesktopDirectory);

    request (exportTitle, "*" + extension, true, folder.getChildFile (getDefaultExportName()), [this] (const juce::File& chosen) {
        if (chosen == juce::File())
            return;

        // The chooser asked about the name it returned; with the extension set it may name
        // another existing file, which is asked about before it is replaced.
        const auto file = chosen.withFileExtension (extension);
        exportFolder = file.getParentDirectory();

        if (file != chosen && file.exists())
        {
            pendingExport = file;
            retire (std::move (overwriteAlert));
            const int kinds[] = { Orvik::AlertWindow::Overwrite, Orvik::AlertWindow::Cancel, -1 };
            overwriteAlert = Orvik::AlertWindow::show (this, exportTitle,
                                                       "'" + file.getFileName() + "' already exists. Do you want to replace it?",
                                                       kinds, Orvik::AlertWindow::Cancel, Orvik::AlertWindow::Overwrite,
                                                       &browser.getDialogParent());
            return;
        }

        exportTo (file);
    });
}

bool PackageImportExport::exportTo (const juce::File& chosen)
{
    auto* source = browser.getCurrentSource();

    if (source == nullptr || chosen == juce::File() || isExporting())
        return false;

    exporting = std::make_shared<Export>();
    exporting->source = source;
    exporting->items = browser.getSelectedItems();
    exporting->target = chosen.withFileExtension (extension);
    largestSlice = 0;
    browser.transferProgress ("Exporting: 0 of " + withThousands (exporting->items.size()) + " items");

    // A few items are written at once, as a single save is.
    if (exporting->items.size() <= BrowserBulkOperation::maxItemsAtOnce)
    {
        prepareExport();
        exporting->run();
        return exportDone();
    }

    prepareExport();
    startSlices();
    return true;
}

void PackageImportExport::prepareExport()
{
    auto& run = *exporting;
    const auto started = juce::Time::getMillisecondCounterHiRes();

    // Only names become paths here; the files are looked at on the worker.
    for (int n = 0; run.listed < run.items.size() && n < BrowserBulkOperation::maxItemsPerSlice * 16
         && (n == 0 || juce::Time::getMillisecondCounterHiRes() - started < BrowserBulkOperation::sliceBudgetMs / 4);
         ++n)
    {
        auto* item = run.items.getUnchecked (run.listed++);

        if (item != nullptr && item->belongsTo (run.source))
            run.files.add (run.source->getItemFile (item->name));
    }

    if (run.listed >= run.items.size() && run.items.size() > BrowserBulkOperation::maxItemsAtOnce)
        worker.add (exporting);
}

bool PackageImportExport::exportDone()
{
    const auto run = std::move (exporting);
    browser.transferProgress ({});

    if (run->written == 0 && run->ok)
    {
        showMessage (exportTitle, "Nothing was exported: the selected items have no files.");
        return false;
    }

    if (! run->ok)
    {
        showMessage (exportTitle, "Could not write\n" + run->target.getFullPathName() + "\n(" + run->error + ")");
        return false;
    }

    if (run->missing > 0)
        showMessage (exportTitle, "Exported " + plural (run->written, "item", "items") + ".\n" + plural (run->missing, "selected item has", "selected items have") + " no file and " + (run->missing == 1 ? "was" : "were") + " left out.");

    return true;
}
