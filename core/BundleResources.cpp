#include "core/BundleResources.h"

juce::File BundleResources::getFolder()
{
    const auto overridden = juce::SystemStats::getEnvironmentVariable ("GRINDEL_RESOURCES", {});

    if (overridden.isNotEmpty())
        return juce::File (overridden);

    // A bundle keeps its binary in Contents/<platform> and its data in Contents/Resources.
    const auto binary = juce::File::getSpecialLocation (juce::File::currentExecutableFile);
    const auto besideBinary = binary.getParentDirectory().getChildFile ("Resources");

    if (besideBinary.isDirectory())
        return besideBinary;

    return binary.getParentDirectory().getSiblingFile ("Resources");
}

juce::File BundleResources::getFile (const juce::String& resourceName)
{
    // Resource names are plain file names; anything that climbs out of the folder is refused.
    if (resourceName.isEmpty() || resourceName.contains ("..") || juce::File::isAbsolutePath (resourceName))
        return {};

    return getFolder().getChildFile (resourceName);
}

juce::Image BundleResources::loadImage (const juce::String& resourceName)
{
    const auto file = getFile (resourceName);
    return file.existsAsFile() ? juce::ImageFileFormat::loadFrom (file) : juce::Image();
}
