#pragma once

#include "editor/StatusBarPage.h"
#include "skin/RadioTextButtons.h"
#include "skin/TextButtonWithIcon.h"
#include <memory>

class BasePlugin;

/** The status bar's quality page: the real-time and the offline processing quality, one
    section at a time. */
class QualitySettingsComponent : public StatusBarPage,
                                 public juce::Button::Listener
{
public:
    explicit QualitySettingsComponent (BasePlugin& plugin);
    ~QualitySettingsComponent() override;

    bool isRealTimeSelected() const noexcept { return realTimeButton.getToggleState(); }
    TextButtonWithIcon& getRealTimeButton() noexcept { return realTimeButton; }
    TextButtonWithIcon& getOfflineButton() noexcept { return offlineButton; }
    RadioTextButtons& getRealTimeChoice() noexcept { return realTimeChoice; }
    RadioTextButtons& getOfflineChoice() noexcept { return offlineChoice; }

    void buttonClicked (juce::Button* button) override;
    void resized() override;

    static constexpr int width = 145;

private:
    TextButtonWithIcon realTimeButton { "Real-time quality" }, offlineButton { "Offline quality" };
    RadioTextButtons realTimeChoice, offlineChoice;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QualitySettingsComponent)
};
