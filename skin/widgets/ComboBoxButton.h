#pragma once

#include "editor/windows/PopupMenuEx.h"
#include "skin/ParameterController.h"

/** A button that shows an enumerated parameter's value and, when clicked, a pop-up menu of its
    items; choosing one sets the parameter. */
class ComboBoxButton : public juce::Button,
                       public ParameterController,
                       public PopupMenuEx::Listener
{
public:
    explicit ComboBoxButton (const juce::String& name = {});
    ~ComboBoxButton() override;

    using juce::Button::addListener;
    using juce::Button::removeListener;
    using ParameterController::addListener;
    using ParameterController::removeListener;

    /** Fills the menu with the parameter's item names (ids 0..n-1) and binds it (replacing an
        earlier one). Null or a parameter without items leaves the button empty. */
    void setParameter (Parameter* parameter);

    PopupMenuEx& getMenu() noexcept { return menu; }

    void clicked() override;
    void paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override;
    void menuItemChosen (PopupMenuEx* menu, int itemId, bool ticked) override;
    void menuDismissed (PopupMenuEx* menu) override;
    bool acceptsParameter (Parameter* parameter) override;
    void parameterValueChanged (Parameter* parameter) override;

private:
    PopupMenuEx menu;
    bool open = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComboBoxButton)
};
