#include "skin/RadioTextButtons.h"
#include <cmath>

RadioTextButtons::RadioTextButtons (Parameter* parameter)
{
    addParameter (parameter);
}

RadioTextButtons::~RadioTextButtons()
{
    // The buttons go before the parameter binding, so no late callback reaches them.
    removeAllParameters();
}

void RadioTextButtons::addListener (Listener* listener)
{
    listeners.add (listener);
}

void RadioTextButtons::removeListener (Listener* listener)
{
    listeners.remove (listener);
}

int RadioTextButtons::getSelectedIndex() const
{
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons.getUnchecked (i)->getToggleState())
            return i;

    return -1;
}

bool RadioTextButtons::acceptsParameter (Parameter* parameter)
{
    // One row shows one parameter, and only a choice among named items.
    return parameters.isEmpty() && parameter != nullptr && ! parameter->getItemNames().isEmpty();
}

void RadioTextButtons::parameterAdded (Parameter* parameter)
{
    int width = 0;

    for (const auto& item : parameter->getItemNames())
    {
        auto* button = buttons.add (new juce::TextButton (item));
        button->setRadioGroupId (1);
        button->setWantsKeyboardFocus (false);
        button->setMouseClickGrabsKeyboardFocus (false);
        button->addListener (this);
        addAndMakeVisible (button);

        const auto font = getLookAndFeel().getTextButtonFont (*button, buttonHeight);
        width += (int) std::ceil (font.getStringWidthFloat (item)) + 16;
    }

    setSize (width, buttonHeight);
}

void RadioTextButtons::parameterValueChanged (Parameter* parameter)
{
    if (parameter == nullptr || parameter != getParameter (0))
        return;

    if (auto* button = buttons[parameter->getIntValue()])
        button->setToggleState (true, juce::dontSendNotification);
}

void RadioTextButtons::resized()
{
    const int n = buttons.size();

    for (int i = 0; i < n; ++i)
    {
        const int x0 = getWidth() * i / n, x1 = getWidth() * (i + 1) / n;
        buttons.getUnchecked (i)->setBounds (x0, 0, x1 - x0, getHeight());
    }
}

void RadioTextButtons::buttonClicked (juce::Button* button)
{
    const int index = buttons.indexOf (static_cast<juce::TextButton*> (button));

    if (index < 0)
        return;

    button->setToggleState (true, juce::dontSendNotification);

    beginChangeGesture (nullptr);
    setIntValue (index, nullptr);
    endChangeGesture (nullptr);

    listeners.call ([this, index] (Listener& l) { l.radioChoiceMade (this, index); });
}
