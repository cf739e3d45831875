#include "StandInLibrary.h"

#include <dlfcn.h>

StandInLibrary::~StandInLibrary()
{
    Close();
}

bool StandInLibrary::Open (const std::string& path)
{
    Close();

    // dlopen searches the library path for a name without a slash; a file is meant here.
    const auto file = path.find ('/') == std::string::npos ? "./" + path : path;

    // Local binding: a bundle's symbols never become the host's.
    mHandle = dlopen (file.c_str(), RTLD_NOW | RTLD_LOCAL);

    if (mHandle == nullptr)
    {
        const char* reason = dlerror();
        mError = reason != nullptr ? reason : "cannot load " + path;
        return false;
    }

    mError.clear();
    return true;
}

void StandInLibrary::Close()
{
    if (mHandle != nullptr)
        dlclose (mHandle);

    mHandle = nullptr;
}

void* StandInLibrary::Symbol (const char* name) const
{
    return mHandle != nullptr ? dlsym (mHandle, name) : nullptr;
}
