#include "support/TestSupport.h"
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <mutex>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Set by a sanitizer's runtime when there is one: it calls back before it ends the program.
extern "C" void __sanitizer_set_death_callback (void (*) (void)) __attribute__ ((weak));

namespace test
{
    namespace
    {
        // The temporary folders alive now. A program that dies (a sanitizer's report, an
        // abort, a crash) runs no destructor, so it removes them on its way out.
        // Each with the process that made it: a forked child that dies leaves its parent's.
        std::mutex liveLock;
        std::vector<std::pair<pid_t, std::string>>& liveFolders()
        {
            static std::vector<std::pair<pid_t, std::string>> folders;
            return folders;
        }

        // Safe in a signal handler: no allocation, only fork, exec and wait.
        void removeFolder (const char* path)
        {
            const auto child = ::fork();

            if (child == 0)
            {
                ::execl ("/bin/rm", "rm", "-rf", "--", path, static_cast<char*> (nullptr));
                ::_exit (127);
            }

            if (child > 0)
            {
                int status = 0;
                ::waitpid (child, &status, 0);
            }
        }

        void removeLiveFolders()
        {
            // Best effort: the dying thread may be the one that holds the lock.
            std::unique_lock<std::mutex> lock (liveLock, std::try_to_lock);

            if (! lock.owns_lock())
                return;

            for (const auto& [maker, folder] : liveFolders())
                if (maker == ::getpid())
                    removeFolder (folder.c_str());
        }

        void onFatalSignal (int signal)
        {
            removeLiveFolders();
            std::signal (signal, SIG_DFL);
            std::raise (signal);
        }

        void removeLiveFoldersWhenTheProgramDies()
        {
            static std::once_flag once;
            std::call_once (once, [] {
                std::signal (SIGABRT, onFatalSignal);

                // A sanitizer handles the crashes itself and calls back; without one, the
                // crash signals come here.
                if (__sanitizer_set_death_callback != nullptr)
                    __sanitizer_set_death_callback (removeLiveFolders);
                else
                    for (const int signal : { SIGSEGV, SIGBUS, SIGFPE, SIGILL })
                        std::signal (signal, onFatalSignal);
            });
        }
    }

    TempFolder::TempFolder()
        // A random name: tests run in parallel processes, and a "first free name" would let
        // two of them pick the same folder.
        : folder (juce::File::getSpecialLocation (juce::File::tempDirectory)
                      .getChildFile ("grindel-test-" + juce::Uuid().toString()))
    {
        removeLiveFoldersWhenTheProgramDies();
        folder.createDirectory();
        const std::lock_guard<std::mutex> lock (liveLock);
        liveFolders().emplace_back (::getpid(), folder.getFullPathName().toStdString());
    }

    TempFolder::~TempFolder()
    {
        folder.deleteRecursively();
        const std::lock_guard<std::mutex> lock (liveLock);
        auto& folders = liveFolders();
        folders.erase (std::remove (folders.begin(), folders.end(), std::make_pair (::getpid(), folder.getFullPathName().toStdString())), folders.end());
    }

    ScopedDataRoot::ScopedDataRoot()
        : previous (juce::SystemStats::getEnvironmentVariable ("GRINDEL_DATA_ROOT", {}))
    {
        setenv ("GRINDEL_DATA_ROOT", root.get().getFullPathName().toRawUTF8(), 1);
    }

    ScopedDataRoot::~ScopedDataRoot()
    {
        if (previous.isNotEmpty())
            setenv ("GRINDEL_DATA_ROOT", previous.toRawUTF8(), 1);
        else
            unsetenv ("GRINDEL_DATA_ROOT");
    }

    juce::File ScopedDataRoot::getUserFolder() const
    {
        return root.get().getChildFile ("User/Application Support/Orvik Group/Grindel 2");
    }

    juce::File ScopedDataRoot::getCommonFolder() const
    {
        return root.get().getChildFile ("Common/Application Support/Orvik Group/Grindel 2");
    }

    ScopedFullDisk::ScopedFullDisk (long long maxBytes)
    {
        previousHandler = std::signal (SIGXFSZ, SIG_IGN);
        rlimit limit {};
        getrlimit (RLIMIT_FSIZE, &limit);
        previousSoft = (long long) limit.rlim_cur;
        limit.rlim_cur = (rlim_t) maxBytes;
        setrlimit (RLIMIT_FSIZE, &limit);
    }

    ScopedFullDisk::~ScopedFullDisk()
    {
        rlimit limit {};
        getrlimit (RLIMIT_FSIZE, &limit);
        limit.rlim_cur = (rlim_t) previousSoft;
        setrlimit (RLIMIT_FSIZE, &limit);
        std::signal (SIGXFSZ, previousHandler);
    }

    namespace
    {
        // Function-local: hooks register during static initialisation, in any order of files.
        std::vector<void (*)()>& startUpHooks()
        {
            static std::vector<void (*)()> hooks;
            return hooks;
        }
    }

    StartUpHook::StartUpHook (void (*function)())
    {
        startUpHooks().push_back (function);
    }

    void runStartUpHooks()
    {
        for (auto* hook : startUpHooks())
            hook();
    }
}
