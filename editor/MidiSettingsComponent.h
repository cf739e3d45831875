#pragma once

#include "skin/DefaultResourceCheckBox.h"

class BasePlugin;

/** The "MIDI" options page: "MIDI CC map" ticked with a file chooses the user's own map. */
class MidiSettingsComponent : public juce::Component,
                              public DefaultResourceCheckBox::Listener
{
public:
    explicit MidiSettingsComponent (BasePlugin& plugin);
    ~MidiSettingsComponent() override;

    DefaultResourceCheckBox& getMapChoice() noexcept { return mapChoice; }

    void resourceCheckBoxChanged (DefaultResourceCheckBox* checkBox) override;
    void resized() override;

private:
    BasePlugin& plugin;
    DefaultResourceCheckBox mapChoice;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiSettingsComponent)
};
