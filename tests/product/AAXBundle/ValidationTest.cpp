// The validation suite: the product bundle put through what the strictest public
// plug-in validators do, in the stand-in host. GRINDEL_VALIDATION_ROUNDS sets its size.

#include "BundleSession.h"
#include "support/AudioThreadWatch.h"

#include "StandInGui.h"

#include "AAX_Errors.h"

#include <atomic>
#include <cmath>
#include <string>
#include <thread>

namespace
{
    constexpr int kRounds = GRINDEL_VALIDATION_ROUNDS;

    void expectClean (const std::vector<std::vector<float>>& output, const std::string& where)
    {
        for (const auto& channel : output)
            for (float s : channel)
                if (! std::isfinite (s) || (s != 0.0f && std::fpclassify (s) == FP_SUBNORMAL))
                {
                    ADD_FAILURE() << where << ": output holds " << s;
                    return;
                }
    }

    // The "Editor" element of a saved 'juce' chunk record (JUCE's block: "VC2!", the text's
    // length, the text), as text; empty without one.
    std::string editorPartOf (const std::vector<uint8_t>& record)
    {
        constexpr size_t header = offsetof (AAX_SPlugInChunk, fData) + 8;

        if (record.size() <= header)
            return {};

        const std::string text (reinterpret_cast<const char*> (record.data()) + header, record.size() - header);
        const auto begin = text.find ("<Editor");
        const auto end = text.find ("</Editor>", begin);

        if (begin == std::string::npos)
            return {};

        return end != std::string::npos ? text.substr (begin, end + 9 - begin) : text.substr (begin, text.find ("/>", begin) + 2 - begin);
    }
}

using Validation = BundleSession;

TEST_F (Validation, OpensAndClosesColdAndWarm)
{
    for (int round = 0; round < kRounds * 2; ++round)
    {
        NewInstance (round % 2 + 1);
        instances.clear();
        session.Pump (0);
    }

    // Cold: the whole bundle again, a fresh host each time.
    for (int round = 0; round < kRounds; ++round)
    {
        StandInSession cold;
        ASSERT_TRUE (cold.Open (GRINDEL_AAX_BUNDLE)) << cold.Error();
        std::string error;
        auto instance = cold.CreateInstance (2, 48000.0, error);
        ASSERT_NE (instance, nullptr) << error;
        instance.reset();
        EXPECT_EQ (0, cold.Close());
    }
}

TEST_F (Validation, NoiseAtEveryRateAndBlockSizeGivesCleanOutput)
{
    for (double rate : { 44100.0, 48000.0, 96000.0 })
    {
        auto& instance = NewInstance (2, rate);

        for (int block = 32; block <= 1024; block *= 2)
            for (int i = 0; i < kRounds; ++i)
                expectClean (Render (instance, Noise (2, static_cast<size_t> (block), static_cast<unsigned> (block + i))),
                             std::to_string (rate) + " Hz, " + std::to_string (block) + " samples");

        // A block larger than the host announced.
        expectClean (Render (instance, Noise (2, 4096)), "a 4096-sample block");
        instances.clear();
    }
}

TEST_F (Validation, ParametersAutomatedInSubBlocks)
{
    auto& instance = NewInstance();
    const auto ids = instance.ParameterIDs();
    std::mt19937 random (7);
    std::uniform_real_distribution<double> value (0.0, 1.0);

    for (int block = 0; block < 16 * kRounds; ++block)
    {
        for (const auto& id : ids)
            if (id != cDefaultMasterBypassID)
                instance.SetValue (id, value (random));

        instance.GenerateCoefficients();
        expectClean (Render (instance, Noise (2, 32, static_cast<unsigned> (block))), "sub-block " + std::to_string (block));
    }
}

TEST_F (Validation, EveryParameterTakesRandomValuesAndReadsItsTextBack)
{
    auto& instance = NewInstance();
    std::mt19937 random (11);
    std::uniform_real_distribution<double> value (0.0, 1.0);

    for (const auto& id : instance.ParameterIDs())
    {
        for (int i = 0; i < 8 * kRounds; ++i)
        {
            ASSERT_TRUE (instance.SetValue (id, value (random)));
            const auto text = instance.ValueText (id);
            double parsed = -1.0;
            ASSERT_TRUE (instance.ValueFromText (id, text, parsed)) << id << " \"" << text << "\"";
            ASSERT_TRUE (instance.SetValue (id, parsed));
            EXPECT_EQ (instance.ValueText (id), text) << instance.ParameterName (id);
        }
    }
}

TEST_F (Validation, StateSavedRestoredAndSavedAgainIsIdentical)
{
    auto& first = NewInstance();
    std::mt19937 random (3);
    std::uniform_real_distribution<double> value (0.0, 1.0);

    for (const auto& id : first.ParameterIDs())
        if (id != cDefaultMasterBypassID)
            first.SetValue (id, value (random));

    auto& second = NewInstance();

    for (const AAX_CTypeID chunkID : { AAX_CTypeID ('elck'), AAX_CTypeID ('juce') })
    {
        AAX_Result result = 0;
        const auto saved = first.GetChunk (chunkID, result);
        ASSERT_EQ (result, AAX_SUCCESS);
        ASSERT_EQ (second.SetChunk (saved), AAX_SUCCESS);
        const auto again = second.GetChunk (chunkID, result);
        ASSERT_EQ (result, AAX_SUCCESS);
        EXPECT_EQ (again, saved);
    }
}

TEST_F (Validation, StateSetFromAnotherThreadWhileTheEditorIsOpen)
{
    auto& instance = NewInstance();
    StandInGui gui (instance);
    std::string error;
    ASSERT_TRUE (gui.Open (true, error)) << error;

    // JUCE's own chunk, the one its wrapper hands to the plug-in's restore, saved with other
    // values than the instance holds when it comes back.
    std::mt19937 random (13);
    std::uniform_real_distribution<double> value (0.0, 1.0);
    std::vector<std::string> ids;

    for (const auto& id : instance.ParameterIDs())
        if (id != cDefaultMasterBypassID)
            ids.push_back (id);

    std::vector<double> restored;

    for (const auto& id : ids)
    {
        instance.SetValue (id, value (random));
        restored.push_back (instance.Value (id));
    }

    AAX_Result result = 0;
    const auto saved = instance.GetChunk (kJuce, result);
    ASSERT_EQ (result, AAX_SUCCESS);
    const auto savedEditorPart = editorPartOf (saved);
    ASSERT_FALSE (savedEditorPart.empty());

    for (const auto& id : ids)
        instance.SetValue (id, value (random));

    // The host restores from its own thread while the message thread runs the editor and the
    // plug-in's timers.
    std::atomic<bool> done { false };
    std::atomic<int> refused { 0 };
    std::thread other ([&] {
        for (int i = 0; i < 100 * kRounds; ++i)
            if (instance.SetChunk (saved) != AAX_SUCCESS)
                ++refused;
        done = true;
    });

    while (! done)
        session.Pump (1);

    other.join();
    session.Pump (20);
    EXPECT_EQ (refused.load(), 0);

    for (size_t i = 0; i < ids.size(); ++i)
        EXPECT_NEAR (instance.Value (ids[i]), restored[i], 1e-4) << instance.ParameterName (ids[i]);

    // Saved again on the message thread, where the open editor answers for itself: its part is
    // the one restored.
    const auto again = instance.GetChunk (kJuce, result);
    ASSERT_EQ (result, AAX_SUCCESS);
    EXPECT_EQ (editorPartOf (again), savedEditorPart);
    gui.Close();
}

TEST_F (Validation, ParametersChangeOnTheMessageThreadWhileAudioProcesses)
{
    auto& instance = NewInstance();
    std::atomic<bool> stop { false };
    const auto input = Noise (2, 64);
    std::vector<std::vector<float>> output (2, std::vector<float> (64));
    std::atomic<int> blocks { 0 };

    std::thread audio ([&] {
        const float* in[] = { input[0].data(), input[1].data() };
        float* out[] = { output[0].data(), output[1].data() };
        while (! stop)
        {
            instance.ProcessBlock (in, out, 64);
            ++blocks;
        }
    });

    std::mt19937 random (5);
    std::uniform_real_distribution<double> value (0.0, 1.0);
    const auto ids = instance.ParameterIDs();

    for (int i = 0; i < 50 * kRounds; ++i)
    {
        instance.SetValue (ids[static_cast<size_t> (i) % ids.size()], value (random));
        instance.GenerateCoefficients();
        session.Pump (1);
    }

    stop = true;
    audio.join();
    EXPECT_GT (blocks.load(), 0);
    expectClean (output, "concurrent processing");
}

TEST_F (Validation, EditorOpensAndClosesWhileAudioProcesses)
{
    auto& instance = NewInstance();
    std::atomic<bool> stop { false };
    const auto input = Noise (2, 128);
    std::vector<std::vector<float>> output (2, std::vector<float> (128));

    std::thread audio ([&] {
        const float* in[] = { input[0].data(), input[1].data() };
        float* out[] = { output[0].data(), output[1].data() };
        while (! stop)
            instance.ProcessBlock (in, out, 128);
    });

    for (int i = 0; i < kRounds; ++i)
    {
        StandInGui gui (instance);
        std::string error;
        ASSERT_TRUE (gui.Open (i % 2 == 0, error)) << error;
        session.Pump (30);
        gui.Close();
        session.Pump (5);
    }

    stop = true;
    audio.join();
    expectClean (output, "processing beside the editor");
}

TEST_F (Validation, TheAudioThreadNeitherAllocatesNorLocksBeyondTheWrappersCallbackLock)
{
    std::string unseen;
    ASSERT_TRUE (AudioThreadWatch::SeesAllocationsAndLocks (&unseen)) << unseen;
    ASSERT_TRUE (AudioThreadWatch::SeesSystemCalls());

    // Plain blocks; blocks whose controllers move a mapped parameter ("Filter Cutoff" on CC 74
    // in the default map); blocks beside automation; and all of them with the editor open.
    enum class Scenario
    {
        plain,
        controllers,
        automation
    };

    for (bool editorOpen : { false, true })
    {
        for (auto scenario : { Scenario::plain, Scenario::controllers, Scenario::automation })
        {
            auto& instance = NewInstance();
            std::unique_ptr<StandInGui> gui;

            if (editorOpen)
            {
                gui = std::make_unique<StandInGui> (instance);
                std::string error;
                ASSERT_TRUE (gui->Open (false, error)) << error;
            }

            const auto cutoff = instance.FindParameter ("Cutoff");
            ASSERT_FALSE (cutoff.empty());
            const auto input = Noise (2, 256);

            // Warm up: the first blocks may size the plug-in's buffers.
            for (int i = 0; i < 4; ++i)
                Render (instance, input);

            std::vector<std::vector<float>> output (2, std::vector<float> (256));
            const float* in[] = { input[0].data(), input[1].data() };
            float* out[] = { output[0].data(), output[1].data() };
            size_t allocations = 0, locks = 0, systemCalls = 0;
            bool systemCallsWatched = false;
            std::string systemCallsSeen;
            std::atomic<bool> done { false };

            std::thread audio ([&] {
                AudioThreadWatch watch;
                systemCallsWatched = watch.WatchesSystemCalls();
                for (int i = 0; i < 32 * kRounds; ++i)
                {
                    if (scenario == Scenario::controllers)
                    {
                        const unsigned char controller[] = { 0xB0, 74, static_cast<unsigned char> (i * 5 % 128) };
                        instance.Process().MIDI().Add (static_cast<uint32_t> (i % 200), controller, 3);
                    }

                    instance.ProcessBlock (in, out, 256);
                }
                allocations = watch.Allocations();
                locks = watch.DistinctLocks();
                systemCalls = watch.SystemCalls();
                systemCallsSeen = watch.SystemCallsSeen();
                done = true;
            });

            // The message thread meanwhile: automation, the host notifications of the
            // controllers, the editor's timer.
            for (int i = 0; ! done; ++i)
            {
                if (scenario == Scenario::automation)
                {
                    instance.SetValue (cutoff, (i % 10) / 10.0);
                    instance.GenerateCoefficients();
                }
                session.Pump (1);
            }

            audio.join();
            const auto where = std::string (editorOpen ? "editor open, " : "") + std::to_string (static_cast<int> (scenario));
            EXPECT_EQ (allocations, 0u) << where;
            // JUCE's wrapper takes its callback lock around every block; the plug-in none.
            EXPECT_LE (locks, 1u) << where;
            EXPECT_TRUE (systemCallsWatched) << where;
            EXPECT_EQ (systemCalls, 0u) << where << ": " << systemCallsSeen;

            if (scenario == Scenario::controllers)
            {
                // The host hears of the controllers from the message thread.
                session.Pump (50);
                EXPECT_NEAR (instance.Value (cutoff), (32 * kRounds - 1) * 5 % 128 / 127.0, 1e-3) << where;
            }

            if (gui != nullptr)
                gui->Close();

            instances.clear();
            session.Pump (0);
        }
    }
}
