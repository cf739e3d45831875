#pragma once

#include "core/content/Preset.h"

class ParameterManager;

/** What a preset source needs of the plug-in: its name and parameters, loading a preset into
    it and storing its settings into one, and its log. BasePlugin is the one target; the
    sources never see the rest of it. Message thread. */
class PresetTarget
{
public:
    virtual ~PresetTarget() = default;

    virtual juce::String getDisplayName() const = 0;
    virtual ParameterManager& getParameterManager() noexcept = 0;
    /** The name presets saved by the user carry as their author. */
    virtual juce::String getAuthorName() const = 0;

    /** Applies a preset's values to the parameters. False when the preset loaded only partly:
        values that do not parse gave their parameters the default (and a log line). */
    virtual bool loadPreset (const Preset& preset, int slot, bool notify) = 0;
    /** The current values of every parameter presets hold. */
    virtual void storePresetValues (Preset& preset, int slot) = 0;
    /** A source saved the current settings as this preset. */
    virtual void presetStored (const Preset& preset) = 0;

    virtual void logMessage (const juce::String& message) = 0;
    /** A failure the user must hear of (an action refused or lost). */
    virtual void reportProblem (const juce::String& message) { logMessage (message); }
};
