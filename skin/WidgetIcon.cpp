#include "skin/WidgetIcon.h"

WidgetIcon::~WidgetIcon() = default;

void WidgetIcon::setIcon (juce::Component& widget, std::unique_ptr<juce::Drawable> newIcon, int width, int height)
{
    if (icon != nullptr)
        widget.removeChildComponent (icon.get());

    icon = std::move (newIcon);

    if (icon == nullptr)
        return;

    width = juce::jmax (0, width);
    height = juce::jmax (0, height);

    if (widget.getWidth() <= 0 || widget.getHeight() <= 0)
        widget.setSize (width, height);

    const juce::Rectangle<float> area (0.0f, 0.0f, (float) width, (float) height);
    icon->setInterceptsMouseClicks (false, false);
    icon->setTransformToFit (area, juce::RectanglePlacement::centred);
    widget.addAndMakeVisible (icon.get());
}
