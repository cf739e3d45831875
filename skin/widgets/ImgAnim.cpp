#include "skin/widgets/ImgAnim.h"
#include "skin/EmbeddedIcons.h"

ImgAnim::ImgAnim (const juce::String& name)
    : juce::Component (name), BaseGFXController (*this, EmbeddedIconKey::imgAnim)
{
}

ImgAnim::ImgAnim (const juce::ValueTree& element, Skin& skin)
    : ImgAnim (element.getProperty ("name").toString())
{
    BaseGFXController::loadFromXml (element, skin);
    GUIController::loadFromXml (element, skin);
    createContainer (element, *this);
}

ImgAnim::~ImgAnim() = default;

void ImgAnim::updateFromParameter()
{
    if (auto* p = getParameter())
        setValue (p->getNormalisedValue());
}

void ImgAnim::paint (juce::Graphics& g)
{
    drawCurrentFrame (g, getLocalBounds());
}
