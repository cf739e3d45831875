#pragma once

#include "core/parameters/ListenerArray.h"
#include "skin/ParameterController.h"
#include <juce_gui_basics/juce_gui_basics.h>

/** A row of radio text buttons, one per item of an enumerated parameter; the lit button is the
    parameter's value. */
class RadioTextButtons : public juce::Component,
                         public ParameterController,
                         private juce::Button::Listener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        /** The user chose the item at index. */
        virtual void radioChoiceMade (RadioTextButtons* buttons, int index) = 0;
    };

    /** parameter: an enumerated parameter (null or another kind gives an empty row). */
    explicit RadioTextButtons (Parameter* parameter);
    ~RadioTextButtons() override;

    void addListener (Listener* listener);
    void removeListener (Listener* listener);
    using ParameterController::addListener;
    using ParameterController::removeListener;

    int getNumButtons() const noexcept { return buttons.size(); }
    juce::TextButton* getButton (int index) const { return buttons[index]; }
    /** The lit item, -1 when none. */
    int getSelectedIndex() const;

    static constexpr int buttonHeight = 20;

    bool acceptsParameter (Parameter* parameter) override;
    void parameterAdded (Parameter* parameter) override;
    void parameterValueChanged (Parameter* parameter) override;

    void resized() override;

private:
    void buttonClicked (juce::Button* button) override;

    juce::OwnedArray<juce::TextButton> buttons;
    ListenerArray<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RadioTextButtons)
};
