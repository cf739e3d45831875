// Writes the seed corpus of the chunk parser fuzzer: one valid chunk data area per file.
// Usage: aax_make_chunk_corpus <directory>

#include "../ChunkRecord.h"
#include "AAX_CChunkDataParser.h"

#include <cstdio>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace
{
    bool write (const std::string& directory, const std::string& name, const std::vector<uint8_t>& bytes)
    {
        std::ofstream file (directory + "/" + name, std::ios::binary);
        file.write (reinterpret_cast<const char*> (bytes.data()), static_cast<std::streamsize> (bytes.size()));
        return static_cast<bool> (file);
    }

    std::vector<uint8_t> bytesOf (const AAX_CChunkDataParser& parser)
    {
        ChunkRecord record (static_cast<size_t> (parser.GetChunkDataSize()));
        if (parser.GetChunkData (record.Get()) != 0)
            return {};
        return record.Data();
    }
}

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }

    const std::string dir = argv[1];
    bool ok = true;

    {
        AAX_CChunkDataParser p;
        ok &= write (dir, "empty.chunk", bytesOf (p));
    }
    {
        AAX_CChunkDataParser p;
        p.AddDouble ("Gain", 1.0);
        ok &= write (dir, "one_double.chunk", bytesOf (p));
    }
    {
        AAX_CChunkDataParser p;
        p.AddInt32 ("x", -2);
        ok &= write (dir, "one_int32.chunk", bytesOf (p));
    }
    {
        AAX_CChunkDataParser p;
        p.AddString ("ab", AAX_CString ("abc"));
        ok &= write (dir, "one_string.chunk", bytesOf (p));
    }
    {
        AAX_CChunkDataParser p;
        std::string text;
        for (int length = 0; length <= 8; ++length, text += char ('a' + length))
            p.AddString (("t" + std::to_string (length)).c_str(), AAX_CString (text.c_str()));
        ok &= write (dir, "string_padding.chunk", bytesOf (p));
    }
    {
        AAX_CChunkDataParser p;
        p.AddDouble ("MasterBypassID", 0.0);
        p.AddInt32 ("steps", 128);
        p.AddString ("label", AAX_CString ("High Quality Bit Crusher"));
        p.AddDouble ("mix", 0.75);
        p.AddInt32 ("min", std::numeric_limits<int32_t>::min());
        ok &= write (dir, "mixed.chunk", bytesOf (p));
    }
    {
        AAX_CChunkDataParser p;
        for (int i = 0; i < 24; ++i)
            p.AddDouble (std::to_string (100000 + i).c_str(), i / 23.0);
        ok &= write (dir, "controls.chunk", bytesOf (p));
    }
    {
        AAX_CChunkDataParser p;
        p.AddDouble ("nan", std::numeric_limits<double>::quiet_NaN());
        p.AddDouble ("inf", -std::numeric_limits<double>::infinity());
        p.AddDouble ("zero", -0.0);
        p.AddDouble ("tiny", std::numeric_limits<double>::denorm_min());
        p.AddDouble ("max", std::numeric_limits<double>::max());
        ok &= write (dir, "special_doubles.chunk", bytesOf (p));
    }
    {
        AAX_CChunkDataParser p;
        p.AddDouble (std::string (252, 'n').c_str(), 0.5);
        ok &= write (dir, "long_name.chunk", bytesOf (p));
    }
    {
        AAX_CChunkDataParser p;
        p.AddInt32 ("same", 1);
        p.AddInt32 ("other", 2);
        p.AddInt32 ("same", 3);
        ok &= write (dir, "duplicates.chunk", bytesOf (p));
    }
    // Float and 16-bit entries exist only in chunks written elsewhere: laid out by hand.
    ok &= write (dir, "float_and_int16.chunk", { 0x01, 0x01, 0x01, 0x01, 'f', '_', 'v', 'o', 'l', 0, 0, 0, 0x3F, 0xC0, 0x00, 0x00, 's', '_', 'n', 0, 0xFF, 0xFE, 0x00, 0x00, 'l', '_', 'k', 0, 0x00, 0x00, 0x00, 0x07 });

    return ok ? 0 : 1;
}
