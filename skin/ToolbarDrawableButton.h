#pragma once

#include "skin/ParameterController.h"
#include "skin/ParameterToggleBinding.h"
#include <juce_gui_basics/juce_gui_basics.h>
#include <memory>

/** An icon-only button that draws its background only when on, hovered or pressed; optionally
    bound to a parameter. Its image is the look-and-feel's numbered icon. */
class ToolbarDrawableButton : public juce::DrawableButton,
                              public ParameterController
{
public:
    ToolbarDrawableButton (const juce::String& name, int iconId);
    ~ToolbarDrawableButton() override;

    // Both bases keep listeners; each overload takes its own kind.
    using juce::Button::addListener;
    using juce::Button::removeListener;
    using ParameterController::addListener;
    using ParameterController::removeListener;

    int getIconId() const noexcept { return iconId; }

    void paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override;
    void buttonStateChanged() override;
    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override;
    void parameterValueChanged (Parameter* parameter) override;

private:
    void loadIcon();

    const int iconId;
    std::unique_ptr<juce::Drawable> icon;
    ParameterToggleBinding toggleBinding { *this, *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ToolbarDrawableButton)
};
