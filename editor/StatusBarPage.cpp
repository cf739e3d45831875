#include "editor/StatusBarPage.h"

namespace
{
    constexpr int iconSize = 22;
}

StatusBarPage::StatusBarPage (juce::Colour backgroundColour, std::unique_ptr<juce::Drawable> icon,
                              const juce::String& title)
    : background (backgroundColour), headerIcon (std::move (icon)), headerTitle ({}, title)
{
    if (title.isEmpty())
        return;

    if (headerIcon != nullptr)
    {
        headerIcon->setInterceptsMouseClicks (false, false);
        addAndMakeVisible (*headerIcon);
    }

    headerTitle.setInterceptsMouseClicks (false, false);
    addAndMakeVisible (headerTitle);
}

StatusBarPage::~StatusBarPage() = default;

void StatusBarPage::paint (juce::Graphics& g)
{
    g.fillAll (background);
    g.setColour (juce::Colours::black);
    g.drawRect (getLocalBounds(), 1);
}

void StatusBarPage::resized()
{
    if (headerIcon != nullptr)
        headerIcon->setTransformToFit ({ 1.0f, 1.0f, (float) iconSize, (float) iconSize }, juce::RectanglePlacement::centred);

    headerTitle.setBounds (iconSize, 0, getWidth() - iconSize, headerHeight);
}
