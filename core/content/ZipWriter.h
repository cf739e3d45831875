#pragma once

#include <juce_core/juce_core.h>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

/** Writes a ZIP archive into a memory stream one entry at a time, so that a caller can spread
    a long archive over several turns of its loop; finish() appends the central directory.
    Entries are deflated at the given level (0 stores them), or stored when that gains
    nothing; ZIP64 records are written when the archive needs them (more than 65,535 entries
    or beyond 4 GiB). Entry times are held within the years the format can say (1980 to
    2107). Any one thread at a time. */
class ZipWriter
{
public:
    /** Appends to archive, which must outlive the writer. */
    ZipWriter (juce::MemoryOutputStream& archive, int compressionLevel);

    /** Appends one entry; false (why says) when it is too large for the format. */
    bool addEntry (const juce::String& name, const juce::MemoryBlock& data, juce::Time time, juce::String& why);
    /** Appends a file's bytes (a link is followed: its target's bytes, never the link) under
        its file name; a name already used (in any letter case or composition: NameFolding)
        gets " (n)" before its extension. False (why says) when it cannot be read or is not a
        regular file (which is never opened). */
    bool addFile (const juce::File& file, juce::String& why);
    int getNumEntries() const noexcept { return (int) written.size(); }

    /** Appends the central directory and the end records: the archive is complete. */
    void finish();
    /** Finishes and writes the archive over target through AtomicFile: false, the target
        untouched, when it cannot be written (error says why). recorded: see AtomicFile::write. */
    bool writeTo (const juce::File& target, juce::String* error, bool recorded);

private:
    struct Written
    {
        juce::String name;
        juce::uint32 crc;
        juce::uint64 compressed, uncompressed, offset;
        int method, date, time;
    };

    juce::MemoryOutputStream& archive;
    const int level;
    std::vector<Written> written;
    juce::MemoryBlock fileData;
    // Names compared ignoring case, in a hashed set, each name's next number kept: an export
    // of thousands stays linear, also when many files share a name.
    std::unordered_set<std::string> used;
    std::unordered_map<std::string, int> nextNumber;
    bool finished = false;

    JUCE_DECLARE_NON_COPYABLE (ZipWriter)
};
