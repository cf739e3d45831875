#include "core/parameters/AtomicFile.h"
#include "core/parameters/BoundedXmlReader.h"
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    constexpr const char* tempMarker = ".tmp-";

    /** The temporaries this process is writing now: a start-up clean-up in another instance of
        the same process must leave them alone. */
    struct LiveTemporaries
    {
        juce::CriticalSection lock;
        juce::StringArray paths;

        static LiveTemporaries& get()
        {
            static LiveTemporaries live;
            return live;
        }

        bool contains (const juce::String& path)
        {
            const juce::ScopedLock sl (lock);
            return paths.contains (path);
        }

        bool containsFileName (const juce::String& fileName)
        {
            const juce::ScopedLock sl (lock);

            for (const auto& path : paths)
                if (path.endsWith ("/" + fileName))
                    return true;

            return false;
        }
    };

    class ScopedLiveTemporary
    {
    public:
        explicit ScopedLiveTemporary (const juce::File& f) : path (f.getFullPathName())
        {
            auto& live = LiveTemporaries::get();
            const juce::ScopedLock sl (live.lock);
            live.paths.add (path);
        }

        ~ScopedLiveTemporary()
        {
            auto& live = LiveTemporaries::get();
            const juce::ScopedLock sl (live.lock);
            live.paths.removeString (path);
        }

    private:
        const juce::String path;
    };

    juce::Result failure (const juce::File& target, const juce::String& why)
    {
        return juce::Result::fail ("cannot write " + target.getFullPathName() + ": " + why);
    }

    bool writeAll (int fd, const char* data, size_t numBytes)
    {
        while (numBytes > 0)
        {
            const auto written = ::write (fd, data, numBytes);

            if (written < 0 && errno == EINTR)
                continue;

            if (written <= 0)
                return false;

            data += written;
            numBytes -= (size_t) written;
        }

        return true;
    }

    bool isDigits (const juce::String& s, int maxLength)
    {
        return s.isNotEmpty() && s.length() <= maxLength && s.containsOnly ("0123456789");
    }

    bool isLowerHex (const juce::String& s)
    {
        return s.isNotEmpty() && s.length() <= 16 && s.containsOnly ("0123456789abcdef");
    }

    constexpr const char* tempPrefix = ".~gr-";
    constexpr const char* tempSuffix = ".tmp";

    /** The writer's process id in one of our temporary names, or 0: ".~gr-<pid>-<hex>.tmp", or
        an older version's ".<name>.tmp-<pid>-<hex>". Exactly these and nothing else. */
    int getWriterProcess (const juce::String& fileName)
    {
        juce::String pid, count;

        if (fileName.startsWith (tempPrefix) && fileName.endsWith (tempSuffix))
        {
            const auto body = fileName.substring (juce::String (tempPrefix).length(), fileName.length() - juce::String (tempSuffix).length());
            pid = body.upToFirstOccurrenceOf ("-", false, false);
            count = body.fromFirstOccurrenceOf ("-", false, false);
        }
        else if (fileName.startsWithChar ('.') && fileName.contains (tempMarker))
        {
            const auto tail = fileName.fromLastOccurrenceOf (tempMarker, false, false);
            pid = tail.upToFirstOccurrenceOf ("-", false, false);
            count = tail.fromFirstOccurrenceOf ("-", false, false);
        }

        return isDigits (pid, 9) && isLowerHex (count) ? pid.getIntValue() : 0;
    }

    bool isProcessRunning (int pid)
    {
        return ::kill ((pid_t) pid, 0) == 0 || errno == EPERM;
    }

    /** Whether no running writer owns the temporary of that name and path. */
    bool isAbandoned (const juce::String& fileName, const juce::String& path)
    {
        const auto writer = getWriterProcess (fileName);

        if (writer == 0)
            return false;

        return writer == (int) ::getpid() ? ! LiveTemporaries::get().contains (path) : ! isProcessRunning (writer);
    }

    struct RecordFolder
    {
        juce::CriticalSection lock;
        juce::File folder;

        static RecordFolder& get()
        {
            static RecordFolder r;
            return r;
        }

        juce::File getFolder()
        {
            const juce::ScopedLock sl (lock);
            return folder;
        }
    };

    /** A note, beside nothing of the user's, that a temporary exists somewhere: its name is the
        temporary's, its text the temporary's path. Written before the temporary is made, and
        straight under its name (no temporary of its own), so that a kill at any moment leaves
        nothing that no record names, and nothing in the record folder that no start-up
        removes. Best effort: a write goes on without it. */
    class ScopedRecord
    {
    public:
        ScopedRecord (bool recorded, const juce::File& temp)
        {
            if (! recorded)
                return;

            const auto folder = RecordFolder::get().getFolder();

            // Only inside the plug-in's folder as it stands: a folder that went away stays away.
            if (folder == juce::File() || ! folder.getParentDirectory().isDirectory() || AtomicFile::makeFolder (folder).failed())
                return;

            record = folder.getChildFile (temp.getFileName());
            const auto path = temp.getFullPathName();
            const auto fd = ::open (record.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);

            if (fd < 0)
            {
                record = juce::File();
                return;
            }

            const bool written = writeAll (fd, path.toRawUTF8(), path.getNumBytesAsUTF8());

            if (::close (fd) != 0 || ! written)
            {
                record.deleteFile();
                record = juce::File();
            }
        }

        ~ScopedRecord()
        {
            if (record != juce::File())
                record.deleteFile();
        }

    private:
        juce::File record;
    };
}

//==============================================================================
juce::Result AtomicFile::write (const juce::File& named, const void* data, size_t numBytes, bool waitForDisk)
{
    return write (named, data, numBytes, waitForDisk, false);
}

juce::Result AtomicFile::write (const juce::File& named, const void* data, size_t numBytes, bool waitForDisk, bool recorded, int* errorNumber)
{
    return writeFile (named, data, numBytes, waitForDisk, recorded, Mode::followLink, errorNumber);
}

juce::Result AtomicFile::writeNew (const juce::File& target, const void* data, size_t numBytes, bool waitForDisk, int* errorNumber)
{
    return writeFile (target, data, numBytes, waitForDisk, false, Mode::newName, errorNumber);
}

juce::Result AtomicFile::replaceName (const juce::File& target, const void* data, size_t numBytes, int* errorNumber)
{
    return writeFile (target, data, numBytes, true, false, Mode::replaceName, errorNumber);
}

juce::Result AtomicFile::makeFolder (const juce::File& folder)
{
    // Each try gets at least one level further than a lost race let the one before.
    auto made = folder.createDirectory();
    auto cause = errno;

    for (int tries = 0; made.failed() && ! folder.isDirectory() && tries < 16; ++tries)
    {
        made = folder.createDirectory();
        cause = errno;
    }

    if (folder.isDirectory())
        return juce::Result::ok();

    // The refused mkdir's reason, not that of the look that followed it (a read-only file
    // system is EROFS, not the ENOENT of a folder that is not there).
    errno = cause;
    return made;
}

juce::Result AtomicFile::writeFile (const juce::File& named, const void* data, size_t numBytes, bool waitForDisk, bool recorded,
                                    Mode mode, int* errorNumber)
{
    int ignored = 0;
    auto& error = errorNumber != nullptr ? *errorNumber : ignored;
    error = 0;

    if (named == juce::File())
    {
        error = EINVAL;
        return juce::Result::fail ("cannot write a file without a name");
    }

    const bool exclusive = mode == Mode::newName;
    struct stat existing;

    if (exclusive && (::lstat (named.getFullPathName().toRawUTF8(), &existing) == 0 || errno != ENOENT))
    {
        error = EEXIST;
        return failure (named, "the name is taken");
    }

    // A link stays a link: the file it leads to is the one written (unless the name itself is).
    auto target = named;
    struct stat link;
    const bool ownName = mode == Mode::replaceName;

    if (! ownName && ::lstat (named.getFullPathName().toRawUTF8(), &link) == 0 && S_ISLNK (link.st_mode))
    {
        char resolved[PATH_MAX];

        if (::realpath (named.getFullPathName().toRawUTF8(), resolved) == nullptr)
        {
            error = ENOENT;
            return failure (named, "a link that leads nowhere has that name");
        }

        target = juce::File (juce::CharPointer_UTF8 (resolved));
    }

    if (ownName ? ::lstat (target.getFullPathName().toRawUTF8(), &link) == 0 && S_ISDIR (link.st_mode) : target.isDirectory())
    {
        error = EISDIR;
        return failure (named, "a folder has that name");
    }

    const auto folder = target.getParentDirectory();

    if (const auto made = makeFolder (folder); made.failed())
    {
        error = errno != 0 ? errno : EACCES;
        return failure (target, made.getErrorMessage());
    }

    // A file saved over keeps who may read it.
    mode_t permissions = 0666;
    struct stat old;
    const auto targetPath = target.getFullPathName().toRawUTF8();

    if ((ownName ? ::lstat (targetPath, &old) : ::stat (targetPath, &old)) == 0 && S_ISREG (old.st_mode))
        permissions = old.st_mode & 07777;

    // The process id tells other processes whose it is; the count keeps this process's
    // writers apart on any thread; a name a killed process of the same id left is skipped.
    static std::atomic<juce::uint32> writes { 0 };
    juce::File temp;
    std::unique_ptr<ScopedLiveTemporary> live;
    std::unique_ptr<ScopedRecord> record;
    int fd = -1;

    for (int attempt = 0; attempt < 64 && fd < 0; ++attempt)
    {
        temp = folder.getChildFile (tempPrefix + juce::String ((int) ::getpid()) + "-"
                                    + juce::String::toHexString ((juce::int64) ++writes) + tempSuffix);
        live = std::make_unique<ScopedLiveTemporary> (temp);
        // The record before the temporary: a kill between the two leaves a record of nothing,
        // which the next start removes, never a temporary that nothing names.
        record.reset();
        record = std::make_unique<ScopedRecord> (recorded, temp);
        fd = ::open (temp.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, permissions);

        if (fd < 0 && errno != EEXIST)
            break;
    }

    if (fd < 0)
    {
        error = errno;
        return failure (target, std::strerror (error));
    }

    // Every write is checked: a full disk shows as a short write and then an error, which a
    // buffered stream's flush would pass over.
    const bool written = writeAll (fd, static_cast<const char*> (data), numBytes)
        && (! waitForDisk || ::fsync (fd) == 0);
    const auto writeErrno = errno;

    if (::close (fd) != 0 || ! written)
    {
        error = written ? errno : (writeErrno != 0 ? writeErrno : ENOSPC);
        temp.deleteFile();
        return failure (target, std::strerror (error));
    }

    // A new file takes the name only when nothing has it at that moment: a hard link fails
    // when the name is taken, where a rename would replace what another process put there.
    if (exclusive)
    {
        const auto linked = ::link (temp.getFullPathName().toRawUTF8(), target.getFullPathName().toRawUTF8()) == 0;
        const auto linkErrno = errno;

        if (linked || linkErrno == EEXIST)
        {
            temp.deleteFile();

            if (linked)
                return juce::Result::ok();

            error = EEXIST;
            return failure (target, "the name was taken meanwhile");
        }

        // File systems without hard links: the last look and the rename are as close as it gets.
        if (::lstat (target.getFullPathName().toRawUTF8(), &existing) == 0)
        {
            temp.deleteFile();
            error = EEXIST;
            return failure (target, "the name was taken meanwhile");
        }
    }

    if (std::rename (temp.getFullPathName().toRawUTF8(), target.getFullPathName().toRawUTF8()) != 0)
    {
        error = errno;
        temp.deleteFile();
        return failure (target, std::strerror (error));
    }

    // The folder is not flushed: a crash of the machine may lose the rename, which leaves the
    // old file whole, and a flush per save would double its cost.
    return juce::Result::ok();
}

juce::Result AtomicFile::write (const juce::File& target, const juce::String& text, bool waitForDisk)
{
    const auto utf8 = text.toRawUTF8();
    return write (target, utf8, std::strlen (utf8), waitForDisk, false);
}

juce::Result AtomicFile::write (const juce::File& target, const juce::XmlElement& xml)
{
    juce::MemoryOutputStream out;
    xml.writeTo (out);
    return write (target, out.getData(), out.getDataSize());
}

bool AtomicFile::isTemporaryName (const juce::String& fileName)
{
    return getWriterProcess (fileName) != 0;
}

int AtomicFile::removeLeftovers (const juce::File& folder)
{
    return removeMatching (folder, {});
}

int AtomicFile::removeLeftoversOf (const juce::File& target)
{
    return removeMatching (target.getParentDirectory(), target.getFileName());
}

int AtomicFile::removeMatching (const juce::File& folder, const juce::String& onlyFor)
{
    if (! folder.isDirectory())
        return 0;

    int removed = 0;

    for (const auto& entry : juce::RangedDirectoryIterator (folder, false, ".*", juce::File::findFiles))
    {
        const auto& file = entry.getFile();
        const auto name = file.getFileName();

        // An older version's temporaries carry their target's name: in a user's folder only
        // those of the one file are surely ours.
        if (onlyFor.isNotEmpty() && ! name.startsWith (tempPrefix) && ! name.startsWith ("." + onlyFor + tempMarker))
            continue;

        if (isAbandoned (name, file.getFullPathName()) && file.deleteFile())
            ++removed;
    }

    return removed;
}

void AtomicFile::setRecordFolder (const juce::File& folder)
{
    auto& r = RecordFolder::get();
    const juce::ScopedLock sl (r.lock);
    r.folder = folder;
}

int AtomicFile::removeRecordedLeftovers()
{
    const auto folder = RecordFolder::get().getFolder();

    if (! folder.isDirectory())
        return 0;

    int removed = 0;

    for (const auto& entry : juce::RangedDirectoryIterator (folder, false, ".*", juce::File::findFiles))
    {
        const auto& record = entry.getFile();
        auto name = record.getFileName();

        // An older version wrote its records through JUCE's temporary files, which a kill left
        // as ".<record name>_temp<hex>.tmp", whole or cut short.
        const auto olderRecord = name.substring (1).upToLastOccurrenceOf ("_temp", false, false) + tempSuffix;

        if (name.startsWith ("." + juce::String (tempPrefix)) && name.contains ("_temp") && getWriterProcess (olderRecord) != 0
            && isLowerHex (name.fromLastOccurrenceOf ("_temp", false, false).dropLastCharacters (juce::String (tempSuffix).length())))
            name = olderRecord;

        const auto writer = getWriterProcess (name);

        if (! name.startsWith (tempPrefix) || writer == 0)
            continue;

        // A record of a write still under way stays (this process's own too).
        if (writer == (int) ::getpid() ? LiveTemporaries::get().containsFileName (name) : isProcessRunning (writer))
            continue;

        juce::MemoryBlock text;
        juce::String error;

        if (BoundedXmlReader::readFile (record, 8192, text, error))
        {
            const auto path = text.toString();
            struct stat info;

            // Only a temporary of exactly the recorded name; a link under that name is not
            // followed. A record cut short by a kill names none.
            if (juce::File::isAbsolutePath (path) && juce::File (path).getFileName() == name
                && ::lstat (path.toRawUTF8(), &info) == 0 && S_ISREG (info.st_mode) && juce::File (path).deleteFile())
                ++removed;
        }

        record.deleteFile();
    }

    return removed;
}
