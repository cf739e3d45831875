#include "editor/ParameterInfo.h"
#include "core/BasePlugin.h"

ParameterInfo::ParameterInfo (BasePlugin& p, Parameter* parameter, bool option)
    : plugin (p), learnToggle ("LearnToggle")
{
    addParameter (parameter);

    nameLabel.setText (parameter != nullptr ? plugin.getParameterDisplayName (parameter->getId()) : juce::String(),
                       juce::dontSendNotification);
    nameLabel.setFont (juce::Font (15.0f, juce::Font::bold));
    nameLabel.setColour (juce::Label::textColourId, juce::Colours::black);
    nameLabel.setMinimumHorizontalScale (0.7f);

    controllerLabel.setColour (juce::Label::textColourId, juce::Colours::black);

    learnToggle.setButtonText ("Learn MIDI CC");
    // The check box's own white text is for dark windows; this pop-up is light grey.
    learnToggle.setColour (CheckBox::textColourId, juce::Colours::black);
    learnToggle.setWantsKeyboardFocus (false);
    learnToggle.juce::Button::addListener (this);

    addAndMakeVisible (nameLabel);
    addAndMakeVisible (learnToggle);
    addAndMakeVisible (controllerLabel);
    setSize (popupWidth, popupHeight);
    updateControllerText();

    if (option && parameter != nullptr)
    {
        learnToggle.setChecked (true, juce::dontSendNotification);
        setLearning (true);
    }
}

ParameterInfo::~ParameterInfo()
{
    stopTimer();
    learnToggle.juce::Button::removeListener (this);
}

void ParameterInfo::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void ParameterInfo::removeListener (Listener* listener)
{
    listeners.removeFirstMatchingValue (listener);
}

juce::String ParameterInfo::describeController (int controller)
{
    return controller < 0 ? juce::String ("No CC") : "CC " + juce::String (controller);
}

void ParameterInfo::updateControllerText()
{
    controllerLabel.setText (describeController (plugin.getMidiControlMap().getControllerFor (getParameter (0))),
                             juce::dontSendNotification);
}

void ParameterInfo::buttonClicked (juce::Button* button)
{
    if (button == &learnToggle)
        setLearning (learnToggle.isChecked());
}

void ParameterInfo::setLearning (bool shouldLearn)
{
    auto& map = plugin.getMidiControlMap();
    auto* parameter = getParameter (0);

    if (shouldLearn && parameter != nullptr)
    {
        map.startLearning (parameter);
        startTimer (learnPollMs);
        return;
    }

    stopTimer();

    if (map.getLearnTarget() == parameter && parameter != nullptr)
        map.endLearning (false);
}

void ParameterInfo::timerCallback()
{
    auto& map = plugin.getMidiControlMap();
    auto* parameter = getParameter (0);

    if (map.getLearnTarget() != parameter)
    {
        // Someone else ended or took over the learning.
        stopTimer();
        learnToggle.setChecked (false, juce::dontSendNotification);
        updateControllerText();
        return;
    }

    if (map.getLearntController() < 0)
        return;

    // The first controller that arrives is the one the user meant.
    map.endLearning (true);
    stopTimer();
    learnToggle.setChecked (false, juce::dontSendNotification);
    updateControllerText();
}

bool ParameterInfo::keyPressed (const juce::KeyPress& key)
{
    if (key != juce::KeyPress::escapeKey)
        return false;

    for (int i = listeners.size(); --i >= 0;)
        if (listeners[i]->closeParameterInfo (this))
            break;

    return true;
}

void ParameterInfo::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xFFE3E3E3));
    g.setColour (juce::Colours::black);
    g.drawRect (getLocalBounds(), 1);
}

void ParameterInfo::resized()
{
    auto area = getLocalBounds().reduced (6, 4);
    nameLabel.setBounds (area.removeFromTop (22));
    learnToggle.setBounds (area.removeFromTop (22));
    controllerLabel.setBounds (area.removeFromTop (20));
}
