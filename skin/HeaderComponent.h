#pragma once

#include "skin/HardLabel.h"

/** A header row, 20 pixels high, along the top of its parent and as wide as it: a title and up
    to two 20 x 20 buttons (left and right; not owned, either may be null). */
class HeaderComponent : public juce::Component
{
public:
    enum ColourIds
    {
        backgroundColourId = 0x0F006000,
        textColourId = 0x0F006001
    };

    static constexpr int height = 20;

    HeaderComponent (const juce::String& title, juce::Button* leftButton, juce::Button* rightButton);
    ~HeaderComponent() override;

    HardLabel& getTitle() noexcept { return title; }

    void paint (juce::Graphics& g) override;
    void resized() override;
    void parentSizeChanged() override;
    void parentHierarchyChanged() override;
    void colourChanged() override;
    void lookAndFeelChanged() override;

private:
    void fitToParent();
    void updateTitleColour();

    HardLabel title;
    juce::Component::SafePointer<juce::Button> left, right;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HeaderComponent)
};
