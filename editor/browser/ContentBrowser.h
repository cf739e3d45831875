#pragma once

#include "core/content/ContentSource.h"
#include "editor/windows/AlertWindow.h"
#include "editor/windows/InputTextWindow.h"
#include "editor/windows/WindowComponent.h"
#include "editor/browser/BrowserBulkOperation.h"
#include "editor/browser/BrowserContents.h"
#include "editor/browser/BrowserControls.h"
#include "editor/browser/BrowserItemOperations.h"
#include "editor/browser/BrowserSampleImport.h"
#include "editor/browser/PackageImportExport.h"
#include "editor/browser/ContentFilters.h"
#include "editor/browser/ContentResults.h"
#include "editor/browser/ContentSourcesComponent.h"

class BasePlugin;
class ContentTagEditor;

/** The window in which the user browses the plug-in's presets, auditions them by clicking,
    saves the current settings as a new preset and, in Edit Mode, manages items and their tags.

    It lists the items of its content sources (the user folder, the factory package) through
    the source list, the filter panel and the result list, and, while Edit Mode or save mode is
    on, the tag editor. The editor creates it once and keeps it hidden; it is shown as a modal
    window (windowed) or in place (embedded). Message thread only. */
class ContentBrowser : public WindowComponent,
                       public ContentSource::Listener,
                       public ContentResults::Owner,
                       public ContentResults::Listener,
                       public ContentSourcesComponent::Owner,
                       public ContentFilters::Listener,
                       public Orvik::AlertWindow::Caller,
                       public juce::TextEditor::Listener,
                       public juce::FileBrowserListener,
                       public PackageImportExport::Browser
{
public:
    /** The Import and Export buttons' machinery (editor/browser/PackageImportExport.h). */
    using PackageImportExport = ::PackageImportExport;

    enum Mode
    {
        browseMode = 0,
        saveMode = 1
    };

    static constexpr int rowHeight = BrowserControls::rowHeight;
    static constexpr int columnWidth = 144;
    static constexpr int sourcesExpandedWidth = 140, sourcesCollapsedWidth = 30;

    class Listener
    {
    public:
        virtual ~Listener() = default;
        /** Reserved. */
        virtual void autoplayChanged (ContentBrowser*) {}
        /** After the browser was shown. */
        virtual void contentBrowserOpened (ContentBrowser* browser) = 0;
        /** After the browser was closed; keep is false for a cancel. */
        virtual void contentBrowserClosed (ContentBrowser* browser, int modeAtClosing, bool keep) = 0;
        virtual void editModeChanged (ContentBrowser*, bool) {}
        /** A long operation over many items moved on ("Deleting: 320 of 10,000 items"); empty
            text when it ended. */
        virtual void bulkOperationProgress (ContentBrowser*, const juce::String& /*progress*/) {}
    };

    /** Message thread. */
    ContentBrowser (BasePlugin& plugin, const juce::String& baseName, const juce::String& exportExtension);
    ~ContentBrowser() override;

    //==============================================================================
    /** Adds a source once (null ignored): it shares the browser's tag dictionary and is
        refreshed. */
    void addSource (ContentSource* source);
    /** The source that saving, importing, exporting and Edit Mode act on; added when new. */
    void setCurrentSource (ContentSource* source);
    ContentSource* getCurrentSource() const override { return currentSource; }
    const juce::Array<ContentSource*>& getSources() const noexcept { return contents.getSources(); }
    /** The plug-in's categories, ";"-separated: they order the filter columns. */
    void setPluginCategories (const juce::String& text) { contents.setPluginCategories (text); }
    const juce::StringArray& getPluginCategories() const noexcept { return contents.getPluginCategories(); }

    /** Windowed: a modal window with a title bar and OK/Cancel; else shown in place. */
    void setWindowed (bool shouldBeWindowed);
    bool isWindowed() const noexcept { return windowed; }
    /** Without restriction the tag editor also creates categories and tags. */
    void setTagEditorRestricted (bool restricted);
    bool isTagEditorRestricted() const noexcept { return tagEditorRestricted; }

    /** Message thread. Browse mode; the result selected now comes back on a cancel. */
    void open (bool showOkCancel = true);
    /** Message thread. Save mode on the current source, when it can save items. */
    void openSaveAs();
    /** Message thread. Hides the browser; without keep the result selected at opening is
        selected again (and the editor loads its snapshot back). */
    void close (bool keep);
    int getMode() const override { return mode; }
    /** Whether Edit Mode is effective: the tag editor exists outside save mode. */
    bool isEditMode() const override { return tagEditor != nullptr && mode == browseMode; }
    /** The browser has no Autoplay button: Return on the list is the window's OK. */
    bool isAutoplayOn() const override { return false; }
    juce::Component* getWarningParent() override { return this; }
    ContentItem* getResultAtOpening() const noexcept { return resultAtOpening; }

    void addListener (Listener* listener) { listeners.add (listener); }
    void removeListener (Listener* listener) { listeners.remove (listener); }

    /** Gives new categories and tags their ids. */
    void addTagsToDictionary (const CategoryTagMap& newTags) { contents.getTagDictionary().addAll (newTags); }
    /** The items changed (an import): the tag editor rebuilds and the buttons follow. */
    void itemsChanged();

    //==============================================================================
    // Item operations (editor/browser/BrowserItemOperations.h, BrowserSampleImport.h)
    /** Message thread. Save mode: asks before overwriting, then stores. */
    void save() { itemOperations.save(); }
    /** Message thread. Writes the plug-in's settings as the item: over an existing one in one
        step (its file stays until the new one replaces it); a failure keeps the old item and
        tells the user. */
    void storeItem (const juce::String& name) { itemOperations.storeItem (name); }
    /** Message thread. Asks, then deletes the selected items. */
    void deleteSelected() { itemOperations.deleteSelected(); }
    void deleteSelectedConfirmed() { itemOperations.deleteSelectedConfirmed(); }
    /** Message thread. Developer mode: rewrites the selected presets through the plug-in. */
    void normalizeSelected() { itemOperations.normalizeSelected(); }
    void exportSelected() { getPackageImport().exportSelected(); }
    void importPackage() { getPackageImport().importPackage(); }
    // Hooks for products built on the browser; they do nothing here.
    virtual void browserHook1() {}
    virtual void browserHook2() {}
    /** Message thread. Sample import into a source that accepts samples. */
    void openSampleImport() { sampleImport.open(); }
    virtual void importSelectedSamples() { sampleImport.importSelected(); }
    virtual void browserHook3() {}
    void importSampleAt (int index, const juce::String& name) { sampleImport.importAt (index, name); }
    void finishSampleImport() { sampleImport.finish(); }
    void closeSampleImport (bool imported) { sampleImport.close (imported); }
    /** The files the sample import lists. */
    virtual juce::String getSampleFilePatterns() const { return "*.wav;*.aif;*.aiff"; }
    /** Message thread: the result list shows what the filters pass. */
    virtual void refilterResults() { results.refilter(); }
    /** Message thread: after the sample import's file browser was opened, and after it was
        closed (imported: whether any sample came in). */
    virtual void fileBrowserOpened() {}
    virtual void fileBrowserClosed (bool /*imported*/) {}

    /** The tag edits and deletes over many items run here, in slices. */
    BrowserBulkOperation& getBulkOperation() noexcept { return bulk; }

    PackageImportExport& getPackageImport() noexcept { return itemOperations.getPackageImport(); }
    Orvik::AlertWindow* getOverwriteAlert() const noexcept { return itemOperations.getOverwriteAlert(); }
    Orvik::AlertWindow* getDeleteAlert() const noexcept { return itemOperations.getDeleteAlert(); }
    /** The last failure told to the user (a save or delete that did not happen), or null. */
    Orvik::AlertWindow* getErrorAlert() const noexcept { return itemOperations.getErrorAlert(); }
    Orvik::InputTextWindow* getRenameDialog() const noexcept { return sampleImport.getRenameDialog(); }
    juce::FileBrowserComponent* getFileBrowser() const noexcept { return sampleImport.getFileBrowser(); }
    int getImportedCount() const noexcept { return sampleImport.getImportedCount(); }

    // PackageImportExport::Browser
    bool canManageItems() override { return mode == browseMode && tagEditor != nullptr; }
    juce::Array<ContentItem*> getSelectedItems() override { return results.getSelectedItems(); }
    juce::Component& getDialogParent() override { return *this; }
    void importStarted() override { results.deselectAll(); }
    void itemImported (ContentItem* item) override
    {
        // An import goes on in slices: the list may show another source by now.
        if (item == nullptr || ! item->belongsTo (currentSource))
            return;

        results.addItem (item, true);
    }
    void itemRemoved (ContentItem* item) override { results.removeItem (item); }
    void importFinished() override { itemsChanged(); }
    void transferProgress (const juce::String& progress) override
    {
        // The rows a slice added are laid out in its own turn: nothing is left to post.
        results.flushLayout();
        listeners.call ([this, &progress] (Listener& l) { l.bulkOperationProgress (this, progress); });
        updateButtonsEnabled();
    }

    // juce::FileBrowserListener: a double-click on a file imports the selection.
    void selectionChanged() override {}
    void fileClicked (const juce::File&, const juce::MouseEvent&) override {}
    void fileDoubleClicked (const juce::File&) override { importSelectedSamples(); }
    void browserRootChanged (const juce::File&) override {}

    //==============================================================================
    // What the panels read
    const juce::Array<ContentItem*>& getItems() const override { return contents.getItems(); }
    const CategoryTagMap& getTags() const noexcept { return contents.getTags(); }
    TagDictionary& getTagDictionary() noexcept { return contents.getTagDictionary(); }
    const TagDictionary& getTagDictionary() const noexcept { return contents.getTagDictionary(); }
    BasePlugin& getPlugin() const noexcept { return plugin; }

    ContentResults& getResults() noexcept { return results; }
    ContentFilters& getFilters() noexcept { return filters; }
    ContentSourcesComponent& getSourcesList() noexcept { return sourcesList; }
    ContentTagEditor* getTagEditor() const noexcept { return tagEditor.get(); }
    juce::TextEditor& getNameEditor() noexcept { return controls.nameEditor; }

    TextButtonWithIcon& getEditModeButton() noexcept { return controls.editModeButton; }
    TextButtonWithIcon& getDeleteButton() noexcept { return controls.deleteButton; }
    TextButtonWithIcon& getExportButton() noexcept { return controls.exportButton; }
    TextButtonWithIcon& getImportButton() noexcept { return controls.importButton; }
    TextButtonWithIcon& getImportSamplesButton() noexcept { return controls.importSamplesButton; }
    TextButtonWithIcon& getNormalizeButton() noexcept { return controls.normalizeButton; }
    juce::TextButton& getOkButton() noexcept { return controls.okButton; }
    juce::TextButton& getCancelButton() noexcept { return controls.cancelButton; }
    juce::TextButton& getSaveButton() noexcept { return controls.saveButton; }
    juce::TextButton& getSaveCancelButton() noexcept { return controls.saveCancelButton; }
    ComponentRow& getEditRow() noexcept { return controls.editRow; }
    ComponentRow& getOkCancelRow() noexcept { return controls.okCancelRow; }
    ComponentRow& getSaveRow() noexcept { return controls.saveRow; }
    bool areResultsMaximised() const noexcept { return resultsMaximised; }
    bool areSourcesExpanded() const noexcept { return sourcesExpanded; }

    //==============================================================================
    /** Message thread: a source changed (its items or its selection). */
    void contentSourceChanged (ContentSource* source) override;
    void contentFiltersChanged (ContentFilters* filters) override;
    void alertWindowClosed (Orvik::AlertWindow* alert, int kind) override;
    void textEditorReturnKeyPressed (juce::TextEditor& editor) override;
    void textEditorEscapeKeyPressed (juce::TextEditor& editor) override;

    void resultsSelectionChanged (ContentResults* results) override;
    void resultsItemClicked (ContentResults* results, int trigger) override;
    void resultsItemDoubleClicked (ContentResults* results) override;

    void buttonClicked (juce::Button* button) override;
    bool keyPressed (const juce::KeyPress& key) override;
    bool dimsBackground() const override { return false; }
    /** The window that showed the browser went (the host closed it): running operations
        stop where they stand, keeping what they did. */
    void parentHierarchyChanged() override;
    void lookAndFeelChanged() override;
    void resized() override;

    virtual void sourcesChanged();
    virtual void updateButtonsEnabled();
    void updateControls();
    void updateTagEditor();
    void rebuildItems();

private:
    void showWindow();

    BasePlugin& plugin;
    ContentSourcesComponent sourcesList;
    ContentResults results;
    ContentFilters filters;
    const juce::String exportExtension;
    const juce::String baseName;
    int mode = browseMode;
    bool resultsMaximised = false;
    bool sourcesExpanded = false;
    bool windowed = true;
    bool tagEditorRestricted = true;
    bool showOkCancel = true;
    ContentItem* resultAtOpening = nullptr;
    ContentSource* currentSource = nullptr;

    BrowserControls controls { *this, *this };
    ListenerArray<Listener> listeners;
    std::unique_ptr<ContentTagEditor> tagEditor;
    BrowserContents contents;

    BrowserSampleImport sampleImport;
    BrowserItemOperations itemOperations;
    BrowserBulkOperation bulk;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ContentBrowser)
};
