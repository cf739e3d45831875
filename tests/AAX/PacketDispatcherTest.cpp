// The packet dispatcher and its lock, with coefficient packets posted to the stand-in
// host's controller.

#include "AAX_CMutex.h"
#include "AAX_CPacketHandler.h"
#include "EffectSession.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

namespace
{
    float FloatIn (const std::vector<uint8_t>& bytes)
    {
        float value = 0.0f;
        EXPECT_EQ (sizeof (value), bytes.size());
        if (bytes.size() == sizeof (value))
            std::memcpy (&value, bytes.data(), sizeof (value));
        return value;
    }

    size_t Posts (EffectSession& s, int32_t port)
    {
        const auto& packets = s.host.Controller().Packets();
        const auto found = packets.find (port);
        return found == packets.end() ? 0 : found->second.size();
    }

    // Counts its calls and answers with a set result.
    struct CountingWorker
    {
        AAX_Result Fill (AAX_CParamID, AAX_CPacket& packet)
        {
            ++calls;
            packet.Set (int32_t (7));
            return result;
        }

        int calls = 0;
        AAX_Result result = AAX_SUCCESS;
    };
}

TEST (Mutex, TheOwnersSecondLockAcquiresNothingAndItsScopeReleasesNothing)
{
    AAX_CMutex mutex;
    EXPECT_TRUE (mutex.Lock());
    EXPECT_FALSE (mutex.Lock());

    {
        AAX_CMutex::ScopedLock inner (mutex);
    }

    // Still held: another thread cannot get it until the owner unlocks.
    std::atomic<bool> acquired { false };
    std::thread other ([&] { AAX_CMutex::ScopedLock lock (mutex); acquired = true; });
    std::this_thread::sleep_for (std::chrono::milliseconds (50));
    EXPECT_FALSE (acquired.load());

    mutex.Unlock();
    other.join();
    EXPECT_TRUE (acquired.load());
}

TEST (Mutex, OnlyTheOwnerUnlocks)
{
    AAX_CMutex mutex;
    ASSERT_TRUE (mutex.Lock());

    std::thread stranger ([&] { mutex.Unlock(); });
    stranger.join();

    std::atomic<bool> acquired { false };
    std::thread other ([&] { acquired = mutex.Lock(); if (acquired) mutex.Unlock(); });
    std::this_thread::sleep_for (std::chrono::milliseconds (50));
    EXPECT_FALSE (acquired.load());
    mutex.Unlock();
    other.join();
    EXPECT_TRUE (acquired.load());
}

TEST (PacketDispatcher, NewPacketsArePostedOnceWithTheParametersValue)
{
    EffectSession s;

    EXPECT_EQ (AAX_SUCCESS, s.effect->GenerateCoefficients());
    EXPECT_EQ (1u, Posts (s, 0));
    EXPECT_EQ (1u, Posts (s, 1));
    EXPECT_EQ (1u, Posts (s, 2));
    EXPECT_FLOAT_EQ (0.5f, FloatIn (s.host.Controller().Packets().at (0).back()));

    EXPECT_EQ (AAX_SUCCESS, s.effect->GenerateCoefficients());
    EXPECT_EQ (1u, Posts (s, 0));

    // The host's answer to a value request marks the packet dirty: posted once more.
    EXPECT_EQ (AAX_SUCCESS, s.effect->SetParameterNormalizedValue ("Gain", 0.25));
    EXPECT_EQ (AAX_SUCCESS, s.effect->GenerateCoefficients());
    ASSERT_EQ (2u, Posts (s, 0));
    EXPECT_FLOAT_EQ (0.25f, FloatIn (s.host.Controller().Packets().at (0).back()));
    EXPECT_EQ (1u, Posts (s, 1));
}

TEST (PacketDispatcher, BypassTravelsAsAPacketOnItsPort)
{
    EffectSession s;
    s.effect->GenerateCoefficients();

    EXPECT_EQ (AAX_SUCCESS, s.effect->SetParameterNormalizedValue (cDefaultMasterBypassID, 1.0));
    EXPECT_EQ (AAX_SUCCESS, s.effect->GenerateCoefficients());
    ASSERT_EQ (2u, Posts (s, 2));
    EXPECT_FLOAT_EQ (1.0f, FloatIn (s.host.Controller().Packets().at (2).back()));
}

TEST (PacketDispatcher, ASharedPortIsFilledByTheLowerIdentifierAndPostedOnce)
{
    EffectSession s (+[]() -> AAX_CEffectParameters* { return new TestEffect ({ { "B", "B", 0.75f, 4 }, { "A", "A", 0.25f, 4 } }); });

    s.effect->GenerateCoefficients();
    ASSERT_EQ (1u, Posts (s, 4));
    EXPECT_FLOAT_EQ (0.25f, FloatIn (s.host.Controller().Packets().at (4).back()));

    s.effect->UpdateParameterNormalizedValue ("B", 0.75, AAX_eUpdateSource_Unspecified);
    s.effect->GenerateCoefficients();
    ASSERT_EQ (2u, Posts (s, 4));
    EXPECT_FLOAT_EQ (0.25f, FloatIn (s.host.Controller().Packets().at (4).back()));
}

TEST (PacketDispatcher, AFailedPostKeepsThePacketDirtyAndFailsTheRound)
{
    EffectSession s;
    s.host.Controller().postPacketResult = AAX_ERROR_POST_PACKET_FAILED;

    EXPECT_EQ (AAX_ERROR_POST_PACKET_FAILED, s.effect->GenerateCoefficients());
    EXPECT_EQ (0u, Posts (s, 0));

    // Nothing changed since, yet every packet goes out in the next round.
    s.host.Controller().postPacketResult = AAX_SUCCESS;
    EXPECT_EQ (AAX_SUCCESS, s.effect->GenerateCoefficients());
    EXPECT_EQ (1u, Posts (s, 0));
    EXPECT_EQ (1u, Posts (s, 1));
    EXPECT_EQ (1u, Posts (s, 2));
}

TEST (PacketDispatcher, AFailedPostIsNotRetriedThroughASecondParameterInTheSameRound)
{
    EffectSession s (+[]() -> AAX_CEffectParameters* { return new TestEffect ({ { "A", "A", 0.25f, 4 }, { "B", "B", 0.75f, 4 } }); });
    s.host.Controller().postPacketResult = AAX_ERROR_POST_PACKET_FAILED;

    EXPECT_EQ (AAX_ERROR_POST_PACKET_FAILED, s.effect->GenerateCoefficients());
    int attempts = 0;
    for (const auto& call : s.host.Controller().Calls())
        attempts += call == "PostPacket 4" ? 1 : 0;
    EXPECT_EQ (1, attempts);
}

TEST (PacketDispatcher, AHandlerFailureDropsThePacketUntilTheNextChange)
{
    EffectSession s (+[]() -> AAX_CEffectParameters* { return new TestEffect (std::vector<TestEffect::Spec> {}); });
    CountingWorker worker;
    worker.result = AAX_ERROR_NULL_OBJECT;
    const AAX_CPacketHandler<CountingWorker> handler (&worker, &CountingWorker::Fill);
    auto& dispatcher = s.Test().Dispatcher();

    EXPECT_EQ (AAX_SUCCESS, dispatcher.RegisterPacket ("X", 5, &handler));
    EXPECT_EQ (AAX_SUCCESS, dispatcher.Dispatch());
    EXPECT_EQ (AAX_SUCCESS, dispatcher.Dispatch());
    EXPECT_EQ (1, worker.calls);
    EXPECT_EQ (0u, Posts (s, 5));

    worker.result = AAX_SUCCESS;
    dispatcher.SetDirty ("X");
    EXPECT_EQ (AAX_SUCCESS, dispatcher.Dispatch());
    EXPECT_EQ (2, worker.calls);
    EXPECT_EQ (1u, Posts (s, 5));
}

TEST (PacketDispatcher, EntriesWithoutAPortAreIgnored)
{
    EffectSession s (+[]() -> AAX_CEffectParameters* { return new TestEffect ({ { "Gain", "Gain", 0.5f, -1 } }); });
    CountingWorker worker;
    const AAX_CPacketHandler<CountingWorker> handler (&worker, &CountingWorker::Fill);

    EXPECT_EQ (AAX_SUCCESS, s.Test().Dispatcher().RegisterPacket ("Gain", -3, &handler));
    s.effect->UpdateParameterNormalizedValue ("Gain", 0.1, AAX_eUpdateSource_Unspecified);
    EXPECT_EQ (AAX_SUCCESS, s.effect->GenerateCoefficients());
    EXPECT_EQ (0, worker.calls);
    EXPECT_TRUE (s.host.Controller().Packets().empty());
}

TEST (PacketDispatcher, NothingIsPostedWithoutAController)
{
    EffectSession s;
    s.effect->Uninitialize();
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, s.effect->GenerateCoefficients());
    EXPECT_TRUE (s.host.Controller().Packets().empty());
    s.Destroy (false);
}

TEST (PacketDispatcher, MarkingAndDispatchingFromTwoThreadsStayConsistent)
{
    EffectSession s;
    std::atomic<bool> stop { false };

    std::thread marker ([&] {
        for (int i = 0; i < 2000; ++i)
            s.Test().Dispatcher().SetDirty ("Gain");
        stop = true;
    });

    int rounds = 0;
    while (! stop.load() || rounds == 0)
    {
        EXPECT_EQ (AAX_SUCCESS, s.Test().Dispatcher().Dispatch());
        ++rounds;
    }

    marker.join();
    s.Test().Dispatcher().Dispatch();
    EXPECT_GE (Posts (s, 0), 1u);
}
