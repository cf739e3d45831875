#include "skin/FrameContainer.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/StandardWidgetBuilder.h"

FrameContainer::FrameContainer (const juce::ValueTree& element, juce::Component& widget)
    : Container (element, widget)
{
    text = element["text"].toString();

    if (element.hasProperty ("bkgCol")) bkgCol = parseColour (element["bkgCol"].toString());
    if (element.hasProperty ("frmCol")) frmCol = parseColour (element["frmCol"].toString());
    if (element.hasProperty ("txtCol")) txtCol = parseColour (element["txtCol"].toString());

    if (element.hasProperty ("padding"))
    {
        const auto p = parseInsets (element["padding"].toString());
        // Negative room would put the frame inside the widget.
        padding = { juce::jlimit (0, 200, p.getTop()), juce::jlimit (0, 200, p.getLeft()),
                    juce::jlimit (0, 200, p.getBottom()), juce::jlimit (0, 200, p.getRight()) };
    }

    thickness = (float) juce::jlimit (0, 16, readIntAttribute (element, "frmWidth", 1));
    corner = (float) juce::jlimit (0, 32, readIntAttribute (element, "corner", 3));

    updateLayout();
}

FrameContainer::~FrameContainer() = default;

juce::BorderSize<int> FrameContainer::getContentOffset() const
{
    return contentOffset;
}

void FrameContainer::updateLayout()
{
    contentOffset = { padding.getTop() + (text.isNotEmpty() ? headerHeight : 0),
                      padding.getLeft(), padding.getBottom(), padding.getRight() };
}

void FrameContainer::updateDecorationVisibility() {}

void FrameContainer::paintDecoration (juce::Graphics& g)
{
    const auto area = getLocalBounds().toFloat().reduced (thickness / 2.0f);

    if (! bkgCol.isTransparent())
        fillRoundedWithColour (g, area, bkgCol, corner);

    if (thickness > 0.0f && ! frmCol.isTransparent())
    {
        g.setColour (frmCol);
        g.drawRoundedRectangle (area, corner, thickness);
    }

    if (text.isNotEmpty())
    {
        auto* laf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel());
        g.setFont (laf != nullptr ? laf->getSecondaryFont().withHeight (12.0f) : juce::Font (12.0f, juce::Font::bold));
        g.setColour (txtCol);
        g.drawText (text, juce::Rectangle<int> (padding.getLeft(), padding.getTop(), juce::jmax (0, getWidth() - padding.getLeftAndRight()), headerHeight),
                    juce::Justification::centredLeft, true);
    }
}
