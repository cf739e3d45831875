#include "editor/browser/BrowserSampleImport.h"
#include "editor/browser/ContentBrowser.h"
#include "editor/browser/ContentTagEditor.h"
#include "editor/browser/ResultGrid.h"

BrowserSampleImport::BrowserSampleImport (ContentBrowser& owner, const juce::String& name)
    : browser (owner), baseName (name), importFolder (juce::File::getSpecialLocation (juce::File::userDesktopDirectory))
{
}

BrowserSampleImport::~BrowserSampleImport() = default;

bool BrowserSampleImport::alertWindowClosed (Orvik::AlertWindow* alert, int kind)
{
    if (alert == nullptr || alert != renameDialog.get())
        return false;

    // The dialog goes before the answer is acted on.
    const auto text = renameDialog->getText();
    renameDialog.reset();

    if (kind == Orvik::AlertWindow::Cancel)
        finish();
    else if (kind == Orvik::AlertWindow::OK)
        importAt (pendingImportIndex, text);

    return true;
}

void BrowserSampleImport::open()
{
    fileBrowser.reset();
    sampleFilter = std::make_unique<juce::WildcardFileFilter> (browser.getSampleFilePatterns(), "*", "Audio files");
    fileBrowser = std::make_unique<juce::FileBrowserComponent> (
        juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles
            | juce::FileBrowserComponent::canSelectMultipleItems,
        juce::File::getSpecialLocation (juce::File::userDesktopDirectory), sampleFilter.get(), nullptr);
    fileBrowser->addListener (&browser);
    fileBrowser->setColour (juce::TextButton::buttonColourId, juce::Colours::grey);

    // Rows as high as the result list's.
    if (auto* list = dynamic_cast<juce::FileListComponent*> (fileBrowser->getDisplayComponent()))
        list->setRowHeight (ResultGrid::rowHeight);

    browser.addAndMakeVisible (*fileBrowser);
    browser.setTitle (baseName + " - Import Samples");
    browser.updateControls();
    browser.fileBrowserOpened();
}

void BrowserSampleImport::importSelected()
{
    importedCount = 0;

    if (fileBrowser == nullptr)
        return;

    samplePaths.clear();

    for (int i = 0; i < fileBrowser->getNumSelectedFiles(); ++i)
        if (const auto file = fileBrowser->getSelectedFile (i); file.existsAsFile())
            samplePaths.add (file.getFullPathName());

    if (samplePaths.isEmpty())
        return;

    importFolder = juce::File (samplePaths[0]).getParentDirectory();
    browser.getResults().deselectAll();
    importAt (0, {});
}

void BrowserSampleImport::importAt (int index, const juce::String& requestedName)
{
    auto* source = browser.getCurrentSource();

    if (browser.getMode() != ContentBrowser::browseMode || browser.getTagEditor() == nullptr || source == nullptr || ! source->canImportSamples())
        return;

    if (index >= samplePaths.size())
    {
        finish();
        return;
    }

    const juce::File file (samplePaths[index]);
    const auto name = requestedName.isEmpty() ? file.getFileNameWithoutExtension() : requestedName;

    if (source->findItem (name) != nullptr)
    {
        pendingImportIndex = index;
        renameDialog = Orvik::InputTextWindow::run (&browser, "Rename Confirmation",
                                                    "'" + name + "' item already exists. Do you want to use other name?",
                                                    makeUniqueCopyName (*source, name), &browser);
        return;
    }

    if (auto* item = source->addItemCopy (file, name, {}))
    {
        browser.getResults().addItem (item);
        browser.getResults().selectItem (item, false, false);
        ++importedCount;
    }

    importAt (index + 1, {});
}

void BrowserSampleImport::finish()
{
    close (importedCount != 0);
    samplePaths.clear();

    if (auto* tagEditor = browser.getTagEditor())
        tagEditor->triggerAsyncUpdate();

    browser.updateButtonsEnabled();
}

void BrowserSampleImport::close (bool imported)
{
    if (fileBrowser != nullptr)
        browser.removeChildComponent (fileBrowser.get());

    fileBrowser.reset();
    browser.setTitle (baseName);
    browser.updateControls();
    browser.fileBrowserClosed (imported);
}
