#pragma once

#include "core/NimbusEffect.h"

namespace test
{
    /** A plug-in for the tests of the layers below the product. It takes the product's name
        and preset names, so it reads the product's resources (parameters.xml, the factory
        presets and skins), but formats values the core's way, has a TestPluginCore and no
        editor unless a test makes one. */
    class TestPlugin : public NimbusEffect
    {
    public:
        TestPlugin();

        juce::String getDisplayName() const override { return "Grindel 2"; }
        juce::String getShortCode() const override { return "GR"; }
        juce::String getCategory() const override { return "Vintage Sampler;Degradation"; }
        juce::String getVersion() const override { return GRINDEL_VERSION_STRING; }
        juce::String getWebAddress() const override { return "https://www.orvikgroup.com/grindel2"; }
        juce::String getStartPresetName() const override { return "MPC60"; }
        juce::String getInitPresetName() const override { return "- Bypass -"; }
        bool hasPresets() const override { return true; }

    protected:
        std::unique_ptr<BasePluginCore> makeCore() override;
    };
}
