#include "skin/widgets/ImgPictureDisplay.h"
#include "skin/EmbeddedIcons.h"
#include <cmath>

ImgPictureDisplay::ImgPictureDisplay (const juce::ValueTree& element, Skin& skin)
    : juce::Component (element.getProperty ("name").toString()),
      BaseGFXController (*this, EmbeddedIconKey::imgAnim)
{
    BaseGFXController::loadFromXml (element, skin);
    GUIController::loadFromXml (element, skin);
    createContainer (element, *this);
}

ImgPictureDisplay::~ImgPictureDisplay() = default;

void ImgPictureDisplay::updateFromParameter()
{
    if (auto* p = getParameter())
    {
        const double index = std::floor ((double) p->getValue() - (double) p->getMinimum() + 0.5);
        setRestingFrame ((int) juce::jlimit (0.0, (double) juce::jmax (0, getNumFrames() - 1), index));
    }
}

void ImgPictureDisplay::paint (juce::Graphics& g)
{
    drawCurrentFrame (g, getLocalBounds());
}
