#pragma once

#include "skin/BaseGFXController.h"
#include "skin/ContainedComponent.h"
#include "skin/GUIController.h"

/** A rotary knob drawn from its image strip. Dragging up or right turns it up, 200 pixels
    over the whole range; with the Command (Ctrl) or Alt key held, ten times finer. The mouse
    wheel turns it in small steps. */
class ImgKnob : public juce::Component,
                public GUIController,
                public BaseGFXController,
                public ContainedComponent
{
public:
    static constexpr float pixelsPerRange = 200.0f;
    static constexpr float fineFactor = 0.1f;

    ImgKnob (const juce::ValueTree& element, Skin& skin);
    ~ImgKnob() override;

    /** The knob's position 0..1 (the bound parameter's normalised value when bound). */
    float getKnobValue() const noexcept { return value; }
    /** Moves the knob as the user would: the parameter follows, with notification. */
    void setKnobValue (float newValue);

    void updateFromParameter() override;
    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;

protected:
    /** For widgets that drag like a knob but show another fallback icon. */
    ImgKnob (const juce::ValueTree& element, Skin& skin, juce::uint32 fallbackIconKey);

    /** How far a drag from the last position moves the value, before the fine factor. */
    virtual float getDragDelta (juce::Point<float> movement) const;

private:
    static bool isFine (const juce::ModifierKeys& mods);

    float value = 0.0f;
    float dragValue = 0.0f;
    juce::Point<float> lastDragPosition;
    bool dragging = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImgKnob)
};
