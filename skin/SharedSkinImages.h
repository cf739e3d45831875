#pragma once

#include <juce_graphics/juce_graphics.h>

/** Decoded skin images shared by every skin of the process that reads the same version of a
    package (Skin::getSharedImageKey): a second editor of a skin decodes nothing again. An
    image is known while anything holds it; the last holder letting go forgets it, and so does
    anything drawing into it. Message thread only: skins are built and dropped there. */
class SharedSkinImages
{
public:
    /** The image under the key, or a null image. */
    static juce::Image find (const juce::String& key);
    /** Makes a valid image known under the key while it lives. */
    static void add (const juce::String& key, const juce::Image& image);
    /** How many images are known (for the tests). */
    static int getNumImages();
};
