#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Any thread.
// Writes a picture (rows of 8-bit RGB, top row first) as a PNG file: to a temporary file
// beside it first, which then replaces the file, so a failed write leaves an older picture
// as it was. False with the reason.
class StandInPngFile
{
public:
    static bool Write (const std::string& path, int width, int height, const std::vector<uint8_t>& rgb, std::string& error);
};
