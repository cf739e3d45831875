#pragma once

#include <juce_core/juce_core.h>

/** Reads a ZIP archive entry by entry. Invalid when the file (or block) is not a readable ZIP. */
class ZipReader
{
public:
    struct Entry
    {
        juce::String fileName;   // the path stored in the archive, as stored
        juce::int64 uncompressedSize = 0;
    };

    explicit ZipReader (const juce::File& file);
    /** Over a copy of a block held in memory (a ZIP nested in a ZIP). */
    explicit ZipReader (const juce::MemoryBlock& data);

    bool isValid() const noexcept { return zip != nullptr; }
    int getNumEntries() const;
    /** Null when absent or unreadable. */
    std::unique_ptr<juce::InputStream> createStreamFor (const juce::String& entryName) const;
    /** Reads a whole entry; false when absent, unreadable or larger than maxSize. */
    bool readEntry (const juce::String& entryName, juce::MemoryBlock& result, juce::int64 maxSize) const;

    /** Walks the entries from the first; folder entries are skipped. */
    class Iterator
    {
    public:
        explicit Iterator (const ZipReader& owner) : reader (owner) {}
        /** The next entry's stream (null at the end or when the reader is invalid) and its
            record. An entry whose stream cannot be made is skipped. */
        std::unique_ptr<juce::InputStream> next (Entry& entry);

    private:
        const ZipReader& reader;
        int index = 0;
    };

private:
    static bool looksLikeZip (juce::InputStream& stream);
    void open (std::unique_ptr<juce::InputStream> stream);

    std::unique_ptr<juce::ZipFile> zip;
};

/** Writes a ZIP archive holding the given files (by their file names, at the archive's top
    level; a repeated name gets " (n)" before its extension) with a compression level from 0
    (stored) to 9. Written through a temporary file: false, and the target untouched, when a
    file cannot be read or the archive cannot be written. */
bool createZipFile (const juce::File& target, const juce::Array<juce::File>& files, int compressionLevel);
