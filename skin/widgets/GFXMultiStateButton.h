#pragma once

#include "skin/widgets/ImgButton.h"

/** A button that cycles through "states" states, one click at a time (an "ImgButton" element
    with a "states" attribute). Its strip holds one frame per state, or two (up, pressed) when
    it has twice as many frames as states. A bound parameter takes state / (states - 1). */
class GFXMultiStateButton : public ImgButton
{
public:
    static const juce::Identifier statesAttribute;
    static constexpr int maxStates = 64;

    GFXMultiStateButton (const juce::ValueTree& element, Skin& skin);
    ~GFXMultiStateButton() override;

    int getNumStates() const noexcept { return numStates; }
    int getStateIndex() const noexcept { return stateIndex; }
    /** Shows a state; with sendNotification the bound parameter follows. */
    void setStateIndex (int newState, juce::NotificationType notification);

    int getStateFrame() const override;
    void updateFromParameter() override;

protected:
    void clicked() override;
    bool isMomentary() const override { return false; }

private:
    int numStates = 2;
    int stateIndex = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXMultiStateButton)
};
