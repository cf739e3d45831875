#include "core/content/ZipReader.h"
#include "core/parameters/AtomicFile.h"
#include <unordered_set>

namespace
{
    juce::uint32 readLittleEndian32 (const char* p) { return juce::ByteOrder::littleEndianInt (p); }
    juce::uint16 readLittleEndian16 (const char* p) { return juce::ByteOrder::littleEndianShort (p); }

    /** JUCE's ZipFile reads every entry name as UTF-8 and trips its string checks on anything
        else (or on a NUL inside a name). This walks the central directory exactly as JUCE's
        ZipFile does and says whether every name it would read is plain UTF-8. */
    bool hasOnlyPlainNames (juce::InputStream& input)
    {
        juce::BufferedInputStream in (input, 8192);
        const auto total = in.getTotalLength();
        in.setPosition (total);
        auto pos = in.getPosition();
        const auto lowest = juce::jmax ((juce::int64) 0, pos - 1048576);
        char buffer[32] = {};
        juce::int64 offset = 0;
        int numEntries = 0;
        bool found = false;

        while (pos > lowest && ! found)
        {
            in.setPosition (pos - 22);
            pos = in.getPosition();
            std::memcpy (buffer + 22, buffer, 4);

            if (in.read (buffer, 22) != 22)
                return true;   // JUCE finds no entries

            for (int i = 0; i < 22; ++i)
            {
                if (readLittleEndian32 (buffer + i) == 0x06054b50)
                {
                    in.setPosition (pos + i);
                    in.read (buffer, 22);
                    numEntries = readLittleEndian16 (buffer + 10);
                    offset = (juce::int64) readLittleEndian32 (buffer + 16);

                    if (offset >= 4)
                    {
                        in.setPosition (offset);

                        if ((juce::uint32) in.readInt() != 0x02014b50)
                        {
                            in.setPosition (offset - 4);

                            if ((juce::uint32) in.readInt() == 0x02014b50)
                                offset -= 4;
                        }
                    }

                    found = true;
                    break;
                }
            }
        }

        if (! found || offset < 0 || offset >= total)
            return true;

        const auto size = (size_t) (total - offset);
        input.setPosition (offset);
        juce::MemoryBlock directory;

        if (input.readIntoMemoryBlock (directory, (ssize_t) size) != size)
            return true;

        const auto* data = static_cast<const char*> (directory.getData());

        for (size_t at = 0, i = 0; i < (size_t) numEntries; ++i)
        {
            if (at + 46 > size)
                break;

            const auto nameLength = (size_t) readLittleEndian16 (data + at + 28);

            if (at + 46 + nameLength > size)
                break;

            const auto* name = data + at + 46;

            if (nameLength > 0
                && (std::memchr (name, 0, nameLength) != nullptr || ! juce::CharPointer_UTF8::isValidString (name, (int) nameLength)))
                return false;

            at += 46 + nameLength + readLittleEndian16 (data + at + 30) + readLittleEndian16 (data + at + 32);
        }

        return true;
    }
}

ZipReader::ZipReader (const juce::File& file)
{
    if (file.existsAsFile())
        open (file.createInputStream());
}

ZipReader::ZipReader (const juce::MemoryBlock& data)
{
    open (std::make_unique<juce::MemoryInputStream> (data, true));
}

bool ZipReader::looksLikeZip (juce::InputStream& stream)
{
    // A ZIP starts with a local file header, or is an empty archive (end record only).
    const auto magic = (juce::uint32) stream.readInt();
    stream.setPosition (0);
    return magic == 0x04034b50 || magic == 0x06054b50;
}

void ZipReader::open (std::unique_ptr<juce::InputStream> stream)
{
    if (stream == nullptr || stream->getTotalLength() < 22 || ! looksLikeZip (*stream))
        return;

    const bool empty = (juce::uint32) stream->readInt() == 0x06054b50;

    if (! hasOnlyPlainNames (*stream))
        return;

    stream->setPosition (0);

    auto candidate = std::make_unique<juce::ZipFile> (stream.release(), true);

    // JUCE's ZipFile finds no entries in a file whose central directory it cannot read.
    if (candidate->getNumEntries() > 0 || empty)
        zip = std::move (candidate);
}

int ZipReader::getNumEntries() const
{
    return zip != nullptr ? zip->getNumEntries() : 0;
}

std::unique_ptr<juce::InputStream> ZipReader::createStreamFor (const juce::String& entryName) const
{
    if (zip == nullptr)
        return nullptr;

    const auto index = zip->getIndexOfFileName (entryName);
    return index >= 0 ? std::unique_ptr<juce::InputStream> (zip->createStreamForEntry (index)) : nullptr;
}

bool ZipReader::readEntry (const juce::String& entryName, juce::MemoryBlock& result, juce::int64 maxSize) const
{
    if (zip == nullptr)
        return false;

    const auto index = zip->getIndexOfFileName (entryName);

    if (index < 0 || zip->getEntry (index)->uncompressedSize > maxSize)
        return false;

    std::unique_ptr<juce::InputStream> stream (zip->createStreamForEntry (index));

    if (stream == nullptr)
        return false;

    result.reset();
    juce::MemoryOutputStream out (result, false);

    // The header's size may lie: never read past the limit.
    const auto copied = out.writeFromInputStream (*stream, maxSize + 1);
    out.flush();
    return copied <= maxSize;
}

std::unique_ptr<juce::InputStream> ZipReader::Iterator::next (Entry& entry)
{
    if (reader.zip == nullptr)
        return nullptr;

    while (index < reader.zip->getNumEntries())
    {
        const auto* e = reader.zip->getEntry (index);
        const auto i = index++;

        if (e == nullptr || e->filename.endsWithChar ('/') || e->filename.endsWithChar ('\\'))
            continue;

        if (auto* stream = reader.zip->createStreamForEntry (i))
        {
            entry.fileName = e->filename;
            entry.uncompressedSize = (juce::int64) e->uncompressedSize;
            return std::unique_ptr<juce::InputStream> (stream);
        }
    }

    return nullptr;
}

bool createZipFile (const juce::File& target, const juce::Array<juce::File>& files, int compressionLevel)
{
    if (target.isDirectory() || ! target.getParentDirectory().createDirectory())
        return false;

    juce::ZipFile::Builder builder;
    // Names compared ignoring case, in a hashed set: an export of thousands stays linear.
    std::unordered_set<std::string> used;
    const auto key = [] (const juce::String& name) { return name.toLowerCase().toStdString(); };

    for (const auto& file : files)
    {
        if (! file.existsAsFile())
            return false;

        auto name = file.getFileName();

        for (int n = 1; used.count (key (name)) > 0; ++n)
            name = file.getFileNameWithoutExtension() + " (" + juce::String (n) + ")" + file.getFileExtension();

        used.insert (key (name));
        builder.addFile (file, juce::jlimit (0, 9, compressionLevel), name);
    }

    // Built in memory (presets are small) and written over the target in one step.
    juce::MemoryOutputStream archive;

    if (! builder.writeToStream (archive, nullptr))
        return false;

    return AtomicFile::write (target, archive.getData(), archive.getDataSize()).wasOk();
}
