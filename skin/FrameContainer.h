#pragma once

#include "skin/ContainedComponent.h"

/** Container of type "Frame": a border (and optional fill and header text) around the widget.
    Attributes of the "Container" element: "text" (header), "bkgCol", "frmCol", "txtCol",
    "padding" (insets, default 4), "frmWidth" (default 1), "corner" (default 3).
*/
class FrameContainer : public ContainedComponent::Container
{
public:
    FrameContainer (const juce::ValueTree& element, juce::Component& widget);
    ~FrameContainer() override;

    juce::BorderSize<int> getContentOffset() const override;
    void updateLayout() override;
    void paintDecoration (juce::Graphics& g) override;
    void updateDecorationVisibility() override;

    static constexpr int headerHeight = 16;

private:
    juce::String text;
    juce::Colour bkgCol { 0x00000000 }, frmCol { 0xFF808080 }, txtCol { 0xFF000000 };
    juce::BorderSize<int> padding { 4 };
    juce::BorderSize<int> contentOffset;
    float thickness = 1.0f, corner = 3.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FrameContainer)
};
