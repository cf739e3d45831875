#include "editor/browser/ContentTagEditor.h"
#include "core/content/ContentSource.h"
#include "editor/browser/BrowserIcons.h"
#include "editor/browser/ContentBrowser.h"
#include "editor/browser/ContentFilters.h"
#include "editor/browser/ContentResults.h"
#include "skin/EmbeddedIcons.h"

namespace
{
    const char* const enterName = "Enter name:";
}

//==============================================================================
ContentTagEditor::CategoriesPanel::CategoriesPanel (bool canEditStructure)
    : header ("EDIT TAGS", &tagIcon, canEditStructure ? &addCategoryButton : nullptr)
{
    BrowserIcons::setIconImages (addCategoryButton, StandardIcon::newFolder);

    const auto icon = BrowserIcons::createIcon (StandardIcon::tag, juce::Colour (0xFFB84A00));
    tagIcon.setImages (icon.get(), icon.get(), icon.get(), icon.get());
    tagIcon.setColour (juce::DrawableButton::backgroundColourId, juce::Colours::transparentBlack);
    tagIcon.setEdgeIndent (0);
    tagIcon.setEnabled (false);

    addAndMakeVisible (header);
    addAndMakeVisible (container);
}

ContentTagEditor::CategoriesPanel::~CategoriesPanel() = default;

void ContentTagEditor::CategoriesPanel::resized()
{
    container.setBounds (0, HeaderComponent::height + 1, getWidth(), juce::jmax (0, getHeight() - HeaderComponent::height - 1));
}

//==============================================================================
juce::String ContentTagEditor::checkNewName (const juce::String& name)
{
    if (name.trim().isEmpty())
        return "The name cannot be empty. Enter name:";

    if (name.containsAnyOf (forbiddenNameCharacters))
        return "Names cannot contain \";\", \":\" or \"|\". Enter name:";

    return {};
}

ContentTagEditor::ContentTagEditor (ContentBrowser& owner, bool structure)
    : browser (owner), canEditStructure (structure), panel (structure), fullTags (owner.getFilters().getSelectedTags()), categoryOrder (owner.getFilters().getCategoryOrder()), saveMode (owner.getMode() == ContentBrowser::saveMode)
{
    addAndMakeVisible (panel);
    panel.addCategoryButton.addListener (this);
    panel.container.setEditable (false);
}

ContentTagEditor::~ContentTagEditor()
{
    cancelPendingUpdate();
    panel.addCategoryButton.removeListener (this);
}

void ContentTagEditor::handleAsyncUpdate()
{
    rebuild();
}

bool ContentTagEditor::selectionIsCurrent() const
{
    return saveMode || browser.getResults().getSelectedItems() == selectedItems;
}

void ContentTagEditor::rebuild()
{
    cancelPendingUpdate();
    auto& dictionary = browser.getTagDictionary();

    CategoryTagMap merged;

    for (auto* source : browser.getSources())
        merged.addAll (source->tags);

    merged.orderLike (true, false, {});

    for (const auto& name : categoryOrder)
    {
        if (merged.containsCategory (name))
        {
            allTags.addAll (merged.getTags (name));
            merged.removeCategory (name);
        }
    }

    allTags.addAll (merged);

    // In save mode the selection is the preset to save over, not what the tags are for.
    selectedItems.clearQuick();
    tagsBefore.reset();

    if (! saveMode)
    {
        selectedItems = browser.getResults().getSelectedItems();
        tagsBefore = std::make_shared<std::vector<std::optional<CategoryTagMap>>> ((size_t) selectedItems.size());
    }

    editable = ! selectedItems.isEmpty() || saveMode;
    partialTags.clear();
    initialPartialTags.clear();

    if (! selectedItems.isEmpty())
    {
        TagIdSet common (selectedItems.getFirst()->tagIds), any (common);

        for (int i = 1; i < selectedItems.size(); ++i)
        {
            any.addIds (selectedItems.getUnchecked (i)->tagIds);
            common.keepOnly (selectedItems.getUnchecked (i)->tagIds);
        }

        any.removeIds (common);
        fullTags.setFromTagIds (common, dictionary);
        partialTags.setFromTagIds (any, dictionary);
        initialPartialTags = partialTags;
    }

    auto& container = panel.container;
    container.clear();

    for (int c = 0; c < allTags.getNumCategories(); ++c)
    {
        const auto category = allTags.getCategoryName (c);
        auto* column = new CategoryComponent (category, dictionary.getId (category), ! saveMode);
        column->addListener (this);
        column->setHeaderButtonsVisible (false);
        column->setAddTagButtonVisible (canEditStructure);
        container.addCategory (column);

        for (const auto& tag : allTags.getTagList (c))
        {
            const int id = dictionary.getId (category, tag);

            // Past a category's last id a tag can be neither filtered nor edited.
            if (id == 0)
                continue;

            if (! editable)
                column->addItem (tag, id, 0, 2);
            else if (initialPartialTags.contains (category, tag))
                column->addItem (tag, id, 1, 3);
            else
                column->addItem (tag, id, fullTags.contains (category, tag) ? 1 : 0, 2);
        }

        column->sortItems();
    }

    browser.resized();
}

void ContentTagEditor::forgetSelection()
{
    selectedItems.clearQuick();
    tagsBefore.reset();
    newTagDialog.reset();
    newCategoryDialog.reset();
    firstTagDialog.reset();
    limitAlert.reset();
    pendingTagCategory.clear();
    pendingCategory.clear();
    triggerAsyncUpdate();
}

void ContentTagEditor::applyTagChanges (bool scheduleRebuild)
{
    // Save mode chooses tags for the preset about to be saved: nothing on disk changes.
    if (saveMode || selectedItems.isEmpty())
    {
        if (scheduleRebuild)
            triggerAsyncUpdate();

        return;
    }

    // The newest states go to every item (a change still running starts over with them):
    // the tags each item had, less the partial ones turned off, plus the full ones.
    const auto before = tagsBefore;
    const auto partial = partialTags, full = fullTags;

    BrowserBulkOperation::Change change;
    change.tagsFor = [before, partial, full] (int index, const ContentItem& item) {
        auto& itemBefore = (*before)[(size_t) index];

        if (! itemBefore.has_value())
            itemBefore = item.tags;

        CategoryTagMap newTags;
        itemBefore->intersectInto (partial, newTags);
        newTags.addAll (full);
        return newTags;
    };

    browser.getBulkOperation().start (tagActivity, selectedItems, std::move (change), [self = juce::Component::SafePointer<ContentTagEditor> (this), scheduleRebuild] (int, int, const juce::String&) {
        if (self != nullptr && scheduleRebuild)
            self->triggerAsyncUpdate();
    });
}

void ContentTagEditor::categoryItemClicked (CategoryComponent* component, int index)
{
    // The columns show another selection's states: show the current one instead of writing.
    if (! selectionIsCurrent())
    {
        triggerAsyncUpdate();
        return;
    }

    // Another operation over the items (a delete) runs: the click waits for it to end.
    auto& bulk = browser.getBulkOperation();

    if (bulk.isRunning() && bulk.getActivity() != tagActivity)
    {
        triggerAsyncUpdate();
        return;
    }

    juce::String c, t;

    if (! browser.getTagDictionary().getCategoryAndTag (component->getItemId (index), c, t) || t.isEmpty())
        return;

    if (initialPartialTags.contains (c, t))
    {
        if (fullTags.contains (c, t))
        {
            fullTags.removeTag (c, t);
        }
        else if (partialTags.contains (c, t))
        {
            fullTags.add (c, t);
            partialTags.removeTag (c, t);
        }
        else
        {
            partialTags.add (c, t);
        }
    }
    else if (fullTags.contains (c, t))
    {
        fullTags.removeTag (c, t);
    }
    else
    {
        fullTags.add (c, t);
    }

    applyTagChanges (false);
}

std::unique_ptr<Orvik::InputTextWindow> ContentTagEditor::ask (const juce::String& title, const juce::String& prompt,
                                                               const juce::String& initialText)
{
    return Orvik::InputTextWindow::run (this, title, prompt, initialText, &browser);
}

void ContentTagEditor::buttonClicked (juce::Button* button)
{
    if (button == &panel.addCategoryButton)
        newCategoryDialog = ask ("New Category", enterName, "New Category");
}

void ContentTagEditor::categoryAddTagClicked (CategoryComponent* component)
{
    pendingTagCategory = browser.getTagDictionary().getCategoryName (component->getCategoryId());
    newTagDialog = ask ("New Tag", enterName, "New Tag");
}

void ContentTagEditor::alertWindowClosed (Orvik::AlertWindow* alert, int kind)
{
    const bool ok = kind == Orvik::AlertWindow::OK;

    if (alert == newTagDialog.get())
    {
        const auto text = newTagDialog->getText().trim();
        newTagDialog.reset();

        if (ok)
            newTagAnswered (text);
        else
            pendingTagCategory.clear();
    }
    else if (alert == newCategoryDialog.get())
    {
        pendingCategory = newCategoryDialog->getText().trim();
        newCategoryDialog.reset();

        if (ok)
            newCategoryAnswered (pendingCategory);
    }
    else if (alert == limitAlert.get())
    {
        limitAlert.reset();
        pendingTagCategory.clear();
    }
    else if (alert == firstTagDialog.get())
    {
        const auto text = firstTagDialog->getText().trim();
        firstTagDialog.reset();

        if (ok)
            firstTagAnswered (text);
    }
}

void ContentTagEditor::newTagAnswered (const juce::String& text)
{
    const int ci = allTags.indexOfCategory (pendingTagCategory);

    if (ci < 0)
        return;

    const auto refusal = checkNewName (text);

    if (refusal.isNotEmpty())
        newTagDialog = ask ("New Tag", refusal, "New Tag");
    else if (allTags.containsTagAt (ci, text))
        newTagDialog = ask ("New Tag", "Tag with that name already exists. Enter name:", "New Tag");
    else if (browser.getTagDictionary().getAllTags().getTags (pendingTagCategory).getNumTags() >= TagDictionary::maxTagsPerCategory)
        limitAlert = Orvik::AlertWindow::showMessage (this, "New Tag", "'" + pendingTagCategory + "' has " + juce::String (TagDictionary::maxTagsPerCategory) + " tags, as many as a category can hold.\n'" + text + "' was not added.", &browser);
    else
        addNewTag (pendingTagCategory, text);
}

void ContentTagEditor::newCategoryAnswered (const juce::String& text)
{
    const auto refusal = checkNewName (text);

    if (refusal.isNotEmpty())
        newCategoryDialog = ask ("New Category", refusal, "New Category");
    else if (allTags.containsCategory (text))
        newCategoryDialog = ask ("New Category", "Category with that name already exists. Enter name:", "New Category");
    else
        firstTagDialog = ask ("First Tag", enterName, "New Tag");
}

void ContentTagEditor::firstTagAnswered (const juce::String& text)
{
    const auto refusal = checkNewName (text);

    if (refusal.isNotEmpty())
        firstTagDialog = ask ("First Tag", refusal, "New Tag");
    else
        addNewTag (pendingCategory, text);
}

void ContentTagEditor::addNewTag (const juce::String& category, const juce::String& tag)
{
    allTags.add (category, tag);
    fullTags.add (category, tag);
    browser.addTagsToDictionary (allTags);
    applyTagChanges (true);
}

void ContentTagEditor::resized()
{
    panel.setBounds (getLocalBounds());
}

void ContentTagEditor::lookAndFeelChanged()
{
    resized();
}
