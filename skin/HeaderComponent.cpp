#include "skin/HeaderComponent.h"
#include "skin/DefaultLookAndFeel.h"

HeaderComponent::HeaderComponent (const juce::String& titleText, juce::Button* leftButton, juce::Button* rightButton)
    : title ({}, titleText), left (leftButton), right (rightButton)
{
    title.setJustificationType (juce::Justification::centredLeft);
    title.setInterceptsMouseClicks (false, false);
    addAndMakeVisible (title);

    for (auto* button : { leftButton, rightButton })
    {
        if (button == nullptr)
            continue;

        button->setWantsKeyboardFocus (false);
        button->setMouseClickGrabsKeyboardFocus (false);
        button->setSize (height, height);
        addAndMakeVisible (button);
    }

    setSize (0, height);
    updateTitleColour();
}

HeaderComponent::~HeaderComponent() = default;

void HeaderComponent::paint (juce::Graphics& g)
{
    g.fillAll (findColourOr (*this, backgroundColourId, juce::Colour (0xFF737373), true));
}

void HeaderComponent::resized()
{
    const int w = getWidth();
    int x = 4, titleRight = w;

    if (auto* button = left.getComponent())
    {
        button->setBounds (0, 0, height, height);
        x = height + 2;
    }

    if (auto* button = right.getComponent())
    {
        button->setBounds (w - height, 0, height, height);
        titleRight = w - height;
    }

    title.setBounds (x, 0, juce::jmax (0, titleRight - x), height);
}

void HeaderComponent::fitToParent()
{
    if (auto* parent = getParentComponent())
        setBounds (0, 0, parent->getWidth(), height);
}

void HeaderComponent::parentSizeChanged()
{
    fitToParent();
}

void HeaderComponent::parentHierarchyChanged()
{
    fitToParent();
    updateTitleColour();
}

void HeaderComponent::colourChanged()
{
    updateTitleColour();
    repaint();
}

void HeaderComponent::lookAndFeelChanged()
{
    updateTitleColour();
}

void HeaderComponent::updateTitleColour()
{
    // Looked up through the parents: a window may recolour every header it holds.
    title.setColour (juce::Label::textColourId, findColourOr (*this, textColourId, juce::Colours::white, true));
}
