#pragma once

#include "skin/ParameterController.h"
#include "skin/ParameterToggleBinding.h"
#include <juce_gui_basics/juce_gui_basics.h>
#include <array>
#include <memory>

/** A text button with a drawable icon beside its text, optionally bound to a parameter (its
    toggle state sets the parameter to its minimum or maximum). */
class TextButtonWithIcon : public juce::TextButton,
                           public ParameterController
{
public:
    explicit TextButtonWithIcon (const juce::String& name);
    ~TextButtonWithIcon() override;

    // Both bases keep listeners; each overload takes its own kind.
    using juce::Button::addListener;
    using juce::Button::removeListener;
    using ParameterController::addListener;
    using ParameterController::removeListener;

    /** Keeps six recoloured copies (normal, hovered, disabled; off and on). */
    void setIcon (const juce::Drawable& drawable);
    void setText (const juce::String& newText, bool fit);
    /** Fits the width to icon room + text at height (the current height when negative). */
    void fitWidthToText (int height);
    void setIconInsets (juce::BorderSize<int> newInsets);
    /** 0: icon at the left; anything else: at the right. */
    void setIconSide (int side);

    juce::Drawable* getCurrentIcon() const noexcept { return currentIcon; }
    juce::Rectangle<int> getIconArea() const noexcept { return iconArea; }
    /** The area the text is drawn in: the bounds less the icon room. */
    juce::Rectangle<int> getTextArea() const;

    void paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override;
    void resized() override;
    void buttonStateChanged() override;
    void enablementChanged() override;
    void lookAndFeelChanged() override;
    void colourChanged() override;
    void parentHierarchyChanged() override;
    void parameterValueChanged (Parameter* parameter) override;

private:
    enum Look
    {
        normalOff,
        normalOn,
        overOff,
        overOn,
        disabledOff,
        disabledOn,
        numLooks
    };

    void pickIcon();
    void placeIcon();
    void rebuildIcons();

    int iconSide = 0;
    juce::BorderSize<int> insets { 1, 2, 1, 1 };
    std::unique_ptr<juce::Drawable> original;   // black, as given
    std::array<std::unique_ptr<juce::Drawable>, numLooks> icons;
    juce::Drawable* currentIcon = nullptr;
    juce::Rectangle<int> iconArea;
    ParameterToggleBinding toggleBinding { *this, *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TextButtonWithIcon)
};
