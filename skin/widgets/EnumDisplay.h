#pragma once

#include "editor/windows/FrontWindow.h"
#include "skin/BaseGFXController.h"
#include "skin/ContainedComponent.h"
#include "skin/GUIController.h"
#include "skin/widgets/ButtonListPopup.h"
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
    explicit EnumDisplay (const juce::String& name);
    EnumDisplay (const juce::ValueTree& element, Skin& skin);
    ~EnumDisplay() override;

    /** Opens the picker, the list of the parameter's items with the current one lit (nothing
        without an enumerated parameter or a front layer). */
    void showPicker();
    bool isPickerOpen() const;
    ButtonListPopup* getPicker() const noexcept { return picker.get(); }
    /** Sets the parameter to an item, as the user's change. */
    void chooseItem (int index);

    void updateFromParameter() override;
    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void frontWindowClosed (juce::Component* popup, juce::Component* pressedComponent) override;

private:
    std::unique_ptr<ButtonListPopup> picker;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EnumDisplay)
};
