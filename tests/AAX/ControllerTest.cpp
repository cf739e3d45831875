// The controller wrapper over the stand-in controller: forwarding to the right version
// and position, neutral answers for missing versions, and page-table creation.

#include "AAX_CString.h"
#include "AAX_Errors.h"
#include "AAX_IPageTable.h"
#include "AAX_UIDs.h"
#include "AAX_VController.h"
#include "BalancedHost.h"
#include "StandInController.h"
#include "StandInHost.h"
#include "StandInPageTable.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
    class Controller : public BalancedHost
    {
    protected:
        void TearDown() override
        {
            controller.reset();
            BalancedHost::TearDown();
        }

        AAX_VController& Make (IACFUnknown* object)
        {
            controller = std::make_unique<AAX_VController> (object);
            return *controller;
        }

        AAX_VController& Make() { return Make (host.ControllerUnknown()); }

        std::unique_ptr<AAX_VController> controller;
    };
}

TEST_F (Controller, ForwardsTheEffectsQueries)
{
    host.Controller().sampleRate = 44100.0f;
    host.Controller().inputStemFormat = AAX_eStemFormat_Mono;
    host.Controller().isAudioSuite = 1;
    AAX_VController& wrapper = Make();

    AAX_CSampleRate rate = 0;
    EXPECT_EQ (0, wrapper.GetSampleRate (&rate));
    EXPECT_EQ (44100.0f, rate);

    AAX_EStemFormat in = AAX_eStemFormat_None, out = AAX_eStemFormat_None;
    EXPECT_EQ (0, wrapper.GetInputStemFormat (&in));
    EXPECT_EQ (0, wrapper.GetOutputStemFormat (&out));
    EXPECT_EQ (AAX_eStemFormat_Mono, in);
    EXPECT_EQ (AAX_eStemFormat_Stereo, out);

    AAX_CBoolean audioSuite = 0;
    EXPECT_EQ (0, wrapper.GetIsAudioSuite (&audioSuite));
    EXPECT_EQ (1, audioSuite);

    AAX_CString name;
    EXPECT_EQ (0, wrapper.GetHostName (&name));
    EXPECT_EQ ("Stand-in host", std::string (name.Get()));
}

TEST_F (Controller, LatencyPacketsAndNotificationsReachTheHost)
{
    AAX_VController& wrapper = Make();
    EXPECT_EQ (0, wrapper.SetSignalLatency (128));

    const float coefficient = 0.25f;
    const int32_t bypass = 1;
    EXPECT_EQ (0, wrapper.PostPacket (3, &coefficient, sizeof (coefficient)));
    EXPECT_EQ (0, wrapper.PostPacket (3, &coefficient, sizeof (coefficient)));
    EXPECT_EQ (0, wrapper.PostPacket (0, &bypass, sizeof (bypass)));

    const int32_t state = 2;
    EXPECT_EQ (0, wrapper.SendNotification (AAX_eNotificationEvent_ASProcessingState, &state, sizeof (state)));
    EXPECT_EQ (0, wrapper.SendNotification (AAX_eNotificationEvent_EnteringOfflineMode));

    EXPECT_EQ (std::vector<int32_t> { 128 }, host.Controller().Latencies());
    ASSERT_EQ (2u, host.Controller().Packets().at (3).size());
    EXPECT_EQ (sizeof (float), host.Controller().Packets().at (3)[1].size());
    EXPECT_EQ (1u, host.Controller().Packets().at (0).size());

    const auto& notes = host.Controller().Notifications();
    ASSERT_EQ (2u, notes.size());
    EXPECT_EQ (static_cast<AAX_CTypeID> (AAX_eNotificationEvent_ASProcessingState), notes[0].type);
    EXPECT_EQ (sizeof (state), notes[0].data.size());
    EXPECT_TRUE (notes[1].data.empty());

    int32_t latency = 0;
    EXPECT_EQ (0, wrapper.GetSignalLatency (&latency));
    EXPECT_EQ (128, latency);
}

TEST_F (Controller, MeterOperationsCrossToTheirHostPositions)
{
    AAX_VController& wrapper = Make();
    uint32_t count = 9;
    AAX_CBoolean clipped = 1;

    wrapper.ClearMeterPeakValue (1);
    wrapper.GetMeterCount (&count);
    wrapper.GetMeterClipped (2, &clipped);
    wrapper.ClearMeterClipped (3);

    EXPECT_EQ ((std::vector<std::string> { "ClearMeterPeakValue 1", "GetMeterCount", "GetMeterClipped 2", "ClearMeterClipped 3" }),
               host.Controller().Calls());
    EXPECT_EQ (0u, count);
    EXPECT_EQ (0, clipped);
}

TEST_F (Controller, AHostWithOnlyTheFirstVersion)
{
    host.Refuse (IID_IAAXControllerV2);
    host.Refuse (IID_IAAXControllerV3);
    host.Refuse (IID_IAAXPageTableControllerV1);
    host.Refuse (IID_IAAXPageTableControllerV2);
    AAX_VController& wrapper = Make();

    AAX_CSampleRate rate = 0;
    EXPECT_EQ (0, wrapper.GetSampleRate (&rate));
    EXPECT_EQ (48000.0f, rate);

    EXPECT_EQ (-20009, wrapper.SendNotification (AAX_eNotificationEvent_EnteringOfflineMode));
    EXPECT_EQ (-20009, wrapper.SendNotification (AAX_eNotificationEvent_EnteringOfflineMode, &rate, sizeof (rate)));
    EXPECT_TRUE (host.Controller().Notifications().empty());

    // What the host cannot answer is left neutral, not as the caller left it.
    AAX_CBoolean audioSuite = 7;
    EXPECT_EQ (-20009, wrapper.GetIsAudioSuite (&audioSuite));
    EXPECT_EQ (0, audioSuite);

    AAX_CTimeOfDay timestamp = 99;
    EXPECT_EQ (-20009, wrapper.GetCurrentAutomationTimestamp (&timestamp));
    EXPECT_EQ (0, timestamp);

    uint32_t version = 5;
    EXPECT_EQ (-20009, wrapper.GetHostVersion (&version));
    EXPECT_EQ (0u, version);

    EXPECT_EQ (nullptr, wrapper.CreateTableCopyForEffect (1, 2, 3, 4, 5));
    EXPECT_EQ (nullptr, wrapper.CreateTableCopyForLayoutFromFile ("t.xml", 0, "layout", 4, 5));
}

TEST_F (Controller, WithoutAHostObjectEveryOperationAnswersItsMissingCode)
{
    AAX_VController& wrapper = Make (nullptr);

    AAX_CSampleRate rate = 1.0f;
    AAX_EStemFormat format = AAX_eStemFormat_Mono;
    int32_t latency = 3;
    float meter = 1.0f;
    EXPECT_EQ (-20004, wrapper.GetSampleRate (&rate));
    EXPECT_EQ (-20004, wrapper.GetInputStemFormat (&format));
    EXPECT_EQ (-20004, wrapper.GetSignalLatency (&latency));
    EXPECT_EQ (-20004, wrapper.GetCurrentMeterValue (1, &meter));
    EXPECT_EQ (-20004, wrapper.SetSignalLatency (64));
    EXPECT_EQ (-20004, wrapper.PostPacket (0, &latency, sizeof (latency)));
    EXPECT_EQ (-20004, wrapper.GetSampleRate (nullptr));
    EXPECT_EQ (-20009, wrapper.SendNotification (1));
    EXPECT_EQ (-20009, wrapper.GetHybridSignalLatency (&latency));
    EXPECT_EQ (-20009, wrapper.GetPlugInTargetPlatform (&latency));
    EXPECT_EQ (nullptr, wrapper.CreateTableCopyForLayout ("e", "l", 1, 2));

    EXPECT_EQ (0.0f, rate);
    EXPECT_EQ (AAX_eStemFormat_None, format);
    EXPECT_EQ (0, latency);
    EXPECT_EQ (0.0f, meter);
}

TEST_F (Controller, ARefusedFactoryOnlyStopsPageTables)
{
    host.Refuse (IID_IACFComponentFactory);
    AAX_VController& wrapper = Make();

    AAX_CSampleRate rate = 0;
    EXPECT_EQ (0, wrapper.GetSampleRate (&rate));
    EXPECT_EQ (nullptr, wrapper.CreateTableCopyForEffect (1, 2, 3, 4, 5));
    EXPECT_TRUE (host.Made<StandInPageTable>().empty());
}

TEST_F (Controller, PageTablesAreMadeFilledAndWrapped)
{
    AAX_VController& wrapper = Make();

    std::unique_ptr<AAX_IPageTable> byEffect (wrapper.CreateTableCopyForEffect ('Orvk', 'Grnd', 'Grs1', 'PgTL', 8));
    ASSERT_NE (nullptr, byEffect);
    int32_t pages = 0;
    EXPECT_EQ (0, byEffect->GetNumPages (&pages));
    EXPECT_EQ (1, pages);

    std::unique_ptr<AAX_IPageTable> byFile (wrapper.CreateTableCopyForEffectFromFile ("t.xml", 1, 'Orvk', 'Grnd', 'Grs1', 'PgTL', 8));
    std::unique_ptr<AAX_IPageTable> byLayout (wrapper.CreateTableCopyForLayout ("com.orvik.grindel2", "Main", 'PgTL', 4));
    std::unique_ptr<AAX_IPageTable> byLayoutFile (wrapper.CreateTableCopyForLayoutFromFile ("t.xml", 1, "Main", 'PgTL', 4));
    EXPECT_NE (nullptr, byFile);
    EXPECT_NE (nullptr, byLayout);
    EXPECT_NE (nullptr, byLayoutFile);

    const auto tables = host.Made<StandInPageTable>();
    ASSERT_EQ (4u, tables.size());
    EXPECT_EQ ("CopyTableOfLayoutForEffect com.orvik.grindel2 Main " + std::to_string ('PgTL') + " 4", tables[2]->filledBy);
}

TEST_F (Controller, AFailedCopyGivesNullAndReleasesTheTable)
{
    host.Controller().pageTableResult = AAX_ERROR_INVALID_ARGUMENT;
    AAX_VController& wrapper = Make();

    EXPECT_EQ (nullptr, wrapper.CreateTableCopyForEffect (1, 2, 3, 4, 5));
    ASSERT_EQ (1u, host.Made<StandInPageTable>().size());
    EXPECT_EQ (0, host.Made<StandInPageTable>()[0]->References());
}

TEST_F (Controller, ATableTheHostCannotMakeGivesNull)
{
    host.Refuse (IID_IAAXPageTableV2);
    AAX_VController& wrapper = Make();
    EXPECT_EQ (nullptr, wrapper.CreateTableCopyForEffect (1, 2, 3, 4, 5));
}
