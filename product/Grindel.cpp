#include "product/Grindel.h"
#include "core/CommandParameter.h"
#include "product/GrindelCore.h"
#include "product/GrindelEditor.h"
#include "product/GrindelParameterManager.h"

Grindel::Grindel()
    : NimbusEffect (std::make_unique<GrindelParameterManager>())
{
}

juce::Array<BasePlugin::IdRange> Grindel::getParameterIdRanges (int setIndex) const
{
    // The preset name is shown by hosts next to the parameters.
    juce::Array<IdRange> ranges;

    if (setIndex == 0)
        ranges.add ({ CommandParameter::presetNameId, CommandParameter::presetNameId + 1 });

    return ranges;
}

std::unique_ptr<BasePluginCore> Grindel::makeCore()
{
    return std::make_unique<GrindelCore>();
}

std::unique_ptr<PluginEditor> Grindel::makeEditor()
{
    return std::make_unique<GrindelEditor> (*this);
}
