#pragma once

#include <juce_core/juce_core.h>
#include <functional>
#include <unordered_map>
#include <vector>

/** Reads a ZIP archive entry by entry: what `unzip` reads, that is ZIP64 archives (more than
    65,535 entries, or records written in ZIP64 form whatever the count), archives behind a
    prefix (a self-extractor's program, with or without adjusted offsets), names in UTF-8 or in
    the old DOS code page, and stored or deflated entries whose CRC is checked on every read.
    Invalid when the file (or block) holds no readable central directory. Any one thread at a
    time. */
class ZipReader
{
public:
    struct Entry
    {
        juce::String fileName;   // the path stored in the archive, as stored
        juce::int64 uncompressedSize = 0, compressedSize = 0, localHeaderOffset = 0;
        juce::uint32 crc = 0;
        int method = 0;
        bool encrypted = false;
        /** A NUL inside the stored name: no usable name (fileName holds the part before it). */
        bool nameCut = false;
        /** Its data lie inside an entry further up the archive: read as damaged (one packed
            stream under many names is how a small archive makes many large entries). */
        bool overlaps = false;

        bool isFolder() const { return fileName.endsWithChar ('/') || fileName.endsWithChar ('\\'); }
    };

    /** Why an entry's data could not be read. */
    enum class Status
    {
        ok,
        tooLarge,            // more than the limit (whatever its header says)
        encrypted,           // needs a password
        unsupportedMethod,   // neither stored nor deflated (bzip2, LZMA, ...)
        damaged              // data cut short, not inflatable, or not matching its CRC
    };

    /** Opens only a regular file (a link to one counts), and never waits on the name: a FIFO
        or a device under it makes an invalid reader. */
    explicit ZipReader (const juce::File& file);
    /** Over a copy of a block held in memory (a ZIP nested in a ZIP). */
    explicit ZipReader (const juce::MemoryBlock& data);

    bool isValid() const noexcept { return valid; }
    int getNumEntries() const noexcept { return (int) entries.size(); }
    /** Null when out of range. */
    const Entry* getEntry (int index) const noexcept;
    /** The first entry stored under exactly that path, or -1. */
    int indexOf (const juce::String& entryName) const;

    /** Reads a whole entry into result (emptied first), up to maxSize bytes: an entry whose
        header states more is refused unread, and one whose header lies is inflated no further
        than maxSize + 1 bytes. */
    Status read (int index, juce::MemoryBlock& result, juce::int64 maxSize) const;
    /** How many bytes the reads so far have inflated, all together. */
    juce::int64 getBytesInflated() const noexcept { return bytesInflated; }
    /** Reads a whole entry; false when absent, unreadable, damaged or larger than maxSize. */
    bool readEntry (const juce::String& entryName, juce::MemoryBlock& result, juce::int64 maxSize) const;

private:
    void open (std::unique_ptr<juce::InputStream> stream);
    bool readCentralDirectory();
    bool readAt (juce::int64 position, void* buffer, size_t numBytes) const;

    std::unique_ptr<juce::InputStream> input;
    juce::int64 totalLength = 0;
    /** Bytes before the archive proper (a prefix whose offsets were not adjusted). */
    juce::int64 shift = 0;
    std::vector<Entry> entries;
    std::unordered_map<juce::String, int> byName;
    mutable juce::int64 bytesInflated = 0;
    bool valid = false;
};

/** Writes a ZIP archive holding the bytes of the given files (a link is followed: its target's
    bytes are stored, never the link), by their file names, at the archive's top level; a
    repeated name gets " (n)" before its extension. Compression level 0 (stored) to 9. Entry
    times are the files' own, held within the years the format can say (1980 to 2107); ZIP64
    records are written when the archive needs them (more than 65,535 entries or beyond
    4 GiB). Written through AtomicFile: false, and the target untouched, when a file cannot be
    read or the archive cannot be written (error says why). recorded: see AtomicFile::write. */
bool createZipFile (const juce::File& target, const juce::Array<juce::File>& files, int compressionLevel,
                    juce::String* error = nullptr, bool recorded = false);

/** Gives entry index's name, bytes and time; false with a reason to stop the archive. */
using ZipEntryReader = std::function<bool (int index, juce::String& name, juce::MemoryBlock& data, juce::Time& time, juce::String& why)>;

/** Appends a whole ZIP archive of numEntries entries, named as given, to the stream (as
    createZipFile writes it). False, with the reason in error, when an entry cannot be had. */
bool writeZipArchive (juce::MemoryOutputStream& archive, int numEntries, const ZipEntryReader& readEntry, int compressionLevel,
                      juce::String* error = nullptr);

/** The CRC-32 of ZIP and zlib. */
juce::uint32 zipCrc32 (const void* data, size_t numBytes, juce::uint32 crc = 0) noexcept;
