#include "core/content/Preset.h"
#include "core/content/XmlFileText.h"
#include "core/parameters/AtomicFile.h"
#include "core/parameters/ParameterManager.h"

#include <cstring>

namespace
{
    constexpr const char* valueTag = "Value";
    constexpr const char* extraTag = "ExtraData";
}

Preset::Preset (const Preset& other)
{
    *this = other;
}

Preset& Preset::operator= (const Preset& other)
{
    if (this != &other)
    {
        name = other.name;
        application = other.application;
        category = other.category;
        version = other.version;
        author = other.author;
        id = other.id;
        tags = other.tags;
        rating = other.rating;
        values = other.values;
        extraData = other.extraData != nullptr ? std::make_unique<juce::XmlElement> (*other.extraData) : nullptr;
    }

    return *this;
}

void Preset::clear()
{
    values.clearQuick();
}

void Preset::setValue (int parameterId, const juce::String& text)
{
    for (auto& v : values)
    {
        if (v.id == parameterId)
        {
            v.text = text;
            return;
        }
    }

    values.add ({ parameterId, text });
}

const juce::String* Preset::findValue (int parameterId) const
{
    for (auto& v : values)
        if (v.id == parameterId)
            return &v.text;

    return nullptr;
}

void Preset::removeValue (int parameterId)
{
    for (int i = values.size(); --i >= 0;)
        if (values.getReference (i).id == parameterId)
            values.remove (i);
}

std::unique_ptr<juce::XmlElement> Preset::createXml (const ParameterManager* manager) const
{
    auto xml = std::make_unique<juce::XmlElement> (xmlTag);
    xml->setAttribute ("name", name);
    xml->setAttribute ("application", application);
    xml->setAttribute ("category", category);
    xml->setAttribute ("version", version);
    xml->setAttribute ("author", author);
    xml->setAttribute ("id", id);
    xml->setAttribute ("tags", tags);
    xml->setAttribute ("rating", rating);

    for (auto& v : values)
    {
        if (manager != nullptr)
            if (auto* p = manager->getParameterByIndex (v.id); p != nullptr && p->isExcludedFromPresets())
                continue;

        auto* e = xml->createNewChildElement (valueTag);
        e->setAttribute ("id", v.id);
        e->setAttribute ("value", v.text);
    }

    if (extraData != nullptr)
        xml->createNewChildElement (extraTag)->addChildElement (new juce::XmlElement (*extraData));

    return xml;
}

bool Preset::readFromXml (const juce::XmlElement& element)
{
    // Tags compare exactly: a "value" is not ours, and a preset read without it would set
    // that parameter to its default.
    if (! BoundedXmlReader::hasTag (element, xmlTag) || BoundedXmlReader::hasMiscasedChild (element, { valueTag, extraTag }))
        return false;

    name = element.getStringAttribute ("name");
    application = element.getStringAttribute ("application");
    category = element.getStringAttribute ("category");
    version = element.getStringAttribute ("version");
    author = element.getStringAttribute ("author");
    id = element.getStringAttribute ("id");
    tags = element.getStringAttribute ("tags");
    rating = juce::jlimit (0, maxRating, element.getIntAttribute ("rating", defaultRating));

    values.clearQuick();
    extraData.reset();

    for (auto* child : element.getChildIterator())
    {
        if (BoundedXmlReader::hasTag (*child, valueTag) && child->hasAttribute ("id"))
            setValue (child->getIntAttribute ("id"), child->getStringAttribute ("value"));
        else if (BoundedXmlReader::hasTag (*child, extraTag) && child->getFirstChildElement() != nullptr)
            extraData = std::make_unique<juce::XmlElement> (*child->getFirstChildElement());
    }

    return true;
}

juce::Result Preset::saveToFile (const juce::File& file, const ParameterManager* manager) const
{
    return AtomicFile::write (file, *createXml (manager));
}

std::unique_ptr<juce::XmlElement> Preset::readRootElement (const juce::File& file, bool headerOnly, juce::String& error,
                                                           bool listedAsRegular, BoundedXmlReader::FileStamp* stamp)
{
    juce::MemoryBlock data;

    if (! BoundedXmlReader::readFile (file, (size_t) maxFileSize, data, error, listedAsRegular, stamp))
        return nullptr;

    return readRootElement (data.getData(), data.getSize(), headerOnly, error);
}

std::unique_ptr<juce::XmlElement> Preset::readRootElement (const void* data, size_t size, bool headerOnly, juce::String& error)
{
    // The decoded text would end at it, hiding what follows.
    if (BoundedXmlReader::holdsNul (data, size))
    {
        error = BoundedXmlReader::nulRefusal;
        return nullptr;
    }

    // In the encoding the file declares: what a rename or a tag write keeps.
    return readRoot (XmlFileText::decode (data, size), headerOnly, error, true);
}

std::unique_ptr<juce::XmlElement> Preset::readRootElement (const juce::String& text, bool headerOnly, juce::String& error)
{
    return readRoot (text, headerOnly, error, false);
}

std::unique_ptr<juce::XmlElement> Preset::readRoot (const juce::String& text, bool headerOnly, juce::String& error, bool decoded)
{
    auto root = decoded ? BoundedXmlReader::parseDecoded (text, xmlLimits, error, headerOnly)
                        : BoundedXmlReader::parse (text, xmlLimits, error, headerOnly);

    if (root == nullptr)
        return nullptr;

    // Even the listing, which reads only the root's attributes, skips files cut short.
    if (! isComplete (text))
    {
        error = "truncated or not a preset";
        return nullptr;
    }

    if (! BoundedXmlReader::hasTag (*root, xmlTag))
    {
        error = "not a preset (root <" + root->getTagName() + ">)";
        return nullptr;
    }

    return root;
}

bool Preset::loadFromFile (const juce::File& file, juce::String* error)
{
    juce::String reason;
    const auto root = readRootElement (file, false, reason);

    if (root != nullptr && readFromXml (*root))
        return true;

    if (error != nullptr)
        *error = file.getFileName() + ": " + (root != nullptr ? juce::String ("a tag of the preset in another case") : reason);

    return false;
}

bool Preset::isComplete (const juce::String& xmlText)
{
    // The common case, a file that ends with its closing tag and a line end, is checked in
    // place: a folder refresh asks it of every file.
    static constexpr char closing[] = "</Preset>";
    const auto* first = xmlText.toRawUTF8();
    auto* end = endOfRoot (first, first + xmlText.getNumBytesAsUTF8());

    if (end - first >= (int) sizeof (closing) - 1 && std::memcmp (end - (sizeof (closing) - 1), closing, sizeof (closing) - 1) == 0)
        return true;

    const auto text = juce::String (juce::CharPointer_UTF8 (first), juce::CharPointer_UTF8 (end));

    // A root without children: "<Preset .../>" ends the text.
    const auto start = text.indexOf ("<" + juce::String (xmlTag));
    return start >= 0 && text.endsWith ("/>") && text.indexOfChar (start, '>') == text.length() - 1;
}

const char* Preset::endOfRoot (const char* text, const char* end) noexcept
{
    const auto endsWith = [&] (const char* suffix) {
        const auto length = (std::ptrdiff_t) std::strlen (suffix);
        return end - text >= length && std::memcmp (end - length, suffix, (size_t) length) == 0;
    };
    // The last opening before the end: comments hold no "--", instructions no "?>".
    const auto lastOpening = [&] (const char* opening, std::ptrdiff_t closingLength) -> const char* {
        const auto length = (std::ptrdiff_t) std::strlen (opening);

        for (auto at = (end - text) - closingLength - length; at >= 0; --at)
            if (std::memcmp (text + at, opening, (size_t) length) == 0)
                return text + at;

        return nullptr;
    };

    for (;;)
    {
        while (end > text && juce::CharacterFunctions::isWhitespace (end[-1]))
            --end;

        const char* start = nullptr;

        if (endsWith ("-->"))
            start = lastOpening ("<!--", 3);
        else if (endsWith ("?>"))
            start = lastOpening ("<?", 2);

        if (start == nullptr)
            return end;

        end = start;
    }
}

bool Preset::loadFromText (const juce::String& xmlText, juce::String* error)
{
    juce::String reason;
    const auto root = readRootElement (xmlText, false, reason);

    if (root != nullptr && readFromXml (*root))
        return true;

    if (error != nullptr)
        *error = root == nullptr ? reason : juce::String ("not a preset");

    return false;
}

bool Preset::operator== (const Preset& other) const
{
    const auto sameExtra = (extraData == nullptr && other.extraData == nullptr)
        || (extraData != nullptr && other.extraData != nullptr
            && extraData->isEquivalentTo (other.extraData.get(), false));

    return name == other.name && application == other.application && category == other.category
        && version == other.version && author == other.author && id == other.id && tags == other.tags
        && rating == other.rating && values == other.values && sameExtra;
}
