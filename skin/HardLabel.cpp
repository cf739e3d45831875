#include "skin/HardLabel.h"
#include "skin/DefaultLookAndFeel.h"
#include <cmath>

HardLabel::HardLabel (const juce::String& name, const juce::String& text)
    : juce::Label (name, text)
{
    lookAndFeelChanged();
}

HardLabel::~HardLabel() = default;

void HardLabel::lookAndFeelChanged()
{
    juce::Label::lookAndFeelChanged();

    if (auto* laf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
        setFont (laf->getPrimaryFont());
}

void HardLabel::parentHierarchyChanged()
{
    // Joining a window takes its look-and-feel without a look-and-feel change.
    juce::Label::parentHierarchyChanged();

    if (auto* laf = dynamic_cast<DefaultLookAndFeel*> (&getLookAndFeel()))
        setFont (laf->getPrimaryFont());
}

void HardLabel::fitWidthToText (int height)
{
    const auto labelFont = getLookAndFeel().getLabelFont (*this);
    const auto labelBorder = getLookAndFeel().getLabelBorderSize (*this);
    const auto textWidth = (int) std::ceil (labelFont.getStringWidthFloat (getText()));
    setSize (textWidth + labelBorder.getLeftAndRight(), height);
}
