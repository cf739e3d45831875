#pragma once

#include "core/content/CategoryTagMap.h"
#include "core/parameters/BoundedXmlReader.h"
#include "core/parameters/ParameterValueText.h"

class ParameterManager;

/** One preset: its header and a list of parameter values as text, read from and written to
    XML with the root "Preset" (files with the extension ".grprs2"; docs/content.md). */
class Preset
{
public:
    static constexpr const char* xmlTag = "Preset";
    static constexpr const char* fileExtension = ".grprs2";
    static constexpr int defaultRating = 3;
    static constexpr int maxRating = 5;
    /** Larger files are refused unread: no preset comes near it. */
    static constexpr juce::int64 maxFileSize = 4 * 1024 * 1024;
    /** A preset nests 3 levels, more with a product's extra data. */
    static constexpr BoundedXmlReader::Limits xmlLimits { (size_t) maxFileSize, 32 };

    Preset() = default;
    Preset (const Preset& other);
    Preset& operator= (const Preset& other);
    virtual ~Preset() = default;

    juce::String name, application, category, version, author, id;
    /** The tags in CategoryTagMap's text form. */
    juce::String tags;
    int rating = defaultRating;

    CategoryTagMap getTagMap() const { return CategoryTagMap::fromString (tags); }
    void setTagMap (const CategoryTagMap& map) { tags = map.toString(); }

    /** Removes all values (the header stays). */
    void clear();

    int getNumValues() const noexcept { return values.size(); }
    const juce::Array<ParameterValueText>& getValues() const { return values; }
    /** Replaces the value of that id or appends it. */
    void setValue (int parameterId, const juce::String& text);
    /** Null when the preset holds no value for the id. */
    const juce::String* findValue (int parameterId) const;
    void removeValue (int parameterId);

    /** Extra data a product keeps with the preset (null when none). */
    juce::XmlElement* getExtraData() const noexcept { return extraData.get(); }
    void setExtraData (std::unique_ptr<juce::XmlElement> data) { extraData = std::move (data); }

    /** All values the preset holds; with a manager, the values of parameters it excludes from
        presets are left out. */
    std::unique_ptr<juce::XmlElement> createXml (const ParameterManager* manager = nullptr) const;
    /** False, leaving the preset unchanged, when the element is not a "Preset" or holds a
        "Value" or "ExtraData" spelt in another case (tags compare exactly). */
    virtual bool readFromXml (const juce::XmlElement& element);

    /** Writes whole or not at all (AtomicFile): a failed write leaves the old file whole and
        says why. With a manager, excluded parameters are not written. */
    juce::Result saveToFile (const juce::File& file, const ParameterManager* manager = nullptr) const;
    /** False with a reason in error (the preset unchanged) when the file is missing, not a
        regular file, too large or too deep (xmlLimits), cut short, not XML or not a "Preset". */
    bool loadFromFile (const juce::File& file, juce::String* error = nullptr);
    bool loadFromText (const juce::String& xmlText, juce::String* error = nullptr);

    /** Parses a preset file's root element; headerOnly reads just its attributes (fast: what a
        folder refresh needs). Null with a reason in error, also for a text cut short.
        listedAsRegular and stamp: as for BoundedXmlReader::readFile. */
    static std::unique_ptr<juce::XmlElement> readRootElement (const juce::File& file, bool headerOnly,
                                                              juce::String& error, bool listedAsRegular = false,
                                                              BoundedXmlReader::FileStamp* stamp = nullptr);
    static std::unique_ptr<juce::XmlElement> readRootElement (const juce::String& text, bool headerOnly,
                                                              juce::String& error);
    /** From a file's bytes as read (at most maxFileSize), decoded as a file is. */
    static std::unique_ptr<juce::XmlElement> readRootElement (const void* data, size_t size, bool headerOnly,
                                                              juce::String& error);

    /** Whether the text ends with the closed "Preset" root (white space, comments and
        instructions may follow): JUCE's parser accepts a document cut off inside its root
        element, so truncated files are caught here. */
    static bool isComplete (const juce::String& xmlText);
    /** Where the root ends in a text: before the white space, comments and processing
        instructions that may follow it. */
    static const char* endOfRoot (const char* text, const char* end) noexcept;

    bool operator== (const Preset& other) const;

private:
    // decoded: the text was just made from bytes (see BoundedXmlReader::parseDecoded).
    static std::unique_ptr<juce::XmlElement> readRoot (const juce::String& text, bool headerOnly, juce::String& error, bool decoded);

    juce::Array<ParameterValueText> values;
    std::unique_ptr<juce::XmlElement> extraData;
};
