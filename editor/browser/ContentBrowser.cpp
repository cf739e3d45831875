#include "editor/browser/ContentBrowser.h"
#include "core/BasePlugin.h"
#include "editor/browser/ContentResults.h"
#include "editor/browser/ContentSourcesComponent.h"
#include "editor/browser/ContentTagEditor.h"
#include "core/content/PresetSources.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/EmbeddedIcons.h"

namespace
{
    constexpr int panelBackgroundColourId = 0x0F007000;
    constexpr int panelTextColourId = 0x0F007001;
    constexpr int rowSpacing = 6;
}

ContentBrowser::ContentBrowser (BasePlugin& owner, const juce::String& name, const juce::String& extension)
    : WindowComponent (name), plugin (owner), sourcesList (*this), results (*this), filters (*this), exportExtension (extension), baseName (name), importFolder (juce::File::getSpecialLocation (juce::File::userDesktopDirectory)), exportFolder (importFolder), packageImport (*this, extension, owner.getDisplayName(), name)
{
    packageImport.setBuild (owner.getBranch(), owner.getCommit());

    sourcesExpanded = sourcesList.getExpandButton().getToggleState();

    for (auto* b : { &exportButton, &importButton, &importSamplesButton, &normalizeButton, &editModeButton, &deleteButton })
    {
        b->setWantsKeyboardFocus (false);
        b->addListener (this);
    }

    for (auto* b : { &okButton, &cancelButton, &saveButton, &saveCancelButton })
    {
        b->setWantsKeyboardFocus (false);
        b->addListener (this);
    }

    setName (baseName);
    setTitle (baseName);
    setCloseButtonVisible (false);
    setWantsKeyboardFocus (true);

    sourcesList.getExpandButton().addListener (this);
    addAndMakeVisible (sourcesList);
    results.addListener (this);
    results.getExpandButton().addListener (this);
    results.setMultiSelect (true);
    addAndMakeVisible (results);
    filters.addListener (this);
    addAndMakeVisible (filters);

    const std::pair<TextButtonWithIcon*, int> icons[] = { { &editModeButton, StandardIcon::edit },
                                                          { &deleteButton, StandardIcon::trash },
                                                          { &exportButton, StandardIcon::save },
                                                          { &importButton, StandardIcon::folder },
                                                          { &importSamplesButton, StandardIcon::folder },
                                                          { &normalizeButton, StandardIcon::quality } };

    for (const auto& [button, index] : icons)
        if (auto drawable = getStandardIcon (index))
            button->setIcon (*drawable);
    editModeButton.setClickingTogglesState (true);
    editModeButton.setToggleState (false, juce::dontSendNotification);

    for (auto* row : { &editRow, &okCancelRow, &saveRow })
        row->setSpacing (rowSpacing);

    for (auto* b : { &editModeButton, &deleteButton, &exportButton, &importButton, &importSamplesButton, &normalizeButton })
        editRow.add (b);

    okCancelRow.add (&okButton);
    okCancelRow.add (&cancelButton);

    nameEditor.setSize (300, rowHeight);
    nameEditor.setText ("New Preset", false);
    nameEditor.setSelectAllWhenFocused (true);
    nameEditor.setIndents (3, 3);
    nameEditor.addListener (this);
    saveRow.add (&nameEditor);
    saveRow.add (&saveButton);
    saveRow.add (&saveCancelButton);

    addAndMakeVisible (editRow);
    addChildComponent (okCancelRow);
    addChildComponent (saveRow);
}

ContentBrowser::~ContentBrowser()
{
    fileBrowser.reset();
    tagEditor.reset();
    filters.removeListener (this);
    results.removeListener (this);

    // The sources outlive the browser: they go back to their own dictionary.
    for (auto* source : sources)
    {
        source->removeListener (this);
        source->setTagDictionary (nullptr);
    }
}

//==============================================================================
void ContentBrowser::addSource (ContentSource* source)
{
    if (source == nullptr || sources.contains (source))
        return;

    source->setTagDictionary (&tagDictionary);
    source->addListener (this);
    source->refresh();
    sources.add (source);
    sourcesList.addSource (source);
    sourcesChanged();
}

void ContentBrowser::setCurrentSource (ContentSource* source)
{
    currentSource = source;
    addSource (source);

    if (isShowing())
        updateControls();
}

void ContentBrowser::setPluginCategories (const juce::String& text)
{
    pluginCategories = juce::StringArray::fromTokens (text, ";", {});
    pluginCategories.removeEmptyStrings();
}

void ContentBrowser::setWindowed (bool shouldBeWindowed)
{
    if (windowed == shouldBeWindowed)
        return;

    windowed = shouldBeWindowed;
    setIcon (nullptr);
    setHeaderVisible (windowed);
    showOkCancel = windowed;
    resized();
    updateControls();
}

void ContentBrowser::setTagEditorRestricted (bool restricted)
{
    tagEditorRestricted = restricted;
}

void ContentBrowser::addTagsToDictionary (const CategoryTagMap& newTags)
{
    tagDictionary.addAll (newTags);
}

void ContentBrowser::itemsChanged()
{
    if (tagEditor != nullptr)
        tagEditor->triggerAsyncUpdate();

    updateButtonsEnabled();
}

//==============================================================================
void ContentBrowser::contentSourceChanged (ContentSource*)
{
    sourcesChanged();
}

void ContentBrowser::sourcesChanged()
{
    rebuildItems();
    updateTagEditor();
}

void ContentBrowser::rebuildItems()
{
    // The items are about to be rebuilt: nothing may still write to the old ones.
    results.finishRename (false);

    if (tagEditor != nullptr)
        tagEditor->forgetSelection();

    results.clear();
    items.clearQuick();
    tags.clear();

    bool anySelected = false;

    for (auto* source : sources)
        anySelected = anySelected || source->selected;

    for (auto* source : sources)
        source->setActive (anySelected ? source->selected : true);

    const bool editing = tagEditor != nullptr && mode == browseMode;

    for (auto* source : sources)
    {
        const bool contributes = editing ? source == currentSource && source->active : source->active;

        if (! contributes)
            continue;

        tags.addAll (source->tags);

        for (auto* item : source->getItems())
            items.add (item);
    }

    tags.orderLike (true, filters.getNumCategories() == 0, pluginCategories);
    filters.rebuildCategories();
}

void ContentBrowser::updateTagEditor()
{
    const bool saving = mode == saveMode;
    const bool needed = saving || (currentSource != nullptr && currentSource->active && editModeButton.getToggleState());

    // An editor made for the other mode edits the wrong thing: it goes.
    if (tagEditor != nullptr && (! needed || tagEditor->isSaveMode() != saving))
    {
        results.finishRename (false);
        tagEditor.reset();

        if (! saving)
            rebuildItems();
    }

    if (needed)
    {
        if (tagEditor == nullptr)
        {
            tagEditor = std::make_unique<ContentTagEditor> (*this, ! tagEditorRestricted);
            addAndMakeVisible (*tagEditor);
            tagEditor->sendLookAndFeelChange();

            // Edit Mode lists the current source alone.
            if (! saving)
                rebuildItems();
        }

        results.removeReadOnlyItems();
        tagEditor->triggerAsyncUpdate();
    }

    updateControls();
}

void ContentBrowser::updateControls()
{
    const bool browsing = mode == browseMode;
    const bool editing = tagEditor != nullptr;
    const bool sourceActive = currentSource != nullptr && currentSource->active;
    const bool browsingFiles = fileBrowser != nullptr;

    // The file browser's OK imports the chosen samples, its Cancel closes it.
    okCancelRow.setVisible ((browsing && showOkCancel && windowed) || browsingFiles);
    saveRow.setVisible (! browsing);
    editRow.setVisible (browsing && sourceActive && ! resultsMaximised && ! browsingFiles);
    deleteButton.setVisible (browsing && editing);
    exportButton.setVisible (browsing && editing);
    importButton.setVisible (browsing && editing);
    importSamplesButton.setVisible (browsing && editing && currentSource != nullptr && currentSource->canImportSamples());
    normalizeButton.setVisible (browsing && editing && plugin.hasSuperpowers() && currentSource != nullptr);

    results.setVisible (! browsingFiles);
    results.setExpandToggle (! browsing ? false : resultsMaximised, juce::dontSendNotification);
    results.getExpandButton().setEnabled (browsing && ! editing);
    filters.setVisible (! editing && (! browsing || ! resultsMaximised) && ! browsingFiles);
    sourcesList.setVisible ((! browsing || ! resultsMaximised) && ! browsingFiles);
    sourcesList.setButtonsEnabled (! editing);
    sourcesList.showCurrentSource (editing && browsing);

    if (tagEditor != nullptr)
        tagEditor->setVisible (! browsing || ! browsingFiles);

    updateButtonsEnabled();
    resized();
}

void ContentBrowser::updateButtonsEnabled()
{
    const bool anySelected = ! results.getSelectedItems().isEmpty();

    for (auto* b : { &deleteButton, &exportButton, &normalizeButton })
        b->setEnabled (anySelected);
}

//==============================================================================
void ContentBrowser::open (bool showOkCancelRow)
{
    setTitle (baseName);
    mode = browseMode;
    showOkCancel = showOkCancelRow;
    resultAtOpening = results.getCurrentItem();
    showWindow();
    results.setMultiSelect (true);

    if (results.isShowing())
        results.grabKeyboardFocus();
}

void ContentBrowser::openSaveAs()
{
    if (currentSource == nullptr || ! currentSource->canSaveItems())
        return;

    setTitle (baseName + " - Save As");
    mode = saveMode;
    // An Edit Mode tag editor would write to the selection; save mode gets its own.
    tagEditor.reset();
    resultAtOpening = results.getCurrentItem();
    currentSource->setActive (true);
    juce::Array<ContentItem*> sourceItems;

    for (auto* item : currentSource->getItems())
        sourceItems.add (item);

    results.showItems (sourceItems);
    results.setMultiSelect (false);
    results.selectItem (resultAtOpening, true, false);
    nameEditor.setText (resultAtOpening != nullptr ? resultAtOpening->name : juce::String ("New Preset"), false);
    showWindow();

    if (nameEditor.isShowing())
        nameEditor.grabKeyboardFocus();
}

void ContentBrowser::showWindow()
{
    updateTagEditor();

    if (windowed)
        show();
    else
        setVisible (true);

    listeners.call ([this] (Listener& l) { l.contentBrowserOpened (this); });
}

void ContentBrowser::close (bool keep)
{
    const int modeAtClosing = mode;
    mode = browseMode;

    if (modeAtClosing == saveMode)
    {
        // The list showed the current source alone; browsing shows every contributing source.
        tagEditor.reset();
        rebuildItems();
        results.setMultiSelect (true);
    }

    updateTagEditor();

    if (! keep)
        results.selectItem (resultAtOpening, true, false);

    hide();
    listeners.call ([this, modeAtClosing, keep] (Listener& l) { l.contentBrowserClosed (this, modeAtClosing, keep); });
}

//==============================================================================
void ContentBrowser::contentFiltersChanged (ContentFilters*)
{
    results.refilter();
}

void ContentBrowser::resultsSelectionChanged (ContentResults*)
{
    // The tag editor always shows, and writes to, the selection the user sees.
    if (tagEditor != nullptr && mode == browseMode)
        tagEditor->rebuild();

    updateButtonsEnabled();
}

void ContentBrowser::resultsItemClicked (ContentResults*, int trigger)
{
    auto* item = results.getCurrentItem();

    if (mode == saveMode)
    {
        if (item != nullptr)
            nameEditor.setText (item->name, false);

        nameEditor.grabKeyboardFocus();
    }
    else if (item != nullptr)
    {
        item->load (trigger);
    }

    if (tagEditor != nullptr && mode == browseMode)
        tagEditor->rebuild();

    updateButtonsEnabled();
}

void ContentBrowser::resultsItemDoubleClicked (ContentResults*)
{
    close (true);
}

void ContentBrowser::alertWindowClosed (Orvik::AlertWindow* alert, int kind)
{
    // Each answer deletes its dialog first (alerts touch nothing of themselves afterwards).
    if (alert == nullptr)
        return;

    if (alert == overwriteAlert.get())
    {
        overwriteAlert.reset();

        if (kind == Orvik::AlertWindow::Yes)
            storeItem (pendingSaveName);
        else if (nameEditor.isShowing())
            nameEditor.grabKeyboardFocus();
    }
    else if (alert == deleteAlert.get())
    {
        deleteAlert.reset();

        if (kind == Orvik::AlertWindow::Yes)
            deleteSelectedConfirmed();
    }
    else if (alert == renameDialog.get())
    {
        const auto text = renameDialog->getText();
        renameDialog.reset();

        if (kind == Orvik::AlertWindow::Cancel)
            finishSampleImport();
        else if (kind == Orvik::AlertWindow::OK)
            importSampleAt (pendingImportIndex, text);
    }
    else if (alert == errorAlert.get())
    {
        errorAlert.reset();
    }
}

void ContentBrowser::textEditorReturnKeyPressed (juce::TextEditor& editor)
{
    if (&editor == &nameEditor)
        saveButton.triggerClick();
}

void ContentBrowser::textEditorEscapeKeyPressed (juce::TextEditor& editor)
{
    if (&editor == &nameEditor)
        saveCancelButton.triggerClick();
}

void ContentBrowser::buttonClicked (juce::Button* button)
{
    if (button == &okButton && fileBrowser != nullptr)
        importSelectedSamples();
    else if (button == &okButton)
        close (true);
    else if (button == &saveButton)
        save();
    else if ((button == &cancelButton || button == &saveCancelButton) && fileBrowser != nullptr)
        closeSampleImport (false);
    else if (button == &cancelButton || button == &saveCancelButton)
        close (false);
    else if (button == &editModeButton)
    {
        updateTagEditor();
        const bool on = editModeButton.getToggleState();
        listeners.call ([this, on] (Listener& l) { l.editModeChanged (this, on); });
    }
    else if (button == &deleteButton)
        deleteSelected();
    else if (button == &exportButton)
        exportSelected();
    else if (button == &importButton)
        importPackage();
    else if (button == &importSamplesButton && fileBrowser == nullptr)
        openSampleImport();
    else if (button == &normalizeButton)
        normalizeSelected();
    else if (button == &sourcesList.getExpandButton())
    {
        sourcesExpanded = button->getToggleState();
        updateControls();
    }
    else if (button == &results.getExpandButton())
    {
        resultsMaximised = button->getToggleState();
        updateControls();
    }
    else
        WindowComponent::buttonClicked (button);
}

bool ContentBrowser::keyPressed (const juce::KeyPress& key)
{
    const int code = key.getKeyCode();

    // Return while renaming ends the rename, whatever the modifiers; it closes nothing.
    if (code == juce::KeyPress::returnKey && results.isRenaming())
    {
        results.finishRename (true);
        return true;
    }

    if (windowed && code == juce::KeyPress::escapeKey)
    {
        cancelButton.triggerClick();
        return true;
    }

    if (windowed && code == juce::KeyPress::returnKey)
    {
        okButton.triggerClick();
        return true;
    }

    if (code == juce::KeyPress::deleteKey && deleteButton.isShowing() && deleteButton.isEnabled())
    {
        deleteButton.triggerClick();
        return true;
    }

    return false;
}

void ContentBrowser::lookAndFeelChanged()
{
    WindowComponent::lookAndFeelChanged();

    if (auto* lf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
    {
        nameEditor.applyFontToAllText (lf->getPrimaryFont());
        setColour (WindowComponent::backgroundColourId, lf->findColour (panelBackgroundColourId));
        setColour (HeaderComponent::backgroundColourId, lf->findColour (panelBackgroundColourId));
        setColour (HeaderComponent::textColourId, lf->findColour (panelTextColourId));
    }

    for (auto* b : { &exportButton, &importButton, &importSamplesButton, &normalizeButton, &editModeButton, &deleteButton })
        b->fitWidthToText (rowHeight);

    for (auto* b : { &okButton, &cancelButton, &saveButton, &saveCancelButton })
        b->changeWidthToFitText (rowHeight);

    resized();
}

void ContentBrowser::resized()
{
    WindowComponent::resized();

    const auto area = getContentArea();
    const int x = area.getX(), y = area.getY(), w = area.getWidth(), h = area.getHeight();
    const int rowY = y + h - 25;

    editRow.setTopLeftPosition (x + 5, rowY);
    okCancelRow.setTopRightPosition (x + w, rowY);
    saveRow.setTopRightPosition (x + w, rowY);

    const juce::Rectangle<int> panels (x, y, w, juce::jmax (0, h - 35));

    if (fileBrowser != nullptr)
    {
        fileBrowser->setBounds (panels);
        return;
    }

    if (mode != saveMode && resultsMaximised)
    {
        results.setBounds (panels);
        return;
    }

    int left = x;
    const int sourcesWidth = sourcesExpanded ? sourcesExpandedWidth : sourcesCollapsedWidth;
    sourcesList.setBounds (left, panels.getY(), sourcesWidth, panels.getHeight());
    left += sourcesWidth;

    const int filtersWidth = columnWidth * filters.getNumCategories();
    filters.setBounds (left, panels.getY(), filtersWidth, panels.getHeight());
    int middleWidth = filtersWidth;

    if (tagEditor != nullptr)
    {
        const int n = tagEditor->getNumCategories();
        const int editorWidth = n > 0 ? columnWidth * n : (tagEditorRestricted ? 0 : columnWidth);
        tagEditor->setBounds (left, panels.getY(), editorWidth, panels.getHeight());

        // The filter panel is hidden while the tag editor shows.
        if (! filters.isVisible())
            middleWidth = editorWidth;
    }

    left += middleWidth;
    results.setBounds (left, panels.getY(), juce::jmax (0, x + w - left), panels.getHeight());
}

//==============================================================================
// Item operations

void ContentBrowser::showError (const juce::String& errorTitle, const juce::String& text)
{
    // A closed browser is hidden: its parent (the editor) shows the message.
    auto* parent = isVisible() || getParentComponent() == nullptr ? static_cast<juce::Component*> (this) : getParentComponent();
    errorAlert = Orvik::AlertWindow::showMessage (this, errorTitle, text, parent);
}

void ContentBrowser::save()
{
    if (currentSource == nullptr || ! currentSource->canSaveItems())
        return;

    const auto name = nameEditor.getText();

    if (currentSource->findItem (name) != nullptr)
    {
        pendingSaveName = name;
        overwriteAlert = Orvik::AlertWindow::showYesNo (this, "Overwrite confirmation",
                                                        "Preset already exists.\nDo you want to overwrite it?", this);
        return;
    }

    storeItem (name);
}

void ContentBrowser::storeItem (const juce::String& name)
{
    if (tagEditor == nullptr || mode != saveMode || currentSource == nullptr)
        return;

    std::unique_ptr<ContentSource::OverwriteStore> store;
    auto* existing = currentSource->findItem (name);

    if (existing != nullptr)
    {
        if (! currentSource->deleteItem (existing, true, &store))
        {
            close (false);
            showError ("Save failed", "'" + name + "' could not be replaced.\nThe preset is unchanged.");
            return;
        }

        results.removeItem (existing);
    }

    auto* item = currentSource->addNewItem (name, tagEditor->getFullTags(), store.get());

    // Unused, the store lists the old item again: its file was never touched.
    store.reset();

    if (item == nullptr)
    {
        close (false);
        showError ("Save failed", "'" + name + "' could not be saved." + (existing != nullptr ? juce::String ("\nThe old preset is kept.") : juce::String()));
        return;
    }

    item->load (0);
    close (true);
    results.selectItem (item, true, false);
}

void ContentBrowser::deleteSelected()
{
    if (mode != browseMode || tagEditor == nullptr || results.getSelectedItems().isEmpty())
        return;

    deleteAlert = Orvik::AlertWindow::showYesNo (this, "Delete confirmation", "Do you want to delete selected files?", this);
}

void ContentBrowser::deleteSelectedConfirmed()
{
    if (mode != browseMode || tagEditor == nullptr)
        return;

    const auto selected = results.getSelectedItems();
    int failed = 0;

    for (auto* item : selected)
    {
        if (item->deleteFromSource())
            results.removeItem (item);
        else
            ++failed;
    }

    tagEditor->triggerAsyncUpdate();
    updateButtonsEnabled();

    if (failed > 0)
        showError ("Delete failed", juce::String (failed) + " of " + juce::String (selected.size()) + " selected items could not be deleted.");
}

void ContentBrowser::normalizeSelected()
{
    auto* folderSource = dynamic_cast<PresetFolderContent*> (currentSource);

    if (folderSource == nullptr || mode != browseMode || tagEditor == nullptr)
        return;

    for (auto* item : results.getSelectedItems())
    {
        auto preset = currentSource->loadPresetByName (item->name, 0);

        if (preset == nullptr)
            continue;

        currentSource->preparePreset (*preset);
        plugin.loadPreset (*preset, 0, true);
        plugin.storePresetValues (*preset, 0);
        preset->saveToFile (folderSource->getFileForName (item->name), &plugin.getParameterManager());
    }
}

void ContentBrowser::exportSelected()
{
    packageImport.exportSelected();
}

void ContentBrowser::importPackage()
{
    packageImport.importPackage();
}

void ContentBrowser::importStarted()
{
    results.deselectAll();
}

void ContentBrowser::itemImported (ContentItem* item)
{
    results.addItem (item);
    results.selectItem (item, false, false);
}

void ContentBrowser::itemRemoved (ContentItem* item)
{
    results.removeItem (item);
}

//==============================================================================
// Sample import

void ContentBrowser::openSampleImport()
{
    fileBrowser = std::make_unique<juce::FileBrowserComponent> (
        juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles
            | juce::FileBrowserComponent::canSelectMultipleItems,
        juce::File::getSpecialLocation (juce::File::userDesktopDirectory), &sampleFilter, nullptr);
    fileBrowser->addListener (this);
    fileBrowser->setColour (juce::TextButton::buttonColourId, juce::Colours::grey);
    addAndMakeVisible (*fileBrowser);
    setTitle (baseName + " - Import Samples");
    updateControls();
}

void ContentBrowser::importSelectedSamples()
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
    results.deselectAll();
    importSampleAt (0, {});
}

void ContentBrowser::importSampleAt (int index, const juce::String& requestedName)
{
    if (mode != browseMode || tagEditor == nullptr || currentSource == nullptr || ! currentSource->canImportSamples())
        return;

    if (index >= samplePaths.size())
    {
        finishSampleImport();
        return;
    }

    const juce::File file (samplePaths[index]);
    const auto name = requestedName.isEmpty() ? file.getFileNameWithoutExtension() : requestedName;

    if (currentSource->findItem (name) != nullptr)
    {
        pendingImportIndex = index;
        renameDialog = Orvik::InputTextWindow::run (this, "Rename Confirmation",
                                                    "'" + name + "' item already exists. Do you want to use other name?",
                                                    makeUniqueCopyName (*currentSource, name), this);
        return;
    }

    if (auto* item = currentSource->addItemCopy (file, name, {}))
    {
        results.addItem (item);
        results.selectItem (item, false, false);
        ++importedCount;
    }

    importSampleAt (index + 1, {});
}

void ContentBrowser::finishSampleImport()
{
    closeSampleImport (importedCount != 0);
    samplePaths.clear();

    if (tagEditor != nullptr)
        tagEditor->triggerAsyncUpdate();

    updateButtonsEnabled();
}

void ContentBrowser::closeSampleImport (bool)
{
    if (fileBrowser != nullptr)
        removeChildComponent (fileBrowser.get());

    fileBrowser.reset();
    setTitle (baseName);
    updateControls();
}
