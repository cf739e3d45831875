#pragma once

#include "core/parameters/ParameterValueText.h"

/** One preset: its header and a list of parameter values as text, read from and written to
    XML with the root "Preset". */
class Preset
{
public:
    static constexpr const char* xmlTag = "Preset";
    static constexpr int defaultRating = 3;

    Preset() = default;
    Preset (const Preset& other);
    Preset& operator= (const Preset& other);
    ~Preset() = default;

    juce::String name, application, category, version, author, id, tags;
    int rating = defaultRating;

    /** Removes all values (the header stays). */
    void clear();

    int getNumValues() const noexcept                         { return values.size(); }
    const juce::Array<ParameterValueText>& getValues() const  { return values; }
    /** Replaces the value of that id or appends it. */
    void setValue (int parameterId, const juce::String& text);
    /** Null when the preset holds no value for the id. */
    const juce::String* findValue (int parameterId) const;

    /** Extra data a product keeps with the preset (null when none). */
    juce::XmlElement* getExtraData() const noexcept          { return extraData.get(); }
    void setExtraData (std::unique_ptr<juce::XmlElement> data) { extraData = std::move (data); }

    std::unique_ptr<juce::XmlElement> createXml() const;
    /** False, leaving the preset unchanged, when the element is not a "Preset". */
    bool readFromXml (const juce::XmlElement& element);

    bool saveToFile (const juce::File& file) const;

private:
    juce::Array<ParameterValueText> values;
    std::unique_ptr<juce::XmlElement> extraData;
};
