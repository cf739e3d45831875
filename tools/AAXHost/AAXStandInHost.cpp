// The stand-in AAX host's command line: renders a WAV file through a plug-in bundle.

#include "StandInRenderer.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace
{
    // The "data" folder beside the bundle folder that holds the given bundle or binary, when
    // it holds content; empty otherwise.
    std::string buildContentBeside (const std::string& bundle)
    {
        std::error_code ec;
        auto folder = std::filesystem::absolute (bundle, ec);

        while (! ec && folder.has_parent_path() && folder != folder.parent_path())
        {
            if (folder.extension() == ".aaxplugin")
            {
                const auto data = folder.parent_path() / "data";
                return std::filesystem::is_directory (data / "Common", ec) ? data.string() : std::string();
            }

            folder = folder.parent_path();
        }

        return {};
    }
}

int main (int argc, char* argv[])
{
    // A write beyond the shell's file-size limit (ulimit -f) fails with EFBIG, which the run
    // reports as a full disk and cleans up after, instead of the signal killing it with a
    // temporary left beside the output.
    std::signal (SIGXFSZ, SIG_IGN);

    std::vector<std::string> args (argv + 1, argv + argc);
    StandInRenderer::Options options;

#ifdef GRINDEL_AAX_BUNDLE
    options.bundle = GRINDEL_AAX_BUNDLE;
#endif

    std::string error;

    const bool parsed = StandInRenderer::Parse (args, options, error);

    if (options.help)
    {
        std::cout << StandInRenderer::Usage();
        return 0;
    }

    if (! parsed)
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

    // The plug-in finds its factory presets and skins under GRINDEL_DATA_ROOT. A bundle in a
    // build folder goes with that build's content ("data" beside the bundle), as
    // scripts/run.sh sets it.
    std::error_code ec;

    if (const char* root = std::getenv ("GRINDEL_DATA_ROOT"); root != nullptr && *root != 0)
    {
        if (! std::filesystem::is_directory (root, ec))
        {
            std::cerr << "GRINDEL_DATA_ROOT " << root << " is not a folder\n";
            return 1;
        }
    }
    else if (const auto data = buildContentBeside (options.bundle); ! data.empty())
        setenv ("GRINDEL_DATA_ROOT", data.c_str(), 1);
    else
        std::cerr << "note: GRINDEL_DATA_ROOT is not set and no build content lies beside the bundle, so the plug-in "
                     "looks for its factory presets and skins where this machine installs them; without them it "
                     "starts at its parameters' defaults\n";

    return StandInRenderer::Run (options, std::cout, std::cerr);
}
