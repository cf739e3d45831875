#include "core/content/Preset.h"

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

std::unique_ptr<juce::XmlElement> Preset::createXml() const
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
    if (! element.hasTagName (xmlTag))
        return false;

    name = element.getStringAttribute ("name");
    application = element.getStringAttribute ("application");
    category = element.getStringAttribute ("category");
    version = element.getStringAttribute ("version");
    author = element.getStringAttribute ("author");
    id = element.getStringAttribute ("id");
    tags = element.getStringAttribute ("tags");
    rating = element.getIntAttribute ("rating", defaultRating);

    values.clearQuick();
    extraData.reset();

    for (auto* child : element.getChildIterator())
    {
        if (child->hasTagName (valueTag) && child->hasAttribute ("id"))
            setValue (child->getIntAttribute ("id"), child->getStringAttribute ("value"));
        else if (child->hasTagName (extraTag) && child->getFirstChildElement() != nullptr)
            extraData = std::make_unique<juce::XmlElement> (*child->getFirstChildElement());
    }

    return true;
}

bool Preset::saveToFile (const juce::File& file) const
{
    return createXml()->writeTo (file);
}
