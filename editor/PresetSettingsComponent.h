#pragma once

#include "skin/CheckBox.h"

class BasePlugin;

/** The "PRESETS" options page: its check box is the editor's preset-change warning switch. */
class PresetSettingsComponent : public juce::Component
{
public:
    static const char* const warningText;

    explicit PresetSettingsComponent (BasePlugin& plugin);
    ~PresetSettingsComponent() override;

    CheckBox& getCheckBox() noexcept { return checkBox; }
    bool isWarningOn() const noexcept { return checkBox.isChecked(); }

    void resized() override;

private:
    CheckBox checkBox;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetSettingsComponent)
};
