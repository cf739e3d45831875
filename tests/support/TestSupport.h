#pragma once

#include <juce_events/juce_events.h>
#include <ctime>
#include <functional>

namespace test
{
    /** A fresh folder under the system's temporary folder, deleted with its contents; also when
        the program dies (an abort, a crash, a sanitizer's report) while it lives. */
    class TempFolder
    {
    public:
        TempFolder();
        ~TempFolder();
        const juce::File& get() const noexcept { return folder; }

    private:
        juce::File folder;
    };

    /** Points the plug-in's data roots (GRINDEL_DATA_ROOT) at a fresh folder while it lives. */
    class ScopedDataRoot
    {
    public:
        ScopedDataRoot();
        ~ScopedDataRoot();

        juce::File getUserFolder() const;
        juce::File getCommonFolder() const;

    private:
        TempFolder root;
        juce::String previous;
    };

    /** A full disk, as the process sees it, while it lives: files cannot grow past a few
        bytes (RLIMIT_FSIZE, with SIGXFSZ ignored, so a write fails with EFBIG). Works for root,
        whom a read-only folder does not stop. */
    class ScopedFullDisk
    {
    public:
        explicit ScopedFullDisk (long long maxBytes = 16);
        ~ScopedFullDisk();

    private:
        long long previousSoft = 0;
        void (*previousHandler) (int) = nullptr;
    };

    /** The processor time the calling thread has used, in milliseconds: a bound on work that
        should take linear time holds however loaded the machine is, where a clock's would not. */
    inline double threadCpuMs()
    {
        timespec now {};
        ::clock_gettime (CLOCK_THREAD_CPUTIME_ID, &now);
        return (double) now.tv_sec * 1000.0 + (double) now.tv_nsec / 1.0e6;
    }

    /** Work for the test main to do before JUCE starts, registered by a namespace-scope object
        in a test executable that needs it (for example test::BareXServer). */
    struct StartUpHook
    {
        explicit StartUpHook (void (*function)());
    };

    /** Runs the registered StartUpHooks, in registration order. */
    void runStartUpHooks();

    /** Runs the message loop (the test thread is JUCE's message thread) until the condition
        holds or the time is up; returns the condition. Inline, so that test programs with a
        main of their own can use it too. */
    inline bool pumpUntil (const std::function<bool()>& condition, int timeoutMs = 2000)
    {
        const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

        while (! condition())
        {
            if (juce::Time::getMillisecondCounter() > deadline)
                return false;

            juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
        }

        return true;
    }

    /** Runs the message loop for a while, for example to see that nothing arrives. */
    inline void pump (int milliseconds)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
    }
}
