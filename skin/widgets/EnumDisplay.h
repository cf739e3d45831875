#pragma once

#include "editor/FrontWindow.h"
#include "skin/BaseGFXController.h"
#include "skin/ContainedComponent.h"
#include "skin/GUIController.h"
#include <memory>

/** Shows the frame of its enumerated parameter's value; a click opens a picker of the items in
    the editor's front layer, and choosing one sets the parameter. */
class EnumDisplay : public juce::Component,
                    public GUIController,
                    public BaseGFXController,
                    public ContainedComponent,
                    public FrontWindow::Callback
{
public:
    /** The pop-up list of the parameter's items; the current one is lit. */
    class Picker : public juce::Component,
                   private juce::Button::Listener
    {
    public:
        explicit Picker (EnumDisplay& owner);
        ~Picker() override;

        /** One button per item of the parameter; sized to fit them. */
        void fill (Parameter& parameter);
        int getNumItems() const noexcept              { return buttons.size(); }
        juce::TextButton* getItemButton (int index) const { return buttons[index]; }

        void paint (juce::Graphics& g) override;
        void resized() override;

        static constexpr int itemHeight = 18;

    private:
        void buttonClicked (juce::Button* button) override;

        EnumDisplay& owner;
        juce::OwnedArray<juce::TextButton> buttons;
    };

    explicit EnumDisplay (const juce::String& name);
    EnumDisplay (const juce::ValueTree& element, Skin& skin);
    ~EnumDisplay() override;

    /** Opens the picker (nothing without an enumerated parameter or a front layer). */
    void showPicker();
    bool isPickerOpen() const;
    Picker* getPicker() const noexcept              { return picker.get(); }
    /** Sets the parameter to an item, as the user's change. */
    void chooseItem (int index);

    void updateFromParameter() override;
    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void frontWindowClosed (juce::Component* popup, juce::Component* pressedComponent) override;

private:
    std::unique_ptr<Picker> picker;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EnumDisplay)
};
