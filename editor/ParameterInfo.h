#pragma once

#include "skin/CheckBox.h"
#include "skin/ParameterController.h"
#include <juce_gui_basics/juce_gui_basics.h>

class BasePlugin;

/** The MIDI CC learn pop-up of one parameter: its name, a "Learn MIDI CC" toggle and the CC
    the parameter is mapped to.

    Ticking the toggle arms learning on the plug-in's MIDI CC map; the first controller that
    arrives is kept and the toggle unticks itself. Closing the pop-up while still armed is the
    editor's business (it cancels the learning). */
class ParameterInfo : public juce::Component,
                      public ParameterController,
                      private juce::Button::Listener,
                      private juce::Timer
{
public:
    /** The editor: shows the pop-up and closes it when asked. */
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void showParameterInfo (ParameterInfo* info) = 0;
        /** True when the pop-up was shown and is now closed. */
        virtual bool closeParameterInfo (juce::Component* info) = 0;
    };

    static constexpr int popupWidth = 190, popupHeight = 74;
    static constexpr int learnPollMs = 40;

    /** option: the toggle's state from the previous pop-up; on arms learning at once. */
    ParameterInfo (BasePlugin& plugin, Parameter* parameter, bool option);
    ~ParameterInfo() override;

    /** The toggle's state: learning armed. */
    bool getOption() const noexcept { return learnToggle.isChecked(); }
    /** The CC now mapped to the parameter as shown ("CC 7", or "No CC" when none). */
    juce::String getControllerText() const { return controllerLabel.getText(); }
    CheckBox& getLearnToggle() noexcept { return learnToggle; }

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    void paint (juce::Graphics& g) override;
    void resized() override;
    bool keyPressed (const juce::KeyPress& key) override;

    static juce::String describeController (int controller);

private:
    void buttonClicked (juce::Button* button) override;
    // Message thread: watches for the learnt controller.
    void timerCallback() override;
    void setLearning (bool shouldLearn);
    void updateControllerText();

    BasePlugin& plugin;
    juce::Label nameLabel, controllerLabel;
    CheckBox learnToggle;
    juce::Array<Listener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParameterInfo)
};
