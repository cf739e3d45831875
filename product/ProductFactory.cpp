#include "core/PluginAudioProcessor.h"
#include "core/ProductFactory.h"
#include "product/Grindel.h"

std::unique_ptr<BasePlugin> createProductPlugin()
{
    return std::make_unique<Grindel>();
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new PluginAudioProcessor();
}
