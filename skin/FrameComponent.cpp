#include "skin/FrameComponent.h"
#include "skin/DefaultLookAndFeel.h"
#include "skin/StandardWidgetBuilder.h"

FrameComponent::FrameComponent (const juce::ValueTree& element)
{
    if (! element.isValid())
        return;

    if (element.hasProperty ("name"))
        setName (element["name"].toString());

    headerText = element["text"].toString();

    if (element.hasProperty ("bkgCol")) setColour (backgroundColourId, parseColour (element["bkgCol"].toString()));
    if (element.hasProperty ("frmCol")) setColour (borderColourId, parseColour (element["frmCol"].toString()));
    if (element.hasProperty ("txtCol")) setColour (headerTextColourId, parseColour (element["txtCol"].toString()));

    borderThickness = (float) juce::jlimit (0, 16, readIntAttribute (element, "frmWidth", 1));
}

FrameComponent::~FrameComponent() = default;

bool FrameComponent::hasHeader() const { return headerText.isNotEmpty(); }
int FrameComponent::getHeaderHeight() const { return 20; }
int FrameComponent::getHeaderIndent() const { return 4; }

void FrameComponent::setFillEnabled (bool shouldFill)
{
    if (fillEnabled != shouldFill)
    {
        fillEnabled = shouldFill;
        repaint();
    }
}

void FrameComponent::setHeaderText (const juce::String& text)
{
    if (headerText != text)
    {
        headerText = text;
        repaint();
    }
}

void FrameComponent::paint (juce::Graphics& g)
{
    // The fill's id is also the framework's hyperlink text colour, which look-and-feels set:
    // only a colour set on the frame itself (a skin's "bkgCol") fills it.
    const auto fill = isColourSpecified (backgroundColourId) ? findColour (backgroundColourId) : juce::Colour (0x00000000);

    if (fillEnabled && ! fill.isTransparent())
        g.fillAll (fill);

    const auto border = findColourOr (*this, borderColourId, juce::Colour (0x00000000));

    if (borderThickness > 0.0f && ! border.isTransparent())
    {
        g.setColour (border);
        g.drawRect (getLocalBounds().toFloat(), borderThickness);
    }

    if (hasHeader())
    {
        const auto indent = getHeaderIndent();
        auto* laf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel());
        g.setFont (laf != nullptr ? laf->getSecondaryFont() : juce::Font (14.0f, juce::Font::bold));
        g.setColour (findColourOr (*this, headerTextColourId, juce::Colours::black));
        g.drawText (headerText, juce::Rectangle<int> (indent, 0, juce::jmax (0, getWidth() - 2 * indent), getHeaderHeight()),
                    juce::Justification::centredLeft, true);
    }
}
