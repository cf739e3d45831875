#pragma once

#include "../ChunkRecord.h"
#include "AAX_CChunkDataParser.h"
#include "AAX_Errors.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// One fuzzing round over the chunk parser: the input is a chunk's data area. Loading
// must stay inside the data; a list read completely must write and load back to the
// same bytes. Returns false when an invariant breaks.
inline bool RunChunkFuzzHarness (const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return true;

    ChunkRecord input = ChunkRecord::FromData (std::vector<uint8_t> (data, data + size), 7);

    AAX_CChunkDataParser parser;
    const AAX_Result loaded = parser.LoadChunk (input.Get());

    if (parser.GetChunkVersion() != 7)
        return false;

    if (loaded != AAX_SUCCESS && loaded != AAX_ERROR_MALFORMED_CHUNK)
        return false;

    if (! parser.GetValues().empty())
    {
        double d = 0;
        parser.FindDouble (parser.GetValues().back().mDataName.Get(), &d);
    }

    const int32_t writtenSize = parser.GetChunkDataSize();

    if (writtenSize < 4)
        return false;

    ChunkRecord first (static_cast<size_t> (writtenSize));

    if (parser.GetChunkData (first.Get()) != AAX_SUCCESS)
    {
        // Only a value of unrecognised type cannot be written.
        for (const auto& value : parser.GetValues())
            if (value.mDataType == AAX_CChunkDataParser::eDataType_None)
                return true;

        return false;
    }

    AAX_CChunkDataParser reloaded;

    if (reloaded.LoadChunk (first.Get()) != AAX_SUCCESS || reloaded.GetValues().size() != parser.GetValues().size())
        return false;

    ChunkRecord second (static_cast<size_t> (reloaded.GetChunkDataSize()));

    if (reloaded.GetChunkData (second.Get()) != AAX_SUCCESS)
        return false;

    return first.Data() == second.Data();
}
