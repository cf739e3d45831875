// The stand-in AAX host's command line: renders a WAV file through a plug-in bundle.

#include "StandInRenderer.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

int main (int argc, char* argv[])
{
    std::vector<std::string> args (argv + 1, argv + argc);
    StandInRenderer::Options options;

#ifdef GRINDEL_AAX_BUNDLE
    options.bundle = GRINDEL_AAX_BUNDLE;
#endif

    std::string error;

    if (! StandInRenderer::Parse (args, options, error))
    {
        std::cerr << error << "\n"
                  << StandInRenderer::Usage();
        return 2;
    }

    if (const auto problem = StandInRenderer::Check (options); ! problem.empty())
    {
        std::cerr << problem << "\n";
        return 1;
    }

    // The plug-in finds its factory presets and skins under GRINDEL_DATA_ROOT. The build's
    // own bundle goes with the build's own content, as scripts/run.sh sets it.
    std::error_code ec;

    if (const char* root = std::getenv ("GRINDEL_DATA_ROOT"); root != nullptr && *root != 0)
    {
        if (! std::filesystem::is_directory (root, ec))
        {
            std::cerr << "GRINDEL_DATA_ROOT " << root << " is not a folder\n";
            return 1;
        }
    }
#if defined(GRINDEL_AAX_BUNDLE) && defined(GRINDEL_DATA_DIR)
    else if (options.bundle == GRINDEL_AAX_BUNDLE && std::filesystem::is_directory (GRINDEL_DATA_DIR, ec))
        setenv ("GRINDEL_DATA_ROOT", GRINDEL_DATA_DIR, 1);
#endif
    else
        std::cerr << "note: GRINDEL_DATA_ROOT is not set, so the plug-in looks for its factory presets and skins "
                     "where this machine installs them; without them it starts at its parameters' defaults\n";

    return StandInRenderer::Run (options, std::cout, std::cerr);
}
