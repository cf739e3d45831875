// The stand-in AAX host's command line: renders a WAV file through a plug-in bundle.

#include "StandInRenderer.h"

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

    return StandInRenderer::Run (options, std::cout, std::cerr);
}
