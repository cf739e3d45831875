#pragma once

#include "skin/ImageStrip.h"
#include <juce_data_structures/juce_data_structures.h>

class Skin;

/** Mix-in of widgets that read image strips named by attributes of their element. */
class ImageStrippable
{
public:
    virtual ~ImageStrippable() = default;

    /** When the element has the attribute, loads the image it names through the skin and hands
        it to imageStripLoaded (an empty strip when the image cannot be loaded). False when the
        attribute is missing or the image cannot be loaded (the widget then falls back). */
    bool loadImageStrip (Skin& skin, const juce::ValueTree& element, const juce::Identifier& attribute);

protected:
    virtual void imageStripLoaded (const juce::Identifier& attribute, const ImageStrip& strip) = 0;
};
