// The bundle sequence against a bundle of the tests' own: JUCE's wrapper around a small
// processor whose output is known exactly (input times "Gain", MIDI markers of 2 + first
// data byte / 128 at their samples), so that what the host sees is checked bit for bit
// before the product is.

#include "BundleSession.h"

#include "StandInAutomationDelegate.h"
#include "StandInComponentDescriptor.h"
#include "StandInController.h"
#include "StandInEffectDescriptor.h"
#include "StandInGui.h"
#include "StandInX11Display.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace
{
    constexpr int kEditorWidth = 320, kEditorHeight = 200;

    float marker (unsigned char firstDataByte) { return 2.0f + static_cast<float> (firstDataByte) / 128.0f; }

    std::vector<std::vector<float>> scaled (std::vector<std::vector<float>> signal, float gain)
    {
        for (auto& channel : signal)
            for (auto& s : channel)
                s *= gain;
        return signal;
    }
}

class TestBundle : public BundleSession
{
protected:
    TestBundle() : BundleSession (GRINDEL_AAX_TEST_BUNDLE) {}

    // The instance's identifiers of the plug-in's three parameters.
    struct Ids
    {
        std::string gain, markers, channel;
    };

    static Ids IdsOf (const StandInInstance& instance)
    {
        return { instance.FindParameter ("Gain"), instance.FindParameter ("Markers"), instance.FindParameter ("Marker Channel") };
    }
};

//==============================================================================
using TestBundleRegistration = TestBundle;

TEST_F (TestBundleRegistration, IsRecordedAsThePluginDescribesItself)
{
    ExpectRegistered ({ "com.grindeltests.testgain", "Grindel Tests", { "Known Gain With MIDI Markers", "Test Gain" }, 0x10203u, "Test Gain", { 0x2u }, int32_t ('GrTs'), int32_t ('TGn1') });
}

TEST_F (TestBundleRegistration, InstancesShowTheThreeParametersAndTheMasterBypass)
{
    auto& instance = NewInstance();
    const auto ids = IdsOf (instance);
    ASSERT_FALSE (ids.gain.empty());
    ASSERT_FALSE (ids.markers.empty());
    ASSERT_FALSE (ids.channel.empty());
    EXPECT_EQ (instance.ParameterIDs().size(), 4u);
    EXPECT_FALSE (instance.FindParameter (cDefaultMasterBypassID).empty());

    EXPECT_NEAR (instance.Value (ids.gain), 0.5, 1e-6);
    EXPECT_NEAR (instance.Value (ids.markers), 1.0, 1e-6);
    EXPECT_NEAR (instance.Value (ids.channel), 0.0, 1e-6);
    EXPECT_EQ (instance.ValueText (ids.channel), "All");
    EXPECT_EQ (instance.Latency(), 0);
}

//==============================================================================
using TestBundleChunks = TestBundle;

TEST_F (TestBundleChunks, ControlsChunkSequence)
{
    auto& instance = NewInstance();
    const auto gain = IdsOf (instance).gain;
    ExpectControlsChunkRoundTrip (instance, gain, 0.75);
    EXPECT_NEAR (instance.Value (gain), 0.5, 1e-6);
}

TEST_F (TestBundleChunks, JuceChunkRestoresIntoAFreshInstance)
{
    auto& first = NewInstance();
    const auto ids = IdsOf (first);
    ASSERT_TRUE (first.SetValue (ids.gain, 0.25));
    ASSERT_TRUE (first.SetValue (ids.markers, 0.0));
    ASSERT_TRUE (first.SetValue (ids.channel, 1.0));
    const auto saved = JuceChunkOf (first);
    ASSERT_FALSE (saved.empty());

    auto& fresh = NewInstance();
    EXPECT_EQ (fresh.SetChunk (saved), AAX_SUCCESS);
    EXPECT_NEAR (fresh.Value (ids.gain), 0.25, 1e-6);
    EXPECT_NEAR (fresh.Value (ids.markers), 0.0, 1e-6);
    EXPECT_EQ (fresh.ValueText (ids.channel), "First");

    // The restored state is the one processing uses: half gain, no markers.
    const auto input = Noise (2, 64);
    const unsigned char note[] = { 0x90, 60, 100 };
    fresh.Process().MIDI().Add (5, note, 3);
    EXPECT_EQ (Render (fresh, input), scaled (input, 0.5f));
}

//==============================================================================
using TestBundleAutomation = TestBundle;

TEST_F (TestBundleAutomation, HostRoundTripTouchRequestEchoReleaseReachesProcessing)
{
    auto& instance = NewInstance();
    const auto gain = IdsOf (instance).gain;
    ExpectHostRoundTrip (instance, gain, 0.125);

    const auto input = Noise (2, 64);
    EXPECT_EQ (Render (instance, input), scaled (input, 0.25f));
}

//==============================================================================
using TestBundleProcessing = TestBundle;

TEST_F (TestBundleProcessing, GainIsAppliedBitExactWithMarkersAtTheirSamples)
{
    auto& instance = NewInstance();
    ASSERT_TRUE (instance.Process().HasMIDIInput());
    const auto input = Noise (2, 64, 5);

    // Unity gain, no MIDI: the input bit for bit.
    EXPECT_EQ (Render (instance, input), input);

    ASSERT_TRUE (instance.SetValue (IdsOf (instance).gain, 0.25));
    const unsigned char noteOn[] = { 0x90, 64, 100 }, controller[] = { 0xB0, 74, 9 }, noteOff[] = { 0x80, 32, 0 };
    ASSERT_TRUE (instance.Process().MIDI().Add (0, noteOn, 3));
    ASSERT_TRUE (instance.Process().MIDI().Add (37, controller, 3));
    ASSERT_TRUE (instance.Process().MIDI().Add (63, noteOff, 3));

    auto expected = scaled (input, 0.5f);
    for (auto& channel : expected)
    {
        channel[0] = marker (64);
        channel[37] = marker (74);
        channel[63] = marker (32);
    }
    EXPECT_EQ (Render (instance, input), expected);

    // The events were the block's only: the next block has none.
    EXPECT_EQ (instance.Process().MIDI().Size(), 0u);
    EXPECT_EQ (Render (instance, input), scaled (input, 0.5f));
}

TEST_F (TestBundleProcessing, ChoiceAndSwitchParametersShapeTheMarkers)
{
    auto& instance = NewInstance();
    const auto ids = IdsOf (instance);
    const auto input = Noise (2, 32, 9);
    const unsigned char note[] = { 0x90, 16, 1 };

    ASSERT_TRUE (instance.SetValue (ids.channel, 1.0));
    instance.Process().MIDI().Add (3, note, 3);
    auto expected = input;
    expected[0][3] = marker (16);
    EXPECT_EQ (Render (instance, input), expected);

    ASSERT_TRUE (instance.SetValue (ids.markers, 0.0));
    instance.Process().MIDI().Add (3, note, 3);
    EXPECT_EQ (Render (instance, input), input);
}

TEST_F (TestBundleProcessing, MonoInstanceProcessesItsOneChannel)
{
    auto& instance = NewInstance (1, 44100.0);
    ASSERT_TRUE (instance.SetValue (IdsOf (instance).gain, 0.75));
    const auto input = Noise (1, 128, 2);
    EXPECT_EQ (Render (instance, input), scaled (input, 1.5f));
}

TEST_F (TestBundleProcessing, BypassIsPostedAsAPacketAndHonoured)
{
    auto& instance = NewInstance();
    ASSERT_TRUE (instance.SetValue (IdsOf (instance).gain, 0.25));
    const auto ports = instance.Process().Ports();
    ASSERT_EQ (ports.size(), 1u);
    const auto bypassPort = ports.front();
    const auto zeros = std::vector<uint8_t> (instance.Process().PortData (bypassPort).size(), 0);
    const auto postedBefore = PostedPackets (bypassPort);
    const auto input = Noise (2, 64, 3);
    const unsigned char note[] = { 0x90, 60, 100 };

    // Bypassed: neither the gain nor the markers, the input bit for bit.
    ASSERT_TRUE (instance.SetBypass (true));
    ASSERT_GT (PostedPackets (bypassPort), postedBefore);
    instance.Process().MIDI().Add (10, note, 3);
    EXPECT_EQ (Render (instance, input), input);
    EXPECT_NE (instance.Process().PortData (bypassPort), zeros);

    ASSERT_TRUE (instance.SetBypass (false));
    instance.Process().MIDI().Add (10, note, 3);
    auto expected = scaled (input, 0.5f);
    expected[0][10] = expected[1][10] = marker (60);
    EXPECT_EQ (Render (instance, input), expected);
    EXPECT_EQ (instance.Process().PortData (bypassPort), zeros);
}

//==============================================================================
using TestBundleGui = TestBundle;

TEST_F (TestBundleGui, HeadlessEditorHasItsSizeAndTakesUpdates)
{
    auto& instance = NewInstance();
    EXPECT_EQ (ExpectHeadlessEditor (instance, IdsOf (instance).gain, 0.3), std::make_pair (kEditorWidth, kEditorHeight));
}

TEST_F (TestBundleGui, EditorEmbedsInARealWindow)
{
    if (! StandInX11Display::Shared().IsOpen())
        GTEST_SKIP() << "no X display";

    EXPECT_EQ (ExpectEditorEmbeds (NewInstance()), std::make_pair (kEditorWidth, kEditorHeight));
}

//==============================================================================
using TestBundleLifecycle = TestBundle;

TEST_F (TestBundleLifecycle, ClosingLeavesNoLiveObject)
{
    {
        auto& instance = NewInstance();
        NewInstance (1);
        StandInGui gui (instance);
        std::string error;
        ASSERT_TRUE (gui.Open (false, error)) << error;
        session.Pump (10);
        EXPECT_NE (session.Bundle().CanUnloadNow(), 0);
    }

    instances.clear();
    EXPECT_EQ (session.Close(), 0);
    EXPECT_EQ (session.Host().OutstandingReferences(), 0);
}
