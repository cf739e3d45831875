#pragma once

// The tags the content benchmarks give their presets: two "Vintage Sampler" and one
// "Degradation" tag drawn from a dozen, as the factory presets carry them.

#include "core/content/CategoryTagMap.h"

inline CategoryTagMap randomSharedTags (juce::Random& random)
{
    static const juce::StringArray vintage { "12 Bit", "8 Bit", "Drums", "Classic", "Computer", "Toy" };
    static const juce::StringArray degradation { "Subtle", "Gritty", "Heavy", "Noisy", "Filtered", "Extreme" };

    CategoryTagMap tags;
    tags.add ("Vintage Sampler", vintage[random.nextInt (vintage.size())]);
    tags.add ("Vintage Sampler", vintage[random.nextInt (vintage.size())]);
    tags.add ("Degradation", degradation[random.nextInt (degradation.size())]);
    return tags;
}
