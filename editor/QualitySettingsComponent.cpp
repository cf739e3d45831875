#include "editor/QualitySettingsComponent.h"
#include "core/BasePlugin.h"
#include "editor/windows/WindowIcons.h"

QualitySettingsComponent::QualitySettingsComponent (BasePlugin& p)
    : StatusBarPage (juce::Colour (0xFFBBBBBB)),
      realTimeChoice (p.getRealtimeQualityParameter()),
      offlineChoice (p.getOfflineQualityParameter())
{
    const auto icon = WindowIcons::createQualityIcon();

    for (auto* b : { &realTimeButton, &offlineButton })
    {
        if (icon != nullptr)
            b->setIcon (*icon);

        b->setText (b->getName(), false);
        b->setClickingTogglesState (true);
        b->setWantsKeyboardFocus (false);
        b->setColour (juce::TextButton::buttonColourId, juce::Colour (0xFF737373));
        b->setColour (juce::TextButton::buttonOnColourId, juce::Colour (0xFF737373));
        b->setColour (juce::TextButton::textColourOffId, juce::Colours::white);
        b->setColour (juce::TextButton::textColourOnId, juce::Colours::white);
        b->addListener (this);
        addAndMakeVisible (b);
    }

    addChildComponent (realTimeChoice);
    addChildComponent (offlineChoice);

    setSize (width, realTimeChoice.getHeight() + 50);
    buttonClicked (&realTimeButton);
}

QualitySettingsComponent::~QualitySettingsComponent()
{
    realTimeButton.removeListener (this);
    offlineButton.removeListener (this);
}

void QualitySettingsComponent::buttonClicked (juce::Button* button)
{
    if (button != &realTimeButton && button != &offlineButton)
        return;

    const bool realTime = button == &realTimeButton;
    realTimeButton.setToggleState (realTime, juce::dontSendNotification);
    offlineButton.setToggleState (! realTime, juce::dontSendNotification);
    realTimeChoice.setVisible (realTime);
    offlineChoice.setVisible (! realTime);
    resized();
}

void QualitySettingsComponent::resized()
{
    const int w = getWidth();
    const int choiceHeight = realTimeChoice.getHeight();
    realTimeButton.setBounds (1, 1, w - 2, 24);
    realTimeChoice.setBounds (1, 24, w - 2, choiceHeight);

    if (isRealTimeSelected())
    {
        offlineButton.setBounds (1, realTimeChoice.getBottom(), w - 2, 24);
    }
    else
    {
        offlineButton.setBounds (1, 24, w - 2, 24);
        offlineChoice.setBounds (1, 48, w - 2, choiceHeight);
    }
}
