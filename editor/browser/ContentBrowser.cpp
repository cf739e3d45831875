#include "editor/browser/ContentBrowser.h"
#include "core/BasePlugin.h"
#include "editor/browser/ContentResults.h"
#include "editor/browser/ContentSourcesComponent.h"
#include "editor/browser/ContentTagEditor.h"
#include "skin/DefaultLookAndFeel.h"

namespace
{
    constexpr int panelBackgroundColourId = 0x0F007000;
    constexpr int panelTextColourId = 0x0F007001;
}

ContentBrowser::ContentBrowser (BasePlugin& owner, const juce::String& name, const juce::String& extension)
    : WindowComponent (name), plugin (owner), sourcesList (*this), results (*this), filters (*this), exportExtension (extension), baseName (name), sampleImport (*this, name), itemOperations (*this, extension, owner.getDisplayName(), name)
{
    getPackageImport().setBuild (owner.getBranch(), owner.getCommit());

    sourcesExpanded = sourcesList.getExpandButton().getToggleState();

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

    addAndMakeVisible (controls.editRow);
    addChildComponent (controls.okCancelRow);
    addChildComponent (controls.saveRow);

    bulk.onProgress = [this] (const juce::String& progress) {
        listeners.call ([this, &progress] (Listener& l) { l.bulkOperationProgress (this, progress); });
    };
}

ContentBrowser::~ContentBrowser()
{
    bulk.onProgress = nullptr;
    bulk.abandon();
    sampleImport.discardFileBrowser();
    tagEditor.reset();
    filters.removeListener (this);
    results.removeListener (this);

    contents.releaseSources (*this);
}

//==============================================================================
void ContentBrowser::addSource (ContentSource* source)
{
    if (! contents.addSource (source, *this))
        return;

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

void ContentBrowser::parentHierarchyChanged()
{
    WindowComponent::parentHierarchyChanged();

    if (getPeer() != nullptr)
        return;

    bulk.stop();
    getPackageImport().stopQuietly();
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
    bulk.abandon();

    if (tagEditor != nullptr)
        tagEditor->forgetSelection();

    results.clear();
    contents.clear();
    contents.gather (currentSource, tagEditor != nullptr && mode == browseMode);
    contents.orderTags (filters.getNumCategories() == 0);
    filters.rebuildCategories();
}

void ContentBrowser::updateTagEditor()
{
    const bool saving = mode == saveMode;
    const bool needed = saving || (currentSource != nullptr && currentSource->active && controls.editModeButton.getToggleState());

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
        }

        // The filtered list and the selection stay; only what cannot be edited leaves them.
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
    const bool browsingFiles = getFileBrowser() != nullptr;

    // The file browser's OK imports the chosen samples, its Cancel closes it.
    controls.okCancelRow.setVisible ((browsing && showOkCancel && windowed) || browsingFiles);
    controls.saveRow.setVisible (! browsing);
    controls.editRow.setVisible (browsing && sourceActive && ! resultsMaximised && ! browsingFiles);
    controls.deleteButton.setVisible (browsing && editing);
    controls.exportButton.setVisible (browsing && editing);
    controls.importButton.setVisible (browsing && editing);
    controls.importSamplesButton.setVisible (browsing && editing && currentSource != nullptr && currentSource->canImportSamples());
    controls.normalizeButton.setVisible (browsing && editing && plugin.hasSuperpowers() && currentSource != nullptr);

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
    const bool anySelected = results.getSelectedCount() > 0;
    auto& transfer = getPackageImport();

    // One export and one import at a time: a second would drop the first.
    for (auto* b : { &controls.deleteButton, &controls.normalizeButton })
        b->setEnabled (anySelected);

    controls.exportButton.setEnabled (anySelected && ! transfer.isExporting());
    controls.importButton.setEnabled (! transfer.isImporting());
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
    focusWhenShown (results);
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
    controls.nameEditor.setText (resultAtOpening != nullptr ? resultAtOpening->name : juce::String ("New Preset"), false);
    showWindow();
    focusWhenShown (controls.nameEditor);
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
    refilterResults();
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
            controls.nameEditor.setText (item->name, false);

        controls.nameEditor.grabKeyboardFocus();
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
    // The browser is the dialogs' caller; whoever opened one acts on its answer.
    if (! itemOperations.alertWindowClosed (alert, kind))
        sampleImport.alertWindowClosed (alert, kind);
}

void ContentBrowser::textEditorReturnKeyPressed (juce::TextEditor& editor)
{
    if (&editor == &controls.nameEditor)
        controls.saveButton.triggerClick();
}

void ContentBrowser::textEditorEscapeKeyPressed (juce::TextEditor& editor)
{
    if (&editor == &controls.nameEditor)
        controls.saveCancelButton.triggerClick();
}

void ContentBrowser::buttonClicked (juce::Button* button)
{
    if (button == &controls.okButton && getFileBrowser() != nullptr)
        importSelectedSamples();
    else if (button == &controls.okButton)
        close (true);
    else if (button == &controls.saveButton)
        save();
    else if ((button == &controls.cancelButton || button == &controls.saveCancelButton) && getFileBrowser() != nullptr)
        closeSampleImport (false);
    else if (button == &controls.cancelButton || button == &controls.saveCancelButton)
        close (false);
    else if (button == &controls.editModeButton)
    {
        updateTagEditor();
        const bool on = controls.editModeButton.getToggleState();
        listeners.call ([this, on] (Listener& l) { l.editModeChanged (this, on); });
    }
    else if (button == &controls.deleteButton)
        deleteSelected();
    else if (button == &controls.exportButton)
        exportSelected();
    else if (button == &controls.importButton)
        importPackage();
    else if (button == &controls.importSamplesButton && getFileBrowser() == nullptr)
        openSampleImport();
    else if (button == &controls.normalizeButton)
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
        controls.cancelButton.triggerClick();
        return true;
    }

    if (windowed && code == juce::KeyPress::returnKey)
    {
        controls.okButton.triggerClick();
        return true;
    }

    if (code == juce::KeyPress::deleteKey && controls.deleteButton.isShowing() && controls.deleteButton.isEnabled())
    {
        controls.deleteButton.triggerClick();
        return true;
    }

    return false;
}

void ContentBrowser::lookAndFeelChanged()
{
    WindowComponent::lookAndFeelChanged();

    auto* lf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel());

    if (lf != nullptr)
    {
        setColour (WindowComponent::backgroundColourId, lf->findColour (panelBackgroundColourId));
        setColour (HeaderComponent::backgroundColourId, lf->findColour (panelBackgroundColourId));
        setColour (HeaderComponent::textColourId, lf->findColour (panelTextColourId));
    }

    controls.fitToLook (lf);
    resized();
}

void ContentBrowser::resized()
{
    WindowComponent::resized();

    const auto area = getContentArea();
    const int x = area.getX(), y = area.getY(), w = area.getWidth(), h = area.getHeight();
    controls.placeRows (area);

    const juce::Rectangle<int> panels (x, y, w, juce::jmax (0, h - 35));

    if (auto* fileBrowser = getFileBrowser())
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
