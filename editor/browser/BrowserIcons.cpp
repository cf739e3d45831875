#include "editor/browser/BrowserIcons.h"
#include "skin/EmbeddedIcons.h"

namespace BrowserIcons
{
    std::unique_ptr<juce::Drawable> createIcon (int standardIcon, juce::Colour colour)
    {
        auto icon = getStandardIcon (standardIcon);

        if (icon != nullptr && colour != juce::Colours::black)
            icon->replaceColour (juce::Colours::black, colour);

        return icon;
    }

    static void makeFlat (juce::DrawableButton& button)
    {
        button.setEdgeIndent (0);
        button.setWantsKeyboardFocus (false);
        button.setMouseClickGrabsKeyboardFocus (false);
        button.setColour (juce::DrawableButton::backgroundColourId, juce::Colours::transparentBlack);
        button.setColour (juce::DrawableButton::backgroundOnColourId, juce::Colours::transparentBlack);
    }

    void setIconImages (juce::DrawableButton& button, int standardIcon)
    {
        const auto normal = createIcon (standardIcon);
        const auto over = createIcon (standardIcon, juce::Colour (overGrey));
        button.setImages (normal.get(), over.get(), over.get());
        makeFlat (button);
    }

    void setToggleIconImages (juce::DrawableButton& button, int offIcon, int onIcon)
    {
        const auto off = createIcon (offIcon);
        const auto offOver = createIcon (offIcon, juce::Colour (overGrey));
        const auto on = createIcon (onIcon);
        const auto onOver = createIcon (onIcon, juce::Colour (overGrey));
        button.setImages (off.get(), offOver.get(), off.get(), nullptr, on.get(), onOver.get(), on.get());
        makeFlat (button);
    }
}
