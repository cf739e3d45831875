#pragma once

#include "ACFBaseTypes.h"
#include "IACFUnknown.h"
#include "StandInLibrary.h"

#include <string>

class IACFPluginDefinition;

// A plug-in bundle loaded into the stand-in host: its binary and its seven entry
// functions, plus the message pump a Linux bundle offers its host.
class StandInBundle
{
public:
    StandInBundle() = default;
    ~StandInBundle();

    // The binary of a bundle folder ("Name.aaxplugin/Contents/<arch>/Name.so"), or the
    // path itself when it names a file; empty with a reason when there is none.
    static std::string FindBinary (const std::string& path, std::string& error);

    // Loads the binary and finds every entry function; false with Error() otherwise.
    bool Load (const std::string& path);
    // Unloads the binary.
    void Unload();

    bool IsLoaded() const { return mLibrary.IsOpen(); }
    const std::string& Error() const { return mError; }
    const std::string& BinaryPath() const { return mBinary; }

    ACFRESULT Startup (IACFUnknown* host);
    ACFRESULT GetSDKVersion (acfUInt64* version);
    ACFRESULT RegisterPlugin (IACFUnknown* host, IACFPluginDefinition** definition);
    ACFRESULT CanUnloadNow();
    ACFRESULT Shutdown();

    bool HasMessagePump() const { return mDispatch != nullptr; }
    // Runs the bundle's message loop for a while on the calling thread; false when the
    // bundle has no pump or the calling thread is not its message thread.
    bool DispatchMessages (int milliseconds);

private:
    using RegisterPluginFn = ACFRESULT (*) (IACFUnknown*, IACFPluginDefinition**);
    using CanUnloadNowFn = ACFRESULT (*)();
    using StartupFn = ACFRESULT (*) (IACFUnknown*);
    using ShutdownFn = ACFRESULT (*)();
    using GetSDKVersionFn = ACFRESULT (*) (acfUInt64*);
    using DispatchFn = int (*) (int);

    template <typename Fn>
    bool Find (Fn& fn, const char* name);

    StandInLibrary mLibrary;
    std::string mBinary, mError;
    RegisterPluginFn mRegisterPlugin = nullptr;
    void* mRegisterComponent = nullptr;   // exported, never called by this host
    void* mGetClassFactory = nullptr;
    CanUnloadNowFn mCanUnloadNow = nullptr;
    StartupFn mStartup = nullptr;
    ShutdownFn mShutdown = nullptr;
    GetSDKVersionFn mGetSDKVersion = nullptr;
    DispatchFn mDispatch = nullptr;
};
