#pragma once

#include "core/NimbusEffect.h"

/** Grindel 2: the vintage-sampler bit crusher. */
class Grindel : public NimbusEffect
{
public:
    Grindel();

    juce::String getDisplayName() const override { return "Grindel 2"; }
    juce::String getShortCode() const override { return "GR"; }
    juce::String getDescriptionText() const override { return "High Quality Bit Crusher"; }
    juce::String getCategory() const override { return "Vintage Sampler;Degradation"; }
    juce::String getBranch() const override { return "master"; }
    juce::String getVersion() const override { return GRINDEL_VERSION_STRING; }
    juce::String getBuildText() const override { return "0"; }
    juce::String getWebAddress() const override { return "https://www.orvikgroup.com/grindel2"; }
    juce::String getStartPresetName() const override { return "MPC60"; }
    juce::String getInitPresetName() const override { return "- Bypass -"; }
    bool hasPresets() const override { return true; }
    bool hasEditor() const override { return true; }
    juce::Array<IdRange> getParameterIdRanges (int setIndex) const override;

protected:
    std::unique_ptr<BasePluginCore> makeCore() override;
    std::unique_ptr<PluginEditor> makeEditor() override;
};
