#include "skin/LabelContainer.h"
#include "skin/StandardWidgetBuilder.h"
#include <cmath>

LabelContainer::LF::LF()
    : captionFont (getPrimaryFont().withHeight (13.0f))
{
}

LabelContainer::LF::~LF() = default;

void LabelContainer::LF::setCaptionFont (const juce::Font& f)
{
    captionFont = f;
}

juce::Font LabelContainer::LF::getLabelFont (juce::Label&)
{
    return captionFont;
}

juce::BorderSize<int> LabelContainer::LF::getLabelBorderSize (juce::Label&)
{
    return {};
}

//==============================================================================
LabelContainer::Caption::Caption() = default;

LabelContainer::Caption::~Caption()
{
    label.setLookAndFeel (nullptr);
}

void LabelContainer::Caption::setUp (juce::Component& container, const juce::String& lines,
                                     juce::Colour colour, juce::Justification justification)
{
    label.setLookAndFeel (&lookAndFeel);
    numLines = parseLinesMeasured (label, lines, lookAndFeel.getCaptionFont(), textWidth);
    label.setColour (juce::Label::textColourId, colour);
    label.setJustificationType (justification);
    label.setInterceptsMouseClicks (false, false);
    container.addChildComponent (label);
}

void LabelContainer::Caption::updateVisibility (bool decorationVisible)
{
    label.setVisible (label.getText().isNotEmpty() && decorationVisible);
}

float LabelContainer::Caption::getTextHeight() const
{
    return lookAndFeel.getCaptionFont().getHeight() * (float) numLines;
}

float LabelContainer::Caption::getWidthUnder (float areaWidth) const
{
    return juce::jmax (areaWidth, juce::jmin (textWidth, 120.0f));
}

//==============================================================================
LabelContainer::LabelContainer (const juce::ValueTree& element, juce::Component& widget)
    : Container (element, widget)
{
    if (element.hasProperty ("position"))
    {
        const auto p = parseJustification (element["position"].toString());

        if (p == juce::Justification::left || p == juce::Justification::right
            || p == juce::Justification::top || p == juce::Justification::bottom)
            position = p;
    }

    gap = juce::jlimit (0, 100, readIntAttribute (element, "gap", 2));

    const auto colour = element.hasProperty ("txtCol") ? parseColour (element["txtCol"].toString())
                                                       : juce::Colour (0xFF000000);
    const auto justification = position == juce::Justification::left ? juce::Justification::centredRight
        : position == juce::Justification::right                     ? juce::Justification::centredLeft
                                                                     : juce::Justification::centred;
    caption.setUp (*this, element["label"].toString(), colour, justification);
    updateDecorationVisibility();
}

LabelContainer::~LabelContainer() = default;

juce::BorderSize<int> LabelContainer::getContentOffset() const
{
    return contentOffset;
}

void LabelContainer::updateDecorationVisibility()
{
    caption.updateVisibility (isDecorationVisible());
}

void LabelContainer::updateLayout()
{
    const auto* widget = getContent();
    const int W = widget != nullptr ? widget->getWidth() : 0;
    const int H = widget != nullptr ? widget->getHeight() : 0;

    contentOffset = {};

    auto& label = caption.getLabel();

    if (caption.getNumLines() <= 0)
    {
        label.setBounds ({});
        return;
    }

    const int cw = (int) std::ceil (caption.getTextWidth()) + 1;
    const int ch = (int) std::ceil (caption.getTextHeight());
    const bool vertical = position == juce::Justification::top || position == juce::Justification::bottom;

    if (vertical)
    {
        // A caption wider than the widget sticks out evenly on both sides.
        const int overhang = juce::jmax (0, cw - W);
        const int sideLeft = overhang / 2, sideRight = overhang - sideLeft;

        if (position == juce::Justification::top)
            contentOffset = { ch + gap, sideLeft, 0, sideRight };
        else
            contentOffset = { 0, sideLeft, ch + gap, sideRight };

        const int x = contentOffset.getLeft() + W / 2 - cw / 2;
        const int y = position == juce::Justification::top ? 0 : H + gap;
        label.setBounds (x, y, cw, ch);
    }
    else
    {
        const int overhang = juce::jmax (0, ch - H);
        const int sideTop = overhang / 2, sideBottom = overhang - sideTop;

        if (position == juce::Justification::left)
            contentOffset = { sideTop, cw + gap, sideBottom, 0 };
        else
            contentOffset = { sideTop, 0, sideBottom, cw + gap };

        const int x = position == juce::Justification::left ? 0 : W + gap;
        const int y = contentOffset.getTop() + H / 2 - ch / 2;
        label.setBounds (x, y, cw, ch);
    }
}

void LabelContainer::paintDecoration (juce::Graphics&)
{
    // The caption is a child label; nothing else to draw.
}
