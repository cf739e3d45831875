#pragma once

#include <juce_core/juce_core.h>

/** Holds an advisory lock on a folder while it lives, so that a read-change-write of a file in
    it (settings, an item's tags) by one instance cannot interleave with another instance's,
    in this process or another. The lock goes with the process: a killed holder frees it.

    Any thread; not re-entrant (a holder that locks the same folder again waits for itself
    until the time-out). */
class FolderLock
{
public:
    /** Waits up to the time-out for the lock; isLocked says whether it came. */
    explicit FolderLock (const juce::File& folder, int timeoutMs = 3000);
    ~FolderLock();

    bool isLocked() const noexcept { return fd >= 0; }
    /** Ok when locked; else why not. */
    juce::Result getResult() const;

private:
    int fd = -1;
    juce::String error;

    JUCE_DECLARE_NON_COPYABLE (FolderLock)
};
