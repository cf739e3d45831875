#pragma once

#include "skin/ImageStripComponent.h"
#include "skin/ImageStrippable.h"
#include "skin/WidgetIcon.h"
#include <juce_gui_basics/juce_gui_basics.h>

class Skin;

/** The image side of an image-strip widget: its bounds and its "gfx" strip.

    A missing or broken "gfx" image shows an embedded icon instead, so a damaged skin still
    shows (and lets the user operate) every control. */
class BaseGFXController : public ImageStripComponent,
                          public ImageStrippable,
                          public WidgetIcon
{
public:
    static const juce::Identifier gfxAttribute;

    /** owner: the widget; fallbackIconKey: its embedded icon (EmbeddedIconKey);
        imageRequired: false for widgets that draw well without an image (text displays). */
    BaseGFXController (juce::Component& owner, juce::uint32 fallbackIconKey, bool imageRequired = true);

    /** Reads "x", "y", "w", "h" and the "gfx" strip and sets the widget's bounds; a size that
        is missing or below 1 takes the strip's frame size. */
    virtual void loadFromXml (const juce::ValueTree& element, Skin& skin);

    /** The size used when neither the element nor the image gives one. */
    static constexpr int defaultSize = 32;

protected:
    void stripFrameChanged() override;
    void imageStripLoaded (const juce::Identifier& attribute, const ImageStrip& loaded) override;

    juce::Component& owner;

private:
    juce::uint32 fallbackIconKey;
    bool imageRequired;
};
