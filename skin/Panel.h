#pragma once

#include "skin/FrameComponent.h"
#include "skin/GUIController.h"
#include "skin/ParameterController.h"
#include <memory>

class Skin;

/** The skin element "Panel": a frame with an optional background image that owns the widgets
    of its "controls" child. The root "Panel" of a GUI description is the editor's content. */
class Panel : public FrameComponent
{
public:
    /** The size of a panel that has neither an image nor a usable "w" and "h". */
    static constexpr int defaultSize = 200;

    Panel (const juce::ValueTree& element, Skin& skin);
    ~Panel() override;

    /** True when the panel now has a background image (which sets its size). */
    bool setBackground (const juce::Image& image);
    const juce::Image& getBackground() const noexcept { return background; }

    /** Adds a child widget and owns it; null is ignored, one already owned only shown again. */
    void addControl (std::unique_ptr<juce::Component> control);
    const juce::OwnedArray<juce::Component>& getControls() const noexcept { return controls; }

    /** Registers the listener with every image-strip control of this panel and its nested
        panels, and, when it also is a ParameterController::Listener, with every
        ParameterController among them (contained ones too). */
    void addControlListener (GUIController::Listener* listener);

    void paint (juce::Graphics& g) override;

private:
    void addParameterControllerListener (ParameterController::Listener* listener);

    juce::Image background;
    juce::OwnedArray<juce::Component> controls;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Panel)
};
