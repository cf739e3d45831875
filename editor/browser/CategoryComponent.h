#pragma once

#include "core/parameters/ListenerArray.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/TextToggleButton.h"
#include <memory>

/** One tag category of the content browser as a narrow column: a header with the category's
    name and small buttons (move left, move right, any/all, add tag), and below it a scrolling
    list of tag buttons with two (off/on) or three (off/partial/on) states.

    It knows nothing of items or filtering: a click advances the button's state, colours it and
    is reported to the listeners, who act on it. Message thread only. */
class CategoryComponent : public juce::Component,
                          public juce::Button::Listener
{
public:
    static constexpr int headerHeight = 22;
    static constexpr int rowHeight = 21;

    class Listener
    {
    public:
        virtual ~Listener() = default;
        /** The tag button at index was clicked; its state has advanced already. */
        virtual void categoryItemClicked (CategoryComponent* component, int index) = 0;
        virtual void categoryModeChanged (CategoryComponent* component, bool all) = 0;
        virtual void categoryAddTagClicked (CategoryComponent* component) = 0;
        virtual void categoryMoveLeftClicked (CategoryComponent* component) = 0;
        virtual void categoryMoveRightClicked (CategoryComponent* component) = 0;
    };

    /** The column's header: the name and the header buttons. */
    class CategoryButton : public juce::Component
    {
    public:
        /** The header's font: the look-and-feel's font, bold. */
        class LF : public DefaultLookAndFeel
        {
        public:
            juce::Font getTextButtonFont (juce::TextButton&, int) override;
        };

        /** The any/all toggle: on and off differ only in text, small spaced-out letters. */
        class AnyAllButtonLF : public DefaultLookAndFeel
        {
        public:
            AnyAllButtonLF();
            juce::Font getTextButtonFont (juce::TextButton&, int) override;
        };

        CategoryButton (const juce::String& categoryName, int categoryId);
        ~CategoryButton() override;

        const juce::String& getName() const noexcept { return name; }
        int getCategoryId() const noexcept { return categoryId; }

        void resized() override;
        void enablementChanged() override;

        LF lf;
        AnyAllButtonLF anyAllLf;
        juce::String name;
        juce::Label label;
        juce::DrawableButton moveLeftButton { "Move left", juce::DrawableButton::ImageFitted };
        juce::DrawableButton moveRightButton { "Move right", juce::DrawableButton::ImageFitted };
        juce::DrawableButton addTagButton { "Add tag", juce::DrawableButton::ImageFitted };
        TextToggleButton anyAllButton { "ALL", "ANY" };
        int categoryId;

        JUCE_DECLARE_NON_COPYABLE (CategoryButton)
    };

    /** One tag: its id, its state and, while the state differs from the one it was made with,
        a change marker. */
    class ItemButton : public juce::TextButton
    {
    public:
        ItemButton (const juce::String& buttonText, int tagId, int state, int stateCount);
        ~ItemButton() override;

        void resized() override;

        int tagId;
        int state;
        int stateCount;
        const int initialState;
        std::unique_ptr<juce::Drawable> changeMarker;

        JUCE_DECLARE_NON_COPYABLE (ItemButton)
    };

    CategoryComponent (const juce::String& categoryName, int categoryId, bool showChangeMarkers);
    ~CategoryComponent() override;

    void addItem (const juce::String& text, int tagId, int state, int stateCount);
    /** By button text, case-sensitive in code-point order. */
    void sortItems();
    int getNumItems() const noexcept { return items.size(); }
    /** 0 for an index at or beyond the number of tags. */
    int getItemState (int index) const;
    int getItemId (int index) const;
    ItemButton* getItem (int index) const { return items[index]; }

    /** Move left, move right and the any/all toggle together. */
    void setHeaderButtonsVisible (bool shouldBeVisible);
    void setAddTagButtonVisible (bool shouldBeVisible);
    /** Sets the any/all toggle (on = "ALL") without telling anyone. */
    void setAllMode (bool all);
    void refreshMoveButtons();

    const juce::String& getCategoryName() const noexcept { return header.getName(); }
    int getCategoryId() const noexcept { return header.getCategoryId(); }
    CategoryButton& getHeader() noexcept { return header; }
    juce::Viewport& getViewport() noexcept { return viewport; }

    void addListener (Listener* listener) { listeners.add (listener); }
    void removeListener (Listener* listener) { listeners.remove (listener); }

    void buttonClicked (juce::Button* button) override;
    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    void updateItemColours (ItemButton& item);
    void layOutItems();

    CategoryButton header;
    juce::Viewport viewport;
    juce::Component content;
    juce::OwnedArray<ItemButton> items;
    ListenerArray<Listener> listeners;
    bool showChangeMarkers;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CategoryComponent)
};
