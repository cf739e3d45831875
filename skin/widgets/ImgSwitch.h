#pragma once

#include "skin/BaseGFXController.h"
#include "skin/ContainedComponent.h"
#include "skin/GUIController.h"

/** A switch with one position per frame of its strip (two when the strip has one frame).
    A click steps to the next position, after the last back to the first; the bound parameter
    takes position / (positions - 1) as its normalised value. */
class ImgSwitch : public juce::Component,
                  public GUIController,
                  public BaseGFXController,
                  public ContainedComponent
{
public:
    ImgSwitch (const juce::ValueTree& element, Skin& skin);
    ~ImgSwitch() override;

    int getNumPositions() const noexcept;
    int getPosition() const noexcept { return position; }
    /** Moves the switch as the user would: the parameter follows, with notification. */
    void setPosition (int newPosition);

    void updateFromParameter() override;
    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    int position = 0;
    bool pressed = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImgSwitch)
};
