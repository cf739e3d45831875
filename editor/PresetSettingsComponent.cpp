#include "editor/PresetSettingsComponent.h"

const char* const PresetSettingsComponent::warningText =
    "If parameters were changed show warning before loading Prev/Next preset";

PresetSettingsComponent::PresetSettingsComponent (BasePlugin& p)
    : plugin (p)
{
    checkBox.setButtonText (warningText);
    setSize (0, 20);
    addAndMakeVisible (checkBox);
}

PresetSettingsComponent::~PresetSettingsComponent() = default;

void PresetSettingsComponent::resized()
{
    checkBox.setBounds (0, 0, getWidth(), 20);
}
