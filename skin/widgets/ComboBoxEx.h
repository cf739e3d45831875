#pragma once

#include "editor/windows/PopupMenuEx.h"
#include "core/parameters/ListenerArray.h"
#include "skin/ParameterController.h"

/** A flat drop-down list: shows the selected item's text and opens a PopupMenuEx below itself.
    It may be bound to an integer or enumerated parameter, and tells its listeners of the
    user's choice. */
class ComboBoxEx : public juce::Component,
                   public PopupMenuEx::Listener,
                   public ParameterController
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        /** The user chose an item. */
        virtual void comboBoxExChanged (ComboBoxEx* box) = 0;
    };

    explicit ComboBoxEx (const juce::String& name = {});
    ~ComboBoxEx() override;

    /** With notify the listeners are told (last added first); then the main parameter follows.
        Nothing happens when the id is unchanged. */
    void setSelectedId (int id, bool notify);
    int getSelectedId() const noexcept { return selectedId; }

    /** Copies source into the own menu and refreshes the text; nothing when source is the own
        menu, or, with skipIfSameName, when it has the own menu's name. */
    void setMenu (const PopupMenuEx& source, bool skipIfSameName);
    PopupMenuEx& getMenu() noexcept { return menu; }
    /** A menu shared with other boxes (not owned; null: the own menu). */
    void setSharedMenu (PopupMenuEx* shared);
    PopupMenuEx* getSharedMenu() const noexcept { return sharedMenu; }

    /** Shows the selected item's text ("---" when none) and ticks it in the menu. */
    void updateText();
    const juce::String& getText() const noexcept { return text; }
    const juce::Font& getFont() const noexcept { return font; }
    bool isOpen() const noexcept { return open; }
    const juce::Path& getArrow() const noexcept { return arrow; }

    using ParameterController::addListener;
    using ParameterController::removeListener;
    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    void paint (juce::Graphics& g) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent& e) override;
    void menuItemChosen (PopupMenuEx* menu, int itemId, bool ticked) override;
    void menuDismissed (PopupMenuEx* menu) override;
    void parameterValueChanged (Parameter* parameter) override;

private:
    PopupMenuEx& getMenuInUse() noexcept { return sharedMenu != nullptr ? *sharedMenu : menu; }

    int selectedId = -1;
    bool open = false;
    juce::String text;
    juce::Font font { "Tahoma", 13.0f, juce::Font::plain };
    juce::Path arrow;
    PopupMenuEx menu;
    PopupMenuEx* sharedMenu = nullptr;
    ListenerArray<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComboBoxEx)
};
