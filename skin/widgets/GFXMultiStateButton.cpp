#include "skin/widgets/GFXMultiStateButton.h"
#include <cmath>

const juce::Identifier GFXMultiStateButton::statesAttribute ("states");

GFXMultiStateButton::GFXMultiStateButton (const juce::ValueTree& element, Skin& skin)
    : ImgButton (element, skin)
{
    setClickingTogglesState (false);
    numStates = juce::jlimit (2, maxStates, element.getProperty (statesAttribute).toString().getIntValue());
    updateFromParameter();
}

GFXMultiStateButton::~GFXMultiStateButton() = default;

void GFXMultiStateButton::setStateIndex (int newState, juce::NotificationType notification)
{
    newState = juce::jlimit (0, numStates - 1, newState);

    if (notification != juce::dontSendNotification && getParameter() != nullptr)
    {
        beginGesture();
        setParameterNormalised ((float) newState / (float) (numStates - 1));
        endGesture();
    }

    if (newState != stateIndex)
    {
        stateIndex = newState;
        repaint();
    }
}

int GFXMultiStateButton::getStateFrame() const
{
    const int count = strip.getFrameCount();
    const int framesPerState = count >= 2 * numStates ? 2 : 1;
    const int f = stateIndex * framesPerState + ((framesPerState == 2 && isDown()) ? 1 : 0);
    return strip.clampFrame (f);
}

void GFXMultiStateButton::updateFromParameter()
{
    if (auto* p = getParameter())
        setStateIndex ((int) std::floor (p->getNormalisedValue() * (float) (numStates - 1) + 0.5f),
                       juce::dontSendNotification);
}

void GFXMultiStateButton::clicked()
{
    setStateIndex ((stateIndex + 1) % numStates, juce::sendNotification);
    notifyValueChanged();
}
