// Runs the chunk fuzzer's checks over every file of its seed corpus.

#include "AAX_CChunkDataParser.h"
#include "ChunkRecord.h"
#include "fuzz/ChunkFuzzHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#ifndef AAX_CHUNK_CORPUS_DIR
#error "AAX_CHUNK_CORPUS_DIR must name the seed corpus folder"
#endif

TEST (ChunkCorpus, EverySeedIsAValidChunkThatSurvivesTheFuzzChecks)
{
    const std::filesystem::path corpus (AAX_CHUNK_CORPUS_DIR);
    ASSERT_TRUE (std::filesystem::is_directory (corpus)) << corpus;

    int files = 0;

    for (const auto& entry : std::filesystem::directory_iterator (corpus))
    {
        if (! entry.is_regular_file())
            continue;

        std::ifstream file (entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes ((std::istreambuf_iterator<char> (file)), std::istreambuf_iterator<char>());
        ++files;

        EXPECT_TRUE (RunChunkFuzzHarness (bytes.data(), bytes.size())) << entry.path();

        // Seeds are valid: they load completely and write back byte for byte.
        ChunkRecord record = ChunkRecord::FromData (bytes);
        AAX_CChunkDataParser parser;
        EXPECT_EQ (0, parser.LoadChunk (record.Get())) << entry.path();

        ChunkRecord written (static_cast<size_t> (parser.GetChunkDataSize()));
        EXPECT_EQ (0, parser.GetChunkData (written.Get())) << entry.path();
        EXPECT_EQ (bytes, written.Data()) << entry.path();
    }

    EXPECT_GE (files, 10);
}
