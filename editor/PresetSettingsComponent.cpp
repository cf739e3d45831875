#include "editor/PresetSettingsComponent.h"

const char* const PresetSettingsComponent::warningText =
    "If parameters were changed show warning before loading Prev/Next preset";

PresetSettingsComponent::PresetSettingsComponent (BasePlugin& p)
    : plugin (p)
{
    checkBox.setButtonText (warningText);
    // A new user is warned before unsaved changes are lost; settings may switch it off.
    checkBox.setChecked (true, juce::dontSendNotification);
    setSize (0, 20);
    addAndMakeVisible (checkBox);
}

PresetSettingsComponent::~PresetSettingsComponent() = default;

void PresetSettingsComponent::resized()
{
    checkBox.setBounds (0, 0, getWidth(), 20);
}
