#include "editor/browser/BrowserItemOperations.h"
#include "core/BasePlugin.h"
#include "core/content/PresetSources.h"
#include "editor/browser/ContentBrowser.h"
#include "editor/browser/ContentTagEditor.h"

BrowserItemOperations::BrowserItemOperations (ContentBrowser& owner, const juce::String& exportExtension,
                                              const juce::String& displayName, const juce::String& baseName)
    : browser (owner), packageImport (owner, exportExtension, displayName, baseName)
{
}

BrowserItemOperations::~BrowserItemOperations() = default;

void BrowserItemOperations::showError (const juce::String& errorTitle, const juce::String& text)
{
    // A closed browser is hidden: its parent (the editor) shows the message.
    auto* parent = browser.isVisible() || browser.getParentComponent() == nullptr ? static_cast<juce::Component*> (&browser) : browser.getParentComponent();
    errorAlert = Orvik::AlertWindow::showMessage (&browser, errorTitle, text, parent);
}

bool BrowserItemOperations::alertWindowClosed (Orvik::AlertWindow* alert, int kind)
{
    if (alert == nullptr)
        return false;

    // Each answer deletes its dialog first (alerts touch nothing of themselves afterwards).
    if (alert == overwriteAlert.get())
    {
        overwriteAlert.reset();

        if (kind == Orvik::AlertWindow::Yes)
            storeItem (pendingSaveName);
        else if (browser.getNameEditor().isShowing())
            browser.getNameEditor().grabKeyboardFocus();
    }
    else if (alert == deleteAlert.get())
    {
        deleteAlert.reset();

        if (kind == Orvik::AlertWindow::Yes)
            deleteSelectedConfirmed();
    }
    else if (alert == errorAlert.get())
    {
        errorAlert.reset();
    }
    else
    {
        return false;
    }

    return true;
}

void BrowserItemOperations::save()
{
    auto* source = browser.getCurrentSource();

    if (source == nullptr || ! source->canSaveItems())
        return;

    const auto name = browser.getNameEditor().getText();

    // The item is saved under its safe name ("Keep " as "Keep", "Why?" as "Why_"): that is
    // the one that may be taken.
    if (source->findItem (ContentSource::makeSafeItemName (name)) != nullptr)
    {
        pendingSaveName = name;
        overwriteAlert = Orvik::AlertWindow::showYesNo (&browser, "Overwrite confirmation",
                                                        "Preset already exists.\nDo you want to overwrite it?", &browser);
        return;
    }

    storeItem (name);
}

void BrowserItemOperations::storeItem (const juce::String& name)
{
    auto* source = browser.getCurrentSource();

    if (browser.getTagEditor() == nullptr || browser.getMode() != ContentBrowser::saveMode || source == nullptr)
        return;

    auto& results = browser.getResults();
    std::unique_ptr<ContentSource::OverwriteStore> store;
    auto* existing = source->findItem (ContentSource::makeSafeItemName (name));

    if (existing != nullptr)
    {
        if (! source->deleteItem (existing, true, &store))
        {
            browser.close (false);
            showError ("Save failed", "'" + name + "' could not be replaced.\nThe preset is unchanged.");
            return;
        }

        results.removeItem (existing);
    }

    auto* item = source->addNewItem (name, browser.getTagEditor()->getFullTags(), store.get());

    // Unused, the store lists the old item again: its file was never touched.
    store.reset();

    if (item == nullptr)
    {
        browser.close (false);
        showError ("Save failed", "'" + name + "' could not be saved." + (existing != nullptr ? juce::String ("\nThe old preset is kept.") : juce::String()));
        return;
    }

    item->load (0);
    browser.close (true);
    results.selectItem (item, true, false);
}

void BrowserItemOperations::deleteSelected()
{
    if (browser.getMode() != ContentBrowser::browseMode || browser.getTagEditor() == nullptr || browser.getResults().getSelectedItems().isEmpty())
        return;

    deleteAlert = Orvik::AlertWindow::showYesNo (&browser, "Delete confirmation", "Do you want to delete selected files?", &browser);
}

void BrowserItemOperations::deleteSelectedConfirmed()
{
    if (browser.getMode() != ContentBrowser::browseMode || browser.getTagEditor() == nullptr)
        return;

    auto& results = browser.getResults();
    const auto selected = results.getSelectedItems();

    // The rows of a slice's deleted items leave the list together: one pass over the rows.
    const auto deleted = std::make_shared<juce::Array<ContentItem*>>();

    BrowserBulkOperation::Change change;
    change.applied = [deleted] (ContentItem& item) { deleted->add (&item); };

    const auto removeRows = [deleted, &results] {
        results.removeItems (*deleted);
        results.flushLayout();
        deleted->clearQuick();
    };

    browser.getBulkOperation().start (
        "Deleting", selected, std::move (change), [this, total = selected.size()] (int, int failed, const juce::String& reason) {
            if (auto* tagEditor = browser.getTagEditor())
                tagEditor->triggerAsyncUpdate();

            browser.updateButtonsEnabled();

            if (failed > 0)
                showError ("Delete failed", juce::String (failed) + " of " + juce::String (total) + " selected items could not be deleted." + (reason.isNotEmpty() ? "\n" + reason.substring (0, 1).toUpperCase() + reason.substring (1) : juce::String()));
        },
        removeRows);
}

void BrowserItemOperations::normalizeSelected()
{
    auto* source = browser.getCurrentSource();
    auto* folderSource = dynamic_cast<PresetFolderContent*> (source);

    if (folderSource == nullptr || browser.getMode() != ContentBrowser::browseMode || browser.getTagEditor() == nullptr)
        return;

    auto& plugin = browser.getPlugin();

    for (auto* item : browser.getResults().getSelectedItems())
    {
        auto preset = source->loadPresetByName (item->name, 0);

        if (preset == nullptr)
            continue;

        source->preparePreset (*preset);
        plugin.loadPreset (*preset, 0, true);
        plugin.storePresetValues (*preset, 0);
        if (const auto written = folderSource->rewritePreset (item->name, *preset, &plugin.getParameterManager()); written.failed())
            showError ("Normalize failed", "'" + item->name + "' could not be written.\n" + written.getErrorMessage());
    }
}
