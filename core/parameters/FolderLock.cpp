#include "core/parameters/FolderLock.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FolderLock::FolderLock (const juce::File& folder, int timeoutMs)
{
    const auto handle = ::open (folder.getFullPathName().toRawUTF8(), O_RDONLY | O_CLOEXEC);

    if (handle < 0)
    {
        error = "cannot open " + folder.getFullPathName() + ": " + juce::String (std::strerror (errno));
        return;
    }

    // Polled rather than blocking, so a stuck holder costs a refusal, never a hang.
    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) juce::jmax (0, timeoutMs);

    for (;;)
    {
        if (::flock (handle, LOCK_EX | LOCK_NB) == 0)
        {
            fd = handle;
            return;
        }

        if ((errno != EWOULDBLOCK && errno != EINTR) || juce::Time::getMillisecondCounter() >= deadline)
            break;

        juce::Thread::sleep (2);
    }

    error = folder.getFullPathName() + " is busy in another instance";
    ::close (handle);
}

FolderLock::~FolderLock()
{
    if (fd >= 0)
    {
        ::flock (fd, LOCK_UN);
        ::close (fd);
    }
}

juce::Result FolderLock::getResult() const
{
    return isLocked() ? juce::Result::ok() : juce::Result::fail (error);
}
