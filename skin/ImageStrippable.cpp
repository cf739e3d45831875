#include "skin/ImageStrippable.h"
#include "skin/Skin.h"

bool ImageStrippable::loadImageStrip (Skin& skin, const juce::ValueTree& element, const juce::Identifier& attribute)
{
    if (! element.hasProperty (attribute))
        return false;

    const auto fileName = element.getProperty (attribute).toString();
    const auto image = skin.loadImage (fileName);

    if (! image.isValid())
    {
        skin.log ("Skin image missing or unreadable: \"" + fileName + "\"");
        return false;
    }

    imageStripLoaded (attribute, ImageStrip::fromNamedImage (image, fileName));
    return true;
}
