#pragma once

#include "skin/BaseGFXController.h"
#include "skin/ContainedComponent.h"
#include "skin/GUIController.h"

/** Shows one picture per value of the bound parameter: frame n for the value minimum + n
    (an enumeration's item, a mode), clamped to the strip. */
class ImgPictureDisplay : public juce::Component,
                          public GUIController,
                          public BaseGFXController,
                          public ContainedComponent
{
public:
    ImgPictureDisplay (const juce::ValueTree& element, Skin& skin);
    ~ImgPictureDisplay() override;

    void updateFromParameter() override;
    void paint (juce::Graphics& g) override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImgPictureDisplay)
};
