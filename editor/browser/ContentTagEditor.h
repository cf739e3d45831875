#pragma once

#include <optional>
#include <vector>

#include "core/content/TagDictionary.h"
#include "editor/windows/InputTextWindow.h"
#include "editor/browser/CategoriesContainer.h"
#include "skin/HeaderComponent.h"

class ContentBrowser;
class ContentItem;

/** The "EDIT TAGS" panel of the content browser. In Edit Mode it shows which tags the selected
    items carry (full, partial or off) and writes every click to them at once; in save mode it
    chooses the tags of the preset about to be saved and writes nothing. With the structure
    permission it also creates categories and tags. Message thread only. */
class ContentTagEditor : public juce::Component,
                         public juce::AsyncUpdater,
                         public CategoryComponent::Listener,
                         public juce::Button::Listener,
                         public Orvik::AlertWindow::Caller,
                         public juce::TextEditor::Listener
{
public:
    /** The header and the columns. */
    class CategoriesPanel : public juce::Component
    {
    public:
        explicit CategoriesPanel (bool canEditStructure);
        ~CategoriesPanel() override;

        void resized() override;

        CategoriesContainer container;
        juce::DrawableButton addCategoryButton { "Add category", juce::DrawableButton::ImageFitted };
        juce::DrawableButton tagIcon { {}, juce::DrawableButton::ImageFitted };
        HeaderComponent header;

        JUCE_DECLARE_NON_COPYABLE (CategoriesPanel)
    };

    /** The characters the tags' text form uses as separators, refused in new names. */
    static constexpr const char* forbiddenNameCharacters = ";:|";
    /** Why a new category or tag name cannot be taken; empty when it can. */
    static juce::String checkNewName (const juce::String& name);

    ContentTagEditor (ContentBrowser& owner, bool canEditStructure);
    ~ContentTagEditor() override;

    /** Reads the selection and the sources' tags again and builds the columns. */
    void rebuild();
    /** The items it edits are gone or about to change (a source was refreshed): forgets them,
        drops any open dialog unanswered, and rebuilds on the next turn of the message loop. */
    void forgetSelection();
    /** Writes the tag states to the items selected at the last rebuild (never in save mode). */
    void applyTagChanges (bool scheduleRebuild);

    /** The tags of a newly saved item. */
    const CategoryTagMap& getFullTags() const noexcept { return fullTags; }
    const CategoryTagMap& getPartialTags() const noexcept { return partialTags; }
    const CategoryTagMap& getAllTags() const noexcept { return allTags; }
    int getNumCategories() const noexcept { return allTags.getNumCategories(); }
    bool isSaveMode() const noexcept { return saveMode; }
    bool isEditable() const noexcept { return editable; }
    const juce::Array<ContentItem*>& getSelectedItems() const noexcept { return selectedItems; }
    CategoriesPanel& getPanel() noexcept { return panel; }
    CategoriesContainer& getContainer() noexcept { return panel.container; }
    Orvik::InputTextWindow* getNewTagDialog() const noexcept { return newTagDialog.get(); }
    Orvik::InputTextWindow* getNewCategoryDialog() const noexcept { return newCategoryDialog.get(); }
    Orvik::InputTextWindow* getFirstTagDialog() const noexcept { return firstTagDialog.get(); }
    /** The message that a category is full, or null. */
    Orvik::AlertWindow* getLimitAlert() const noexcept { return limitAlert.get(); }
    /** What the progress of a tag change over many items is called. */
    static constexpr const char* tagActivity = "Changing tags";

    /** Message thread: rebuild. */
    void handleAsyncUpdate() override;
    void buttonClicked (juce::Button* button) override;
    void alertWindowClosed (Orvik::AlertWindow* alert, int kind) override;
    void resized() override;
    void lookAndFeelChanged() override;

    void categoryItemClicked (CategoryComponent* component, int index) override;
    void categoryModeChanged (CategoryComponent*, bool) override {}
    void categoryAddTagClicked (CategoryComponent* component) override;
    void categoryMoveLeftClicked (CategoryComponent*) override {}
    void categoryMoveRightClicked (CategoryComponent*) override {}

    void textEditorTextChanged (juce::TextEditor&) override {}
    void textEditorReturnKeyPressed (juce::TextEditor&) override {}
    void textEditorEscapeKeyPressed (juce::TextEditor&) override {}
    void textEditorFocusLost (juce::TextEditor&) override {}

private:
    std::unique_ptr<Orvik::InputTextWindow> ask (const juce::String& title, const juce::String& prompt,
                                                 const juce::String& initialText);
    /** Whether the result list's selection is still the one the columns were built for. */
    bool selectionIsCurrent() const;
    void newTagAnswered (const juce::String& text);
    void newCategoryAnswered (const juce::String& text);
    void firstTagAnswered (const juce::String& text);
    void addNewTag (const juce::String& category, const juce::String& tag);

    ContentBrowser& browser;
    const bool canEditStructure;
    CategoriesPanel panel;
    juce::Array<ContentItem*> selectedItems;
    /** Each selected item's tags before this editor's first change to it, kept as the change
        reaches it (until then the item's own tags are those): every tag change starts from
        these, so clicking a tag through its states ends where it began. */
    std::shared_ptr<std::vector<std::optional<CategoryTagMap>>> tagsBefore;
    CategoryTagMap allTags, fullTags, partialTags, initialPartialTags;
    juce::StringArray categoryOrder;
    bool editable = false;
    const bool saveMode;
    juce::String pendingTagCategory, pendingCategory;
    std::unique_ptr<Orvik::InputTextWindow> newTagDialog, newCategoryDialog, firstTagDialog;
    std::unique_ptr<Orvik::AlertWindow> limitAlert;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ContentTagEditor)
};
