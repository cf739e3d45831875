// The controls chunk 'elck' as the stand-in host saves, compares and restores it.

#include "EffectSession.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <thread>
#include <vector>

namespace
{
    AAX_CEffectParameters* CreateBypassOnly()
    {
        return new TestEffect ({ { cDefaultMasterBypassID, "Master Bypass", 0.0f, 0 } });
    }
}

TEST (ControlsChunk, OneChunkNamedByIndexZero)
{
    EffectSession s;

    int32_t count = 0;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetNumberOfChunks (&count));
    EXPECT_EQ (1, count);

    AAX_CTypeID id = 0;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetChunkIDFromIndex (0, &id));
    EXPECT_EQ (AAX_CTypeID ('elck'), id);
    EXPECT_EQ (AAX_ERROR_INVALID_CHUNK_INDEX, s.effect->GetChunkIDFromIndex (1, &id));
    EXPECT_EQ (0u, id);

    uint32_t size = 7;
    EXPECT_EQ (AAX_ERROR_INVALID_CHUNK_ID, s.effect->GetChunkSize ('juce', &size));
    EXPECT_EQ (0u, size);
    ChunkRecord record (64);
    EXPECT_EQ (AAX_ERROR_INVALID_CHUNK_ID, s.effect->GetChunk ('juce', record.Get()));
    EXPECT_EQ (AAX_ERROR_INVALID_CHUNK_ID, s.effect->SetChunk ('juce', record.Get()));
}

TEST (ControlsChunk, SaveCompareChangeAndRestore)
{
    EffectSession s;

    // Without a size query first the record's size is unknown.
    ChunkRecord unasked (256);
    unasked.Get()->fChunkID = 'elck';
    EXPECT_EQ (AAX_ERROR_INCORRECT_CHUNK_SIZE, s.effect->GetChunk ('elck', unasked.Get()));

    ChunkRecord saved = s.SaveControls();
    EXPECT_EQ (-1, saved.Get()->fVersion);
    EXPECT_STREQ ("Complete Controls State", saved.Get()->fName);
    EXPECT_EQ (static_cast<int32_t> (saved.Capacity()), saved.Get()->fSize);
    EXPECT_TRUE (s.Matches (saved));

    s.effect->SetParameterNormalizedValue ("Gain", 0.9);
    EXPECT_FALSE (s.Matches (saved));

    EXPECT_EQ (AAX_SUCCESS, s.effect->SetChunk ('elck', saved.Get()));
    EXPECT_DOUBLE_EQ (0.5, s.Value ("Gain"));
    EXPECT_TRUE (s.Matches (saved));
}

TEST (ControlsChunk, TheMasterBypassIsNeverSavedNorRestored)
{
    EffectSession s;
    s.effect->SetParameterNormalizedValue (cDefaultMasterBypassID, 1.0);
    ChunkRecord saved = s.SaveControls();

    s.effect->SetParameterNormalizedValue (cDefaultMasterBypassID, 0.0);
    EXPECT_TRUE (s.Matches (saved));
    s.effect->SetChunk ('elck', saved.Get());
    EXPECT_DOUBLE_EQ (0.0, s.Value (cDefaultMasterBypassID));
}

TEST (ControlsChunk, WithOnlyAMasterBypassTheChunkHoldsNoValue)
{
    EffectSession s (&CreateBypassOnly);
    EXPECT_EQ (0, s.Test().NumChunkedParameters());

    ChunkRecord saved = s.SaveControls();
    EXPECT_EQ (4, saved.Get()->fSize);   // the marker alone
    EXPECT_TRUE (s.Matches (saved));
}

TEST (ControlsChunk, ARestoreIntoAFreshInstanceGivesTheSameValues)
{
    ChunkRecord saved (0);
    {
        EffectSession first;
        first.effect->SetParameterNormalizedValue ("Gain", 0.125);
        first.effect->SetParameterNormalizedValue ("Mix", 0.375);
        saved = first.SaveControls();
    }

    EffectSession second;
    EXPECT_FALSE (second.Matches (saved));
    EXPECT_EQ (AAX_SUCCESS, second.effect->SetChunk ('elck', saved.Get()));
    EXPECT_DOUBLE_EQ (0.125, second.Value ("Gain"));
    EXPECT_DOUBLE_EQ (0.375, second.Value ("Mix"));
    EXPECT_TRUE (second.Matches (saved));
}

TEST (ControlsChunk, AValueMissingFromTheRecordCountsAsDifferentAndStaysOnRestore)
{
    ChunkRecord saved (0);
    {
        EffectSession gainOnly (+[]() -> AAX_CEffectParameters* { return new TestEffect ({ { "Gain", "Gain", 0.25f, 0 } }); });
        saved = gainOnly.SaveControls();
    }

    EffectSession s;
    s.effect->SetParameterNormalizedValue ("Gain", 0.25);
    EXPECT_FALSE (s.Matches (saved));

    s.effect->SetParameterNormalizedValue ("Mix", 0.5);
    EXPECT_EQ (AAX_SUCCESS, s.effect->SetChunk ('elck', saved.Get()));
    EXPECT_DOUBLE_EQ (0.5, s.Value ("Mix"));
}

TEST (ControlsChunk, ARecordOfAnotherChunkComparesEqual)
{
    EffectSession s;
    ChunkRecord other (8);
    other.Get()->fChunkID = 'juce';
    other.Get()->fSize = 8;
    EXPECT_TRUE (s.Matches (other));
}

namespace
{
    // The data area of a controls chunk holding the given doubles, as a host would hand it back.
    std::vector<uint8_t> ControlsData (std::initializer_list<std::pair<const char*, double>> values)
    {
        std::vector<uint8_t> data { 1, 1, 1, 1 };

        for (const auto& [name, value] : values)
        {
            data.insert (data.end(), { 'd', '_' });
            data.insert (data.end(), name, name + std::strlen (name) + 1);
            data.resize ((data.size() + 3) / 4 * 4);

            uint64_t bits = 0;
            std::memcpy (&bits, &value, sizeof (bits));
            for (int shift = 56; shift >= 0; shift -= 8)
                data.push_back (static_cast<uint8_t> (bits >> shift));
        }

        return data;
    }
}

TEST (ControlsChunk, AMalformedRecordChangesNothingAndTellsTheHost)
{
    const auto good = ControlsData ({ { "Gain", 0.25 }, { "Mix", 0.75 } });
    auto badMarker = good;
    badMarker[0] = 2;
    auto garbageTail = good;
    garbageTail.insert (garbageTail.end(), { 'x', 'y', 'z' });

    const struct
    {
        const char* what;
        std::vector<uint8_t> data;
    } cases[] = {
        { "a name cut off", std::vector<uint8_t> (good.begin(), good.begin() + 9) },
        { "the last value cut off", std::vector<uint8_t> (good.begin(), good.end() - 3) },
        { "a garbage tail", garbageTail },
        { "a bad marker", badMarker },
        { "zero size", {} },
    };

    for (const auto& c : cases)
    {
        EffectSession s;
        s.effect->SetParameterNormalizedValue ("Gain", 0.875);
        s.effect->SetParameterNormalizedValue ("Mix", 0.375);

        ChunkRecord record = ChunkRecord::FromData (c.data);
        EXPECT_EQ (AAX_ERROR_MALFORMED_CHUNK, s.effect->SetChunk ('elck', record.Get())) << c.what;
        EXPECT_DOUBLE_EQ (0.875, s.Value ("Gain")) << c.what;
        EXPECT_DOUBLE_EQ (0.375, s.Value ("Mix")) << c.what;
        EXPECT_FALSE (s.Traces().empty()) << c.what;
    }

    EffectSession s;
    ChunkRecord record = ChunkRecord::FromData (good);
    EXPECT_EQ (AAX_SUCCESS, s.effect->SetChunk ('elck', record.Get()));
    EXPECT_DOUBLE_EQ (0.75, s.Value ("Mix"));
}

// Not-a-number reaches no parameter, from whichever side it comes: the value stays and the host
// is asked and told nothing. An infinity is out of range like 1.5: the end it points to. The host
// hears only values in 0..1, and the chunk saved next compares equal to the effect.
TEST (ControlsChunk, NotANumberKeepsTheValueAndInfinitiesAreLimited)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();

    const struct
    {
        const char* entry;
        std::function<void (AAX_CEffectParameters&, double)> send;
    } entries[] = {
        { "chunk", [] (AAX_CEffectParameters& e, double v) {
             ChunkRecord record = ChunkRecord::FromData (ControlsData ({ { "Gain", v } }));
             EXPECT_EQ (AAX_SUCCESS, e.SetChunk ('elck', record.Get()));
         } },
        { "SetParameterNormalizedValue", [] (AAX_CEffectParameters& e, double v) { e.SetParameterNormalizedValue ("Gain", v); } },
        { "automation", [] (AAX_CEffectParameters& e, double v) { e.UpdateParameterNormalizedValue ("Gain", v, AAX_eUpdateSource_Unspecified); } },
    };

    const struct
    {
        double sent, held;
    } values[] = { { nan, 0.875 }, { inf, 1.0 }, { -inf, 0.0 }, { 1.5, 1.0 }, { -0.5, 0.0 } };

    for (const auto& entry : entries)
    {
        for (const auto& value : values)
        {
            EffectSession s;
            s.effect->SetParameterNormalizedValue ("Gain", 0.875);
            int32_t changesBefore = 0, changesAfter = 0;
            s.effect->GetNumberOfChanges (&changesBefore);
            s.host.Automation().ClearRecords();

            entry.send (*s.effect, value.sent);
            EXPECT_DOUBLE_EQ (value.held, s.Value ("Gain")) << entry.entry << " " << value.sent;
            s.effect->GetNumberOfChanges (&changesAfter);
            EXPECT_EQ (changesAfter - changesBefore, value.held != 0.875 ? 1 : 0) << entry.entry << " " << value.sent;

            for (const auto& event : s.host.Automation().Events())
            {
                EXPECT_FALSE (std::isnan (value.sent)) << entry.entry << ": the host was asked " << event.ToString();
                EXPECT_TRUE (event.value >= 0.0 && event.value <= 1.0) << entry.entry << ": " << event.ToString();
            }

            ChunkRecord saved = s.SaveControls();
            EXPECT_TRUE (s.Matches (saved)) << entry.entry << " " << value.sent;
        }
    }

    // A step that is not a finite number moves nothing; a default that is not a number keeps
    // the default, and an infinite one is the end it points to.
    EffectSession s;
    double defaultValue = 0.0;
    for (const auto& value : values)
    {
        s.effect->SetParameterDefaultNormalizedValue ("Gain", 0.5);
        s.effect->SetParameterDefaultNormalizedValue ("Gain", value.sent);
        EXPECT_EQ (AAX_SUCCESS, s.effect->GetParameterDefaultNormalizedValue ("Gain", &defaultValue));
        EXPECT_DOUBLE_EQ (std::isnan (value.sent) ? 0.5 : value.held, defaultValue) << value.sent;
    }

    s.effect->SetParameterNormalizedValue ("Gain", 0.875);
    s.effect->SetParameterNormalizedRelative ("Gain", nan);
    s.effect->UpdateParameterNormalizedRelative ("Gain", inf);
    EXPECT_DOUBLE_EQ (0.875, s.Value ("Gain"));

    // Automation beyond the end the parameter is at changes nothing, so it counts as no change.
    s.effect->SetParameterNormalizedValue ("Gain", 1.0);
    int32_t changesBefore = 0, changesAfter = 0;
    s.effect->GetNumberOfChanges (&changesBefore);
    for (const double beyond : { inf, 1.5, nan })
        s.effect->UpdateParameterNormalizedValue ("Gain", beyond, AAX_eUpdateSource_Unspecified);
    s.effect->GetNumberOfChanges (&changesAfter);
    EXPECT_EQ (changesBefore, changesAfter);
}

TEST (ControlsChunk, EachThreadsChunkIsSizedByItsOwnQuery)
{
    EffectSession s;

    uint32_t size = 0;
    std::thread other ([&] { s.effect->GetChunkSize ('elck', &size); });
    other.join();
    ASSERT_GT (size, 0u);

    // This thread never asked: its record may not be the size the other thread was told.
    ChunkRecord record (size);
    record.Get()->fChunkID = 'elck';
    EXPECT_EQ (AAX_ERROR_INCORRECT_CHUNK_SIZE, s.effect->GetChunk ('elck', record.Get()));

    uint32_t mine = 0;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetChunkSize ('elck', &mine));
    EXPECT_EQ (AAX_SUCCESS, s.effect->GetChunk ('elck', record.Get()));
}

TEST (ControlsChunk, HostThreadsSavingAndComparingAtOnceDoNotShareTheParserUnguarded)
{
    EffectSession s;
    ChunkRecord reference = s.SaveControls();
    std::atomic<int> failures { 0 };

    auto work = [&] {
        for (int i = 0; i < 300; ++i)
        {
            uint32_t size = 0;
            if (s.effect->GetChunkSize ('elck', &size) != AAX_SUCCESS)
                ++failures;

            ChunkRecord record (size);
            record.Get()->fChunkID = 'elck';
            if (s.effect->GetChunk ('elck', record.Get()) != AAX_SUCCESS)
                ++failures;

            AAX_CBoolean equal = 0;
            if (s.effect->CompareActiveChunk (reference.Get(), &equal) != AAX_SUCCESS || equal != 1)
                ++failures;
        }
    };

    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back (work);
    for (auto& thread : threads)
        thread.join();

    EXPECT_EQ (0, failures.load());
}

// A host may restore a chunk on a thread of its own while automation plays on another and a
// third saves: every value stays one the host set, and the restore, once alone, holds.
TEST (ControlsChunk, ARestoreOnItsOwnThreadRacesAutomationAndSavesSafely)
{
    EffectSession s;
    s.effect->SetParameterNormalizedValue ("Gain", 0.25);
    s.effect->SetParameterNormalizedValue ("Mix", 0.75);
    ChunkRecord saved = s.SaveControls();
    std::atomic<int> failures { 0 };
    std::atomic<bool> restoring { true };

    std::thread restore ([&] {
        for (int i = 0; i < 200; ++i)
            if (s.effect->SetChunk ('elck', saved.Get()) != AAX_SUCCESS)
                ++failures;

        restoring = false;
    });

    std::thread automation ([&] {
        for (int i = 0; restoring; ++i)
        {
            const double value = (i % 5) / 4.0;
            s.effect->TouchParameter ("Gain");
            s.effect->SetParameterNormalizedValue ("Gain", value);
            s.effect->UpdateParameterNormalizedValue ("Mix", value, AAX_eUpdateSource_Unspecified);
            s.effect->ReleaseParameter ("Gain");
            s.effect->GenerateCoefficients();
        }
    });

    std::thread save ([&] {
        while (restoring)
        {
            uint32_t size = 0;
            AAX_CBoolean equal = 0;

            if (s.effect->GetChunkSize ('elck', &size) != AAX_SUCCESS || s.effect->CompareActiveChunk (saved.Get(), &equal) != AAX_SUCCESS)
                ++failures;

            ChunkRecord record (size);
            record.Get()->fChunkID = 'elck';

            if (s.effect->GetChunk ('elck', record.Get()) != AAX_SUCCESS)
                ++failures;
        }
    });

    restore.join();
    automation.join();
    save.join();
    EXPECT_EQ (0, failures.load());

    for (const char* id : { "Gain", "Mix" })
    {
        const double value = s.Value (id);
        EXPECT_TRUE (value == 0.25 || value == 0.75 || value == 0.0 || value == 0.5 || value == 1.0) << id << " " << value;
    }

    EXPECT_EQ (AAX_SUCCESS, s.effect->SetChunk ('elck', saved.Get()));
    EXPECT_DOUBLE_EQ (0.25, s.Value ("Gain"));
    EXPECT_DOUBLE_EQ (0.75, s.Value ("Mix"));
    EXPECT_TRUE (s.Matches (saved));
    EXPECT_EQ (0u, s.host.Automation().Pending());
}
