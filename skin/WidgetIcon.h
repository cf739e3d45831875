#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <memory>

/** Mix-in of image widgets: an icon shown as a child in place of a missing image. */
class WidgetIcon
{
public:
    WidgetIcon() = default;
    virtual ~WidgetIcon();

    /** Replaces the icon and shows it as a child of widget, fitted into (0, 0, width, height).
        A widget without a size takes width x height, so a broken skin still shows it.
        A null icon removes the current one. */
    void setIcon (juce::Component& widget, std::unique_ptr<juce::Drawable> icon, int width, int height);

    juce::Drawable* getIcon() const noexcept { return icon.get(); }

private:
    std::unique_ptr<juce::Drawable> icon;

    JUCE_DECLARE_NON_COPYABLE (WidgetIcon)
};
