#include "editor/PresetSettingsComponent.h"

const char* const PresetSettingsComponent::warningText =
    "If parameters were changed show warning before loading Prev/Next preset";

// The page reads nothing of the plug-in: the editor saves and loads its check box.
PresetSettingsComponent::PresetSettingsComponent (BasePlugin&)
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
