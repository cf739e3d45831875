#pragma once

#include "skin/BaseGFXController.h"
#include "skin/GUIController.h"

/** A MIDI channel selector ("MidiChannelDisplay") bound to one normalised parameter: 0 is all
    channels, 1 is channel 16. Dragged up and down; drawn from its strip (frame 0 disabled,
    the others the values 0 to 1) or as a framed "ALL" or "1" to "16". Message thread only. */
class GFXMidiChannelDisplay : public juce::Slider,
                              public GUIController,
                              public BaseGFXController
{
public:
    explicit GFXMidiChannelDisplay (const juce::String& name);
    GFXMidiChannelDisplay (const juce::ValueTree& element, Skin& skin);
    ~GFXMidiChannelDisplay() override;

    void loadFromXml (const juce::ValueTree& element, Skin& skin) override;
    /** Message thread. Shows the parameter's value (NaN and infinities clamped) without
        sending it back. */
    void updateFromParameter() override;

    /** The channel shown: 0 for all, else 1 to 16. */
    int getChannel() const;
    /** "ALL" or the channel number. */
    juce::String getChannelText() const;
    /** The strip frame that paint draws. */
    int getShownFrame() const;

    void valueChanged() override;
    void startedDragging() override;
    void stoppedDragging() override;
    void paint (juce::Graphics& g) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GFXMidiChannelDisplay)
};
