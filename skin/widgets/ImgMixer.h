#pragma once

#include "skin/AnimatedComponent.h"
#include "skin/ContainedComponent.h"
#include "skin/DefaultSliderLAF.h"
#include "skin/ImageStrippable.h"
#include "skin/ParameterController.h"
#include "skin/WidgetIcon.h"
#include "skin/widgets/ImgAnim.h"

/** A row of parameters edited together ("ImgMixer"), like the faders of a mixer or the steps
    of a sequencer: one channel (and optionally one value display) per bound parameter, each
    drawn from a strip. Pressing and dragging paints one value over the channels the pointer
    passes; the pointer's height gives the value through an invisible master slider over the
    channel area. Exactly one parameter at a time has an open change gesture while painting.
    Message thread only. */
class ImgMixer : public juce::Component,
                 public ImageStrippable,
                 public ParameterController,
                 public AnimatedComponent,
                 public ContainedComponent,
                 public WidgetIcon
{
public:
    /** The invisible slider that turns the pointer's height into a value. */
    class MasterSlider : public juce::Slider
    {
    public:
        MasterSlider();
        void paint (juce::Graphics&) override {}
    };

    /** Gives the master slider the mixer's thumb size. */
    class MasterSliderLF : public DefaultSliderLAF
    {
    public:
        explicit MasterSliderLF (ImgMixer& mixer);
        int getSliderThumbRadius (juce::Slider& slider) override;

    private:
        ImgMixer& mixer;
    };

    static constexpr int iconSize = 100;

    explicit ImgMixer (const juce::String& name);
    ImgMixer (const juce::ValueTree& element, Skin& skin);
    ~ImgMixer() override;

    /** A read-only mixer ignores the mouse and still follows its parameters. */
    void setReadOnly (bool readOnly);
    bool isReadOnly() const noexcept { return ! masterSlider.isVisible(); }
    void setBackground (const juce::Image& image);
    /** Shows a value 0..1 on a channel and its display (NaN and infinities clamped). */
    void setChannelValue (int channel, float value);
    /** Sets a bound parameter's value, handing the open change gesture to it. */
    void setParameterValue (int channel, float value);

    int getNumChannels() const noexcept { return channels.size(); }
    ImgAnim* getChannel (int index) const noexcept { return channels[index]; }
    int getNumDisplays() const noexcept { return displays.size(); }
    ImgAnim* getDisplay (int index) const noexcept { return displays[index]; }
    MasterSlider& getMasterSlider() noexcept { return masterSlider; }
    int getThumb() const noexcept { return thumb; }
    bool hasBorderGaps() const noexcept { return borderGaps; }
    bool areDisplaysOn() const noexcept { return displaysOn; }
    bool isDragging() const noexcept { return dragging; }
    int getCurrentChannel() const noexcept { return currentChannel; }
    Parameter* getGestureParameter() const noexcept { return gestureParameter; }

    // AnimatedComponent: channel 0's frames stand for the mixer's.
    int getFrame() const override;
    bool setFrame (int newFrame) override;
    int getNumFrames() const override;

    /** Message thread (through parameterChanged). */
    void parameterValueChanged (Parameter* parameter) override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

protected:
    void imageStripLoaded (const juce::Identifier& attribute, const ImageStrip& strip) override;

private:
    void addChannel();
    void addDisplay();
    void fitSize();
    void placeChannels();
    void placeRow (juce::OwnedArray<ImgAnim>& row, int frameWidth, int y);
    int channelAt (const juce::MouseEvent& e) const;
    bool isPaintingEvent (const juce::MouseEvent& e) const;
    void endGesture();

    MasterSliderLF masterSliderLF { *this };
    MasterSlider masterSlider;
    int currentChannel = -1;
    bool dragging = false;
    float dragValue = 0.0f;
    int thumb = 0;
    juce::Image background;
    bool displaysOn = false;
    bool borderGaps = false;
    ImageStrip sliderStrip, displayStrip;
    juce::OwnedArray<ImgAnim> channels, displays;
    Parameter* gestureParameter = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ImgMixer)
};
