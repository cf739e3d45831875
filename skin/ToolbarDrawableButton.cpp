#include "skin/ToolbarDrawableButton.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/EmbeddedIcons.h"

ToolbarDrawableButton::ToolbarDrawableButton (const juce::String& name, int iconToUse)
    : juce::DrawableButton (name, juce::DrawableButton::ImageFitted), iconId (iconToUse)
{
    setEdgeIndent (1);
    setWantsKeyboardFocus (false);
    loadIcon();
}

ToolbarDrawableButton::~ToolbarDrawableButton() = default;

void ToolbarDrawableButton::loadIcon()
{
    auto* laf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel());
    icon = laf != nullptr ? laf->createStandardIcon (iconId) : getStandardIcon (iconId);

    if (icon != nullptr)
        icon->replaceColour (juce::Colours::black, findColour (juce::DrawableButton::textColourId));

    setImages (icon.get());
}

void ToolbarDrawableButton::paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown)
{
    if (! (getToggleState() || isMouseOverButton || isButtonDown))
        return;

    const auto colour = findColour (getToggleState() ? juce::DrawableButton::backgroundOnColourId
                                                     : juce::DrawableButton::backgroundColourId);
    getLookAndFeel().drawButtonBackground (g, *this, colour, isMouseOverButton, isButtonDown);
}

void ToolbarDrawableButton::buttonStateChanged()
{
    juce::DrawableButton::buttonStateChanged();

    toggleBinding.buttonStateChanged();
}

void ToolbarDrawableButton::lookAndFeelChanged()
{
    juce::DrawableButton::lookAndFeelChanged();
    loadIcon();
}

void ToolbarDrawableButton::parentHierarchyChanged()
{
    juce::DrawableButton::parentHierarchyChanged();
    loadIcon();
}

void ToolbarDrawableButton::parameterValueChanged (Parameter* parameter)
{
    toggleBinding.parameterValueChanged (parameter);
}
