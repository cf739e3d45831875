#pragma once

#include "core/content/ContentSource.h"
#include "core/content/PresetTarget.h"

/** A content source whose items are presets of a plug-in: presets are made as makePreset()
    says, logged to the plug-in's log, claimed for the plug-in when they name no application
    and loaded into presetSlot. */
class PresetContentSource : public ContentSource
{
public:
    PresetContentSource (PresetTarget& plugin, const juce::String& sourceName, bool isReadOnly);

    void preparePreset (Preset& preset) override;

    /** The slot the source's presets load into. */
    int presetSlot = 0;

protected:
    virtual std::unique_ptr<Preset> makePreset() const { return std::make_unique<Preset>(); }

    bool loadItemData (ContentItem& item, int flag) override;

    PresetTarget& plugin;
};
