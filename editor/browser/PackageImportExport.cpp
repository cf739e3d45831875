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

PackageImportExport::PackageImportExport (Browser& b, const juce::String& exportExtension, const juce::String& name,
                                          const juce::String& base)
    : browser (b), extension (exportExtension), displayName (name), baseName (base), importFolder (juce::File::getSpecialLocation (juce::File::userDesktopDirectory)), exportFolder (importFolder)
{
    job.onItemAdded = [this] (ContentItem* item) { browser.itemImported (item); };
    job.onItemRemoved = [this] (ContentItem* item) { browser.itemRemoved (item); };
    job.setSliceLimits (BrowserBulkOperation::maxItemsPerSlice, BrowserBulkOperation::sliceBudgetMs);
}

PackageImportExport::~PackageImportExport()
{
    // The entry stream and the reader go before the dialogs that wait on them.
    cancelPendingUpdate();
    job.cancel();
    endExport();
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

    if (source == nullptr)
        return;

    retire (std::move (question));
    retire (std::move (message));
    retired.clear();   // a new job starts from a button or a chooser, never inside a dialog

    cancelPendingUpdate();
    largestSlice = 0;
    browser.importStarted();
    follow ([this, &file, source] { return job.start (file, *source); });

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
        triggerAsyncUpdate();
    }
    else if (state == PackageImportJob::State::conflict)
        ask();
    else
        finish();
}

bool PackageImportExport::runSlice()
{
    cancelPendingUpdate();
    handleAsyncUpdate();
    return isImporting() || isExporting();
}

void PackageImportExport::handleAsyncUpdate()
{
    if (job.getState() == PackageImportJob::State::paused)
        follow ([this] { return job.resume(); });

    if (isExporting())
        exportSlice();
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
    job.cancel();
    browser.transferProgress ({});
    browser.importFinished();

    // A job that left entries out says so; one that imported all of them needs no words.
    if (ended && ! job.isNotAZip() && ! job.wasEmpty() && (counts.skipped > 0 || counts.refused() > 0))
        showMessage (importTitle, describe (counts));
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

    if (source == nullptr || chosen == juce::File())
        return false;

    endExport();
    exportTarget = chosen.withFileExtension (extension);
    exportMissing = 0;

    for (auto* item : browser.getSelectedItems())
    {
        if (item == nullptr || ! item->belongsTo (source))
            continue;

        const auto itemFile = source->getItemFile (item->name);

        if (itemFile.existsAsFile())
            exportFiles.add (itemFile);
        else
            ++exportMissing;
    }

    if (exportFiles.isEmpty())
    {
        showMessage (exportTitle, "Nothing was exported: the selected items have no files.");
        return false;
    }

    exportArchive = std::make_unique<juce::MemoryOutputStream>();
    exportWriter = std::make_unique<ZipWriter> (*exportArchive, 9);
    largestSlice = 0;
    return exportSlice();
}

bool PackageImportExport::exportSlice()
{
    const auto started = juce::Time::getMillisecondCounterHiRes();
    const auto first = exportWriter->getNumEntries();
    juce::String error;
    bool ok = true;

    // As many files as a slice allows; the first always.
    for (auto next = first; ok && next < exportFiles.size(); ++next)
    {
        if (next - first >= BrowserBulkOperation::maxItemsPerSlice
            || (next > first && juce::Time::getMillisecondCounterHiRes() - started >= BrowserBulkOperation::sliceBudgetMs))
        {
            largestSlice = juce::jmax (largestSlice, next - first);
            browser.transferProgress ("Exporting: " + withThousands (next) + " of " + withThousands (exportFiles.size()) + " items");
            triggerAsyncUpdate();
            return true;
        }

        ok = exportWriter->addFile (exportFiles.getReference (next), error);
    }

    largestSlice = juce::jmax (largestSlice, exportWriter->getNumEntries() - first);

    // Recorded: a temporary that a kill leaves in the user's folder is found at the next start.
    ok = ok && exportWriter->writeTo (exportTarget, &error, true);
    const auto written = exportFiles.size();
    const auto missing = exportMissing;
    const auto file = exportTarget;
    endExport();

    if (! ok)
        showMessage (exportTitle, "Could not write\n" + file.getFullPathName() + "\n(" + error + ")");
    else if (missing > 0)
        showMessage (exportTitle, "Exported " + plural (written, "item", "items") + ".\n" + plural (missing, "selected item has", "selected items have") + " no file and " + (missing == 1 ? "was" : "were") + " left out.");

    return ok;
}

void PackageImportExport::endExport()
{
    if (exportWriter == nullptr && exportFiles.isEmpty())
        return;

    exportWriter.reset();
    exportArchive.reset();
    exportFiles.clearQuick();
    browser.transferProgress ({});
}
