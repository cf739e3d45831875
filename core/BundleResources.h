#pragma once

#include <juce_graphics/juce_graphics.h>

/** Named resources of the plug-in bundle: "parameters.xml", the default host-parameter map,
    images. The folder is the bundle's Resources folder beside the binary; the environment
    variable GRINDEL_RESOURCES overrides it (tests and the command-line tools). */
class BundleResources
{
public:
    static juce::File getFolder();
    static juce::File getFile (const juce::String& resourceName);
    /** Empty when the resource is missing or unreadable. */
    static juce::Image loadImage (const juce::String& resourceName);
};
