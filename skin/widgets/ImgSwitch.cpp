#include "skin/widgets/ImgSwitch.h"
#include "skin/EmbeddedIcons.h"
#include <cmath>

ImgSwitch::ImgSwitch (const juce::ValueTree& element, Skin& skin)
    : juce::Component (element.getProperty ("name").toString()),
      BaseGFXController (*this, EmbeddedIconKey::imgSwitch)
{
    BaseGFXController::loadFromXml (element, skin);
    GUIController::loadFromXml (element, skin);
    createContainer (element, *this);
}

ImgSwitch::~ImgSwitch() = default;

int ImgSwitch::getNumPositions() const noexcept
{
    return juce::jmax (2, strip.getFrameCount());
}

void ImgSwitch::setPosition (int newPosition)
{
    newPosition = juce::jlimit (0, getNumPositions() - 1, newPosition);

    if (getParameter() != nullptr)
    {
        setParameterNormalised ((float) newPosition / (float) (getNumPositions() - 1));
        updateFromParameter();
    }
    else
    {
        position = newPosition;
        setFrame (position);
    }

    notifyValueChanged();
}

void ImgSwitch::updateFromParameter()
{
    if (auto* p = getParameter())
    {
        const float positions = (float) (getNumPositions() - 1);
        position = juce::jlimit (0, getNumPositions() - 1,
                                 (int) std::floor (p->getNormalisedValue() * positions + 0.5f));
        setFrame (position);
    }
}

void ImgSwitch::paint (juce::Graphics& g)
{
    drawCurrentFrame (g, getLocalBounds());
}

void ImgSwitch::mouseDown (const juce::MouseEvent& e)
{
    pressed = ! (e.mods.isPopupMenu() || e.mods.isShiftDown());

    if (pressed)
        notifyDragStarted();
}

void ImgSwitch::mouseUp (const juce::MouseEvent& e)
{
    if (! pressed)
        return;

    pressed = false;

    // Releasing outside the switch cancels the click, as on a button.
    if (getLocalBounds().contains (e.getPosition()))
    {
        beginGesture();
        setPosition ((position + 1) % getNumPositions());
        endGesture();
    }

    notifyDragEnded();
}
