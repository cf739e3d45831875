#include "skin/BaseGFXController.h"
#include "skin/EmbeddedIcons.h"
#include "skin/Skin.h"
#include "skin/StandardWidgetBuilder.h"

const juce::Identifier BaseGFXController::gfxAttribute ("gfx");

BaseGFXController::BaseGFXController (juce::Component& o, juce::uint32 key, bool required)
    : owner (o), fallbackIconKey (key), imageRequired (required)
{
}

void BaseGFXController::loadFromXml (const juce::ValueTree& element, Skin& skin)
{
    const bool loaded = loadImageStrip (skin, element, gfxAttribute);

    int w = readSizeAttribute (element, "w");
    int h = readSizeAttribute (element, "h");

    if (w < 1) w = strip.isValid() ? strip.getFrameWidth() : defaultSize;
    if (h < 1) h = strip.isValid() ? strip.getFrameHeight() : defaultSize;

    owner.setBounds (readCoordinateAttribute (element, "x"), readCoordinateAttribute (element, "y"), w, h);

    if (! loaded && (imageRequired || element.hasProperty (gfxAttribute)))
        setIcon (owner, getEmbeddedIcon (fallbackIconKey), w, h);
}

void BaseGFXController::stripFrameChanged()
{
    owner.repaint();
}

void BaseGFXController::imageStripLoaded (const juce::Identifier& attribute, const ImageStrip& loaded)
{
    if (attribute == gfxAttribute)
        setImageStrip (loaded);
}
