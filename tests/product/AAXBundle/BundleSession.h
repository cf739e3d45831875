#pragma once

#include "StandInAutomationDelegate.h"
#include "StandInComponentDescriptor.h"
#include "StandInController.h"
#include "StandInEffectDescriptor.h"
#include "StandInGui.h"
#include "StandInInstance.h"
#include "StandInSession.h"
#include "StandInX11Display.h"

#include "AAX.h"
#include "AAX_Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

// A bundle (the product's by default) in a fresh stand-in host, with the plug-in's data folders in a
// temporary folder (never the user's). At the end every instance must be gone and
// the bundle must report no live object.
class BundleSession : public ::testing::Test
{
protected:
#ifdef GRINDEL_AAX_BUNDLE
    BundleSession() : BundleSession (GRINDEL_AAX_BUNDLE)
    {}
#endif
    explicit BundleSession (std::string bundle) : bundlePath (std::move (bundle))
    {}

    void SetUp() override
    {
        dataRoot = std::filesystem::temp_directory_path() / ("aax-bundle-" + std::to_string (std::random_device {}()));
        std::filesystem::create_directories (dataRoot);
        setenv ("GRINDEL_DATA_ROOT", dataRoot.c_str(), 1);
        unsetenv ("GRINDEL_RESOURCES");   // the bundle finds its own resources
        ASSERT_TRUE (session.Open (bundlePath)) << session.Error();
    }

    void TearDown() override
    {
        instances.clear();
        EXPECT_EQ (0, session.Close());
        EXPECT_EQ (0, session.Host().OutstandingReferences());
        std::error_code ec;
        std::filesystem::remove_all (dataRoot, ec);
    }

    StandInInstance& NewInstance (int channels = 2, double sampleRate = 48000.0)
    {
        std::string error;
        auto instance = session.CreateInstance (channels, sampleRate, error);
        EXPECT_NE (instance, nullptr) << error;
        if (instance == nullptr)
            throw std::runtime_error (error);
        instances.push_back (std::move (instance));
        return *instances.back();
    }

    // Processes one block of the given channels in place of a copy; returns the output.
    static std::vector<std::vector<float>> Render (StandInInstance& instance, const std::vector<std::vector<float>>& input)
    {
        std::vector<std::vector<float>> output (input.size(), std::vector<float> (input.front().size()));
        std::vector<const float*> in;
        std::vector<float*> out;
        for (size_t c = 0; c < input.size(); ++c)
        {
            in.push_back (input[c].data());
            out.push_back (output[c].data());
        }
        instance.ProcessBlock (in.data(), out.data(), static_cast<int32_t> (input.front().size()));
        return output;
    }

    static constexpr AAX_CTypeID kControls = 'elck';
    static constexpr AAX_CTypeID kJuce = 'juce';
    static constexpr size_t kHeader = offsetof (AAX_SPlugInChunk, fData);

    // The header at the front of a saved chunk record.
    static AAX_SPlugInChunk header (const std::vector<uint8_t>& record)
    {
        AAX_SPlugInChunk chunk {};
        std::memcpy (&chunk, record.data(), kHeader);
        return chunk;
    }

    // The registered effect's factory procedures, sorted.
    std::vector<AAX_CProcPtrID> FactoryIDs() const
    {
        std::vector<AAX_CProcPtrID> factories;
        for (const auto& proc : session.Effect()->ProcPtrs())
            factories.push_back (proc.id);
        std::sort (factories.begin(), factories.end());
        return factories;
    }

    // What a plug-in says of itself at registration.
    struct Described
    {
        std::string effectID, manufacturer;
        std::vector<std::string> packageNames;
        uint32_t packageVersion;
        std::string name;
        std::vector<uint32_t> categories;
        int32_t manufacturerID, productID;
    };

    // The registration as the plug-in describes itself: both factories, and one component
    // per channel layout, each with one native procedure under the plug-in's identifiers.
    void ExpectRegistered (const Described& expected) const
    {
        const auto& r = session.Registered();
        EXPECT_EQ (r.effectID, expected.effectID);
        EXPECT_EQ (r.manufacturer, expected.manufacturer);
        EXPECT_EQ (r.packageNames, expected.packageNames);
        EXPECT_EQ (r.packageVersion, expected.packageVersion);
        ASSERT_FALSE (r.names.empty());
        EXPECT_EQ (r.names.front(), expected.name);
        EXPECT_EQ (r.categories, expected.categories);
        EXPECT_NE (r.sdkVersion, 0u);

        EXPECT_EQ (FactoryIDs(), (std::vector<AAX_CProcPtrID> { kAAX_ProcPtrID_Create_EffectParameters, kAAX_ProcPtrID_Create_EffectGUI }));

        ASSERT_EQ (r.components, 2u);
        for (int channels : { 1, 2 })
        {
            const auto* component = session.ComponentFor (channels);
            ASSERT_NE (component, nullptr) << channels;
            ASSERT_EQ (component->ProcessProcs().size(), 1u);
            const auto& proc = component->ProcessProcs().front();
            EXPECT_TRUE (proc.native);
            EXPECT_NE (proc.processProc, nullptr);
            EXPECT_EQ (proc.properties.values.at (AAX_eProperty_ManufacturerID), expected.manufacturerID);
            EXPECT_EQ (proc.properties.values.at (AAX_eProperty_ProductID), expected.productID);
        }
    }

    // The controls chunk: refused without a size query first, saved with its header,
    // equal to the state it was saved from and unequal once the parameter changes;
    // restoring it brings the parameter back.
    static void ExpectControlsChunkRoundTrip (StandInInstance& instance, const std::string& id, double changed)
    {
        std::vector<uint64_t> buffer (4096);
        EXPECT_EQ (instance.Effect().GetChunk (kControls, reinterpret_cast<AAX_SPlugInChunk*> (buffer.data())),
                   AAX_ERROR_INCORRECT_CHUNK_SIZE);

        AAX_Result result = 0;
        const auto saved = instance.GetChunk (kControls, result);
        ASSERT_EQ (result, AAX_SUCCESS);
        ASSERT_GT (saved.size(), kHeader);
        EXPECT_EQ (header (saved).fVersion, -1);
        EXPECT_STREQ (header (saved).fName, "Complete Controls State");

        bool equal = false;
        EXPECT_EQ (instance.CompareChunk (saved, equal), AAX_SUCCESS);
        EXPECT_TRUE (equal);

        const double before = instance.Value (id);
        ASSERT_TRUE (instance.SetValue (id, changed));
        EXPECT_NEAR (instance.Value (id), changed, 1e-6);
        EXPECT_EQ (instance.CompareChunk (saved, equal), AAX_SUCCESS);
        EXPECT_FALSE (equal);

        EXPECT_EQ (instance.SetChunk (saved), AAX_SUCCESS);
        EXPECT_NEAR (instance.Value (id), before, 1e-6);
        EXPECT_EQ (instance.CompareChunk (saved, equal), AAX_SUCCESS);
        EXPECT_TRUE (equal);
    }

    // The instance's JUCE state record, checked for its header and JUCE's own tag; empty,
    // with a failure, when there is none.
    static std::vector<uint8_t> JuceChunkOf (StandInInstance& instance)
    {
        AAX_Result result = 0;
        auto saved = instance.GetChunk (kJuce, result);
        EXPECT_EQ (result, AAX_SUCCESS);

        if (saved.size() <= kHeader + 8)
        {
            ADD_FAILURE() << "no JUCE state record";
            return {};
        }

        EXPECT_EQ (std::memcmp (saved.data() + kHeader, "VC2!", 4), 0);
        return saved;
    }

    // Sets the parameter as the host's automation does: the delegate's log shows touch,
    // request, the echoed current value and release in that order, and the value is set.
    static void ExpectHostRoundTrip (StandInInstance& instance, const std::string& id, double value)
    {
        instance.Automation().ClearRecords();
        ASSERT_TRUE (instance.SetValue (id, value));

        char text[32];
        std::snprintf (text, sizeof (text), "%g", value);
        const auto log = instance.Automation().Log();
        const auto at = [&log] (const std::string& line) { return std::find (log.begin(), log.end(), line) - log.begin(); };
        const auto touch = at ("touch " + id), request = at ("request " + id + " " + text),
                   current = at ("current " + id + " " + text), release = at ("release " + id);

        ASSERT_LT (release, static_cast<ptrdiff_t> (log.size())) << ::testing::PrintToString (log);
        EXPECT_LT (touch, request);
        EXPECT_LT (request, current);
        EXPECT_LT (current, release);
        EXPECT_NEAR (instance.Value (id), value, 1e-6);
    }

    // Opens the instance's editor without a window, tells it of a parameter change and
    // closes it again; returns the size its GUI reported.
    std::pair<int, int> ExpectHeadlessEditor (StandInInstance& instance, const std::string& id, double value)
    {
        StandInGui gui (instance);
        std::string error;
        EXPECT_TRUE (gui.Open (false, error)) << error;
        session.Pump (50);

        int width = 0, height = 0;
        EXPECT_TRUE (gui.ViewSize (width, height));
        EXPECT_TRUE (instance.SetValue (id, value));
        EXPECT_EQ (gui.IsOpen() ? gui.Gui().ParameterUpdated (id.c_str()) : AAX_ERROR_NULL_OBJECT, AAX_SUCCESS);
        session.Pump (50);
        gui.Close();
        EXPECT_FALSE (gui.IsOpen());
        return { width, height };
    }

    // Opens the instance's editor in a real window: the plug-in's view fills it at the
    // size its GUI reports, which is returned. The caller skips without a display.
    std::pair<int, int> ExpectEditorEmbeds (StandInInstance& instance)
    {
        StandInGui gui (instance);
        std::string error;
        EXPECT_TRUE (gui.Open (true, error)) << error;
        EXPECT_TRUE (gui.HasWindow());

        if (! gui.HasWindow())
            return {};

        session.Pump (100);

        int width = 0, height = 0, childWidth = 0, childHeight = 0;
        EXPECT_TRUE (gui.ViewSize (width, height));
        EXPECT_TRUE (StandInX11Display::Shared().ChildSize (gui.Window(), childWidth, childHeight));
        EXPECT_EQ (childWidth, width);
        EXPECT_EQ (childHeight, height);
        gui.Close();
        session.Pump (20);
        return { childWidth, childHeight };
    }

    // How many packets the host's controller has been posted for a port so far.
    size_t PostedPackets (int32_t port)
    {
        const auto& packets = session.Host().Controller().Packets();
        return packets.count (port) ? packets.at (port).size() : 0;
    }

    static std::vector<std::vector<float>> Noise (int channels, size_t frames, unsigned seed = 1)
    {
        std::mt19937 random (seed);
        std::uniform_real_distribution<float> sample (-0.5f, 0.5f);
        std::vector<std::vector<float>> noise (static_cast<size_t> (channels), std::vector<float> (frames));
        for (auto& channel : noise)
            for (auto& s : channel)
                s = sample (random);
        return noise;
    }

    std::string bundlePath;
    std::filesystem::path dataRoot;
    StandInSession session;
    std::vector<std::unique_ptr<StandInInstance>> instances;
};
