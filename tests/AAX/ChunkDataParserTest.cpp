// AAX_CChunkDataParser: the chunk data format against hand-written bytes, round trips,
// lookups and hostile chunks. Records end exactly at their data, so AddressSanitizer
// catches any read or write past a chunk.

#include "AAX_CChunkDataParser.h"
#include "AAX_Errors.h"
#include "ChunkRecord.h"
#include "HostSession.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace
{
    using Bytes = std::vector<uint8_t>;

    Bytes write (const AAX_CChunkDataParser& parser)
    {
        const int32_t size = parser.GetChunkDataSize();
        EXPECT_GE (size, 4);
        ChunkRecord record (static_cast<size_t> (size));
        EXPECT_EQ (0, parser.GetChunkData (record.Get()));
        EXPECT_EQ (size, record.Get()->fSize);
        return record.Data();
    }

    AAX_Result load (AAX_CChunkDataParser& parser, const Bytes& data, int32_t version = 0)
    {
        ChunkRecord record = ChunkRecord::FromData (data, version);
        return parser.LoadChunk (record.Get());
    }

    Bytes concat (std::initializer_list<Bytes> parts)
    {
        Bytes all;
        for (const auto& part : parts)
            all.insert (all.end(), part.begin(), part.end());
        return all;
    }

    const Bytes kMarker { 0x01, 0x01, 0x01, 0x01 };
}

// Golden bytes

TEST (ChunkFormat, EveryEntryTypeWritesItsBytes)
{
    AAX_CChunkDataParser empty;
    EXPECT_EQ (4, empty.GetChunkDataSize());
    EXPECT_EQ (kMarker, write (empty));

    AAX_CChunkDataParser gain;
    gain.AddDouble ("Gain", 1.0);
    EXPECT_EQ (20, gain.GetChunkDataSize());
    EXPECT_EQ (concat ({ kMarker, { 'd', '_', 'G', 'a', 'i', 'n', 0, 0, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0 } }), write (gain));

    AAX_CChunkDataParser k;
    k.AddInt32 ("k", -2);
    EXPECT_EQ (concat ({ kMarker, { 'l', '_', 'k', 0, 0xFF, 0xFF, 0xFF, 0xFE } }), write (k));

    AAX_CChunkDataParser parser;
    parser.AddString ("ab", AAX_CString ("abc"));
    parser.AddString ("n", AAX_CString ("abcd"));
    parser.AddString ("e", AAX_CString (""));
    EXPECT_EQ (concat ({ kMarker,
                         { 'r', '_', 'a', 'b', 0, 0, 0, 0, 'a', 'b', 'c', 0 },
                         { 'r', '_', 'n', 0, 'a', 'b', 'c', 'd', 0, 0, 0, 0 },
                         { 'r', '_', 'e', 0, 0, 0, 0, 0 } }),
               write (parser));
}

// Round trips

TEST (ChunkRoundTrip, EveryWritableType)
{
    AAX_CChunkDataParser parser;
    parser.AddDouble ("d1", 0.1);
    parser.AddDouble ("d2", -std::numeric_limits<double>::infinity());
    parser.AddDouble ("d3", std::numeric_limits<double>::denorm_min());
    parser.AddDouble ("d4", -0.0);
    parser.AddInt32 ("i1", std::numeric_limits<int32_t>::min());
    parser.AddInt32 ("i2", std::numeric_limits<int32_t>::max());
    parser.AddString ("s1", AAX_CString ("High Quality Bit Crusher"));
    parser.AddString ("", AAX_CString ("unnamed"));
    const Bytes bytes = write (parser);

    AAX_CChunkDataParser loaded;
    ASSERT_EQ (0, load (loaded, bytes, 42));
    EXPECT_EQ (42, loaded.GetChunkVersion());
    ASSERT_EQ (parser.GetValues().size(), loaded.GetValues().size());

    for (size_t i = 0; i < parser.GetValues().size(); ++i)
    {
        const auto& a = parser.GetValues()[i];
        const auto& b = loaded.GetValues()[i];
        EXPECT_EQ (a.mDataType, b.mDataType) << i;
        EXPECT_TRUE (a.mDataName == b.mDataName) << i;
        EXPECT_TRUE (a.mStringValue == b.mStringValue) << i;
    }

    double d = 0;
    EXPECT_TRUE (loaded.FindDouble ("d1", &d));
    EXPECT_EQ (0.1, d);
    EXPECT_TRUE (loaded.FindDouble ("d4", &d));
    EXPECT_TRUE (std::signbit (d));
    int32_t i = 0;
    EXPECT_TRUE (loaded.FindInt32 ("i1", &i));
    EXPECT_EQ (std::numeric_limits<int32_t>::min(), i);
    AAX_CString s;
    EXPECT_TRUE (loaded.FindString ("s1", &s));
    EXPECT_STREQ ("High Quality Bit Crusher", s.Get());
    EXPECT_TRUE (loaded.FindString ("", &s));
    EXPECT_STREQ ("unnamed", s.Get());

    EXPECT_EQ (bytes, write (loaded));
}

TEST (ChunkRoundTrip, FloatAndShortEntriesAreKept)
{
    // Types the parser only reads; writing them back gives the same bytes.
    const Bytes bytes = concat ({ kMarker,
                                  { 'f', '_', 'v', 'o', 'l', 0, 0, 0, 0x3F, 0xC0, 0x00, 0x00 },
                                  { 's', '_', 'n', 0, 0xFF, 0xFE, 0x00, 0x00 } });
    AAX_CChunkDataParser parser;
    ASSERT_EQ (0, load (parser, bytes));
    ASSERT_EQ (2u, parser.GetValues().size());
    EXPECT_EQ (AAX_CChunkDataParser::eDataType_Float, parser.GetValues()[0].mDataType);
    EXPECT_EQ (0x3FC00000, parser.GetValues()[0].mIntValue);
    EXPECT_EQ (AAX_CChunkDataParser::eDataType_Int16, parser.GetValues()[1].mDataType);
    EXPECT_EQ (-2, parser.GetValues()[1].mIntValue);

    double d = 0;
    EXPECT_FALSE (parser.FindDouble ("vol", &d));   // a float is not a double entry
    EXPECT_EQ (bytes, write (parser));
}

TEST (ChunkRoundTrip, ClearResetsTheVersion)
{
    AAX_CChunkDataParser parser;
    EXPECT_EQ (-1, parser.GetChunkVersion());
    ASSERT_EQ (0, load (parser, kMarker, 9));
    EXPECT_EQ (9, parser.GetChunkVersion());
    parser.Clear();
    EXPECT_EQ (-1, parser.GetChunkVersion());
    EXPECT_TRUE (parser.GetValues().empty());
}

// Lookups

TEST (ChunkLookup, ResumesAfterTheLastHit)
{
    AAX_CChunkDataParser parser;
    parser.AddInt32 ("one", 1);
    parser.AddInt32 ("two", 2);
    parser.AddInt32 ("three", 3);

    int32_t v = 0;
    EXPECT_TRUE (parser.FindInt32 ("two", &v));
    EXPECT_EQ (2, v);
    EXPECT_TRUE (parser.FindInt32 ("three", &v));
    EXPECT_EQ (3, v);
    EXPECT_TRUE (parser.FindInt32 ("one", &v));
    EXPECT_EQ (1, v);
    EXPECT_EQ (0, parser.GetLastFoundIndex());

    v = 99;
    EXPECT_FALSE (parser.FindInt32 ("four", &v));
    EXPECT_EQ (99, v);
    EXPECT_EQ (0, parser.GetLastFoundIndex());

    double d = 0;
    EXPECT_FALSE (parser.FindDouble ("two", &d));   // found, but of another type
}

TEST (ChunkLookup, DuplicateNamesAreFoundInTurn)
{
    AAX_CChunkDataParser parser;
    parser.AddInt32 ("same", 1);
    parser.AddInt32 ("other", 2);
    parser.AddInt32 ("same", 3);

    int32_t v = 0;
    parser.FindInt32 ("same", &v);
    EXPECT_EQ (1, v);
    parser.FindInt32 ("same", &v);
    EXPECT_EQ (3, v);
    parser.FindInt32 ("same", &v);
    EXPECT_EQ (1, v);
}

TEST (ChunkLookup, EmptyListFindsNothingAndANullRecordIsNotWritten)
{
    AAX_CChunkDataParser parser;
    EXPECT_EQ (-1, parser.FindName (AAX_CString ("x")));
    EXPECT_FALSE (parser.FindString ("x", nullptr));
    EXPECT_EQ (-333, parser.GetChunkData (nullptr));
}

// Writing failures

TEST (ChunkWrite, OverflowCheckIsExact)
{
    HostSession session;

    // An unrecognised entry followed by a 16-bit one: the size counts no value bytes for
    // the first, while the writer lays out four. The write must fail inside the record.
    const Bytes bytes = concat ({ kMarker,
                                  { 'x', '_', 'a', 'b', 0, 0, 0, 0 },
                                  { 's', '_', 'c', 'd', 0, 0, 0, 0, 0x12, 0x34, 0, 0 } });
    AAX_CChunkDataParser parser;
    ASSERT_EQ (0, load (parser, bytes));
    ASSERT_EQ (2u, parser.GetValues().size());
    EXPECT_EQ (AAX_CChunkDataParser::eDataType_None, parser.GetValues()[0].mDataType);
    EXPECT_STREQ ("ab", parser.GetValues()[0].mDataName.Get());

    const int32_t size = parser.GetChunkDataSize();
    EXPECT_EQ (24, size);
    ChunkRecord record (static_cast<size_t> (size));
    record.Get()->fSize = 12345;
    EXPECT_EQ (-333, parser.GetChunkData (record.Get()));
    EXPECT_EQ (12345, record.Get()->fSize);

    ASSERT_EQ (1u, session.Traces().size());
    EXPECT_EQ (0x8000000, session.Traces()[0].priority);
    EXPECT_EQ ("AAX_CChunkDataParser::GetChunkData ERROR: aborting: chunk data will overflow buffer", session.Traces()[0].text);
}

// Hostile chunks

TEST (ChunkHostile, EveryTruncationStaysInside)
{
    AAX_CChunkDataParser source;
    source.AddDouble ("Gain", 0.5);
    source.AddString ("label", AAX_CString ("text value"));
    source.AddInt32 ("n", 7);
    const Bytes full = write (source);

    for (size_t cut = 0; cut <= full.size(); ++cut)
    {
        const Bytes truncated (full.begin(), full.begin() + static_cast<std::ptrdiff_t> (cut));
        AAX_CChunkDataParser parser;
        const AAX_Result result = load (parser, truncated);

        // Only cuts on an entry boundary read cleanly, or one that loses nothing but a
        // text's padding (the text's zero byte is at 38).
        const bool boundary = cut == 4 || cut == 20 || cut == 39 || cut == 40 || cut == full.size();
        EXPECT_EQ (boundary ? 0 : AAX_ERROR_MALFORMED_CHUNK, result) << cut;
        EXPECT_LE (parser.GetValues().size(), 3u);
    }
}

TEST (ChunkHostile, EntriesBeforeTheBadOneAreKept)
{
    HostSession session;
    const Bytes bytes = concat ({ kMarker,
                                  { 'l', '_', 'a', 0, 0, 0, 0, 5 },
                                  { 'd', '_', 'b', 0, 1, 2, 3 } });   // double cut short
    AAX_CChunkDataParser parser;
    EXPECT_EQ (AAX_ERROR_MALFORMED_CHUNK, load (parser, bytes));
    int32_t v = 0;
    EXPECT_TRUE (parser.FindInt32 ("a", &v));
    EXPECT_EQ (5, v);
    EXPECT_EQ (1u, parser.GetValues().size());

    ASSERT_EQ (1u, session.Traces().size());
    EXPECT_EQ (0x8000000, session.Traces()[0].priority);
    EXPECT_EQ (0u, session.Traces()[0].text.find ("AAX_CChunkDataParser::LoadChunk ERROR: "));
}

TEST (ChunkHostile, CutOffNamesTextsAndValuesAreMalformed)
{
    // Each after the marker: names without their zero or shorter than their tag, texts
    // without their zero, values past the end; the last is a valid entry with zero padding.
    const Bytes malformed[] = {
        { 'd', '_', 'x', 'y' },
        concat ({ { 'd', '_' }, Bytes (300, 'n'), Bytes (9, 0) }),   // a zero beyond the 255 bytes read
        { 'd', 0, 0, 0 },
        { 0, 0, 0, 0 },
        { 'r', '_', 'a', 0, 'x', 'y', 'z', 'w' },
        { 'r', '_', 'a', 0 },
        { 'f', '_', 'a', 0, 1, 2, 3 },
        { 'l', '_', 'a', 0 },
        { 's', '_', 'a', 0, 1 },
        { 'd', '_', 'a', 'b', 'c', 0 },
        { 'l', '_', 'a', 0, 0, 0, 0, 1, 0, 0, 0, 0 },
    };

    for (const auto& bytes : malformed)
    {
        AAX_CChunkDataParser parser;
        EXPECT_EQ (AAX_ERROR_MALFORMED_CHUNK, load (parser, concat ({ kMarker, bytes }))) << bytes.size();
        EXPECT_EQ (parser.GetValues().size(), bytes.size() == 12 ? 1u : 0u) << bytes.size();
    }

    // 252 name bytes still fit; a 16-bit value needs only its two bytes.
    AAX_CChunkDataParser source, parser;
    source.AddInt32 (std::string (252, 'n').c_str(), 1);
    EXPECT_EQ (0, load (parser, write (source)));
    EXPECT_EQ (1u, parser.GetValues().size());
    EXPECT_EQ (0, load (parser, concat ({ kMarker, { 's', '_', 'a', 0, 0, 9 } })));
    EXPECT_EQ (1u, parser.GetValues().size());
}

TEST (ChunkHostile, BadMarkerOrSize)
{
    AAX_CChunkDataParser parser;
    parser.AddInt32 ("old", 1);

    EXPECT_EQ (AAX_ERROR_MALFORMED_CHUNK, load (parser, { 0x01, 0x01, 0x01, 0x02, 'l', '_', 'a', 0, 0, 0, 0, 1 }, 3));
    EXPECT_TRUE (parser.GetValues().empty());
    EXPECT_EQ (3, parser.GetChunkVersion());

    EXPECT_EQ (AAX_ERROR_MALFORMED_CHUNK, load (parser, { 0x01, 0x01 }));
    EXPECT_EQ (AAX_ERROR_MALFORMED_CHUNK, load (parser, {}));

    ChunkRecord negative = ChunkRecord::FromData (kMarker);
    negative.Get()->fSize = -8;
    EXPECT_EQ (AAX_ERROR_MALFORMED_CHUNK, parser.LoadChunk (negative.Get()));
    EXPECT_TRUE (parser.GetValues().empty());

    EXPECT_EQ (AAX_ERROR_NULL_ARGUMENT, parser.LoadChunk (nullptr));
}

TEST (ChunkHostile, UnknownTagKeepsItsNameAndMovesOn)
{
    AAX_CChunkDataParser parser;
    EXPECT_EQ (0, load (parser, concat ({ kMarker, { 'q', '_', 'z', 0 }, { 'l', '_', 'k', 0, 0, 0, 0, 4 } })));
    ASSERT_EQ (2u, parser.GetValues().size());
    EXPECT_EQ (AAX_CChunkDataParser::eDataType_None, parser.GetValues()[0].mDataType);
    EXPECT_STREQ ("z", parser.GetValues()[0].mDataName.Get());
    int32_t v = 0;
    EXPECT_TRUE (parser.FindInt32 ("k", &v));
    EXPECT_EQ (4, v);

    // Such a list cannot be written back.
    ChunkRecord record (static_cast<size_t> (parser.GetChunkDataSize()));
    EXPECT_EQ (-333, parser.GetChunkData (record.Get()));
}
