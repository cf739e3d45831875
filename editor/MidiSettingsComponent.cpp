#include "editor/MidiSettingsComponent.h"
#include "core/BasePlugin.h"

MidiSettingsComponent::MidiSettingsComponent (BasePlugin& p)
    : plugin (p)
{
    setSize (0, 20);
    mapChoice.setText ("MIDI CC map");
    mapChoice.addListener (this);
    mapChoice.setState (plugin.midiMapPath, false);
    mapChoice.getPathComponent().setFilePatterns ("*" + MidiControlMap::getFileExtension (plugin.getShortCode()));
    addAndMakeVisible (mapChoice);
}

MidiSettingsComponent::~MidiSettingsComponent()
{
    mapChoice.removeListener (this);
}

void MidiSettingsComponent::resourceCheckBoxChanged (DefaultResourceCheckBox* checkBox)
{
    if (checkBox != &mapChoice)
        return;

    plugin.useCustomMidiMap = mapChoice.isChecked();
    plugin.midiMapPath = mapChoice.getPath();
}

void MidiSettingsComponent::resized()
{
    mapChoice.setBounds (0, 0, getWidth(), 20);
}
