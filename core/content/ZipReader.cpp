#include "core/content/ZipReader.h"
#include "core/content/ZipWriter.h"
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    constexpr juce::uint32 localSignature = 0x04034b50, centralSignature = 0x02014b50, endSignature = 0x06054b50,
                           zip64EndSignature = 0x06064b50, zip64LocatorSignature = 0x07064b50;
    constexpr juce::uint32 max32 = 0xffffffffu;
    constexpr int max16 = 0xffff;

    juce::uint16 get16 (const juce::uint8* p) { return (juce::uint16) (p[0] | (p[1] << 8)); }
    juce::uint32 get32 (const juce::uint8* p) { return (juce::uint32) get16 (p) | ((juce::uint32) get16 (p + 2) << 16); }
    juce::uint64 get64 (const juce::uint8* p) { return (juce::uint64) get32 (p) | ((juce::uint64) get32 (p + 4) << 32); }

    const std::array<juce::uint32, 256>& crcTable()
    {
        static const auto table = [] {
            std::array<juce::uint32, 256> t {};

            for (juce::uint32 i = 0; i < 256; ++i)
            {
                auto c = i;

                for (int k = 0; k < 8; ++k)
                    c = (c & 1) != 0 ? 0xedb88320u ^ (c >> 1) : c >> 1;

                t[i] = c;
            }

            return t;
        }();

        return table;
    }

    /** The DOS code page that ZIP names without the UTF-8 flag are in, from 0x80 up. */
    juce::String fromCodePage437 (const juce::uint8* bytes, size_t length)
    {
        static const char16_t high[128] = {
            0x00c7, 0x00fc, 0x00e9, 0x00e2, 0x00e4, 0x00e0, 0x00e5, 0x00e7, 0x00ea, 0x00eb, 0x00e8, 0x00ef, 0x00ee, 0x00ec, 0x00c4, 0x00c5,
            0x00c9, 0x00e6, 0x00c6, 0x00f4, 0x00f6, 0x00f2, 0x00fb, 0x00f9, 0x00ff, 0x00d6, 0x00dc, 0x00a2, 0x00a3, 0x00a5, 0x20a7, 0x0192,
            0x00e1, 0x00ed, 0x00f3, 0x00fa, 0x00f1, 0x00d1, 0x00aa, 0x00ba, 0x00bf, 0x2310, 0x00ac, 0x00bd, 0x00bc, 0x00a1, 0x00ab, 0x00bb,
            0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255d, 0x255c, 0x255b, 0x2510,
            0x2514, 0x2534, 0x252c, 0x251c, 0x2500, 0x253c, 0x255e, 0x255f, 0x255a, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256c, 0x2567,
            0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256b, 0x256a, 0x2518, 0x250c, 0x2588, 0x2584, 0x258c, 0x2590, 0x2580,
            0x03b1, 0x00df, 0x0393, 0x03c0, 0x03a3, 0x03c3, 0x00b5, 0x03c4, 0x03a6, 0x0398, 0x03a9, 0x03b4, 0x221e, 0x03c6, 0x03b5, 0x2229,
            0x2261, 0x00b1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00f7, 0x2248, 0x00b0, 0x2219, 0x00b7, 0x221a, 0x207f, 0x00b2, 0x25a0, 0x00a0
        };

        juce::String text;
        text.preallocateBytes (length * 3);

        for (size_t i = 0; i < length; ++i)
            text << (juce::juce_wchar) (bytes[i] < 0x80 ? bytes[i] : high[bytes[i] - 0x80]);

        return text;
    }

    juce::String readName (const juce::uint8* bytes, size_t length)
    {
        // Info-ZIP on Unix stores UTF-8 without setting the UTF-8 flag: valid UTF-8 is taken as
        // such, flag or not; anything else is in the old code page, as unzip falls back to.
        if (length == 0)
            return {};

        if (juce::CharPointer_UTF8::isValidString (reinterpret_cast<const char*> (bytes), (int) length))
            return juce::String::fromUTF8 (reinterpret_cast<const char*> (bytes), (int) length);

        return fromCodePage437 (bytes, length);
    }

    /** A regular file read at any position, through a descriptor opened without waiting. */
    class RegularFileStream : public juce::InputStream
    {
    public:
        static std::unique_ptr<juce::InputStream> open (const juce::File& file)
        {
            const auto path = file.getFullPathName();
            struct stat info;

            // Checked before opening: opening a FIFO waits for a writer.
            if (::stat (path.toRawUTF8(), &info) != 0 || ! S_ISREG (info.st_mode))
                return nullptr;

            // Should the name turn into a FIFO after the check, opening it does not wait either.
            const auto fd = ::open (path.toRawUTF8(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);

            if (fd < 0)
                return nullptr;

            if (::fstat (fd, &info) != 0 || ! S_ISREG (info.st_mode))
            {
                ::close (fd);
                return nullptr;
            }

            return std::unique_ptr<juce::InputStream> (new RegularFileStream (fd, (juce::int64) info.st_size));
        }

        ~RegularFileStream() override { ::close (fd); }

        juce::int64 getTotalLength() override { return length; }
        bool isExhausted() override { return position >= length; }
        juce::int64 getPosition() override { return position; }

        bool setPosition (juce::int64 newPosition) override
        {
            position = juce::jlimit ((juce::int64) 0, length, newPosition);
            return true;
        }

        int read (void* destination, int maxBytes) override
        {
            int total = 0;

            while (total < maxBytes && position < length)
            {
                const auto n = ::pread (fd, static_cast<char*> (destination) + total, (size_t) (maxBytes - total), (off_t) position);

                if (n < 0 && errno == EINTR)
                    continue;

                if (n <= 0)
                    break;

                total += (int) n;
                position += n;
            }

            return total;
        }

    private:
        RegularFileStream (int descriptor, juce::int64 size) : fd (descriptor), length (size) {}

        const int fd;
        const juce::int64 length;
        juce::int64 position = 0;
    };
}

juce::uint32 zipCrc32 (const void* data, size_t numBytes, juce::uint32 crc) noexcept
{
    const auto& table = crcTable();
    const auto* p = static_cast<const juce::uint8*> (data);
    crc = ~crc;

    for (size_t i = 0; i < numBytes; ++i)
        crc = table[(crc ^ p[i]) & 0xff] ^ (crc >> 8);

    return ~crc;
}

//==============================================================================
ZipReader::ZipReader (const juce::File& file)
{
    open (RegularFileStream::open (file));
}

ZipReader::ZipReader (const juce::MemoryBlock& data)
{
    open (std::make_unique<juce::MemoryInputStream> (data, true));
}

void ZipReader::open (std::unique_ptr<juce::InputStream> stream)
{
    if (stream == nullptr)
        return;

    input = std::move (stream);
    totalLength = input->getTotalLength();
    valid = totalLength >= 22 && readCentralDirectory();

    if (! valid)
    {
        entries.clear();
        byName.clear();
        input.reset();
    }
}

bool ZipReader::readAt (juce::int64 position, void* buffer, size_t numBytes) const
{
    if (position < 0 || position > totalLength || (juce::int64) numBytes > totalLength - position)
        return false;

    return input->setPosition (position) && input->read (buffer, (int) numBytes) == (int) numBytes;
}

bool ZipReader::readCentralDirectory()
{
    // The end record lies in the last 64 KiB + 22 bytes (its comment is at most 65,535 bytes).
    const auto tailLength = (size_t) juce::jmin (totalLength, (juce::int64) 22 + max16);
    const auto tailStart = totalLength - (juce::int64) tailLength;
    juce::HeapBlock<juce::uint8> tail (tailLength);

    if (! readAt (tailStart, tail, tailLength))
        return false;

    // The last record whose comment ends the file; else the last one at all, as unzip does.
    juce::int64 end = -1, fallback = -1;

    for (auto i = (juce::int64) tailLength - 22; i >= 0 && end < 0; --i)
    {
        if (get32 (tail + i) != endSignature)
            continue;

        if (i + 22 + get16 (tail + i + 20) == (juce::int64) tailLength)
            end = i;
        else if (fallback < 0)
            fallback = i;
    }

    if (end < 0)
        end = fallback;

    if (end < 0)
        return false;

    const auto* record = tail + end;
    const auto endPosition = tailStart + end;
    juce::uint64 count = get16 (record + 10), directorySize = get32 (record + 12), directoryOffset = get32 (record + 16);
    bool multiDisk = get16 (record + 4) != 0 || get16 (record + 6) != 0;
    auto directoryEnd = endPosition;
    bool zip64 = false;

    // A ZIP64 end record, found through its locator just before the end record.
    juce::uint8 locator[20];

    if (endPosition >= 20 && readAt (endPosition - 20, locator, 20) && get32 (locator) == zip64LocatorSignature)
    {
        juce::uint8 record64[56];
        const auto stated = (juce::int64) juce::jmin (get64 (locator + 8), (juce::uint64) totalLength);
        // Behind an unadjusted prefix the stated place is off; the record lies just before the locator.
        const auto beforeLocator = endPosition - 20 - 56;
        juce::int64 at = -1;

        if (readAt (stated, record64, 56) && get32 (record64) == zip64EndSignature)
            at = stated;
        else if (readAt (beforeLocator, record64, 56) && get32 (record64) == zip64EndSignature)
            at = beforeLocator;

        if (at >= 0)
        {
            zip64 = true;
            multiDisk = multiDisk || get32 (record64 + 16) != 0 || get32 (record64 + 20) != 0;
            count = get64 (record64 + 32);
            directorySize = get64 (record64 + 40);
            directoryOffset = get64 (record64 + 48);
            directoryEnd = at;
        }
    }

    if (multiDisk || directorySize > (juce::uint64) directoryEnd || count > directorySize / 46 + (directorySize == 0 ? 0 : 1))
        return false;

    // The directory ends where the end records start; a prefix shows as the difference.
    const auto directoryStart = directoryEnd - (juce::int64) directorySize;

    if (directoryOffset <= (juce::uint64) directoryStart)
        shift = directoryStart - (juce::int64) directoryOffset;
    else
        return false;

    juce::HeapBlock<juce::uint8> directory ((size_t) directorySize + 1);

    if (directorySize > 0 && ! readAt (directoryStart, directory, (size_t) directorySize))
        return false;

    entries.reserve ((size_t) count);
    size_t at = 0;

    // Writers without ZIP64 let the 16-bit count wrap: the directory's own length decides.
    while (at + 46 <= directorySize && get32 (directory + at) == centralSignature)
    {
        const auto* h = directory + at;
        const auto nameLength = (size_t) get16 (h + 28), extraLength = (size_t) get16 (h + 30), commentLength = (size_t) get16 (h + 32);

        if (at + 46 + nameLength + extraLength + commentLength > directorySize)
            return false;

        Entry e;
        const auto flags = get16 (h + 8);
        e.method = get16 (h + 10);
        e.crc = get32 (h + 16);
        juce::uint64 compressed = get32 (h + 20), uncompressed = get32 (h + 24), offset = get32 (h + 42);
        e.encrypted = (flags & 0x41) != 0 || e.method == 99;

        const auto* name = h + 46;
        const auto* nul = static_cast<const juce::uint8*> (std::memchr (name, 0, nameLength));
        e.nameCut = nul != nullptr;
        e.fileName = readName (name, nul != nullptr ? (size_t) (nul - name) : nameLength);

        // The ZIP64 extra field holds, in this order, each value its 32-bit field marks as too large.
        for (const auto* x = name + nameLength; x + 4 <= name + nameLength + extraLength;)
        {
            const auto id = get16 (x);
            const auto size = (size_t) get16 (x + 2);
            const auto* data = x + 4;
            const auto* dataEnd = juce::jmin (data + size, name + nameLength + extraLength);

            if (id == 0x0001)
            {
                for (auto* value : { &uncompressed, &compressed, &offset })
                {
                    if (*value != max32)
                        continue;

                    if (data + 8 > dataEnd)
                        return false;

                    *value = get64 (data);
                    data += 8;
                }
            }

            x += 4 + size;
        }

        if (compressed > (juce::uint64) totalLength || uncompressed > (juce::uint64) std::numeric_limits<juce::int64>::max()
            || offset > (juce::uint64) totalLength)
            return false;

        e.compressedSize = (juce::int64) compressed;
        e.uncompressedSize = (juce::int64) uncompressed;
        e.localHeaderOffset = (juce::int64) offset;

        byName.emplace (e.fileName, (int) entries.size());
        entries.push_back (std::move (e));
        at += 46 + nameLength + extraLength + commentLength;

        if (entries.size() > (size_t) std::numeric_limits<int>::max() / 2)
            return false;
    }

    const auto found = (juce::uint64) entries.size();

    if (at != directorySize || (found != count && (zip64 || (found & max16) != count)))
        return false;

    // Each entry's header and data must lie before the next one's header, as in every archive
    // a tool writes; one stream under many names (a ZIP bomb) is read once. unzip refuses
    // such archives whole.
    std::vector<size_t> order (entries.size());
    std::iota (order.begin(), order.end(), (size_t) 0);
    std::stable_sort (order.begin(), order.end(), [this] (size_t a, size_t b) {
        return entries[a].localHeaderOffset < entries[b].localHeaderOffset;
    });

    juce::int64 reached = -1;

    for (auto i : order)
    {
        auto& e = entries[i];
        e.overlaps = e.localHeaderOffset < reached;
        reached = juce::jmax (reached, e.localHeaderOffset + 30 + e.compressedSize);
    }

    return true;
}

const ZipReader::Entry* ZipReader::getEntry (int index) const noexcept
{
    return juce::isPositiveAndBelow (index, (int) entries.size()) ? &entries[(size_t) index] : nullptr;
}

int ZipReader::indexOf (const juce::String& entryName) const
{
    const auto found = byName.find (entryName);
    return found != byName.end() ? found->second : -1;
}

ZipReader::Status ZipReader::read (int index, juce::MemoryBlock& result, juce::int64 maxSize) const
{
    result.reset();
    const auto* e = getEntry (index);

    if (e == nullptr || ! valid)
        return Status::damaged;

    if (e->encrypted)
        return Status::encrypted;

    if (e->method != 0 && e->method != 8)
        return Status::unsupportedMethod;

    if (e->uncompressedSize > maxSize)
        return Status::tooLarge;

    // Deflate packs at most about 1032:1; a larger packed size than the limit allows is refused unread.
    if (e->compressedSize > maxSize + maxSize / 8 + 1024)
        return Status::tooLarge;

    if (e->overlaps)
        return Status::damaged;

    juce::uint8 local[30];
    const auto headerAt = e->localHeaderOffset + shift;

    if (! readAt (headerAt, local, 30) || get32 (local) != localSignature)
        return Status::damaged;

    const auto dataAt = headerAt + 30 + get16 (local + 26) + get16 (local + 28);
    juce::MemoryBlock packed;

    if (e->compressedSize > 0)
    {
        packed.setSize ((size_t) e->compressedSize);

        if (! readAt (dataAt, packed.getData(), packed.getSize()))
            return Status::damaged;
    }

    if (e->method == 0)
    {
        if (e->compressedSize != e->uncompressedSize)
            return Status::damaged;

        result = std::move (packed);
    }
    else
    {
        juce::GZIPDecompressorInputStream inflater (new juce::MemoryInputStream (packed, false), true,
                                                    juce::GZIPDecompressorInputStream::deflateFormat);
        juce::MemoryOutputStream out (result, false);

        // The header's size may lie: never more than the limit.
        const auto inflated = out.writeFromInputStream (inflater, maxSize + 1);
        bytesInflated += inflated;

        if (inflated > maxSize)
        {
            out.flush();
            result.reset();
            return Status::tooLarge;
        }

        out.flush();
    }

    if ((juce::int64) result.getSize() != e->uncompressedSize || zipCrc32 (result.getData(), result.getSize()) != e->crc)
    {
        result.reset();
        return Status::damaged;
    }

    return Status::ok;
}

bool ZipReader::readEntry (const juce::String& entryName, juce::MemoryBlock& result, juce::int64 maxSize) const
{
    const auto index = indexOf (entryName);
    return index >= 0 && read (index, result, maxSize) == Status::ok;
}

//==============================================================================
bool writeZipArchive (juce::MemoryOutputStream& archive, int numEntries, const ZipEntryReader& readEntry, int compressionLevel,
                      juce::String* error)
{
    ZipWriter writer (archive, compressionLevel);
    juce::MemoryBlock data;

    for (int i = 0; i < numEntries; ++i)
    {
        juce::String name, why;
        juce::Time time;

        if (! readEntry (i, name, data, time, why) || ! writer.addEntry (name, data, time, why))
        {
            if (error != nullptr)
                *error = why;

            return false;
        }
    }

    writer.finish();
    return true;
}

bool createZipFile (const juce::File& target, const juce::Array<juce::File>& files, int compressionLevel,
                    juce::String* error, bool recorded)
{
    // Built in memory (presets are small) and written over the target in one step.
    juce::MemoryOutputStream archive;
    ZipWriter writer (archive, compressionLevel);

    for (const auto& file : files)
    {
        if (juce::String why; ! writer.addFile (file, why))
        {
            if (error != nullptr)
                *error = why;

            return false;
        }
    }

    return writer.writeTo (target, error, recorded);
}
