#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <memory>

class Parameter;
class ComboBoxButton;
class ComponentRow;
class HardLabel;

/** The "PROCESSING QUALITY" options page: "Real-time" [choice]  "Offline" [choice], bound to
    the default quality parameters. Empty until setParameters. */
class DefaultSettingsComponent : public juce::Component
{
public:
    DefaultSettingsComponent();
    ~DefaultSettingsComponent() override;

    /** Builds the rows (replacing earlier ones) and binds the two choices. */
    void setParameters (Parameter* realTime, Parameter* offline);

    bool hasRows() const noexcept { return rows != nullptr; }
    ComboBoxButton* getRealTimeChoice() const noexcept;
    ComboBoxButton* getOfflineChoice() const noexcept;
    ComponentRow* getOuterRow() const noexcept;

    void resized() override;
    void lookAndFeelChanged() override;

private:
    struct Rows;
    std::unique_ptr<Rows> rows;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DefaultSettingsComponent)
};
