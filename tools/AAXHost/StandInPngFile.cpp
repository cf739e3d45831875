#include "StandInPngFile.h"

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

bool StandInPngFile::Write (const std::string& path, int width, int height, const std::vector<uint8_t>& rgb, std::string& error)
{
    if (width <= 0 || height <= 0 || rgb.size() != static_cast<size_t> (width) * static_cast<size_t> (height) * 3)
    {
        error = "no picture to write to " + path;
        return false;
    }

    const auto temporary = path + ".part";
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32> (width);
    image.height = static_cast<png_uint_32> (height);
    image.format = PNG_FORMAT_RGB;

    if (png_image_write_to_file (&image, temporary.c_str(), 0, rgb.data(), 0, nullptr) == 0)
    {
        error = "cannot write " + path + ": " + image.message;
        std::remove (temporary.c_str());
        return false;
    }

    std::error_code ec;
    std::filesystem::rename (temporary, path, ec);

    if (ec)
    {
        error = "cannot write " + path + ": " + ec.message();
        std::remove (temporary.c_str());
        return false;
    }

    return true;
}
