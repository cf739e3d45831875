#include "core/parameters/HostParametersMap.h"
#include "core/parameters/AtomicFile.h"
#include "core/parameters/BoundedXmlReader.h"

#include <unordered_set>

namespace
{
    constexpr const char* paramTag = "param";
}

std::unique_ptr<juce::XmlElement> HostParametersMap::createXml() const
{
    auto xml = std::make_unique<juce::XmlElement> (xmlTag);

    for (const auto& name : names)
        xml->createNewChildElement (paramTag)->setAttribute ("name", name);

    return xml;
}

bool HostParametersMap::readFromXml (const juce::XmlElement& element)
{
    if (! BoundedXmlReader::hasTag (element, xmlTag) || BoundedXmlReader::hasMiscasedChild (element, { paramTag }))
        return false;

    juce::StringArray parsed;
    std::unordered_set<juce::String> seen;   // a map of a megabyte holds some 40,000 names

    for (auto* param : element.getChildIterator())
    {
        if (! BoundedXmlReader::hasTag (*param, paramTag))
            continue;

        const auto name = param->getStringAttribute ("name");

        if (name.isNotEmpty() && seen.insert (name).second)
            parsed.add (name);
    }

    names = parsed;
    return true;
}

bool HostParametersMap::loadFromFile (const juce::File& file, juce::String* error)
{
    const auto fail = [&] (const juce::String& reason) {
        if (error != nullptr)
            *error = file.getFullPathName() + ": " + reason;

        return false;
    };

    juce::String reason;
    const auto root = BoundedXmlReader::parseFile (file, BoundedXmlReader::standardLimits, reason);

    if (root == nullptr)
        return fail (reason);

    return readFromXml (*root) || fail ("not a <HostParametersMap>");
}

juce::Result HostParametersMap::saveToFile (const juce::File& file) const
{
    return AtomicFile::write (file, *createXml());
}

void HostParametersMap::apply (ParameterManager& manager) const
{
    juce::Array<Parameter*> order;

    for (const auto& name : names)
        if (auto* p = manager.getParameterByName (name); p != nullptr && p->isAutomatable() && ! order.contains (p))
            order.add (p);

    for (auto* p : manager.getParameters())
        if (p->isAutomatable() && ! order.contains (p))
            order.add (p);

    for (auto* p : manager.getParameters())
        p->setHostIndex (-1);

    for (int i = 0; i < order.size(); ++i)
        order.getUnchecked (i)->setHostIndex (i);
}
