#include "editor/browser/ContentBrowser.h"
#include "core/BasePlugin.h"
#include "editor/browser/ContentResults.h"
#include "editor/browser/ContentSourcesComponent.h"
#include "editor/browser/ContentTagEditor.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/EmbeddedIcons.h"

namespace
{
    constexpr int panelBackgroundColourId = 0x0F007000;
    constexpr int panelTextColourId = 0x0F007001;
    constexpr int rowSpacing = 6;
}

ContentBrowser::ContentBrowser (BasePlugin& owner, const juce::String& name, const juce::String& extension)
    : WindowComponent (name), plugin (owner), sourcesList (*this), results (*this), filters (*this), exportExtension (extension), baseName (name), importFolder (juce::File::getSpecialLocation (juce::File::userDesktopDirectory)), exportFolder (importFolder)
{
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
    const bool showsFileBrowser = fileBrowser != nullptr;

    okCancelRow.setVisible (browsing && showOkCancel && windowed);
    saveRow.setVisible (! browsing);
    editRow.setVisible (browsing && sourceActive && ! resultsMaximised && ! showsFileBrowser);
    deleteButton.setVisible (browsing && editing);
    exportButton.setVisible (browsing && editing);
    importButton.setVisible (browsing && editing);
    importSamplesButton.setVisible (browsing && editing && currentSource != nullptr && currentSource->canImportSamples());
    normalizeButton.setVisible (browsing && editing && plugin.hasSuperpowers() && currentSource != nullptr);

    results.setVisible (! showsFileBrowser);
    results.setExpandToggle (! browsing ? false : resultsMaximised, juce::dontSendNotification);
    results.getExpandButton().setEnabled (browsing && ! editing);
    filters.setVisible (! editing && (! browsing || ! resultsMaximised) && ! showsFileBrowser);
    sourcesList.setVisible ((! browsing || ! resultsMaximised) && ! showsFileBrowser);
    sourcesList.setButtonsEnabled (! editing);
    sourcesList.showCurrentSource (editing && browsing);

    if (tagEditor != nullptr)
        tagEditor->setVisible (! browsing || ! showsFileBrowser);

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

void ContentBrowser::alertWindowClosed (Orvik::AlertWindow*, int) {}

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
    if (button == &okButton)
        close (true);
    else if (button == &saveButton)
        save();
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
    else if (button == &importSamplesButton)
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
// The item operations come with the browser's next piece of work.
void ContentBrowser::save() {}
void ContentBrowser::deleteSelected() {}
void ContentBrowser::exportSelected() {}
void ContentBrowser::importPackage() {}
void ContentBrowser::openSampleImport() {}
void ContentBrowser::normalizeSelected() {}
