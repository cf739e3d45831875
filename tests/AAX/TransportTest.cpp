// The transport wrapper over hosts with one or both versions, and the order in which
// the plug-in's play head asks it.

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "AAX_VTransport.h"
#include "BalancedHost.h"
#include "StandInHost.h"
#include "StandInTransport.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
    class Transport : public BalancedHost
    {
    protected:
        void TearDown() override
        {
            transport.reset();
            BalancedHost::TearDown();
        }

        AAX_VTransport& Make (IACFUnknown* object)
        {
            transport = std::make_unique<AAX_VTransport> (object);
            return *transport;
        }

        // The position in samples as the plug-in's play head reads it.
        int64_t PlayHeadSamplePosition()
        {
            bool playing = false;
            int64_t samples = -1;
            const bool isPlaying = transport->IsTransportPlaying (&playing) == AAX_SUCCESS && playing;

            if ((! isPlaying && transport->GetTimelineSelectionStartPosition (&samples) == AAX_SUCCESS)
                || transport->GetCurrentNativeSampleLocation (&samples) == AAX_SUCCESS)
                return samples;

            return -1;
        }

        std::unique_ptr<AAX_VTransport> transport;
    };
}

TEST_F (Transport, ReportsTheHostsState)
{
    auto& state = host.Transport().Set();
    state.tempo = 97.5;
    state.numerator = 7;
    state.denominator = 8;
    state.looping = true;
    state.loopStartTick = 960000;
    state.loopEndTick = 4 * 960000;
    state.frameRate = AAX_eFrameRate_2997DropFrame;
    state.timeCodeOffset = 30;
    AAX_VTransport& wrapper = Make (host.ControllerUnknown());

    double tempo = 0;
    int32_t numerator = 4, denominator = 4;
    EXPECT_EQ (0, wrapper.GetCurrentTempo (&tempo));
    EXPECT_EQ (0, wrapper.GetCurrentMeter (&numerator, &denominator));
    EXPECT_EQ (97.5, tempo);
    EXPECT_EQ (7, numerator);
    EXPECT_EQ (8, denominator);

    bool looping = false;
    int64_t start = 0, end = 0;
    EXPECT_EQ (0, wrapper.GetCurrentLoopPosition (&looping, &start, &end));
    EXPECT_TRUE (looping);
    EXPECT_EQ (4 * 960000, end);

    AAX_EFrameRate rate = AAX_eFrameRate_Undeclared;
    int32_t offset = 0;
    EXPECT_EQ (0, wrapper.GetTimeCodeInfo (&rate, &offset));
    EXPECT_EQ (AAX_eFrameRate_2997DropFrame, rate);
    EXPECT_EQ (30, offset);
}

TEST_F (Transport, StoppedPositionComesFromTheSecondVersion)
{
    host.Transport().Set().stoppedSamplePosition = 4410;
    host.Transport().Set().playingSamplePosition = 100;
    Make (host.ControllerUnknown());

    EXPECT_EQ (4410, PlayHeadSamplePosition());
    host.Transport().Set().playing = true;
    EXPECT_EQ (100, PlayHeadSamplePosition());
}

TEST_F (Transport, AHostWithOnlyTheFirstVersionFallsBackToThePlayPosition)
{
    host.Refuse (IID_IAAXTransportV2);
    host.Transport().Set().stoppedSamplePosition = 4410;
    host.Transport().Set().playingSamplePosition = 100;
    AAX_VTransport& wrapper = Make (host.ControllerUnknown());

    int64_t samples = 5;
    EXPECT_EQ (-20009, wrapper.GetTimelineSelectionStartPosition (&samples));
    EXPECT_EQ (0, samples);
    EXPECT_EQ (100, PlayHeadSamplePosition());

    AAX_EFrameRate rate = AAX_eFrameRate_24Frame;
    int32_t offset = 12;
    EXPECT_EQ (-20009, wrapper.GetTimeCodeInfo (&rate, &offset));
    EXPECT_EQ (AAX_eFrameRate_Undeclared, rate);
    EXPECT_EQ (0, offset);
    EXPECT_EQ ((std::vector<std::string> { "IsTransportPlaying", "GetCurrentNativeSampleLocation" }), host.Transport().Calls());
}

TEST_F (Transport, WithoutAHostObjectQueriesAreNeutral)
{
    AAX_VTransport& wrapper = Make (nullptr);

    double tempo = 120;
    int32_t numerator = 4, denominator = 4;
    bool playing = true, looping = true;
    int64_t ticks = 7, start = 7, end = 7;
    int32_t bars = 3, beats = 3;
    EXPECT_EQ (-20004, wrapper.GetCurrentTempo (&tempo));
    EXPECT_EQ (-20004, wrapper.GetCurrentMeter (&numerator, &denominator));
    EXPECT_EQ (-20004, wrapper.IsTransportPlaying (&playing));
    EXPECT_EQ (-20004, wrapper.GetCurrentTickPosition (&ticks));
    EXPECT_EQ (-20004, wrapper.GetCurrentLoopPosition (&looping, &start, &end));
    EXPECT_EQ (-20004, wrapper.GetBarBeatPosition (&bars, &beats, &ticks, 0));
    EXPECT_EQ (-20004, wrapper.GetCurrentNativeSampleLocation (nullptr));
    EXPECT_EQ (-20009, wrapper.IsMetronomeEnabled (&bars));

    EXPECT_EQ (0.0, tempo);
    EXPECT_EQ (0, numerator);
    EXPECT_EQ (0, denominator);
    EXPECT_FALSE (playing);
    EXPECT_FALSE (looping);
    EXPECT_EQ (0, start);
    EXPECT_EQ (0, end);
    EXPECT_EQ (0, ticks);
    EXPECT_EQ (0, bars);
    EXPECT_EQ (0, beats);
}

TEST_F (Transport, CustomTickAndBarBeatPositionsArePassedTheSampleLocation)
{
    host.Transport().Set().tickPosition = 1000;
    AAX_VTransport& wrapper = Make (host.ControllerUnknown());

    int64_t ticks = 0;
    EXPECT_EQ (0, wrapper.GetCustomTickPosition (&ticks, 24));
    EXPECT_EQ (1024, ticks);

    uint32_t perQuarter = 0;
    EXPECT_EQ (0, wrapper.GetTicksPerQuarter (&perQuarter));
    EXPECT_EQ (960000u, perQuarter);
}
