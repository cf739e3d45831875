#pragma once

#include "skin/BaseGFXController.h"
#include "skin/ContainedComponent.h"
#include "skin/GUIController.h"

/** A button drawn from its image strip.

    Frames: with one, always that one; with two or three, 0 up and 1 down or on; with four or
    more, 0 off, 1 off and pressed, 2 on, 3 on and pressed. With "toggle" set a click flips its
    state. A bound parameter follows the state: a toggle sets it to its maximum or minimum on
    each click; a momentary button holds the maximum while pressed and the minimum after. */
class ImgButton : public juce::Button,
                  public GUIController,
                  public BaseGFXController,
                  public ContainedComponent
{
public:
    static const juce::Identifier toggleAttribute;

    ImgButton (const juce::ValueTree& element, Skin& skin);
    ~ImgButton() override;

    /** The frame that the button's state shows now. */
    virtual int getStateFrame() const;

    void updateFromParameter() override;

protected:
    ImgButton (const juce::ValueTree& element, Skin& skin, juce::uint32 fallbackIconKey);

    void paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override;
    void clicked() override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

    bool isParameterOn() const;
    /** Whether the bound parameter is held at its maximum only while the button is down. */
    virtual bool isMomentary() const { return ! getClickingTogglesState(); }

private:
    bool momentaryPressed = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImgButton)
};
