#include "support/TestSupport.h"
#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <vector>

namespace test
{
    TempFolder::TempFolder()
        // A random name: tests run in parallel processes, and a "first free name" would let
        // two of them pick the same folder.
        : folder (juce::File::getSpecialLocation (juce::File::tempDirectory)
                      .getChildFile ("grindel-test-" + juce::Uuid().toString()))
    {
        folder.createDirectory();
    }

    TempFolder::~TempFolder()
    {
        folder.deleteRecursively();
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
