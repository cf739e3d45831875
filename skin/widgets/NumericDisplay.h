#pragma once

#include "skin/BaseGFXController.h"
#include "skin/ContainedComponent.h"
#include "skin/GUIController.h"

/** A numeric readout of the bound parameter's value (its text without the unit), right
    aligned. With a "gfx" strip the characters are drawn from it, one frame per character of
    "charset" (default "0123456789-. "); without one, in a font ("txtCol", "fontSize").
    Dragging up or down changes the value as on a knob. */
class NumericDisplay : public juce::Component,
                       public GUIController,
                       public BaseGFXController,
                       public ContainedComponent
{
public:
    static const juce::String defaultCharset;

    NumericDisplay (const juce::ValueTree& element, Skin& skin);
    ~NumericDisplay() override;

    /** The text shown now. */
    const juce::String& getDisplayText() const noexcept { return text; }

    void updateFromParameter() override;
    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    juce::String text, charset;
    juce::Colour textColour;
    float fontSize = 14.0f;
    float dragValue = 0.0f;
    juce::Point<float> lastDragPosition;
    bool dragging = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NumericDisplay)
};
