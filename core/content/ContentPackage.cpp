#include "core/content/ContentPackage.h"
#include "core/parameters/AtomicFile.h"
#include <juce_cryptography/juce_cryptography.h>

namespace
{
    // Fixed entry times keep the package's bytes, and so its hash, the same on every build.
    const juce::Time entryTime (2020, 0, 1, 0, 0);

    bool isPlainEntryName (const juce::String& name)
    {
        return name.isNotEmpty() && ! name.containsAnyOf ("/\\:") && name != "." && name != "..";
    }
}

juce::String ContentPackage::computeHash (const juce::MemoryBlock& content, const juce::MemoryBlock& descriptor)
{
    juce::MemoryBlock both (content);
    both.append (descriptor.getData(), descriptor.getSize());
    return "sha256:" + juce::SHA256 (both).toHexString();
}

std::unique_ptr<juce::XmlElement> ContentPackage::createDescriptorXml() const
{
    auto xml = std::make_unique<juce::XmlElement> (descriptorTag);
    xml->setAttribute ("format", formatVersion);
    xml->setAttribute ("name", name);
    xml->setAttribute ("application", application);
    xml->setAttribute ("version", version);
    xml->setAttribute ("kind", kind);
    xml->setAttribute ("itemExtension", itemExtension);

    for (const auto& item : items)
    {
        auto* e = xml->createNewChildElement ("Item");
        e->setAttribute ("name", item.name);
        e->setAttribute ("file", item.file);
        e->setAttribute ("tags", item.tags);
    }

    return xml;
}

bool ContentPackage::readDescriptorXml (const juce::XmlElement& xml, juce::String& error)
{
    if (! BoundedXmlReader::hasTag (xml, descriptorTag))
    {
        error = "descriptor is not a <ContentPackage>";
        return false;
    }

    if (xml.getIntAttribute ("format", 0) != formatVersion)
    {
        error = "unknown package format " + xml.getStringAttribute ("format");
        return false;
    }

    name = xml.getStringAttribute ("name");
    application = xml.getStringAttribute ("application");
    version = xml.getStringAttribute ("version");
    kind = xml.getStringAttribute ("kind");
    itemExtension = xml.getStringAttribute ("itemExtension");
    items.clearQuick();
    index.clear();

    for (auto* e : xml.getChildIterator())
    {
        if (! BoundedXmlReader::hasTag (*e, "Item"))
            continue;

        Item item { e->getStringAttribute ("name").trim(), e->getStringAttribute ("file"), e->getStringAttribute ("tags") };

        // An item must name a plain file of "content"; a repeated name keeps its first entry.
        if (item.name.isEmpty() || ! isPlainEntryName (item.file) || index.count (item.name) != 0)
            continue;

        if (items.size() >= maxItems)
        {
            error = "more than " + juce::String (maxItems) + " items";
            items.clearQuick();
            index.clear();
            return false;
        }

        index.emplace (item.name, items.size());
        items.add (std::move (item));
    }

    return true;
}

bool ContentPackage::open (const juce::File& file, juce::String& error)
{
    items.clearQuick();
    contentData.reset();
    contentZip.reset();

    ZipReader outer (file);

    if (! outer.isValid())
    {
        error = "not a ZIP file";
        return false;
    }

    juce::MemoryBlock content, descriptor, hash;

    if (! outer.readEntry (contentEntry, content, maxContentSize)
        || ! outer.readEntry (descriptorEntry, descriptor, maxDescriptorSize)
        || ! outer.readEntry (hashEntry, hash, 1024))
    {
        error = "missing or oversized entry (needs \"content\", \"__desc__\" and \"hash\")";
        return false;
    }

    if (hash.toString().trim() != computeHash (content, descriptor))
    {
        error = "hash does not match the package's contents";
        return false;
    }

    juce::String xmlError;
    const auto xml = BoundedXmlReader::parse (descriptor.getData(), descriptor.getSize(), descriptorXmlLimits, xmlError);

    if (xml == nullptr)
    {
        error = "descriptor: " + xmlError;
        return false;
    }

    if (! readDescriptorXml (*xml, error))
    {
        items.clearQuick();
        return false;
    }

    contentData = std::move (content);
    contentZip = std::make_unique<ZipReader> (contentData);

    if (! contentZip->isValid())
    {
        error = "\"content\" is not a ZIP archive";
        items.clearQuick();
        contentZip.reset();
        return false;
    }

    return true;
}

const ContentPackage::Item* ContentPackage::findItem (const juce::String& itemName) const
{
    // The index follows items as long as they are only appended to.
    if (index.size() != (size_t) items.size())
    {
        index.clear();

        for (int i = 0; i < items.size(); ++i)
            index.emplace (items.getReference (i).name, i);
    }

    const auto found = index.find (itemName);

    if (found == index.end() || ! juce::isPositiveAndBelow (found->second, items.size()))
        return nullptr;

    const auto& item = items.getReference (found->second);
    return item.name == itemName ? &item : nullptr;
}

bool ContentPackage::readItem (const juce::String& itemFile, juce::MemoryBlock& result) const
{
    return contentZip != nullptr && contentZip->readEntry (itemFile, result, maxItemSize);
}

bool ContentPackage::write (const juce::File& target, const juce::Array<juce::MemoryBlock>& itemData, juce::String& error) const
{
    if (itemData.size() != items.size())
    {
        error = "internal: one block per item needed";
        return false;
    }

    // The nested "content" archive, built in memory.
    juce::MemoryBlock content;
    {
        juce::ZipFile::Builder builder;
        juce::StringArray files;

        for (int i = 0; i < items.size(); ++i)
        {
            const auto& file = items.getReference (i).file;

            if (! isPlainEntryName (file) || files.contains (file))
            {
                error = "bad or repeated item file name \"" + file + "\"";
                return false;
            }

            files.add (file);
            builder.addEntry (new juce::MemoryInputStream (itemData.getReference (i), true), 9, file, entryTime);
        }

        juce::MemoryOutputStream out (content, false);

        if (! builder.writeToStream (out, nullptr))
        {
            error = "could not build the content archive";
            return false;
        }
    }

    juce::MemoryBlock descriptor;
    {
        juce::MemoryOutputStream out (descriptor, false);
        out << createDescriptorXml()->toString();
    }

    const auto hash = computeHash (content, descriptor);

    juce::ZipFile::Builder builder;
    builder.addEntry (new juce::MemoryInputStream (hash.toRawUTF8(), hash.getNumBytesAsUTF8(), true), 0, hashEntry, entryTime);
    builder.addEntry (new juce::MemoryInputStream (content, true), 0, contentEntry, entryTime);
    builder.addEntry (new juce::MemoryInputStream (descriptor, true), 9, descriptorEntry, entryTime);

    if (target.isDirectory() || AtomicFile::makeFolder (target.getParentDirectory()).failed())
    {
        error = "cannot create " + target.getParentDirectory().getFullPathName();
        return false;
    }

    juce::TemporaryFile temp (target, juce::TemporaryFile::useHiddenFile);

    {
        auto out = temp.getFile().createOutputStream();

        if (out == nullptr || ! builder.writeToStream (*out, nullptr))
        {
            error = "cannot write " + temp.getFile().getFullPathName();
            return false;
        }

        out->flush();

        if (out->getStatus().failed())
        {
            error = out->getStatus().getErrorMessage();
            return false;
        }
    }

    if (! temp.overwriteTargetFileWithTemporary())
    {
        error = "cannot replace " + target.getFullPathName();
        return false;
    }

    return true;
}
