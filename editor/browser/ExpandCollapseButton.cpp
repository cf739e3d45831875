#include "editor/browser/ExpandCollapseButton.h"
#include "skin/EmbeddedIcons.h"

namespace
{
    std::unique_ptr<juce::Drawable> greyCopy (const juce::Drawable& icon)
    {
        auto copy = icon.createCopy();
        copy->replaceColour (juce::Colours::black, juce::Colour (ExpandCollapseButton::hoverGrey));
        return copy;
    }
}

ExpandCollapseButton::ExpandCollapseButton (Look look)
    : juce::DrawableButton ("Expand / Collapse", juce::DrawableButton::ImageFitted)
{
    const bool shown = look == Look::shownWhenOff;
    const auto expand = getStandardIcon (shown ? StandardIcon::collapse : StandardIcon::expand);
    const auto collapse = getStandardIcon (shown ? StandardIcon::arrowLeft : StandardIcon::collapse);
    jassert (expand != nullptr && collapse != nullptr);

    if (expand != nullptr && collapse != nullptr)
    {
        const auto expandOver = greyCopy (*expand);
        const auto collapseOver = greyCopy (*collapse);
        setImages (expand.get(), expandOver.get(), expandOver.get(), nullptr,
                   collapse.get(), collapseOver.get(), collapseOver.get(), nullptr);
    }

    setColour (juce::DrawableButton::backgroundColourId, juce::Colours::transparentBlack);
    setColour (juce::DrawableButton::backgroundOnColourId, juce::Colours::transparentBlack);
    setClickingTogglesState (true);
    setToggleState (false, juce::dontSendNotification);
}

ExpandCollapseButton::~ExpandCollapseButton() = default;
