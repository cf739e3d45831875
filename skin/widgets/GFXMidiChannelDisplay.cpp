#include "skin/widgets/GFXMidiChannelDisplay.h"
#include <cmath>

namespace
{
    // Values from outside may be anything: NaN shows as 0, infinities as the nearer end.
    double clampedUnit (float v)
    {
        return std::isnan (v) ? 0.0 : juce::jlimit (0.0, 1.0, (double) v);
    }
}

GFXMidiChannelDisplay::GFXMidiChannelDisplay (const juce::String& name)
    : juce::Slider (juce::Slider::RotaryVerticalDrag, juce::Slider::NoTextBox),
      BaseGFXController (*this, 0, false)
{
    setName (name);
    setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    setRange (0.0, 1.0, 0.0);
    juce::Slider::setValue (0.0, juce::dontSendNotification);
}

GFXMidiChannelDisplay::GFXMidiChannelDisplay (const juce::ValueTree& element, Skin& skin)
    : GFXMidiChannelDisplay (element.getProperty ("name").toString())
{
    loadFromXml (element, skin);
}

GFXMidiChannelDisplay::~GFXMidiChannelDisplay() = default;

void GFXMidiChannelDisplay::loadFromXml (const juce::ValueTree& element, Skin& skin)
{
    BaseGFXController::loadFromXml (element, skin);
    GUIController::loadFromXml (element, skin);
    repaint();
}

void GFXMidiChannelDisplay::updateFromParameter()
{
    if (auto* p = getParameter())
    {
        juce::Slider::setValue (clampedUnit (p->getNormalisedValue()), juce::dontSendNotification);
        repaint();
    }
}

int GFXMidiChannelDisplay::getChannel() const
{
    return (int) std::floor (clampedUnit ((float) getValue()) * 16.0 + 0.5);
}

juce::String GFXMidiChannelDisplay::getChannelText() const
{
    const int channel = getChannel();
    return channel == 0 ? juce::String ("ALL") : juce::String (channel);
}

int GFXMidiChannelDisplay::getShownFrame() const
{
    if (! isEnabled())
        return 0;

    // Frames 1 to N-1 show 0 to 1; a strip of one or two frames has just one value frame.
    const int count = strip.getFrameCount();
    const int valueFrames = count - 2;

    if (valueFrames <= 0)
        return strip.clampFrame (count - 1);

    return strip.clampFrame ((int) std::floor (clampedUnit ((float) getValue()) * valueFrames + 0.5) + 1);
}

void GFXMidiChannelDisplay::valueChanged()
{
    if (getParameter() != nullptr)
        setParameterNormalised ((float) getValue());

    notifyValueChanged();
    repaint();
}

void GFXMidiChannelDisplay::startedDragging()
{
    beginGesture();
    notifyDragStarted();
}

void GFXMidiChannelDisplay::stoppedDragging()
{
    endGesture();
    notifyDragEnded();
}

void GFXMidiChannelDisplay::paint (juce::Graphics& g)
{
    if (strip.isValid())
    {
        strip.drawFrame (g, getShownFrame(), { 0, 0, strip.getFrameWidth(), strip.getFrameHeight() });
        return;
    }

    g.setFont (juce::Font ("Tahoma", (float) getHeight() * 0.75f, juce::Font::plain));
    g.setColour (isEnabled() ? juce::Colours::black : juce::Colour::greyLevel (0.7f));
    g.drawRect (0, 0, getWidth(), getHeight(), 1);
    g.drawFittedText (getChannelText(), 3, 0, getWidth() - 6, getHeight(), juce::Justification::centred, 1, 0.0f);
}
