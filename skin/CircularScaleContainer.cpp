#include "skin/CircularScaleContainer.h"
#include "skin/StandardWidgetBuilder.h"
#include <cmath>

CircularScaleContainer::CircularScaleContainer (const juce::ValueTree& element, juce::Component& widget)
    : Container (element, widget)
{
    valuesFont = caption.getLookAndFeel().getPrimaryFont().withHeight (11.0f);

    tickCount = parseScaleTicks (element["scale"].toString(), ticks, anyLong);
    values = readScaleValues (element, valuesFont, valuesWidth);

    if (element.hasProperty ("txtCol"))
        txtCol = parseColour (element["txtCol"].toString());

    const auto degrees = [&element] (const char* name, int fallback) {
        return juce::degreesToRadians ((float) juce::jlimit (-360, 360, readIntAttribute (element, name, fallback)));
    };
    startAngle = degrees ("startAngle", -135);
    endAngle = degrees ("endAngle", 135);
    gap = juce::jlimit (0, 100, readIntAttribute (element, "gap", 2));

    caption.setUp (*this, element["label"].toString(), txtCol, juce::Justification::centred);
    updateDecorationVisibility();
}

CircularScaleContainer::~CircularScaleContainer() = default;

juce::BorderSize<int> CircularScaleContainer::getContentOffset() const
{
    return contentOffset;
}

void CircularScaleContainer::updateDecorationVisibility()
{
    caption.updateVisibility (isDecorationVisible());
}

float CircularScaleContainer::getMarkAngle (int index, int count) const noexcept
{
    // A single mark sits at the start: no step to divide by.
    if (count <= 1)
        return startAngle;

    return startAngle + (endAngle - startAngle) * (float) index / (float) (count - 1);
}

float CircularScaleContainer::getInnerRadius() const noexcept
{
    return (float) juce::jmin (knobArea.getWidth(), knobArea.getHeight()) / 2.0f + (float) gap;
}

juce::Point<float> CircularScaleContainer::getCentre() const noexcept
{
    return knobArea.toFloat().getCentre();
}

juce::Rectangle<float> CircularScaleContainer::getValueArea (int index, int count) const
{
    const auto angle = getMarkAngle (index, count);
    const auto F = valuesFont.getHeight();
    const auto w = valuesFont.getStringWidthFloat (values[index]) + 2.0f;
    const auto sine = std::sin (angle), cosine = std::cos (angle);
    // Far enough out that the text box clears the ticks whatever its direction.
    const auto radius = getInnerRadius() + (tickCount > 0 ? longTick : 0.0f) + 2.0f
        + 0.5f * (std::abs (sine) * w + std::abs (cosine) * F);
    const auto centre = getCentre() + juce::Point<float> (sine * radius, -cosine * radius);
    return juce::Rectangle<float> (w, F).withCentre (centre);
}

void CircularScaleContainer::updateLayout()
{
    const auto* widget = getContent();
    const int W = widget != nullptr ? widget->getWidth() : 0;
    const int H = widget != nullptr ? widget->getHeight() : 0;

    // Geometry in the widget's own coordinates first.
    knobArea = { 0, 0, W, H };
    juce::Rectangle<float> all (0.0f, 0.0f, (float) W, (float) H);

    if (tickCount > 0)
    {
        const auto r = getInnerRadius() + (anyLong ? longTick : shortTick) + 1.0f;
        all = all.getUnion (juce::Rectangle<float> (2.0f * r, 2.0f * r).withCentre (getCentre()));
    }

    const int n = juce::jmax (tickCount, values.size());

    for (int i = 0; i < values.size(); ++i)
        all = all.getUnion (getValueArea (i, n));

    const auto cw = caption.getWidthUnder (all.getWidth());
    const juce::Rectangle<float> captionArea (all.getCentreX() - cw / 2.0f, all.getBottom() + 1.0f, cw,
                                              caption.getTextHeight());

    if (caption.getNumLines() > 0)
        all = all.getUnion (captionArea);

    const int top = (int) std::ceil (-all.getY()), left = (int) std::ceil (-all.getX());
    contentOffset = { top, left,
                      juce::jmax (0, (int) std::ceil (all.getBottom()) - H),
                      juce::jmax (0, (int) std::ceil (all.getRight()) - W) };

    knobArea.setPosition (left, top);
    caption.getLabel().setBounds (captionArea.translated ((float) left, (float) top).toNearestInt());
}

void CircularScaleContainer::paintDecoration (juce::Graphics& g)
{
    const int n = juce::jmax (tickCount, values.size());

    if (n == 0)
        return;

    g.setColour (txtCol);
    const auto centre = getCentre();
    const auto inner = getInnerRadius();

    for (int i = 0; i < tickCount; ++i)
    {
        const auto angle = getMarkAngle (i, n);
        const auto length = ticks[(size_t) i] ? longTick : shortTick;
        const juce::Point<float> direction (std::sin (angle), -std::cos (angle));
        g.drawLine (juce::Line<float> (centre + direction * inner, centre + direction * (inner + length)), 1.5f);
    }

    g.setFont (valuesFont);

    for (int i = 0; i < values.size(); ++i)
        g.drawText (values[i], getValueArea (i, n), juce::Justification::centred, false);
}
