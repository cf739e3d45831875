#include "core/content/ZipWriter.h"
#include "core/content/NameFolding.h"
#include "core/content/ZipReader.h"
#include "core/parameters/AtomicFile.h"
#include "core/parameters/BoundedXmlReader.h"

namespace
{
    constexpr juce::uint32 localSignature = 0x04034b50, centralSignature = 0x02014b50, endSignature = 0x06054b50,
                           zip64EndSignature = 0x06064b50, zip64LocatorSignature = 0x07064b50;
    constexpr juce::uint32 max32 = 0xffffffffu;
    constexpr int max16 = 0xffff;

    void put16 (juce::MemoryOutputStream& out, int value) { out.writeShort ((short) (juce::uint16) value); }
    void put32 (juce::MemoryOutputStream& out, juce::uint32 value) { out.writeInt ((int) value); }
    void put64 (juce::MemoryOutputStream& out, juce::uint64 value) { out.writeInt64 ((juce::int64) value); }

    /** The fields from "version needed" to the name's length, which the local and the central
        header share. */
    template <typename Entry>
    void putEntryFields (juce::MemoryOutputStream& out, const Entry& w, int versionNeeded, size_t nameLength)
    {
        put16 (out, versionNeeded);
        put16 (out, 0x800);   // names are UTF-8
        put16 (out, w.method);
        put16 (out, w.time);
        put16 (out, w.date);
        put32 (out, w.crc);
        put32 (out, (juce::uint32) w.compressed);
        put32 (out, (juce::uint32) w.uncompressed);
        put16 (out, (int) nameLength);
    }

    /** DOS date and time (local), held within 1980-01-01 00:00:00 to 2107-12-31 23:59:58. */
    std::pair<int, int> dosDateAndTime (const juce::Time& t)
    {
        const auto year = t.getYear();

        if (year < 1980)
            return { (1 << 5) | 1, 0 };

        if (year > 2107)
            return { (127 << 9) | (12 << 5) | 31, (23 << 11) | (59 << 5) | 29 };

        return { ((year - 1980) << 9) | ((t.getMonth() + 1) << 5) | t.getDayOfMonth(),
                 (t.getHours() << 11) | (t.getMinutes() << 5) | (t.getSeconds() / 2) };
    }
}

ZipWriter::ZipWriter (juce::MemoryOutputStream& out, int compressionLevel)
    : archive (out), level (juce::jlimit (0, 9, compressionLevel))
{
}

bool ZipWriter::addEntry (const juce::String& name, const juce::MemoryBlock& data, juce::Time when, juce::String& why)
{
    jassert (! finished);

    if (data.getSize() >= max32)
    {
        why = name + " is too large";
        return false;
    }

    Written w;
    w.name = name;
    w.crc = zipCrc32 (data.getData(), data.getSize());
    w.uncompressed = data.getSize();
    w.offset = (juce::uint64) archive.getPosition();
    std::tie (w.date, w.time) = dosDateAndTime (when);

    juce::MemoryOutputStream packed;

    if (level > 0)
    {
        juce::GZIPCompressorOutputStream deflater (packed, level, juce::GZIPCompressorOutputStream::windowBitsRaw);
        deflater.write (data.getData(), data.getSize());
        deflater.flush();
    }

    // Stored when packing gains nothing.
    w.method = level > 0 && packed.getDataSize() < data.getSize() ? 8 : 0;
    const auto* bytes = w.method == 8 ? packed.getData() : data.getData();
    w.compressed = w.method == 8 ? packed.getDataSize() : data.getSize();

    const auto utf8 = name.toRawUTF8();
    const auto nameLength = std::strlen (utf8);

    put32 (archive, localSignature);
    putEntryFields (archive, w, 20, nameLength);
    put16 (archive, 0);
    archive.write (utf8, nameLength);
    archive.write (bytes, (size_t) w.compressed);
    written.push_back (std::move (w));
    return true;
}

bool ZipWriter::addFile (const juce::File& file, juce::String& why)
{
    // The bytes, also of a link's target: the archive never holds a path of the user's. Only
    // a regular file is opened (a FIFO would wait for a writer).
    if (juce::String error; ! BoundedXmlReader::readFile (file, (size_t) max32 - 1, fileData, error))
    {
        why = "cannot read " + file.getFullPathName() + " (" + error + ")";
        return false;
    }

    // Names that one file system takes for one (letter case, composition) are kept apart.
    const auto key = [] (const juce::String& name) { return NameFolding::fold (name).toStdString(); };
    auto name = file.getFileName();

    for (auto& n = nextNumber[key (name)]; used.count (key (name)) > 0;)
        name = file.getFileNameWithoutExtension() + " (" + juce::String (++n) + ")" + file.getFileExtension();

    used.insert (key (name));
    return addEntry (name, fileData, file.getLastModificationTime(), why);
}

void ZipWriter::finish()
{
    if (finished)
        return;

    finished = true;
    const auto directoryOffset = (juce::uint64) archive.getPosition();

    for (const auto& w : written)
    {
        const auto utf8 = w.name.toRawUTF8();
        const auto nameLength = std::strlen (utf8);
        const bool farOffset = w.offset >= max32;

        put32 (archive, centralSignature);
        put16 (archive, (3 << 8) | (farOffset ? 45 : 20));   // made on Unix
        putEntryFields (archive, w, farOffset ? 45 : 20, nameLength);
        put16 (archive, farOffset ? 12 : 0);
        put16 (archive, 0);
        put16 (archive, 0);
        put16 (archive, 0);
        put32 (archive, (juce::uint32) 0100644 << 16);   // a plain file, rw-r--r--
        put32 (archive, farOffset ? max32 : (juce::uint32) w.offset);
        archive.write (utf8, nameLength);

        if (farOffset)
        {
            put16 (archive, 0x0001);
            put16 (archive, 8);
            put64 (archive, w.offset);
        }
    }

    const auto directoryEnd = (juce::uint64) archive.getPosition();
    const auto directorySize = directoryEnd - directoryOffset;
    const auto count = (juce::uint64) written.size();
    const bool zip64 = count >= (juce::uint64) max16 || directoryOffset >= max32 || directorySize >= max32;

    if (zip64)
    {
        put32 (archive, zip64EndSignature);
        put64 (archive, 44);
        put16 (archive, (3 << 8) | 45);
        put16 (archive, 45);
        put32 (archive, 0);
        put32 (archive, 0);
        put64 (archive, count);
        put64 (archive, count);
        put64 (archive, directorySize);
        put64 (archive, directoryOffset);

        put32 (archive, zip64LocatorSignature);
        put32 (archive, 0);
        put64 (archive, directoryEnd);
        put32 (archive, 1);
    }

    put32 (archive, endSignature);
    put16 (archive, 0);
    put16 (archive, 0);
    put16 (archive, zip64 ? max16 : (int) count);
    put16 (archive, zip64 ? max16 : (int) count);
    put32 (archive, zip64 ? max32 : (juce::uint32) directorySize);
    put32 (archive, zip64 ? max32 : (juce::uint32) directoryOffset);
    put16 (archive, 0);
}

bool ZipWriter::writeTo (const juce::File& target, juce::String* error, bool recorded)
{
    const auto failWith = [error] (const juce::String& why) {
        if (error != nullptr)
            *error = why;

        return false;
    };

    if (target.isDirectory())
        return failWith ("a folder has that name");

    finish();

    if (const auto result = AtomicFile::write (target, archive.getData(), archive.getDataSize(), true, recorded); result.failed())
        return failWith (result.getErrorMessage());

    return true;
}
