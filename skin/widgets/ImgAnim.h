#pragma once

#include "skin/BaseGFXController.h"
#include "skin/ContainedComponent.h"
#include "skin/GUIController.h"

/** Shows one frame of its image strip: the frame of the bound parameter's value, or the frame
    code sets (meters, activity lights). */
class ImgAnim : public juce::Component,
                public GUIController,
                public BaseGFXController,
                public ContainedComponent
{
public:
    explicit ImgAnim (const juce::String& name);
    ImgAnim (const juce::ValueTree& element, Skin& skin);
    ~ImgAnim() override;

    void updateFromParameter() override;
    void paint (juce::Graphics& g) override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImgAnim)
};
