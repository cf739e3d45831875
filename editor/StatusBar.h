#pragma once

#include "core/parameters/Parameter.h"
#include "editor/windows/FrontWindow.h"
#include "editor/GUIPickerComponent.h"
#include "editor/MidiMapComponent.h"
#include "editor/QualitySettingsComponent.h"
#include "skin/RadioTextButtons.h"
#include "skin/TextButtonWithIcon.h"

class BasePlugin;

/** The strip along the bottom of the editor: one line of status text on the left, and buttons
    on the right that open the quality, MIDI CC map and skin-size pages in the front layer (and,
    in developer mode, "PrtScn", which saves a snapshot of the editor).

    A message has a level: a less important one never replaces a more important one. */
class StatusBar : public juce::Component,
                  public juce::Timer,
                  public FrontWindow::Callback,
                  public juce::Button::Listener,
                  public Parameter::Listener,
                  public RadioTextButtons::Listener
{
public:
    enum ColourIds
    {
        backgroundColourId = 0x0F004001,
        textColourId = 0x0F004002
    };

    static constexpr int timedMessageMs = 3000;

    explicit StatusBar (BasePlugin& plugin);
    ~StatusBar() override;

    /** Shows text without time limit. */
    void showMessage (const juce::String& text, int level = 0, bool clearFirst = false);
    /** Shows text for 3000 ms. */
    void showTimedMessage (const juce::String& text, int level = 0, bool clearFirst = false);
    /** Clears the message when level is -1 or at least the shown level. */
    void clearMessage (int level = -1);

    const juce::String& getText() const noexcept { return text; }
    int getLevel() const noexcept { return level; }

    /** The editor shows the skin button only with two or more skins. */
    void setSkinPickerVisible (bool shouldBeVisible);

    TextButtonWithIcon& getQualityButton() noexcept { return qualityButton; }
    TextButtonWithIcon& getMidiButton() noexcept { return midiButton; }
    TextButtonWithIcon& getSkinButton() noexcept { return skinButton; }
    TextButtonWithIcon& getSnapshotButton() noexcept { return snapshotButton; }
    MidiMapComponent& getMidiMapPage() noexcept { return midiMapPage; }
    GUIPickerComponent& getSkinPage() noexcept { return skinPage; }
    QualitySettingsComponent& getQualityPage() noexcept { return qualityPage; }

    /** Message thread: ends a timed message. */
    void timerCallback() override;
    void buttonClicked (juce::Button* button) override;
    void frontWindowClosed (juce::Component* page, juce::Component* pressedComponent) override;
    void parameterChanged (Parameter* parameter) override;
    void radioChoiceMade (RadioTextButtons* buttons, int index) override;

    void lookAndFeelChanged() override;
    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    void setMessage (const juce::String& newText, int newLevel, int timeoutMs);
    void openPage (juce::Component& page, juce::Button& anchor);
    void updateQualityLabel();

    BasePlugin& plugin;
    MidiMapComponent midiMapPage;
    GUIPickerComponent skinPage;
    QualitySettingsComponent qualityPage;
    TextButtonWithIcon qualityButton { "Normal" }, midiButton { "MIDI" }, skinButton { "GUI" },
        snapshotButton { "PrtScn" };
    juce::Font font;
    juce::String text;
    int level = 0;
    bool listensToQuality = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (StatusBar)
};
