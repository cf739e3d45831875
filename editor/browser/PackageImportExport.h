#pragma once

#include "core/content/PackageImportJob.h"
#include "core/content/ZipWriter.h"
#include "editor/browser/BrowserDiskWorker.h"
#include "editor/browser/SliceTimer.h"
#include "editor/windows/ReplaceAlertWindow.h"
#include "skin/PathComponent.h"

/** The content browser's Import and Export buttons: imports the items of a ZIP file (a
    ".grzip" written by Export) into the current source, asking Replace / Replace All / Rename /
    Skip / Skip All / Cancel at every name that is taken, and exports the selected items as one
    ZIP file. Failures and skipped entries are told to the user in an alert; nothing is
    reported as done that was not.

    The import walks the archive in short slices (as BrowserBulkOperation's) driven by a timer,
    so the message loop reads the user's input and paints between them; a large archive's
    directory is read on the worker thread first, and the new items' writes (with every check
    of a single import) run on a worker thread of the import's own, the slices making the
    items of what was written. The export reads, packs and writes the
    archive (with its sync) on the worker thread; a few items go at once. Both tell their
    progress; one of each runs at a time. Message thread only. */
class PackageImportExport : public Orvik::AlertWindow::Caller,
                            private SliceTimer
{
public:
    /** What the job needs of the browser that owns it. */
    class Browser
    {
    public:
        virtual ~Browser() = default;
        /** Where the items go and come from; null when there is none. */
        virtual ContentSource* getCurrentSource() const = 0;
        /** Import and export work only in browse mode with Edit Mode on. */
        virtual bool canManageItems() = 0;
        virtual juce::Array<ContentItem*> getSelectedItems() = 0;
        /** The parent of the questions and messages. */
        virtual juce::Component& getDialogParent() = 0;
        /** A job starts: the result list's selection is cleared. */
        virtual void importStarted() = 0;
        /** Added to the result list and to its selection (without notification). */
        virtual void itemImported (ContentItem* item) = 0;
        virtual void itemRemoved (ContentItem* item) = 0;
        /** A job ended: the tag editor rebuilds and the buttons follow. */
        virtual void importFinished() = 0;
        /** The text of a running import's or export's progress; empty when it ends. */
        virtual void transferProgress (const juce::String& /*progress*/) {}
    };

    /** displayName and branch, commit: the product's, for the export's default file name. */
    PackageImportExport (Browser& browser, const juce::String& exportExtension, const juce::String& displayName,
                         const juce::String& baseName);
    ~PackageImportExport() override;

    /** Message thread. The Import button: asks for a file, then importFromFile. */
    void importPackage();
    /** Message thread. Opens the ZIP file and runs its first slice; the rest follows on later
        turns of the message loop, stopping at every question. Ignored while an import runs.
        The import stops when the browser can no longer manage items or another source
        became current. */
    void importFromFile (const juce::File& file);
    /** Message thread. The Export button: asks for a file, then exportTo. */
    void exportSelected();
    /** Message thread. Writes the selected items of the current source into one ZIP file (the
        export extension replaces the file's own), in one step at the end. More than
        maxItemsAtOnce items are read and written on the worker thread, the message thread
        only telling the progress. False, with a message, when it failed before it handed the
        work over (or, for a few items, at all); a later failure is told in a message too.
        Items without a file are left out and reported. False while an export runs. */
    bool exportTo (const juce::File& file);

    /** Message thread. Ends a running import where it stands (what it imported stays, the
        writes it handed to its worker ending first) and
        drops a running export (nothing of it is written; one being written ends first),
        without a word: the window that showed them went. */
    void stopQuietly();

    /** The default export name: display name + " - " + base name, and on branches other than
        "master" the local time and the commit. */
    juce::String getDefaultExportName() const;
    void setBuild (const juce::String& branchName, const juce::String& commitText);

    /** Replaces the native file chooser (tests answer it). */
    void setFileRequest (PathComponent::FileRequest request) { fileRequest = std::move (request); }

    const juce::File& getImportFolder() const noexcept { return importFolder; }
    const juce::File& getExportFolder() const noexcept { return exportFolder; }
    const PackageImportJob& getJob() const noexcept { return job; }
    Orvik::ReplaceAlertWindow* getQuestion() const noexcept { return question.get(); }
    /** The last message (a failure or the end of a job that skipped entries), or null. */
    Orvik::AlertWindow* getMessage() const noexcept { return message.get(); }
    Orvik::AlertWindow* getOverwriteAlert() const noexcept { return overwriteAlert.get(); }

    /** Message thread. The answers of the questions. */
    void alertWindowClosed (Orvik::AlertWindow* alert, int buttonKind) override;

    /** Whether an import reads its archive or is between two slices. */
    bool isImporting() const noexcept { return opening != nullptr || job.getState() == PackageImportJob::State::paused; }
    bool isExporting() const noexcept { return exporting != nullptr; }
    /** Runs the next slice now, waiting for the worker when it has the next step
        (benchmarks); false when nothing waits. */
    bool runSlice();
    /** Archives up to this size have their directory read at once (a few milliseconds). */
    static constexpr juce::int64 maxArchiveReadAtOnce = 1024 * 1024;
    /** The most entries any slice walked, and the slices run (tests). */
    int getLargestSlice() const noexcept { return largestSlice; }
    int getSlicesRun() const noexcept { return slicesRun; }

    /** The summary of a job that left entries out: counts per kind of reason. */
    static juce::String describe (const PackageImportJob::Counts& counts);

    static constexpr const char* importTitle = "Import package";
    static constexpr const char* exportTitle = "Export items";

private:
    struct Opening;
    struct Export;

    /** The thread of the import's writes. */
    struct ImportWrites : PackageImportJob::WriteThread
    {
        void write (std::shared_ptr<PackageImportJob::WriteBatch> batch) override;
        void waitForWrites() override { worker.waitUntilIdle(); }

        BrowserDiskWorker worker;
    };

    bool slice() override;
    /** The archive's directory was read: the walk begins. */
    void startJob (std::unique_ptr<ZipReader> zip, const juce::File& file);
    /** Runs one decision or slice of the job and follows where it ends. */
    void follow (const std::function<PackageImportJob::State()>& slice);
    void follow (PackageImportJob::State state);
    /** Whether the running import may go on writing into its source. */
    bool importMayGoOn();
    /** Maps the next selected items to their files; hands the export over after the last. */
    void prepareExport();
    /** Tells how the export ended; false when nothing was written. */
    bool exportDone();
    void ask();
    void finish();
    void showMessage (const juce::String& title, const juce::String& text);
    void request (const juce::String& title, const juce::String& patterns, bool forSaving, const juce::File& start,
                  std::function<void (const juce::File&)> done);
    /** Dialogs answered from inside their own callbacks are deleted later, at the next job. */
    void retire (std::unique_ptr<Orvik::AlertWindow> alert);

    Browser& browser;
    const juce::String extension, displayName, baseName;
    juce::String branch { "master" }, commit;
    juce::File importFolder, exportFolder, pendingExport;
    // Made before the job and gone after it: the job's writes in flight end first.
    ImportWrites importWrites;
    PackageImportJob job;
    PathComponent::FileRequest fileRequest;
    std::unique_ptr<juce::FileChooser> chooser;
    std::unique_ptr<Orvik::ReplaceAlertWindow> question;
    std::unique_ptr<Orvik::AlertWindow> message, overwriteAlert;
    juce::OwnedArray<Orvik::AlertWindow> retired;
    int largestSlice = 0, slicesRun = 0;
    bool importStopped = false;

    // The archive whose directory the worker reads, and the running export.
    std::shared_ptr<Opening> opening;
    std::shared_ptr<Export> exporting;
    BrowserDiskWorker worker;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PackageImportExport)
};
