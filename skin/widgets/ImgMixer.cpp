#include "skin/widgets/ImgMixer.h"
#include "skin/EmbeddedIcons.h"
#include "skin/Skin.h"
#include "skin/StandardWidgetBuilder.h"
#include <cmath>

namespace
{
    const juce::Identifier sliderAttribute ("slider");
    const juce::Identifier displayAttribute ("display");

    float finiteUnit (float v)
    {
        return std::isnan (v) ? 0.0f : juce::jlimit (0.0f, 1.0f, v);
    }
}

//==============================================================================
ImgMixer::MasterSlider::MasterSlider()
{
    setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    setRange (0.0, 1.0, 0.0);
    setValue (0.0, juce::dontSendNotification);
    setSliderStyle (juce::Slider::LinearVertical);
    // The pointer's height is the value under every modifier: Alt and Command mean something
    // to the mixer, not a switch to velocity dragging.
    setVelocityModeParameters (1.0, 1, 0.0, false);
}

ImgMixer::MasterSliderLF::MasterSliderLF (ImgMixer& m) : mixer (m) {}

int ImgMixer::MasterSliderLF::getSliderThumbRadius (juce::Slider& slider)
{
    // A thumb as tall as the strip would leave no height to turn into values (every value
    // 0 or 1): at least half the slider's height always maps.
    return juce::jmin (mixer.thumb / 2, slider.getHeight() / 4);
}

//==============================================================================
ImgMixer::ImgMixer (const juce::String& name)
    : juce::Component (name)
{
    masterSlider.setLookAndFeel (&masterSliderLF);
    masterSlider.addMouseListener (this, false);
    addChildComponent (masterSlider);
    setReadOnly (false);
}

ImgMixer::ImgMixer (const juce::ValueTree& element, Skin& skin)
    : ImgMixer (element.getProperty ("name").toString())
{
    setTopLeftPosition (readCoordinateAttribute (element, "x"), readCoordinateAttribute (element, "y"));

    if (element.hasProperty ("background"))
        setBackground (skin.loadImage (element.getProperty ("background").toString()));

    if (! background.isValid())
        setSize (readSizeAttribute (element, "w"), readSizeAttribute (element, "h"));

    const int newThumb = readSizeAttribute (element, "thumb");

    if (newThumb != thumb)
    {
        thumb = newThumb;
        masterSlider.sendLookAndFeelChange();
    }

    if (element.hasProperty ("borderGaps") && (bool) element.getProperty ("borderGaps") != borderGaps)
    {
        borderGaps = element.getProperty ("borderGaps");
        placeChannels();
    }

    if (element.hasProperty ("readOnly"))
        setReadOnly (element.getProperty ("readOnly"));

    loadImageStrip (skin, element, sliderAttribute);
    loadImageStrip (skin, element, displayAttribute);
    bindParametersFromXml (element.getChildWithName ("parameters"), skin.getParameterManager());

    for (int i = 0; i < getNumParameters(); ++i)
        addChannel();

    fitSize();
    placeChannels();
    masterSlider.toFront (false);

    for (auto* p : parameters)
        parameterValueChanged (p);

    // No channel to draw (no strip, or no parameter found) and no background: the icon.
    if ((channels.isEmpty() || ! sliderStrip.isValid()) && ! background.isValid())
        setIcon (*this, getEmbeddedIcon (EmbeddedIconKey::imgMixer), iconSize, iconSize);

    createContainer (element, *this);
}

ImgMixer::~ImgMixer()
{
    endGesture();
    masterSlider.removeMouseListener (this);
    masterSlider.setLookAndFeel (nullptr);
}

//==============================================================================
void ImgMixer::setReadOnly (bool readOnly)
{
    if (masterSlider.isVisible() == ! readOnly)
        return;

    masterSlider.setVisible (! readOnly);
    setInterceptsMouseClicks (! readOnly, ! readOnly);
}

void ImgMixer::setBackground (const juce::Image& image)
{
    background = image;

    if (background.isValid())
        setSize (background.getWidth(), background.getHeight());

    repaint();
}

void ImgMixer::setChannelValue (int channel, float value)
{
    if (auto* c = channels[channel])
        c->setValue (value);

    if (displaysOn)
        if (auto* d = displays[channel])
            d->setValue (value);
}

void ImgMixer::setParameterValue (int channel, float value)
{
    auto* p = getParameter (channel);

    if (p == nullptr)
        return;

    if (p != gestureParameter)
    {
        endGesture();
        gestureParameter = p;
        p->beginChangeGesture();
    }

    setNormalisedValue (p, finiteUnit (value));
}

void ImgMixer::endGesture()
{
    if (gestureParameter != nullptr)
        std::exchange (gestureParameter, nullptr)->endChangeGesture();
}

//==============================================================================
void ImgMixer::imageStripLoaded (const juce::Identifier& attribute, const ImageStrip& strip)
{
    if (attribute == sliderAttribute)
    {
        if (strip == sliderStrip)
            return;

        sliderStrip = strip;

        for (auto* c : channels)
        {
            c->setImageStrip (sliderStrip);
            c->setSize (sliderStrip.getFrameWidth(), sliderStrip.getFrameHeight());
        }
    }
    else if (attribute == displayAttribute)
    {
        if (strip == displayStrip)
            return;

        displayStrip = strip;
        displaysOn = displayStrip.isValid();

        if (! displaysOn)
            displays.clear();

        for (auto* d : displays)
        {
            d->setImageStrip (displayStrip);
            d->setSize (displayStrip.getFrameWidth(), displayStrip.getFrameHeight());
        }

        while (displaysOn && displays.size() < getNumParameters())
            addDisplay();
    }
    else
    {
        return;
    }

    fitSize();
    resized();
}

void ImgMixer::addChannel()
{
    auto* c = channels.add (std::make_unique<ImgAnim> (juce::String()));
    c->setImageStrip (sliderStrip);
    c->setSize (sliderStrip.getFrameWidth(), sliderStrip.getFrameHeight());
    addAndMakeVisible (c);

    if (displaysOn && displays.size() < channels.size())
        addDisplay();

    masterSlider.toFront (false);
}

void ImgMixer::addDisplay()
{
    auto* d = displays.add (std::make_unique<ImgAnim> (juce::String()));
    d->setImageStrip (displayStrip);
    d->setSize (displayStrip.getFrameWidth(), displayStrip.getFrameHeight());
    addAndMakeVisible (d);
}

void ImgMixer::fitSize()
{
    const int n = getNumParameters();
    const int w = juce::jmax (juce::jmax (sliderStrip.getFrameWidth(), displayStrip.getFrameWidth()) * n,
                              background.getWidth(), getWidth());
    const int h = juce::jmax (sliderStrip.getFrameHeight() + displayStrip.getFrameHeight(), background.getHeight(), getHeight());

    if (w > 0 && h > 0)
        setSize (w, h);
}

void ImgMixer::placeRow (juce::OwnedArray<ImgAnim>& row, int frameWidth, int y)
{
    const int n = row.size();

    if (n < 2)
        return;

    const int g = borderGaps ? 1 : 0;
    const double gap = (double) (getWidth() - frameWidth * n) / (double) (n + 2 * g - 1);
    double x = g == 1 ? gap : 0.0;

    for (auto* c : row)
    {
        c->setTopLeftPosition (juce::roundToInt (x), y);
        x += gap + frameWidth;
    }
}

void ImgMixer::placeChannels()
{
    placeRow (channels, sliderStrip.getFrameWidth(), 0);

    if (displaysOn)
        placeRow (displays, displayStrip.getFrameWidth(), getHeight() - displayStrip.getFrameHeight());
}

void ImgMixer::resized()
{
    masterSlider.setBounds (0, 0, getWidth(), sliderStrip.isValid() ? sliderStrip.getFrameHeight() : getHeight());
    placeChannels();
}

void ImgMixer::paint (juce::Graphics& g)
{
    if (background.isValid())
        g.drawImageAt (background, 0, 0);
}

//==============================================================================
int ImgMixer::getFrame() const
{
    return channels.isEmpty() ? 0 : channels.getFirst()->getFrame();
}

int ImgMixer::getNumFrames() const
{
    return channels.isEmpty() ? 0 : channels.getFirst()->getNumFrames();
}

bool ImgMixer::setFrame (int newFrame)
{
    if (channels.isEmpty())
        return false;

    // The strip's own conversion: a one-frame strip gives 0, never a division by zero.
    const float value = channels.getFirst()->getImageStrip().frameToValue (newFrame);

    for (int i = 0; i < channels.size(); ++i)
        setChannelValue (i, value);

    return true;
}

void ImgMixer::parameterValueChanged (Parameter* p)
{
    const int index = parameters.indexOf (p);

    if (index >= 0)
        setChannelValue (index, p->getNormalisedValue());
}

//==============================================================================
bool ImgMixer::isPaintingEvent (const juce::MouseEvent& e) const
{
    // Only the master slider's events carry a value; Shift and the right button are the
    // editor's (restore, MIDI learn).
    return e.eventComponent == &masterSlider && ! e.mods.isShiftDown() && ! e.mods.isRightButtonDown()
        && getNumParameters() > 0;
}

int ImgMixer::channelAt (const juce::MouseEvent& e) const
{
    const int n = getNumParameters();
    const int width = juce::jmax (1, masterSlider.getWidth());
    return juce::jlimit (0, n - 1, (int) ((juce::int64) n * e.x / width));
}

void ImgMixer::mouseDown (const juce::MouseEvent& e)
{
    if (! isPaintingEvent (e))
        return;

    dragging = true;
    currentChannel = channelAt (e);

    if (e.mods.isAltDown())
    {
        auto* p = getParameter (currentChannel);
        dragValue = p != nullptr ? p->getNormalisedValue() : 0.0f;
    }
    else
    {
        dragValue = (float) masterSlider.getValue();
    }

    setParameterValue (currentChannel, dragValue);
}

void ImgMixer::mouseDrag (const juce::MouseEvent& e)
{
    // A press that was not taken paints nothing, whatever the modifiers are now.
    if (! isPaintingEvent (e) || currentChannel < 0)
        return;

    if (e.mods.isCommandDown())
    {
        dragging = false;
        setParameterValue (currentChannel, (float) masterSlider.getValue());
    }

    if (! dragging)
        return;

    const int target = channelAt (e);

    if (! e.mods.isAltDown())
        dragValue = (float) masterSlider.getValue();

    const int step = target >= currentChannel ? 1 : -1;

    for (int i = currentChannel;; i += step)
    {
        setParameterValue (i, dragValue);

        if (i == target)
            break;
    }

    currentChannel = target;
}

void ImgMixer::mouseUp (const juce::MouseEvent& e)
{
    if (e.eventComponent != &masterSlider)
        return;

    dragging = false;
    currentChannel = -1;
    endGesture();
}
