#include "core/content/PresetContentSource.h"

PresetContentSource::PresetContentSource (PresetTarget& p, const juce::String& sourceName, bool isReadOnly)
    : ContentSource (sourceName, isReadOnly), plugin (p)
{
    logger = [&p] (const juce::String& message) { p.logMessage (message); };
    reporter = [&p] (const juce::String& message) { p.reportProblem (message); };
}

void PresetContentSource::preparePreset (Preset& preset)
{
    if (preset.application.isEmpty())
        preset.application = plugin.getDisplayName();
}

bool PresetContentSource::loadItemData (ContentItem& item, int flag)
{
    auto preset = loadPresetByName (item.name, flag);

    if (preset == nullptr)
        return false;

    preparePreset (*preset);
    plugin.loadPreset (*preset, presetSlot, true);
    return true;
}
