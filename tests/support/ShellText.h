#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace test
{
    /** The text as one word for /bin/sh. */
    inline std::string quoted (const std::string& text)
    {
        std::string q = "'";
        for (const char c : text)
            q += c == '\'' ? std::string ("'\\''") : std::string (1, c);
        return q + "'";
    }

    /** A file's whole contents; empty when it cannot be read. */
    inline std::string textOf (const std::filesystem::path& path)
    {
        std::ifstream in (path, std::ios::binary);
        return std::string (std::istreambuf_iterator<char> (in), std::istreambuf_iterator<char>());
    }
}
