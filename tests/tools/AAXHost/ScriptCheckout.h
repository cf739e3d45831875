#pragma once

#include "support/ShellText.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace test
{
    /** A checkout of scripts/run.sh in a folder, whose set-up and build are stand-ins that do
        nothing, with this build's host where the script's build puts it: the script runs as a
        user runs it, without building. */
    struct ScriptCheckout
    {
        std::filesystem::path repo, script;
        /** A PATH for the shell with the stand-in cmake first: PATH=<this>. */
        std::string path;

        explicit ScriptCheckout (const std::filesystem::path& folder)
            : repo (folder / "repo"), script (repo / "scripts" / "run.sh")
        {
            namespace fs = std::filesystem;
            const auto bin = folder / "stand-ins";
            fs::create_directories (repo / "scripts");
            fs::create_directories (repo / "build-release" / "bin");
            fs::create_directories (bin);
            fs::copy_file (fs::path (GRINDEL_SOURCE_DIR) / "scripts" / "run.sh", script);
            fs::create_symlink (GRINDEL_AAX_HOST, repo / "build-release" / "bin" / "AAXStandInHost");
            std::ofstream (repo / "scripts" / "setup.sh") << "#!/bin/sh\n";
            std::ofstream (bin / "cmake") << "#!/bin/sh\n";
            for (const auto& file : { script, repo / "scripts" / "setup.sh", bin / "cmake" })
                fs::permissions (file, fs::perms::owner_all, fs::perm_options::add);
            path = quoted (bin.string()) + ":\"$PATH\"";
        }
    };
}
