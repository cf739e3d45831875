#pragma once

#include "editor/browser/PackageImportExport.h"
#include "editor/windows/AlertWindow.h"
#include <memory>

class ContentBrowser;

/** What the content browser does to its items: saves the plug-in's settings as an item (asking
    before overwriting), deletes the selected items after asking, normalizes them (developer
    mode), hands Import and Export to the package machinery, and tells the user of failures.

    The browser opens the dialogs as their caller and passes their answers on. Message thread
    only. */
class BrowserItemOperations
{
public:
    /** displayName and baseName name the export's default file. */
    BrowserItemOperations (ContentBrowser& browser, const juce::String& exportExtension,
                           const juce::String& displayName, const juce::String& baseName);
    ~BrowserItemOperations();

    /** Save mode: asks before overwriting, then stores. */
    void save();
    /** Writes the plug-in's settings as the item: over an existing one in one step (its file
        stays until the new one replaces it); a failure keeps the old item and tells the user. */
    void storeItem (const juce::String& name);
    /** Asks, then deletes the selected items. */
    void deleteSelected();
    void deleteSelectedConfirmed();
    /** Rewrites the selected presets through the plug-in. */
    void normalizeSelected();

    /** Takes the answer when the alert is one of these operations' (false otherwise). */
    bool alertWindowClosed (Orvik::AlertWindow* alert, int kind);

    PackageImportExport& getPackageImport() noexcept { return packageImport; }
    Orvik::AlertWindow* getOverwriteAlert() const noexcept { return overwriteAlert.get(); }
    Orvik::AlertWindow* getDeleteAlert() const noexcept { return deleteAlert.get(); }
    Orvik::AlertWindow* getErrorAlert() const noexcept { return errorAlert.get(); }

private:
    /** A failure the user must see, in the editor when the browser is hidden. */
    void showError (const juce::String& errorTitle, const juce::String& text);

    ContentBrowser& browser;
    juce::String pendingSaveName;
    std::unique_ptr<Orvik::AlertWindow> overwriteAlert, deleteAlert, errorAlert;
    PackageImportExport packageImport;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BrowserItemOperations)
};
