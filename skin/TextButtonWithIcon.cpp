#include "skin/TextButtonWithIcon.h"
#include "skin/DefaultLookAndFeel.h"
#include <cmath>

TextButtonWithIcon::TextButtonWithIcon (const juce::String& name)
    : juce::TextButton (name)
{
    setWantsKeyboardFocus (false);
}

TextButtonWithIcon::~TextButtonWithIcon()
{
    if (currentIcon != nullptr)
        removeChildComponent (currentIcon);
}

void TextButtonWithIcon::setIcon (const juce::Drawable& drawable)
{
    original = drawable.createCopy();
    rebuildIcons();
}

void TextButtonWithIcon::rebuildIcons()
{
    if (currentIcon != nullptr)
        removeChildComponent (currentIcon);

    currentIcon = nullptr;

    if (original == nullptr)
        return;

    auto* ours = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel());

    for (int look = 0; look < numLooks; ++look)
    {
        const bool on = (look % 2) == 1;
        const bool enabled = look < disabledOff;
        const bool over = look == overOff || look == overOn;
        const auto colour = ours != nullptr ? ours->getTextButtonTextColour (*this, on, enabled, over)
                                            : findColour (on ? textColourOnId : textColourOffId)
                                                  .withMultipliedAlpha (enabled ? 1.0f : 0.4f);

        auto& icon = icons[(size_t) look];
        icon = original->createCopy();
        icon->setInterceptsMouseClicks (false, false);
        icon->setMouseClickGrabsKeyboardFocus (false);
        icon->replaceColour (juce::Colours::black, colour);
    }

    pickIcon();
}

void TextButtonWithIcon::pickIcon()
{
    if (icons[0] == nullptr)
        return;

    // isOver() follows the button's own hover state, which mouse events drive.
    const int pair = ! isEnabled() ? disabledOff : isOver() ? overOff
                                                            : normalOff;
    auto* pick = icons[(size_t) (pair + (getToggleState() ? 1 : 0))].get();

    if (pick != currentIcon)
    {
        if (currentIcon != nullptr)
            removeChildComponent (currentIcon);

        currentIcon = pick;
        addAndMakeVisible (currentIcon);
    }

    placeIcon();
}

void TextButtonWithIcon::placeIcon()
{
    if (currentIcon == nullptr)
        return;

    // A button too small for an icon shows none, rather than a degenerate transform.
    currentIcon->setVisible (! iconArea.isEmpty());

    if (! iconArea.isEmpty())
        currentIcon->setTransformToFit (iconArea.toFloat(), juce::RectanglePlacement::centred);
}

void TextButtonWithIcon::setText (const juce::String& newText, bool fit)
{
    setButtonText (newText);

    if (fit)
        fitWidthToText (-1);
}

void TextButtonWithIcon::fitWidthToText (int height)
{
    const int h = height < 0 ? getHeight() : height;
    const auto font = getLookAndFeel().getTextButtonFont (*this, h);
    const int textWidth = (int) std::ceil (font.getStringWidthFloat (getButtonText()));
    const int width = (h - insets.getTopAndBottom()) + insets.getLeftAndRight()
        + (int) std::floor ((float) h * 0.7f) + textWidth;
    setSize (juce::jmax (0, width), h);
}

void TextButtonWithIcon::setIconInsets (juce::BorderSize<int> newInsets)
{
    insets = newInsets;
    resized();
}

void TextButtonWithIcon::setIconSide (int side)
{
    iconSide = side;
    resized();
}

juce::Rectangle<int> TextButtonWithIcon::getTextArea() const
{
    const int s = juce::jmax (0, getHeight() - insets.getTopAndBottom());
    auto area = getLocalBounds();
    const int width = juce::jmax (0, area.getWidth() - s);
    return iconSide == 0 ? area.withTrimmedLeft (area.getWidth() - width) : area.withWidth (width);
}

void TextButtonWithIcon::paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown)
{
    auto& laf = getLookAndFeel();
    const auto background = findColour (getToggleState() ? buttonOnColourId : buttonColourId);
    laf.drawButtonBackground (g, *this, background, isMouseOverButton, isButtonDown);

    const auto font = laf.getTextButtonFont (*this, getHeight());

    if (auto* ours = dynamic_cast<DefaultLookAndFeel*> (&laf))
    {
        ours->drawTextButtonText (g, *this, getTextArea(), font, isMouseOverButton, isButtonDown);
    }
    else
    {
        g.setFont (font);
        g.setColour (findColour (getToggleState() ? textColourOnId : textColourOffId)
                         .withMultipliedAlpha (isEnabled() ? 1.0f : 0.5f));
        g.drawFittedText (getButtonText(), getTextArea(), juce::Justification::centred, 1);
    }
}

void TextButtonWithIcon::resized()
{
    const int s = juce::jmax (0, getHeight() - insets.getTopAndBottom());
    const int x = iconSide == 0 ? insets.getLeft() : getWidth() - s - insets.getRight();
    iconArea = { x, insets.getTop(), s, s };
    placeIcon();
}

void TextButtonWithIcon::buttonStateChanged()
{
    juce::TextButton::buttonStateChanged();
    pickIcon();

    toggleBinding.buttonStateChanged();
}

void TextButtonWithIcon::enablementChanged()
{
    juce::TextButton::enablementChanged();
    pickIcon();
}

void TextButtonWithIcon::lookAndFeelChanged()
{
    juce::TextButton::lookAndFeelChanged();
    rebuildIcons();
}

void TextButtonWithIcon::parentHierarchyChanged()
{
    juce::TextButton::parentHierarchyChanged();
    rebuildIcons();
}

void TextButtonWithIcon::colourChanged()
{
    juce::TextButton::colourChanged();
    rebuildIcons();
}

void TextButtonWithIcon::parameterValueChanged (Parameter* parameter)
{
    toggleBinding.parameterValueChanged (parameter);
}
