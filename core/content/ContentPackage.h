#pragma once

#include "core/content/ZipReader.h"
#include "core/parameters/BoundedXmlReader.h"
#include <unordered_map>

/** A content package (".orvikpkg"): a ZIP file with three entries (docs/content.md).
    - "content": a ZIP archive (nested) holding one file per item, e.g. "MPC60.grprs2";
    - "__desc__": the descriptor, XML with the root "ContentPackage": the package's name,
      application, version, kind and item extension, and one "Item" child per item (name, file
      in "content", tags in CategoryTagMap's text form);
    - "hash": "sha256:" + the lower-case hex SHA-256 of the bytes of "content" followed by the
      bytes of "__desc__".
    A package whose hash does not match, or that lacks an entry, is refused whole. */
class ContentPackage
{
public:
    static constexpr const char* fileExtension = ".orvikpkg";
    static constexpr const char* contentEntry = "content";
    static constexpr const char* descriptorEntry = "__desc__";
    static constexpr const char* hashEntry = "hash";
    static constexpr const char* descriptorTag = "ContentPackage";
    static constexpr int formatVersion = 1;
    static constexpr juce::int64 maxContentSize = 256 * 1024 * 1024;
    static constexpr juce::int64 maxDescriptorSize = 16 * 1024 * 1024;
    static constexpr juce::int64 maxItemSize = 64 * 1024 * 1024;
    /** A package with more items is refused whole. */
    static constexpr int maxItems = 100000;
    static constexpr BoundedXmlReader::Limits descriptorXmlLimits { (size_t) maxDescriptorSize, 32 };

    struct Item
    {
        juce::String name;   // the item's name
        juce::String file;   // its entry in "content"
        juce::String tags;   // CategoryTagMap text form
    };

    juce::String name, application, version, kind, itemExtension;
    juce::Array<Item> items;

    /** Reads and checks a package; false with the reason in error (the object then empty). */
    bool open (const juce::File& file, juce::String& error);
    /** The bytes of one item file of the opened package; false when absent or unreadable. */
    bool readItem (const juce::String& itemFile, juce::MemoryBlock& result) const;
    /** Hashed; null when absent. Items may be appended to after a read, not renamed. */
    const Item* findItem (const juce::String& itemName) const;

    /** Writes a package from this object's descriptor fields and one block per item (parallel
        to items); through a temporary file. */
    bool write (const juce::File& target, const juce::Array<juce::MemoryBlock>& itemData, juce::String& error) const;

    std::unique_ptr<juce::XmlElement> createDescriptorXml() const;
    /** False with the reason in error when the element is not a descriptor of this format or
        lists more than maxItems items (repeated names and unusable files are skipped). */
    bool readDescriptorXml (const juce::XmlElement& xml, juce::String& error);

    static juce::String computeHash (const juce::MemoryBlock& content, const juce::MemoryBlock& descriptor);

private:
    juce::MemoryBlock contentData;
    std::unique_ptr<ZipReader> contentZip;
    mutable std::unordered_map<juce::String, int> index;   // item name -> position in items
};
