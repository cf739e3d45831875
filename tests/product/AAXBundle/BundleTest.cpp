#include "BundleSession.h"

#include "StandInAutomationDelegate.h"
#include "StandInCollection.h"
#include "StandInComponentDescriptor.h"
#include "StandInController.h"
#include "StandInEffectDescriptor.h"
#include "StandInGui.h"
#include "StandInRenderer.h"
#include "StandInViewContainer.h"
#include "StandInWavFile.h"
#include "StandInX11Display.h"

#include "AAX_Enums.h"
#include "AAX_Errors.h"
#include "AAX_IParameter.h"
#include "AAX_UIDs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace
{
    std::string midiDescription (const StandInComponentDescriptor& component)
    {
        for (const auto& field : component.Fields())
            if (field.rfind ("midi node", 0) == 0)
                return field;
        return {};
    }
}

//==============================================================================
using Registration = BundleSession;

TEST_F (Registration, IsRecordedAsTheProductDescribesItself)
{
    ExpectRegistered ({ "com.orvikgroup.grindel2", "Orvik Group", { "High Quality Bit Crusher", "Grindel 2" }, uint32_t (GRINDEL_VERSION_CODE), "Grindel 2", { 0x10u }, int32_t ('Orvk'), int32_t ('Grn2') });

    for (int channels : { 1, 2 })
    {
        const auto* component = session.ComponentFor (channels);
        ASSERT_NE (component, nullptr) << channels;
        EXPECT_NE (midiDescription (*component).find ("Grindel 2"), std::string::npos) << "the plug-in wants MIDI input";
    }
}

TEST (RegistrationFailure, GivesAClearErrorForAMissingOrBrokenBundle)
{
    StandInSession missing;
    EXPECT_FALSE (missing.Open ("/nonexistent/Grindel 2.aaxplugin"));
    EXPECT_NE (missing.Error().find ("no such bundle"), std::string::npos) << missing.Error();

    const auto notALibrary = std::filesystem::temp_directory_path() / "not-a-bundle.so";
    std::ofstream (notALibrary) << "not a library";
    StandInSession broken;
    EXPECT_FALSE (broken.Open (notALibrary.string()));
    EXPECT_NE (broken.Error().find ("cannot load"), std::string::npos) << broken.Error();
    std::filesystem::remove (notALibrary);
}

TEST (RegistrationFailure, ABundleThatFailsToRegisterIsReportedAndShutDown)
{
    StandInSession session;
    session.Host().Refuse (IID_IACFPluginDefinition);   // the host's collection gives no definition

    EXPECT_FALSE (session.Open (GRINDEL_AAX_BUNDLE));
    EXPECT_NE (session.Error().find ("failed to register"), std::string::npos) << session.Error();
    EXPECT_NE (session.Error().find ("-20004"), std::string::npos) << session.Error();
    EXPECT_FALSE (session.IsOpen());
    EXPECT_EQ (0, session.Host().OutstandingReferences());
}

//==============================================================================
using Chunks = BundleSession;

TEST_F (Chunks, ControlsChunkRoundTrip)
{
    auto& instance = NewInstance();
    int32_t count = 0;
    instance.Effect().GetNumberOfChunks (&count);
    EXPECT_EQ (count, 2);   // 'elck', then JUCE's own

    const auto mix = instance.FindParameter ("Mix");
    ASSERT_FALSE (mix.empty());
    ExpectControlsChunkRoundTrip (instance, mix, 0.25);
}

TEST_F (Chunks, JuceChunkRestoresIntoAFreshInstance)
{
    auto& first = NewInstance();
    const auto mix = first.FindParameter ("Mix");
    ASSERT_TRUE (first.SetValue (mix, 0.375));
    const auto saved = JuceChunkOf (first);
    ASSERT_FALSE (saved.empty());

    auto& fresh = NewInstance();
    EXPECT_NEAR (fresh.Value (mix), 1.0, 1e-6);
    EXPECT_EQ (fresh.SetChunk (saved), AAX_SUCCESS);
    EXPECT_NEAR (fresh.Value (mix), 0.375, 1e-4);

    // A 'juce' record always compares equal: only the controls chunk is compared.
    bool equal = false;
    EXPECT_EQ (fresh.CompareChunk (saved, equal), AAX_SUCCESS);
    EXPECT_TRUE (equal);
}

TEST_F (Chunks, HostileRecordsAreRefusedWithoutHarm)
{
    auto& instance = NewInstance();
    const auto record = JuceChunkOf (instance);
    ASSERT_FALSE (record.empty());

    // A size beyond the bytes there are never reaches the plug-in.
    auto lying = record;
    const int32_t tooBig = static_cast<int32_t> (record.size());
    std::memcpy (lying.data(), &tooBig, sizeof (tooBig));
    EXPECT_EQ (instance.SetChunk (lying), AAX_ERROR_INCORRECT_CHUNK_SIZE);
    EXPECT_EQ (instance.SetChunk (std::vector<uint8_t> (10, 0xFF)), AAX_ERROR_INCORRECT_CHUNK_SIZE);

    // Garbage of a consistent size goes in and changes nothing.
    const auto mix = instance.FindParameter ("Mix");
    const double before = instance.Value (mix);
    for (const AAX_CTypeID id : { kJuce, kControls })
    {
        auto garbage = Noise (1, 64).front();
        std::vector<uint8_t> hostile (kHeader + garbage.size() * sizeof (float));
        AAX_SPlugInChunk chunk {};
        chunk.fSize = static_cast<int32_t> (garbage.size() * sizeof (float));
        chunk.fChunkID = id;
        std::memcpy (hostile.data(), &chunk, kHeader);
        std::memcpy (hostile.data() + kHeader, garbage.data(), garbage.size() * sizeof (float));
        instance.SetChunk (hostile);
    }
    EXPECT_NEAR (instance.Value (mix), before, 1e-6);
}

TEST_F (Chunks, AFreshInstanceItsHostParametersAndItsControlsChunkAgreeOnTheStartPreset)
{
    // The factory presets as installed, so the plug-in starts with its start preset.
    const auto presets = dataRoot / "Common" / "Application Support" / "Orvik Group" / "Grindel 2" / "Presets";
    std::filesystem::create_directories (presets);
    std::filesystem::copy_file (GRINDEL_FACTORY_PACKAGE, presets / std::filesystem::path (GRINDEL_FACTORY_PACKAGE).filename());

    auto& first = NewInstance();
    const auto rate = first.FindParameter ("Sample Rate");
    EXPECT_EQ (first.ValueText (rate), "40.0 kHz");

    // The host's own parameter objects hold what the plug-in holds.
    for (const auto& id : first.ParameterIDs())
    {
        AAX_IParameter* parameter = nullptr;
        ASSERT_EQ (first.Effect().GetParameter (id.c_str(), &parameter), AAX_SUCCESS) << id;
        EXPECT_NEAR (parameter->GetNormalizedValue(), first.Value (id), 1e-6) << id;
    }

    // Its controls chunk, restored into an instance moved elsewhere, gives the same values.
    AAX_Result result = 0;
    const auto saved = first.GetChunk (kControls, result);
    ASSERT_EQ (result, AAX_SUCCESS);

    auto& second = NewInstance();
    for (const auto& id : second.ParameterIDs())
        if (id != cDefaultMasterBypassID)
            second.SetValue (id, 0.125);
    EXPECT_EQ (second.SetChunk (saved), AAX_SUCCESS);

    for (const auto& id : first.ParameterIDs())
        EXPECT_EQ (second.ValueText (id), first.ValueText (id)) << first.ParameterName (id);
}

// Not-a-number keeps the value and an infinity is the end it points to, from a chunk, a host's
// set, automation or a relative step; the host's parameter object and the plug-in agree.
TEST_F (Chunks, ValuesThatAreNotFiniteNumbersNeverReachThePlugIn)
{
    auto& instance = NewInstance();
    const auto mix = instance.FindParameter ("Mix");
    AAX_IParameter* hostSide = nullptr;
    ASSERT_EQ (instance.Effect().GetParameter (mix.c_str(), &hostSide), AAX_SUCCESS);

    AAX_Result result = 0;
    const auto clean = instance.GetChunk (kControls, result);
    ASSERT_EQ (result, AAX_SUCCESS);

    // Mix's value in the chunk becomes another (big-endian, after its tag and name).
    const auto poisoned = [&] (const std::array<uint8_t, 8>& bytes) {
        auto chunk = clean;
        const std::string entry = "d_" + mix;
        const auto at = std::search (chunk.begin() + kHeader, chunk.end(), entry.begin(), entry.end()) - chunk.begin();
        EXPECT_LT (static_cast<size_t> (at), chunk.size());
        const size_t value = (static_cast<size_t> (at) - kHeader + entry.size() + 1 + 3) / 4 * 4 + kHeader;
        std::memcpy (chunk.data() + value, bytes.data(), bytes.size());
        return chunk;
    };
    const std::array<uint8_t, 8> nanBytes { 0x7F, 0xF8, 0, 0, 0, 0, 0, 0 }, infBytes { 0x7F, 0xF0, 0, 0, 0, 0, 0, 0 },
        minusInfBytes { 0xFF, 0xF0, 0, 0, 0, 0, 0, 0 };

    const auto update = [&] (double value) {
        instance.Effect().UpdateParameterNormalizedValue (mix.c_str(), value, AAX_eUpdateSource_Unspecified);
    };
    const struct
    {
        const char* what;
        std::function<void()> send;
        double held;
    } entries[] = {
        { "chunk not-a-number", [&] { EXPECT_EQ (instance.SetChunk (poisoned (nanBytes)), AAX_SUCCESS); }, 0.25 },
        { "chunk +inf", [&] { EXPECT_EQ (instance.SetChunk (poisoned (infBytes)), AAX_SUCCESS); }, 1.0 },
        { "chunk -inf", [&] { EXPECT_EQ (instance.SetChunk (poisoned (minusInfBytes)), AAX_SUCCESS); }, 0.0 },
        { "set not-a-number", [&] { instance.SetValue (mix, std::nan ("")); }, 0.25 },
        { "set +inf", [&] { instance.SetValue (mix, HUGE_VAL); }, 1.0 },
        { "set -inf", [&] { instance.SetValue (mix, -HUGE_VAL); }, 0.0 },
        { "automation not-a-number", [&] { update (std::nan ("")); }, 0.25 },
        { "automation +inf", [&] { update (HUGE_VAL); }, 1.0 },
        { "automation -inf", [&] { update (-HUGE_VAL); }, 0.0 },
        { "step not-a-number", [&] { instance.Effect().SetParameterNormalizedRelative (mix.c_str(), std::nan ("")); }, 0.25 },
        { "step +inf", [&] { instance.Effect().SetParameterNormalizedRelative (mix.c_str(), HUGE_VAL); }, 1.0 },
        { "step -inf", [&] { instance.Effect().SetParameterNormalizedRelative (mix.c_str(), -HUGE_VAL); }, 0.0 },
    };

    for (const auto& entry : entries)
    {
        ASSERT_TRUE (instance.SetValue (mix, 0.25));
        entry.send();
        EXPECT_NEAR (instance.Value (mix), entry.held, 1e-6) << entry.what;
        EXPECT_EQ (hostSide->GetNormalizedValue(), instance.Value (mix)) << entry.what;
        EXPECT_EQ (instance.ValueText (mix).find ("nan"), std::string::npos) << instance.ValueText (mix);

        const auto saved = instance.GetChunk (kControls, result);
        bool equal = false;
        EXPECT_EQ (instance.CompareChunk (saved, equal), AAX_SUCCESS);
        EXPECT_TRUE (equal) << entry.what;
    }
}

//==============================================================================
using Automation = BundleSession;

TEST_F (Automation, HostRoundTripTouchRequestEchoRelease)
{
    auto& instance = NewInstance();
    const auto mix = instance.FindParameter ("Mix");
    ExpectHostRoundTrip (instance, mix, 0.5);
    EXPECT_NE (instance.ValueText (mix).find ("50"), std::string::npos) << instance.ValueText (mix);

    // Without the host's answer the host-side parameter reports no new value.
    instance.Automation().SetAnswerMode (StandInAutomationDelegate::AnswerMode::Never);
    instance.Automation().ClearRecords();
    instance.SetValue (mix, 0.1);
    const auto unanswered = instance.Automation().Log();
    EXPECT_NE (std::find (unanswered.begin(), unanswered.end(), "request " + mix + " 0.1"), unanswered.end());
    EXPECT_EQ (std::find (unanswered.begin(), unanswered.end(), "current " + mix + " 0.1"), unanswered.end());
    instance.Automation().SetAnswerMode (StandInAutomationDelegate::AnswerMode::Echo);
}

// Whatever the host sets, it reads back a value the plug-in holds: within 0..1 (the master
// bypass 0 or 1), out of range and infinities at the end they point to, not-a-number keeping
// the value; and the same once the plug-in's state is saved and restored.
TEST_F (Automation, TheHostReadsBackOnlyValuesThePlugInHolds)
{
    auto& instance = NewInstance();

    for (const double value : { 1.5, -0.5, 1.0e9, -1.0e9, 0.37, HUGE_VAL, -HUGE_VAL, std::nan (""), 0.62, std::nan (""), HUGE_VAL, std::nan ("") })
    {
        std::map<std::string, double> read;

        for (const auto& id : instance.ParameterIDs())
        {
            const double before = instance.Value (id);
            instance.SetValue (id, value);
            read[id] = instance.Value (id);
            EXPECT_TRUE (read[id] >= 0.0 && read[id] <= 1.0) << instance.ParameterName (id) << " " << value << ": " << read[id];

            if (id == cDefaultMasterBypassID)
            {
                EXPECT_TRUE (read[id] == 0.0 || read[id] == 1.0) << value << ": " << read[id];
            }

            if (std::isnan (value))
            {
                EXPECT_EQ (read[id], before) << instance.ParameterName (id);
            }
            else if (value >= 1.0 || value <= 0.0)
            {
                EXPECT_EQ (read[id], value >= 1.0 ? 1.0 : 0.0) << instance.ParameterName (id) << " " << value;
            }
        }

        AAX_Result result = 0;
        const auto saved = instance.GetChunk (kJuce, result);
        ASSERT_EQ (result, AAX_SUCCESS);
        EXPECT_EQ (instance.SetChunk (saved), AAX_SUCCESS);

        for (const auto& [id, before] : read)
            EXPECT_EQ (instance.Value (id), before) << instance.ParameterName (id) << " " << value;
    }
}

TEST_F (Automation, TextEntryReadsOnlyEachParametersOwnTextsAndLeavesTheValueOtherwise)
{
    auto& instance = NewInstance();

    // What a host's text entry hands over, read by the plug-in: a text it cannot read gives the
    // value the parameter has, whichever that is.
    const struct
    {
        const char* parameter;
        const char* text;
        const char* expected;   // the value text after it; null: refused
    } cases[] = {
        { cDefaultMasterBypassID, "on", "On" },
        { cDefaultMasterBypassID, " OFF ", "Off" },
        { cDefaultMasterBypassID, "Bypassed", nullptr },
        { cDefaultMasterBypassID, "0.7", nullptr },
        { cDefaultMasterBypassID, "Onn", nullptr },
        { "Sample Rate", "22.05 khz", "22.1 kHz" },
        { "Sample Rate", "1 MHz", nullptr },
        { "Sample Rate", "12 bit", nullptr },
        { "Cutoff", "1O kHz", nullptr },
        { "Mix", "25 %", "25 %" },
        { "Mix", "50 dB", nullptr },
        { "Mix", "0x10", nullptr },
        { "Mix", "50 % junk", nullptr },
    };

    for (const auto& c : cases)
    {
        const auto id = instance.FindParameter (c.parameter);
        ASSERT_FALSE (id.empty()) << c.parameter;

        for (const double start : { 0.0, 1.0 })
        {
            ASSERT_TRUE (instance.SetValue (id, start));
            double value = -1.0;
            ASSERT_TRUE (instance.ValueFromText (id, c.text, value)) << c.parameter << " " << c.text;

            if (c.expected == nullptr)
                EXPECT_EQ (value, instance.Value (id)) << c.parameter << " \"" << c.text << "\"";
            else
                EXPECT_EQ (instance.TextOfValue (id, value), c.expected) << c.parameter << " \"" << c.text << "\"";
        }
    }
}

//==============================================================================
using Processing = BundleSession;

TEST_F (Processing, BypassIsPostedAsAPacketAndHonoured)
{
    auto& instance = NewInstance();
    const auto ports = instance.Process().Ports();
    ASSERT_EQ (ports.size(), 1u);
    const auto bypassPort = ports.front();
    const auto zeros = std::vector<uint8_t> (instance.Process().PortData (bypassPort).size(), 0);

    const auto cutoff = instance.FindParameter ("Cutoff");
    const unsigned char cutoffToZero[] = { 0xB0, 74, 0 };
    const auto input = Noise (2, 256);
    const auto postedBefore = PostedPackets (bypassPort);

    // Bypassed: the packet reaches the context, the dry signal passes bit for bit and
    // the plug-in's processing (which would apply the controller) does not run.
    ASSERT_TRUE (instance.SetBypass (true));
    ASSERT_GT (PostedPackets (bypassPort), postedBefore);
    instance.SetValue (cutoff, 1.0);
    instance.Process().MIDI().Add (0, cutoffToZero, 3);
    EXPECT_EQ (Render (instance, input), input);
    EXPECT_NE (instance.Process().PortData (bypassPort), zeros);
    session.Pump (50);
    EXPECT_NEAR (instance.Value (cutoff), 1.0, 1e-6);

    ASSERT_TRUE (instance.SetBypass (false));
    instance.Process().MIDI().Add (0, cutoffToZero, 3);
    Render (instance, input);
    EXPECT_EQ (instance.Process().PortData (bypassPort), zeros);
    session.Pump (50);
    EXPECT_LT (instance.Value (cutoff), 0.5);
}

TEST_F (Processing, PassesAudioThroughBitExactWhileMidiMovesAParameter)
{
    // The build's signal path passes audio through unchanged, so processing, not only
    // the bypassed path, must give the input back bit for bit.
    auto& instance = NewInstance();
    const auto cutoff = instance.FindParameter ("Cutoff");
    ASSERT_FALSE (cutoff.empty());
    instance.SetValue (cutoff, 1.0);
    const auto input = Noise (2, 256, 4);

    EXPECT_EQ (Render (instance, input), input);

    // CC 74 is "Filter Cutoff" in the default MIDI CC map: the block that carries it still
    // passes through bit for bit, and the parameter moves.
    const unsigned char controller[] = { 0xB0, 74, 0 };
    ASSERT_TRUE (instance.Process().MIDI().Add (100, controller, 3));
    EXPECT_EQ (Render (instance, input), input);
    session.Pump (50);
    EXPECT_LT (instance.Value (cutoff), 0.5);
    EXPECT_EQ (Render (instance, Noise (2, 64, 5)), Noise (2, 64, 5));
}

TEST_F (Processing, MonoAndStereoInstancesProcessFiniteAudio)
{
    for (int channels : { 1, 2 })
    {
        auto& instance = NewInstance (channels, 44100.0);
        const auto output = Render (instance, Noise (channels, 512));
        for (const auto& channel : output)
            EXPECT_TRUE (std::all_of (channel.begin(), channel.end(), [] (float s) { return std::isfinite (s); }));
    }
}

TEST_F (Processing, MidiControllersReachThePlugin)
{
    auto& instance = NewInstance();
    ASSERT_TRUE (instance.Process().HasMIDIInput());
    const auto cutoff = instance.FindParameter ("Cutoff");
    ASSERT_FALSE (cutoff.empty());
    instance.SetValue (cutoff, 1.0);

    // CC 74 drives the filter's cutoff through the default MIDI CC map.
    const unsigned char controller[] = { 0xB0, 74, 0 };
    ASSERT_TRUE (instance.Process().MIDI().Add (10, controller, 3));
    const auto input = Noise (2, 128);
    Render (instance, input);
    session.Pump (50);

    EXPECT_LT (instance.Value (cutoff), 0.5);
    EXPECT_EQ (instance.Process().MIDI().Size(), 0u);
}

//==============================================================================
using Gui = BundleSession;

TEST_F (Gui, HeadlessEditorReportsItsSizeAndTakesUpdates)
{
    auto& instance = NewInstance();
    const auto [width, height] = ExpectHeadlessEditor (instance, instance.FindParameter ("Mix"), 0.2);
    EXPECT_GT (width, 100);
    EXPECT_GT (height, 100);
}

TEST_F (Gui, ReleasingTheGuiWithItsContainerStillSetIsSafe)
{
    auto& instance = NewInstance();
    StandInGui gui (instance);
    std::string error;
    ASSERT_TRUE (gui.Open (false, error)) << error;
    session.Pump (20);
    gui.ReleaseWithoutClosing();
    session.Pump (20);
}

TEST_F (Gui, EditorEmbedsInARealWindow)
{
    if (! StandInX11Display::Shared().IsOpen())
        GTEST_SKIP() << "no X display";

    const auto [width, height] = ExpectEditorEmbeds (NewInstance());
    EXPECT_GT (width, 100);
    EXPECT_GT (height, 100);
}

//==============================================================================
namespace
{
    // A figure of /proc/self/status in KiB ("VmHWM": the peak since the last reset; "VmRSS"),
    // 0 when unknown.
    size_t residentKiB (const std::string& field)
    {
        std::ifstream status ("/proc/self/status");
        for (std::string line; std::getline (status, line);)
            if (line.rfind (field + ":", 0) == 0)
                return std::stoul (line.substr (field.size() + 1));
        return 0;
    }

    bool resetPeakResident()
    {
        std::ofstream clear ("/proc/self/clear_refs");
        return static_cast<bool> (clear << "5" << std::flush);
    }
}

TEST (Renderer, PeakMemoryDoesNotGrowWithTheInputsLength)
{
    const auto folder = std::filesystem::temp_directory_path() / ("aax-render-" + std::to_string (std::random_device {}()));
    std::filesystem::create_directories (folder);
    setenv ("GRINDEL_DATA_ROOT", folder.c_str(), 1);
    unsetenv ("GRINDEL_RESOURCES");

    const auto render = [&] (int seconds) -> size_t {
        // A stereo 16-bit input of that length, written a block at a time.
        const auto input = (folder / "in.wav").string();
        std::string error;
        {
            StandInWavFile wav;
            wav.bitsPerSample = 16;
            EXPECT_TRUE (wav.OpenForWriting (input, 2, error)) << error;
            std::vector<std::vector<float>> block (2, std::vector<float> (4800));
            for (int i = 0; i < seconds * 10; ++i)
            {
                for (auto& channel : block)
                    for (size_t f = 0; f < channel.size(); ++f)
                        channel[f] = static_cast<float> (std::sin (static_cast<double> (f) * 0.01 * (i + 1))) * 0.5f;
                EXPECT_TRUE (wav.WriteFrames (block, 4800, error)) << error;
            }
            EXPECT_TRUE (wav.Close (error)) << error;
        }

        StandInRenderer::Options options;
        options.bundle = GRINDEL_AAX_BUNDLE;
        options.input = input;
        options.output = (folder / "out.wav").string();
        options.chunkPrefix = (folder / "out").string();
        options.quiet = true;
        std::ostringstream out, err;

        if (! resetPeakResident())
            return 0;

        // What the render adds to the process as it was (earlier runs leave their heap).
        const auto before = residentKiB ("VmRSS");
        EXPECT_EQ (StandInRenderer::Run (options, out, err), 0) << err.str();
        const auto peak = residentKiB ("VmHWM") - before + 1;

        StandInWavFile rendered;
        EXPECT_TRUE (rendered.OpenForReading (options.output, error)) << error;
        EXPECT_EQ (rendered.NumFrames(), static_cast<uint64_t> (seconds) * 48000u);
        return peak;
    };

    render (1);   // the bundle's first load is not the render's cost
    const auto shortPeak = render (2);
    const auto longPeak = render (60);
    std::error_code ec;
    std::filesystem::remove_all (folder, ec);

    if (shortPeak == 0 || longPeak == 0)
        GTEST_SKIP() << "this kernel reports no resettable peak memory";

    // The whole 60 s held in memory even once as floats would be 23 MB more.
    EXPECT_LT (longPeak, shortPeak + 8 * 1024) << "2 s: " << shortPeak << " KiB, 60 s: " << longPeak << " KiB";
}
