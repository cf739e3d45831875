#pragma once

#include <string>

// The platform seam of the stand-in host: loading a shared library and finding its
// symbols (dlopen on Linux and macOS).
class StandInLibrary
{
public:
    StandInLibrary() = default;
    ~StandInLibrary();

    StandInLibrary (const StandInLibrary&) = delete;
    StandInLibrary& operator= (const StandInLibrary&) = delete;

    // Message thread (the one that registers the plug-in). A path without a slash is a file
    // in the current folder, never a name for the library search path.
    bool Open (const std::string& path);
    void Close();
    bool IsOpen() const { return mHandle != nullptr; }

    // Null when the library has no such symbol.
    void* Symbol (const char* name) const;

    const std::string& Error() const { return mError; }

private:
    void* mHandle = nullptr;
    std::string mError;
};
