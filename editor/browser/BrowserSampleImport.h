#pragma once

#include "editor/windows/AlertWindow.h"
#include "editor/windows/InputTextWindow.h"
#include <memory>

class ContentBrowser;

/** The content browser's sample import: a file browser in place of the panels, then a copy of
    each chosen audio file into the current source, asking for another name where one is taken.

    The browser listens to the file browser, opens the rename dialog as its caller and passes
    the answer on. Message thread only. */
class BrowserSampleImport
{
public:
    BrowserSampleImport (ContentBrowser& browser, const juce::String& baseName);
    ~BrowserSampleImport();

    /** Shows the file browser over the panels. */
    void open();
    /** Imports the files selected in the file browser, one by one. */
    void importSelected();
    void importAt (int index, const juce::String& name);
    void finish();
    void close (bool imported);
    /** Drops the file browser without updating the window (the browser is going). */
    void discardFileBrowser() { fileBrowser.reset(); }

    /** Takes the answer when the alert is the rename dialog (false otherwise). */
    bool alertWindowClosed (Orvik::AlertWindow* alert, int kind);

    juce::FileBrowserComponent* getFileBrowser() const noexcept { return fileBrowser.get(); }
    Orvik::InputTextWindow* getRenameDialog() const noexcept { return renameDialog.get(); }
    int getImportedCount() const noexcept { return importedCount; }

private:
    ContentBrowser& browser;
    const juce::String baseName;
    /** From the browser's patterns when the file browser opens; outlives the file browser. */
    std::unique_ptr<juce::WildcardFileFilter> sampleFilter;
    /** Present only while samples are imported. */
    std::unique_ptr<juce::FileBrowserComponent> fileBrowser;
    juce::File importFolder;
    juce::StringArray samplePaths;
    int pendingImportIndex = 0, importedCount = 0;
    std::unique_ptr<Orvik::InputTextWindow> renameDialog;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BrowserSampleImport)
};
