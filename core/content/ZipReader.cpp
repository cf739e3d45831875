#include "core/content/ZipReader.h"
#include "core/content/SafeFileWriter.h"

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
    juce::StringArray used;

    for (const auto& file : files)
    {
        if (! file.existsAsFile())
            return false;

        auto name = file.getFileName();

        for (int n = 1; used.contains (name, true); ++n)
            name = file.getFileNameWithoutExtension() + " (" + juce::String (n) + ")" + file.getFileExtension();

        used.add (name);
        builder.addFile (file, juce::jlimit (0, 9, compressionLevel), name);
    }

    return SafeFileWriter::write (target, [&builder] (juce::OutputStream& out) {
        return builder.writeToStream (out, nullptr);
    });
}
