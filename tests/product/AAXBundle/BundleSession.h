#pragma once

#include "StandInController.h"
#include "StandInEffectDescriptor.h"
#include "StandInInstance.h"
#include "StandInSession.h"

#include "AAX.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

// A bundle (the product's by default) in a fresh stand-in host, with the plug-in's data folders in a
// temporary folder (never the user's). At the end every instance must be gone and
// the bundle must report no live object.
class BundleSession : public ::testing::Test
{
protected:
#ifdef GRINDEL_AAX_BUNDLE
    BundleSession() : BundleSession (GRINDEL_AAX_BUNDLE) {}
#endif
    explicit BundleSession (std::string bundle) : bundlePath (std::move (bundle)) {}

    void SetUp() override
    {
        dataRoot = std::filesystem::temp_directory_path() / ("aax-bundle-" + std::to_string (std::random_device{}()));
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
    static constexpr AAX_CTypeID kJuce     = 'juce';
    static constexpr size_t      kHeader   = offsetof (AAX_SPlugInChunk, fData);

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

    // Where the steps of one host round trip stand in an automation log; a missing step
    // stands at the log's size.
    struct RoundTrip { ptrdiff_t touch, request, current, release; };

    static RoundTrip RoundTripIn (const std::vector<std::string>& log, const std::string& id, const std::string& value)
    {
        const auto at = [&log] (const std::string& line) { return std::find (log.begin(), log.end(), line) - log.begin(); };
        return { at ("touch " + id), at ("request " + id + " " + value), at ("current " + id + " " + value), at ("release " + id) };
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

    std::string                                    bundlePath;
    std::filesystem::path                          dataRoot;
    StandInSession                                 session;
    std::vector<std::unique_ptr<StandInInstance>>  instances;
};
