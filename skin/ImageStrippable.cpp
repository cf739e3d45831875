#include "skin/ImageStrippable.h"
#include "skin/Skin.h"

bool ImageStrippable::loadImageStrip (Skin& skin, const juce::ValueTree& element, const juce::Identifier& attribute)
{
    if (! element.hasProperty (attribute))
        return false;

    const auto fileName = element.getProperty (attribute).toString();
    const auto image = skin.loadImage (fileName);

    // The widget hears of a missing image too (as an empty strip): a strip it held before
    // must not stay on show.
    if (! image.isValid())
    {
        skin.log ("Skin image missing or unreadable: \"" + fileName + "\"");
        imageStripLoaded (attribute, ImageStrip());
        return false;
    }

    imageStripLoaded (attribute, ImageStrip::fromNamedImage (image, fileName));
    return true;
}
