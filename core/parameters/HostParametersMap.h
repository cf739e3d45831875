#pragma once

#include "core/parameters/ParameterManager.h"

/** The order in which the host sees the automatable parameters: root "HostParametersMap" with
    one "param" child (attribute "name") per host slot, in host order; files with the
    extension "." + the two-letter code + "hpmap" (".grhpmap"). The default map lies in the
    plug-in's resources; the user settings may name another. */
class HostParametersMap
{
public:
    static constexpr const char* xmlTag = "HostParametersMap";

    /** Parameter names in host order. */
    juce::StringArray names;

    std::unique_ptr<juce::XmlElement> createXml() const;
    /** False (map unchanged) when the element is not a "HostParametersMap" or holds a "param"
        spelt in another case (tags compare exactly). Empty and repeated names are skipped. */
    bool readFromXml (const juce::XmlElement& element);
    /** False with a reason (map unchanged) when the file is missing, not a regular file, too
        large or too deep (BoundedXmlReader's standard limits), not XML or not a map. */
    bool loadFromFile (const juce::File& file, juce::String* error = nullptr);
    juce::Result saveToFile (const juce::File& file) const;

    /** Gives host indices: the automatable parameters the map names, in the map's order, then
        the other automatable parameters in the manager's order; others get -1. Names that are
        unknown or not automatable are skipped. */
    void apply (ParameterManager& manager) const;

    static juce::String getFileExtension (const juce::String& shortCode) { return ("." + shortCode + "hpmap").toLowerCase(); }
};
