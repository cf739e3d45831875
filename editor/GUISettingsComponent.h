#pragma once

#include "skin/HardLabel.h"
#include "skin/widgets/ComboBoxEx.h"

class BasePlugin;

/** The "USER INTERFACE" options page: "Skin size" and a drop-down of the open editor's skins;
    choosing one changes the editor's skin. */
class GUISettingsComponent : public juce::Component,
                             public ComboBoxEx::Listener
{
public:
    explicit GUISettingsComponent (BasePlugin& plugin);
    ~GUISettingsComponent() override;

    /** Refills the drop-down from the editor's skins and selects the current one. */
    void refresh();

    ComboBoxEx& getChooser() noexcept { return chooser; }
    HardLabel& getLabel() noexcept { return label; }

    void comboBoxExChanged (ComboBoxEx* box) override;
    void resized() override;
    void visibilityChanged() override;
    void lookAndFeelChanged() override;

    static constexpr int chooserWidth = 150;

private:
    BasePlugin& plugin;
    HardLabel label { {}, "Skin size" };
    ComboBoxEx chooser;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GUISettingsComponent)
};
