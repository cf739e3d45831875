#include "StandInBundle.h"

#include <filesystem>

namespace fs = std::filesystem;

StandInBundle::~StandInBundle()
{
    Unload();
}

std::string StandInBundle::FindBinary (const std::string& path, std::string& error)
{
    std::error_code ec;
    fs::path given (path);

    // "Name.aaxplugin/", as shell completion types a folder, is that folder.
    while (! given.has_filename() && given.has_relative_path())
        given = given.parent_path();

    if (! fs::exists (given, ec))
    {
        error = "no such bundle: " + path;
        return {};
    }

    if (! fs::is_directory (given, ec))
        return given.string();

    // A bundle keeps its binary in Contents/<arch>/, named after the bundle.
    const auto name = given.filename().replace_extension().string();
    const auto contents = given / "Contents";

    if (fs::is_directory (contents, ec))
    {
        for (const auto& entry : fs::directory_iterator (contents, ec))
        {
            const auto candidate = entry.path() / (name + ".so");

            if (entry.is_directory() && fs::is_regular_file (candidate, ec))
                return candidate.string();
        }
    }

    error = "no binary in bundle " + path + " (expected Contents/<arch>/" + name + ".so)";
    return {};
}

template <typename Fn>
bool StandInBundle::Find (Fn& fn, const char* name)
{
    fn = reinterpret_cast<Fn> (mLibrary.Symbol (name));

    if (fn == nullptr && mError.empty())
        mError = mBinary + " does not export " + name;

    return fn != nullptr;
}

bool StandInBundle::Load (const std::string& path)
{
    Unload();
    mError.clear();
    mBinary = FindBinary (path, mError);

    if (mBinary.empty())
        return false;

    if (! mLibrary.Open (mBinary))
    {
        mError = "cannot load " + mBinary + ": " + mLibrary.Error();
        return false;
    }

    bool complete = Find (mRegisterPlugin, "ACFRegisterPlugin");
    complete = Find (mRegisterComponent, "ACFRegisterComponent") && complete;
    complete = Find (mGetClassFactory, "ACFGetClassFactory") && complete;
    complete = Find (mCanUnloadNow, "ACFCanUnloadNow") && complete;
    complete = Find (mStartup, "ACFStartup") && complete;
    complete = Find (mShutdown, "ACFShutdown") && complete;
    complete = Find (mGetSDKVersion, "ACFGetSDKVersion") && complete;
    mDispatch = reinterpret_cast<DispatchFn> (mLibrary.Symbol ("GrindelDispatchMessages"));

    if (! complete)
    {
        Unload();
        return false;
    }

    return true;
}

void StandInBundle::Unload()
{
    mLibrary.Close();
    mRegisterPlugin = nullptr;
    mRegisterComponent = mGetClassFactory = nullptr;
    mCanUnloadNow = nullptr;
    mStartup = nullptr;
    mShutdown = nullptr;
    mGetSDKVersion = nullptr;
    mDispatch = nullptr;
}

ACFRESULT StandInBundle::Startup (IACFUnknown* host) { return mStartup != nullptr ? mStartup (host) : ACF_E_UNEXPECTED; }
ACFRESULT StandInBundle::GetSDKVersion (acfUInt64* version) { return mGetSDKVersion != nullptr ? mGetSDKVersion (version) : ACF_E_UNEXPECTED; }
ACFRESULT StandInBundle::CanUnloadNow() { return mCanUnloadNow != nullptr ? mCanUnloadNow() : ACF_E_UNEXPECTED; }
ACFRESULT StandInBundle::Shutdown() { return mShutdown != nullptr ? mShutdown() : ACF_E_UNEXPECTED; }

ACFRESULT StandInBundle::RegisterPlugin (IACFUnknown* host, IACFPluginDefinition** definition)
{
    return mRegisterPlugin != nullptr ? mRegisterPlugin (host, definition) : ACF_E_UNEXPECTED;
}

bool StandInBundle::DispatchMessages (int milliseconds)
{
    return mDispatch != nullptr && mDispatch (milliseconds) != 0;
}
