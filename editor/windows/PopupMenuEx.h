#pragma once

#include "core/parameters/ListenerArray.h"
#include "editor/windows/ModalComponent.h"
#include <memory>

/** The system's own drop-down menu, drawn inside the editor as a modal layer. A widget owns a
    menu, fills it, shows it for itself and learns of the choice or the dismissal through its
    Listener, always asynchronously (never from inside the mouse handler). */
class PopupMenuEx : public juce::AsyncUpdater
{
public:
    struct Item
    {
        PopupMenuEx* owner = nullptr;
        int id = 0;
        juce::String text, alternativeText;
        bool ticked = false;
        bool enabled = true;
    };

    /** Listeners are called last added first. */
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void menuItemChosen (PopupMenuEx* menu, int itemId, bool ticked) = 0;
        virtual void menuDismissed (PopupMenuEx*) {}
    };

    /** Placements of the menu window against the target area. */
    enum Placement
    {
        placeRight = 2,
        placeBelow = 16
    };

    class PopupMenuComponent;
    class Window;

    explicit PopupMenuEx (const juce::String& name = {});
    /** Copies name, tick style and deep copies of the items; not listeners, target or popup. */
    PopupMenuEx (const PopupMenuEx& other);
    PopupMenuEx& operator= (const PopupMenuEx& other);
    ~PopupMenuEx() override;

    const juce::String& getName() const noexcept { return name; }

    void addItem (int id, const juce::String& text, bool ticked = false, bool enabled = true);
    /** Removes every item. */
    void clear();
    int getNumItems() const noexcept { return items.size(); }
    Item* getItem (int index) const noexcept { return items[index]; }
    /** The first item with that id, or null. */
    Item* findItem (int id) const;
    /** Ticks or unticks every item with that id; with clearOthers every other item is unticked. */
    void setItemTicked (int id, bool ticked, bool clearOthers);

    /** 0: ticks are squares; anything else: dots. */
    void setTickStyle (int style) { tickStyle = style; }
    int getTickStyle() const noexcept { return tickStyle; }
    /** 1: tick at the right edge; anything else: at the left, before the text. */
    void setTickOnRight (int onRight) { tickOnRight = onRight; }
    int getTickOnRight() const noexcept { return tickOnRight; }

    /** A null listener or one already present is ignored. */
    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    /** Opens the menu for target. With both coordinates of targetSize at least 1 the target area
        is (targetPosition, targetSize) in target's coordinates, else target's bounds. */
    void show (juce::Component* target, juce::Point<int> targetPosition = {},
               juce::Point<int> targetSize = {}, int placement = placeBelow);
    bool isOpen() const noexcept { return popup != nullptr; }
    PopupMenuComponent* getPopup() const noexcept { return popup.get(); }

    juce::Component* getTargetComponent() const noexcept { return target.getComponent(); }
    /** Widgets sharing a menu compare this with their own name. */
    juce::String getTargetComponentName() const;
    /** The target area in the menu layer's coordinates; empty without target or layer. */
    juce::Rectangle<int> getTargetArea() const;
    int getPlacement() const noexcept { return placement; }

    /** The menu layer: fills the editor, swallows presses outside the menu window. */
    class PopupMenuComponent : public ModalComponent
    {
    public:
        explicit PopupMenuComponent (PopupMenuEx& menu);
        ~PopupMenuComponent() override;

        Window* getWindow() const noexcept { return windows.getFirst(); }
        PopupMenuEx& getMenu() noexcept { return menu; }

        void updatePosition() override;
        void visibilityChanged() override;
        void mouseDown (const juce::MouseEvent& e) override;

    private:
        void openWindow();

        PopupMenuEx& menu;
        juce::OwnedArray<Window> windows;
        juce::Rectangle<int> targetArea;
        int placement = placeBelow;
    };

    /** One drawn menu. */
    class Window : public juce::Component
    {
    public:
        Window (PopupMenuComponent& layer, PopupMenuEx& menu);

        static constexpr int rowHeight = 16;

        /** The item row under a y coordinate, or -1 outside the items. */
        int getRowAt (int y) const;
        /** Sizes the window for the items in the current font. */
        void updateSize();
        /** The menu's items were replaced. */
        void itemsChanged();
        /** Places the window against the target area in a layer of the given size. */
        void place (juce::Rectangle<int> targetArea, int menuPlacement, juce::Point<int> layerSize);

        Item* getHoveredItem() const noexcept { return hoveredItem; }
        Item* getLastHoveredItem() const noexcept { return lastHoveredItem; }

        void paint (juce::Graphics& g) override;
        void lookAndFeelChanged() override;
        void mouseMove (const juce::MouseEvent& e) override;
        void mouseDrag (const juce::MouseEvent& e) override;
        void mouseExit (const juce::MouseEvent& e) override;
        void mouseDown (const juce::MouseEvent& e) override;

    private:
        void hover (int y);

        PopupMenuEx& menu;
        juce::Font font;
        Item* hoveredItem = nullptr;
        Item* lastHoveredItem = nullptr;
    };

private:
    friend class PopupMenuComponent;
    friend class Window;

    void itemPressed (const Item& item);
    void dismissPressed();
    // Message thread: tells the listeners after the click is over.
    void handleAsyncUpdate() override;
    void notifyItemChosen();
    void notifyDismissed();
    void closePopup();
    void itemsChanged();
    void repaintPopup();

    juce::String name;
    int tickStyle = 1;
    int tickOnRight = 1;
    ListenerArray<Listener> listeners;
    juce::OwnedArray<Item> items;
    std::unique_ptr<PopupMenuComponent> popup;
    juce::Component::SafePointer<juce::Component> target;
    int placement = placeBelow;
    juce::Point<int> targetPosition, targetSize;
    bool choicePending = false, dismissalPending = false;
    int chosenId = 0;
    bool chosenTicked = false;

    JUCE_LEAK_DETECTOR (PopupMenuEx)
};
