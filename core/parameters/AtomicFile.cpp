#include "core/parameters/AtomicFile.h"
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

    juce::String errnoText()
    {
        return std::strerror (errno);
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

    /** The writer's process id in one of our temporary names, or 0. */
    int getWriterProcess (const juce::String& fileName)
    {
        if (! fileName.startsWithChar ('.'))
            return 0;

        const auto tail = fileName.fromLastOccurrenceOf (tempMarker, false, false);

        if (tail.length() == fileName.length() || ! tail.containsChar ('-'))
            return 0;

        const auto pid = tail.upToFirstOccurrenceOf ("-", false, false);
        const auto random = tail.fromFirstOccurrenceOf ("-", false, false);

        if (! pid.containsOnly ("0123456789") || pid.isEmpty() || pid.length() > 9
            || ! random.containsOnly ("0123456789abcdef") || random.isEmpty())
            return 0;

        return pid.getIntValue();
    }

    bool isProcessRunning (int pid)
    {
        return ::kill ((pid_t) pid, 0) == 0 || errno == EPERM;
    }

    /** "name_temp1a2b3c.ext", with or without a leading dot: what juce::TemporaryFile makes
        beside "name.ext". */
    bool isJuceTemporaryOf (const juce::String& fileName, const juce::String& stem, const juce::String& extension)
    {
        auto rest = fileName;

        if (rest.startsWithChar ('.') && ! stem.startsWithChar ('.'))
            rest = rest.substring (1);

        if (! rest.startsWith (stem + "_temp") || ! rest.endsWith (extension))
            return false;

        const auto hex = rest.substring (stem.length() + 5, rest.length() - extension.length());
        return hex.isNotEmpty() && hex.length() <= 8 && hex.containsOnly ("0123456789abcdef");
    }

    bool isHiddenJuceTemporary (const juce::String& fileName)
    {
        if (! fileName.startsWithChar ('.'))
            return false;

        const auto extension = fileName.fromLastOccurrenceOf (".", true, false);
        const auto body = fileName.substring (1, fileName.length() - (extension == fileName ? 0 : extension.length()));
        const auto stem = body.upToLastOccurrenceOf ("_temp", false, false);

        return stem.length() < body.length() && isJuceTemporaryOf (fileName, "." + stem, extension == fileName ? juce::String() : extension);
    }
}

//==============================================================================
juce::Result AtomicFile::write (const juce::File& named, const void* data, size_t numBytes, bool waitForDisk)
{
    if (named == juce::File())
        return juce::Result::fail ("cannot write a file without a name");

    // A link stays a link: the file it leads to is the one written.
    auto target = named;
    struct stat link;

    if (::lstat (named.getFullPathName().toRawUTF8(), &link) == 0 && S_ISLNK (link.st_mode))
    {
        char resolved[PATH_MAX];

        if (::realpath (named.getFullPathName().toRawUTF8(), resolved) == nullptr)
            return failure (named, "a link that leads nowhere has that name");

        target = juce::File (juce::CharPointer_UTF8 (resolved));
    }

    if (target.isDirectory())
        return failure (named, "a folder has that name");

    const auto folder = target.getParentDirectory();

    if (const auto made = folder.createDirectory(); made.failed())
        return failure (target, made.getErrorMessage());

    // A file saved over keeps who may read it.
    mode_t mode = 0666;
    struct stat old;

    if (::stat (target.getFullPathName().toRawUTF8(), &old) == 0 && S_ISREG (old.st_mode))
        mode = old.st_mode & 07777;

    // The process id tells other processes whose it is; the count keeps this process's
    // writers apart on any thread; a name a killed process of the same id left is skipped.
    static std::atomic<juce::uint32> writes { 0 };
    juce::File temp;
    std::unique_ptr<ScopedLiveTemporary> live;
    int fd = -1;

    for (int attempt = 0; attempt < 64 && fd < 0; ++attempt)
    {
        temp = folder.getChildFile ("." + target.getFileName() + tempMarker + juce::String ((int) ::getpid()) + "-"
                                    + juce::String::toHexString ((juce::int64) ++writes));
        live = std::make_unique<ScopedLiveTemporary> (temp);
        fd = ::open (temp.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);

        if (fd < 0 && errno != EEXIST)
            break;
    }

    if (fd < 0)
        return failure (target, errnoText());

    // Every write is checked: a full disk shows as a short write and then an error, which a
    // buffered stream's flush would pass over.
    const bool written = writeAll (fd, static_cast<const char*> (data), numBytes)
        && (! waitForDisk || ::fsync (fd) == 0);
    const auto writeError = errnoText();

    if (::close (fd) != 0 || ! written)
    {
        temp.deleteFile();
        return failure (target, written ? errnoText() : writeError);
    }

    if (std::rename (temp.getFullPathName().toRawUTF8(), target.getFullPathName().toRawUTF8()) != 0)
    {
        const auto renameError = errnoText();
        temp.deleteFile();
        return failure (target, renameError);
    }

    // The folder is not flushed: a crash of the machine may lose the rename, which leaves the
    // old file whole, and a flush per save would double its cost.
    return juce::Result::ok();
}

juce::Result AtomicFile::write (const juce::File& target, const juce::String& text, bool waitForDisk)
{
    const auto utf8 = text.toRawUTF8();
    return write (target, utf8, std::strlen (utf8), waitForDisk);
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
    return removeMatching (folder, [] (const juce::String& name, const juce::File& file) {
        // JUCE's temporaries name no writer: only old ones are surely abandoned.
        return isHiddenJuceTemporary (name) && file.getLastModificationTime() < juce::Time::getCurrentTime() - juce::RelativeTime::minutes (10);
    });
}

int AtomicFile::removeLeftoversOf (const juce::File& target)
{
    const auto ownName = target.getFileName();
    const auto stem = target.getFileNameWithoutExtension();
    const auto extension = target.getFileExtension();

    return removeMatching (
        target.getParentDirectory(), [&] (const juce::String& name, const juce::File&) {
            return isJuceTemporaryOf (name, stem, extension);
        },
        ownName);
}

int AtomicFile::removeMatching (const juce::File& folder, const std::function<bool (const juce::String&, const juce::File&)>& isForeignLeftover,
                                const juce::String& onlyFor)
{
    if (! folder.isDirectory())
        return 0;

    const auto ownProcess = (int) ::getpid();
    int removed = 0;

    for (const auto& entry : juce::RangedDirectoryIterator (folder, false, "*", juce::File::findFiles))
    {
        const auto& file = entry.getFile();
        const auto name = file.getFileName();
        bool leftover = false;

        if (const auto writer = getWriterProcess (name); writer != 0)
        {
            if (onlyFor.isEmpty() || name.startsWith ("." + onlyFor + tempMarker))
                leftover = writer == ownProcess ? ! LiveTemporaries::get().contains (file.getFullPathName())
                                                : ! isProcessRunning (writer);
        }
        else
        {
            leftover = isForeignLeftover (name, file);
        }

        if (leftover && file.deleteFile())
            ++removed;
    }

    return removed;
}
