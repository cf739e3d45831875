#include "skin/widgets/ImgKnob.h"
#include "skin/EmbeddedIcons.h"
#include <cmath>

ImgKnob::ImgKnob (const juce::ValueTree& element, Skin& skin)
    : ImgKnob (element, skin, EmbeddedIconKey::imgKnob)
{
}

ImgKnob::ImgKnob (const juce::ValueTree& element, Skin& skin, juce::uint32 iconKey)
    : juce::Component (element.getProperty ("name").toString()),
      BaseGFXController (*this, iconKey)
{
    BaseGFXController::loadFromXml (element, skin);
    GUIController::loadFromXml (element, skin);
    createContainer (element, *this);
}

ImgKnob::~ImgKnob() = default;

void ImgKnob::setKnobValue (float newValue)
{
    if (std::isnan (newValue))
        return;

    newValue = juce::jlimit (0.0f, 1.0f, newValue);
    const float previous = value;

    if (auto* p = getParameter())
    {
        setParameterNormalised (newValue);
        // A stepped parameter snaps; the knob shows where it landed.
        value = p->getNormalisedValue();
    }
    else
    {
        value = newValue;
    }

    if (value == previous)
        return;

    setValue (value);
    notifyValueChanged();
}

void ImgKnob::updateFromParameter()
{
    if (auto* p = getParameter())
    {
        value = p->getNormalisedValue();
        setValue (value);
    }
}

void ImgKnob::paint (juce::Graphics& g)
{
    drawCurrentFrame (g, getLocalBounds());
}

bool ImgKnob::isFine (const juce::ModifierKeys& mods)
{
    return mods.isCommandDown() || mods.isAltDown();
}

float ImgKnob::getDragDelta (juce::Point<float> movement) const
{
    return (movement.x - movement.y) / pixelsPerRange;
}

void ImgKnob::mouseDown (const juce::MouseEvent& e)
{
    // Shift-clicks and the pop-up button belong to the editor (restore, MIDI learn).
    if (e.mods.isPopupMenu() || e.mods.isShiftDown())
        return;

    dragging = true;
    dragValue = value;
    lastDragPosition = e.position;
    beginGesture();
    notifyDragStarted();
}

void ImgKnob::mouseDrag (const juce::MouseEvent& e)
{
    if (! dragging)
        return;

    const auto movement = e.position - lastDragPosition;
    lastDragPosition = e.position;

    // The drag keeps its own unsnapped value so that slow drags over a stepped parameter
    // still reach the next step.
    dragValue = juce::jlimit (0.0f, 1.0f, dragValue + getDragDelta (movement) * (isFine (e.mods) ? fineFactor : 1.0f));

    if (dragValue != value)
        setKnobValue (dragValue);
}

void ImgKnob::mouseUp (const juce::MouseEvent&)
{
    if (! dragging)
        return;

    dragging = false;
    endGesture();
    notifyDragEnded();
}

void ImgKnob::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    const float delta = (std::abs (wheel.deltaY) > std::abs (wheel.deltaX) ? wheel.deltaY : -wheel.deltaX)
        * (wheel.isReversed ? -1.0f : 1.0f);

    if (delta == 0.0f || std::isnan (delta))
        return;

    // During a drag the wheel joins the drag's gesture.
    if (! dragging)
        beginGesture();

    setKnobValue (value + (delta > 0 ? 1.0f : -1.0f) * (isFine (e.mods) ? 0.002f : 0.02f));

    if (! dragging)
        endGesture();
    else
        dragValue = value;
}
