#include "skin/LinearScaleContainer.h"
#include "skin/StandardWidgetBuilder.h"

namespace
{
    enum Position
    {
        left = 1,
        right = 2,
        top = 8,
        bottom = 16
    };

    bool drawsScale (int position)
    {
        return position == left || position == right || position == top || position == bottom;
    }
}

LinearScaleContainer::LinearScaleContainer (const juce::ValueTree& element, juce::Component& widget)
    : Container (element, widget)
{
    tickCount = parseScaleTicks (element["scale"].toString(), ticks, anyLong);
    values = readScaleValues (element, valuesFont, valuesWidth);

    if (element.hasProperty ("txtCol"))
        txtCol = parseColour (element["txtCol"].toString());

    if (element.hasProperty ("position"))
        position = parseJustification (element["position"].toString());

    padding = parseInsets (element["padding"].toString());
    bkgInset = parseInsets (element["bkgInset"].toString());

    if (element.hasProperty ("bkgCol"))
        bkgCol = parseColour (element["bkgCol"].toString());

    bkgState = readBoolAttribute (element, "bkgState");

    caption.setUp (*this, element["label"].toString(), txtCol, juce::Justification::centred);
    updateDecorationVisibility();
}

LinearScaleContainer::~LinearScaleContainer() = default;

juce::BorderSize<int> LinearScaleContainer::getContentOffset() const
{
    return contentOffset;
}

void LinearScaleContainer::updateDecorationVisibility()
{
    caption.updateVisibility (isDecorationVisible());
}

void LinearScaleContainer::updateLayout()
{
    const auto* widget = getContent();
    const auto W = widget != nullptr ? (float) widget->getWidth() : 0.0f;
    const auto H = widget != nullptr ? (float) widget->getHeight() : 0.0f;
    const auto L = getTickLength();
    const auto F = valuesFont.getHeight();
    const auto pt = (float) padding.getTop(), pl = (float) padding.getLeft();
    const auto pb = (float) padding.getBottom(), pr = (float) padding.getRight();
    const bool hasValues = ! values.isEmpty();

    contentOffset = {};
    scaleArea = valuesArea = {};

    if ((tickCount > 0 || hasValues) && drawsScale (position))
    {
        // Absurd paddings leave an empty scale, never a negative one.
        const auto alongH = juce::jmax (0.0f, H - pt - pb);
        const auto alongW = juce::jmax (0.0f, W - pl - pr);

        switch (position)
        {
            case left:
                scaleArea = { -pr - L, pt, L, alongH };
                valuesArea = tickCount == 0
                    ? juce::Rectangle<float> (scaleArea.getRight() - valuesWidth - 1.0f, pt, valuesWidth + 1.0f, alongH)
                    : juce::Rectangle<float> (scaleArea.getX() - 1.0f - valuesWidth, pt, valuesWidth, alongH);
                break;

            case right:
                scaleArea = { W + pl, pt, L, alongH };
                valuesArea = tickCount == 0
                    ? juce::Rectangle<float> (scaleArea.getX(), pt, juce::jmax (0.0f, valuesWidth), alongH)
                    : juce::Rectangle<float> (scaleArea.getX() + L + 1.0f, pt, valuesWidth, alongH);
                break;

            case top:
                scaleArea = { pl, -pb - L, alongW, L };
                valuesArea = tickCount == 0
                    ? juce::Rectangle<float> (scaleArea.getX(), scaleArea.getBottom() - F, alongW, F)
                    : juce::Rectangle<float> (scaleArea.getX(), scaleArea.getY() - 1.0f - F, alongW, F);
                break;

            case bottom:
            default:
                scaleArea = { pl, H + pt, alongW, L };
                valuesArea = tickCount == 0
                    ? juce::Rectangle<float> (scaleArea.getX(), scaleArea.getY(), alongW, juce::jmax (0.0f, F))
                    : juce::Rectangle<float> (scaleArea.getX(), scaleArea.getY() + L + 1.0f, alongW, F);
                break;
        }
    }

    juce::Rectangle<float> widgetArea (0.0f, 0.0f, W, H);
    const auto side = hasValues ? valuesArea : scaleArea;
    const auto U = widgetArea.getUnion (side);

    const auto cw = caption.getWidthUnder (U.getWidth());
    const auto ch = caption.getTextHeight();
    const auto extra = position == left ? pl : position == right ? pr
        : position == top                                        ? pt
        : position == bottom                                     ? pb
                                                                 : 0.0f;
    captionArea = { U.getX() + U.getWidth() / 2.0f - cw / 2.0f, U.getHeight() + 1.0f + extra, cw, ch };

    const auto sx = juce::jmin (0.0f, scaleArea.getX(), valuesArea.getX(), captionArea.getX());
    const auto sy = juce::jmin (0.0f, scaleArea.getY(), valuesArea.getY(), captionArea.getY());
    scaleArea.translate (-sx, -sy);
    valuesArea.translate (-sx, -sy);
    captionArea.setX (captionArea.getX() - sx);
    captionArea.setY (juce::jmax (captionArea.getY(), 0.0f));
    widgetArea.setPosition (-sx, -sy);
    widgetOrigin = widgetArea.getPosition();

    const auto T = widgetArea.getUnion (hasValues ? valuesArea : scaleArea).getUnion (captionArea);
    const auto offsetTop = (int) -sy, offsetLeft = (int) -sx;
    contentOffset = { offsetTop, offsetLeft,
                      juce::jmax (0, (int) (T.getHeight() - H - (float) offsetTop)),
                      juce::jmax (0, (int) (T.getWidth() - W - (float) offsetLeft)) };

    caption.getLabel().setBounds (captionArea.toNearestInt());
}

juce::Rectangle<float> LinearScaleContainer::getWidgetArea() const
{
    const auto* widget = getContent();
    return { widgetOrigin.x, widgetOrigin.y,
             widget != nullptr ? (float) widget->getWidth() : 0.0f,
             widget != nullptr ? (float) widget->getHeight() : 0.0f };
}

void LinearScaleContainer::paintDecoration (juce::Graphics& g)
{
    if (bkgState)
    {
        g.setColour (bkgCol.isTransparent() ? txtCol.withMultipliedAlpha (0.5f) : bkgCol);
        const auto area = getWidgetArea();
        const juce::Rectangle<float> inset (area.getX() + (float) bkgInset.getLeft(),
                                            area.getY() + (float) bkgInset.getTop(),
                                            area.getWidth() - (float) bkgInset.getLeftAndRight(),
                                            area.getHeight() - (float) bkgInset.getTopAndBottom());

        if (! inset.isEmpty())
            g.fillRect (inset);
    }

    if ((caption.getLabel().getText().isEmpty() && values.isEmpty()) || ! drawsScale (position))
        return;

    g.setColour (txtCol);
    g.setFont (valuesFont);

    const bool vertical = position == left || position == right;
    const auto F = valuesFont.getHeight();
    const int n = juce::jmax (values.size(), tickCount);
    const auto length = vertical ? scaleArea.getHeight() : scaleArea.getWidth();
    // One mark sits at the start of the scale: no step to divide by.
    const auto step = n > 1 ? length / (float) (n - 1) : 0.0f;

    for (int i = 0; i < n; ++i)
    {
        const auto t = (vertical ? scaleArea.getY() : scaleArea.getX()) + (float) i * step;

        if (i < tickCount)
        {
            const bool isLong = ticks[(size_t) i];
            const auto l = isLong ? 12.0f : 9.0f;
            const auto s = (! isLong && anyLong) ? 3.0f : 0.0f;

            switch (position)
            {
                case left: g.fillRect (juce::Rectangle<float> (scaleArea.getX() + s, t - 1.0f, l, 2.0f)); break;
                case right: g.fillRect (juce::Rectangle<float> (scaleArea.getX(), t - 1.0f, l, 2.0f)); break;
                case top: g.fillRect (juce::Rectangle<float> (t - 1.0f, scaleArea.getY() + s, 2.0f, l)); break;
                default: g.fillRect (juce::Rectangle<float> (t - 1.0f, scaleArea.getY(), 2.0f, l)); break;
            }
        }

        if (i < values.size())
        {
            const auto& text = values[i];

            switch (position)
            {
                case left:
                    g.drawText (text, juce::Rectangle<float> (valuesArea.getX(), t - F / 2.0f, valuesWidth, F),
                                juce::Justification::centredRight, true);
                    break;
                case right:
                    g.drawText (text, juce::Rectangle<float> (valuesArea.getX(), t - F / 2.0f, valuesWidth, F),
                                juce::Justification::centredLeft, true);
                    break;
                case top:
                    g.drawText (text, juce::Rectangle<float> (t - 30.0f, valuesArea.getY(), 60.0f, juce::jmax (0.0f, F)),
                                juce::Justification::centred, true);
                    break;
                default:
                    g.drawText (text, juce::Rectangle<float> (t - 30.0f, valuesArea.getY(), 60.0f, juce::jmax (0.0f, F)),
                                juce::Justification::centredTop, true);
                    break;
            }
        }
    }
}
